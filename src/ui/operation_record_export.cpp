#include "ui/operation_record_export.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QUrl>

#include "shell/program_paths.h"
#include "users/operation_log.h"
#include "ui/translated_message_box.h"

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("OperationRecordExport", text);
}

// The log behind `paths` written to `target`; a failure is reported, naming the file.
bool writeOperationRecordExport(QWidget* parent, const ProgramPaths& paths, const QString& target,
                                Language language)
{
    UsersFileError error;
    if (ExportOperationRecord(operationLogFile(paths.programDir()), target, language, &error))
        return true;
    const QString file = QDir::toNativeSeparators(error.fileName.isEmpty() ? target : error.fileName);
    const QString text = error.kind == UsersFileError::ReadFailed ? tr("Cannot read \"%1\": %2")
                                                                  : tr("Cannot write \"%1\": %2");
    TranslatedMessageBox::error(parent, text.arg(file, error.detail));
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
    if (!writeOperationRecordExport(parent, paths, target, language))
        return false;
    QDesktopServices::openUrl(QUrl::fromLocalFile(target));
    return true;
}
