#pragma once

#include <QString>

// Where the program's files are. Every path comes back with the platform's separators and
// without a final separator, except systemDir(), which ends with one.
class ProgramPaths
{
public:
    // The directory of the executable (QCoreApplication::applicationDirPath).
    ProgramPaths();
    // Any directory, with or without a final separator (tests, tools).
    explicit ProgramPaths(const QString& programDir);

    QString programDir() const { return m_programDir; }
    QString dataDir() const;                            // <program>/data
    QString fileDir() const;                            // <program>/file: record files by default
    QString paramBakDir() const;                        // <program>/ParamBAK
    QString settingsFile() const;                       // <program>/data/CommConfig.ini
    QString programFile(const QString& name) const;     // <program>/<name>, e.g. UserList.dat
    QString dataFile(const QString& name) const;        // <program>/data/<name>, e.g. model.irl
    QString paramBakFile(const QString& name) const;    // <program>/ParamBAK/<name>

    // The machine-wide directory of the password file: Windows' system directory, elsewhere
    // /var/lib/tamsel/system/; TAMSEL_SYSTEM_DIR overrides both when set and not blank. Blanks
    // around it are removed and a final separator is added when missing.
    static QString systemDir();
    static QString passwordFile();                      // systemDir() + IRpaswd.ini

private:
    QString m_programDir;
};
