#pragma once

#include <QString>

#include "shell/ini_file.h"

// Typed access to IRpaswd.ini in the system directory, section IRPaswd.
//
// | Key                      | Type    | Default | Getter / setter                        |
// |--------------------------|---------|---------|----------------------------------------|
// | Login                    | string  | ""      | login / setLogin                       |
// | prameter protection list | string  | ""      | parameterPassword / setParameterPassword |
// | inistoin                 | boolean | true    | inistoin / setInistoin: first start    |
// | inistoin2                | boolean | -       | setInistoin2 (written, never read)     |
//
// Passwords are kept exactly as typed.
class PasswordSettings
{
public:
    PasswordSettings();                              // ProgramPaths::passwordFile()
    explicit PasswordSettings(const QString& iniPath);

    IniFile& file() { return m_file; }
    QString errorString() const { return m_file.errorString(); }

    QString login() const;
    [[nodiscard]] bool setLogin(const QString& password);
    QString parameterPassword() const;
    [[nodiscard]] bool setParameterPassword(const QString& password);
    bool inistoin() const;
    [[nodiscard]] bool setInistoin(bool on);
    [[nodiscard]] bool setInistoin2(bool on);

private:
    IniFile m_file;
};
