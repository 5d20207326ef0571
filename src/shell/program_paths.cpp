#include "shell/program_paths.h"

#include <QCoreApplication>
#include <QDir>

#include "shell/platform.h"

namespace {

QString join(const QString& dir, const QString& name)
{
    const QString d = QDir::fromNativeSeparators(dir);
    return QDir::toNativeSeparators(d.endsWith(QLatin1Char('/')) ? d + name : d + QLatin1Char('/') + name);
}

} // namespace

ProgramPaths::ProgramPaths()
    : ProgramPaths(QCoreApplication::applicationDirPath())
{
}

ProgramPaths::ProgramPaths(const QString& programDir)
{
    // cleanPath drops a final separator, so "dir" and "dir/" give the same paths.
    m_programDir = QDir::toNativeSeparators(
        QDir::cleanPath(QDir(QDir::fromNativeSeparators(programDir)).absolutePath()));
}

QString ProgramPaths::dataDir() const
{
    return join(m_programDir, QStringLiteral("data"));
}

QString ProgramPaths::fileDir() const
{
    return join(m_programDir, QStringLiteral("file"));
}

QString ProgramPaths::paramBakDir() const
{
    return join(m_programDir, QStringLiteral("ParamBAK"));
}

QString ProgramPaths::settingsFile() const
{
    return dataFile(QStringLiteral("CommConfig.ini"));
}

QString ProgramPaths::programFile(const QString& name) const
{
    return join(m_programDir, name);
}

QString ProgramPaths::dataFile(const QString& name) const
{
    return join(dataDir(), name);
}

QString ProgramPaths::paramBakFile(const QString& name) const
{
    return join(paramBakDir(), name);
}

QString ProgramPaths::systemDir()
{
    QString dir = qEnvironmentVariable("TAMSEL_SYSTEM_DIR").trimmed();
    if (dir.isEmpty())
        dir = Platform::systemDirectory().trimmed();
    dir = QDir::toNativeSeparators(dir);
    if (!dir.endsWith(QDir::separator()))
        dir += QDir::separator();
    return dir;
}

QString ProgramPaths::passwordFile()
{
    return systemDir() + QStringLiteral("IRpaswd.ini");
}
