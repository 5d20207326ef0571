#include "ui/profile_import.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "ui/translated_message_box.h"

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("ProfileImport", text);
}

} // namespace

bool ImportParameters(QWidget* parent, const ProfileFilePaths& paths)
{
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(tr("Parameter File") + QStringLiteral(" (*.irl)"));
    dialog.setDefaultSuffix(QStringLiteral("irl"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    return importParameterFile(parent, dialog.selectedFiles().constFirst(), paths);
}

bool importParameterFile(QWidget* parent, const QString& fileName, const ProfileFilePaths& paths)
{
    const QString full = QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath());
    if (!TranslatedMessageBox::confirm(parent, tr("Are you sure Import parameters from \"%1\"?").arg(full)))
        return false;
    if (!copyParameterFile(fileName, paths))
        return false;
    TranslatedMessageBox::information(
        parent, tr("Successful  import  parameters , the  program  will  be  terminate , restart  please!"));
    // Shutdown must not write the current table over the imported file.
    setSaveTableOnExit(false);
    return true;
}
