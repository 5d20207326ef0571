#include "ui/operation_record_export.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QUrl>

#include "shell/program_paths.h"
#include "ui/translated_message_box.h"

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("OperationRecordExport", text);
}

// Writes the log behind `paths` to `target`; false with the reason in *error.
bool writeOperationRecordExport(const ProgramPaths& paths, const QString& target, Language language, QString* error)
{
    // Completed by the operation log of the users library.
    Q_UNUSED(paths);
    Q_UNUSED(target);
    Q_UNUSED(language);
    *error = QStringLiteral("The operation record cannot be exported yet.");
    return false;
}

} // namespace

bool exportOperationRecord(QWidget* parent, const ProgramPaths& paths, Language language)
{
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilter(tr("Excel file") + QStringLiteral("(*.xls)"));
    dialog.setDefaultSuffix(QStringLiteral("xls"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    return exportOperationRecordTo(parent, dialog.selectedFiles().constFirst(), paths, language);
}

bool exportOperationRecordTo(QWidget* parent, const QString& target, const ProgramPaths& paths, Language language)
{
    QString error;
    if (!writeOperationRecordExport(paths, target, language, &error)) {
        TranslatedMessageBox::error(
            parent, tr("Cannot write \"%1\": %2").arg(QDir::toNativeSeparators(target), error));
        return false;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(target));
    return true;
}
