#include "ui/protection_commands.h"

#include "link/station_link.h"
#include "shell/password_settings.h"
#include "ui/protection_password_dialog.h"
#include "ui/translated_message_box.h"
#include "ui/ui_language.h"

namespace {

QString text(const char* english, const char* chinese)
{
    return UiLanguage::instance().isEnglish() ? QString::fromUtf8(english) : QString::fromUtf8(chinese);
}

} // namespace

namespace ProtectionCommands {

void loginPasswordCommand(QWidget* parent, StationLink& link)
{
    PasswordSettings passwords;
    const QString stored = passwords.login();
    const auto mode = link.stationUnlocked() ? ProtectionPasswordDialog::SetMode : ProtectionPasswordDialog::LoginMode;
    int result;
    QString typed;
    {
        TfrmIRPassSet dialog(mode, stored, parent);
        result = dialog.exec();
        typed = dialog.password();
    }

    if (result == QDialog::Accepted && mode == ProtectionPasswordDialog::SetMode) {
        if (!passwords.setLogin(typed)) {
            TranslatedMessageBox::error(parent, passwords.errorString());
        } else if (!typed.isEmpty()) {
            TranslatedMessageBox::information(
                parent, text("You have setted login password successfully, and you can change mcu's parameters after login next time.",
                             "您成功设置了登录密码，下次启动后登录后方可对mcu进行操作动作."));
        } else {
            TranslatedMessageBox::information(parent, text("You have canceled the login password.", "您取消了登录密码对mcu操作的保护。"));
        }
    } else if (result == QDialog::Accepted) {
        // The window accepts the stored password only.
        link.setStationUnlocked(typed == stored);
        TranslatedMessageBox::information(parent, text("have logined Success.", "您已经成功登录。"));
    }

    // The first-start flag goes whatever the outcome: the window has been offered once.
    if (!passwords.setInistoin(false))
        TranslatedMessageBox::error(parent, passwords.errorString());
}

bool parameterPasswordCommand(QWidget* parent, bool listLocked)
{
    PasswordSettings passwords;
    const QString stored = passwords.parameterPassword();
    const auto mode = listLocked ? ProtectionPasswordDialog::LoginMode : ProtectionPasswordDialog::SetMode;
    int result;
    QString typed;
    {
        TfrmParameterpass dialog(mode, stored, parent);
        result = dialog.exec();
        typed = dialog.password();
    }

    bool unlocked = false;
    if (result == QDialog::Accepted && mode == ProtectionPasswordDialog::LoginMode) {
        unlocked = typed == stored;
        TranslatedMessageBox::information(parent, text("a correct password.", "密码正确，您现在可以修改参数了。"));
    } else if (result == QDialog::Accepted) {
        if (!passwords.setParameterPassword(typed)) {
            TranslatedMessageBox::error(parent, passwords.errorString());
        } else if (!typed.isEmpty()) {
            TranslatedMessageBox::information(
                parent, text("You have setted parameters password success，and can changed parameters after inputting password next.",
                             "您成功设置了参数保护密码，下次启动后输入参数保护密码方可对参数修改."));
        } else {
            TranslatedMessageBox::information(parent, text("You have canceled the parameters password.", "您取消了参数保护密码。"));
        }
    }

    if (!passwords.setInistoin2(false))
        TranslatedMessageBox::error(parent, passwords.errorString());
    return unlocked;
}

} // namespace ProtectionCommands
