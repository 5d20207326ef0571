#include "shell/password_settings.h"

#include "shell/program_paths.h"

namespace {
const QString kSection = QStringLiteral("IRPaswd");
} // namespace

PasswordSettings::PasswordSettings()
    : m_file(ProgramPaths::passwordFile())
{
}

PasswordSettings::PasswordSettings(const QString& iniPath)
    : m_file(iniPath)
{
}

QString PasswordSettings::login() const
{
    return m_file.readString(kSection, QStringLiteral("Login"));
}

bool PasswordSettings::setLogin(const QString& password)
{
    return m_file.writeString(kSection, QStringLiteral("Login"), password);
}

QString PasswordSettings::parameterPassword() const
{
    return m_file.readString(kSection, QStringLiteral("prameter protection list"));
}

bool PasswordSettings::setParameterPassword(const QString& password)
{
    return m_file.writeString(kSection, QStringLiteral("prameter protection list"), password);
}

bool PasswordSettings::inistoin() const
{
    return m_file.readBool(kSection, QStringLiteral("inistoin"), true);
}

bool PasswordSettings::setInistoin(bool on)
{
    return m_file.writeBool(kSection, QStringLiteral("inistoin"), on);
}

bool PasswordSettings::setInistoin2(bool on)
{
    return m_file.writeBool(kSection, QStringLiteral("inistoin2"), on);
}
