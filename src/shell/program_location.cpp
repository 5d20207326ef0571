#include "shell/program_location.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "shell/platform.h"
#include "shell/program_paths.h"
#include "shell/save_file.h"

namespace ProgramLocation {

bool isInstalled(const QString& executableDir)
{
    const QDir dir(executableDir);
    return dir.dirName() == QLatin1String("bin") && QFileInfo(dir.filePath(QStringLiteral("../share/tamsel"))).isDir()
        && !Platform::sharedProgramDirectory().isEmpty();
}

QString programDir(const QString& executableDir)
{
    QString overridden = qEnvironmentVariable("TAMSEL_PROGRAM_DIR").trimmed();
    if (!overridden.isEmpty())
        return overridden;
    return isInstalled(executableDir) ? Platform::sharedProgramDirectory() : executableDir;
}

Move movePasswordFile(const QString& oldFile, const QString& newFile, QString* error)
{
    if (QFileInfo::exists(newFile) || !QFileInfo::exists(oldFile))
        return Move::NothingToDo;
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return Move::Failed;
    };
    QFile from(oldFile);
    if (!from.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("%1: %2").arg(oldFile, from.errorString()));
    const QByteArray content = from.readAll();
    from.close();
    if (!QDir().mkpath(QFileInfo(newFile).absolutePath()))
        return fail(QStringLiteral("%1: cannot create the folder").arg(QFileInfo(newFile).absolutePath()));
    QString why;
    if (!SaveFile::writeWhole(newFile, content, &why))
        return fail(QStringLiteral("%1: %2").arg(newFile, why));
    QFile check(newFile);
    if (!check.open(QIODevice::ReadOnly) || check.readAll() != content)
        return fail(QStringLiteral("%1: the copy does not read back").arg(newFile));
    // A copy that stays behind is harmless: only the new place is read from now on.
    QFile::remove(oldFile);
    return Move::Moved;
}

Move movePasswordFileOfThisMachine(QString* error)
{
    if (!qEnvironmentVariable("TAMSEL_SYSTEM_DIR").trimmed().isEmpty())
        return Move::NothingToDo;
    const QString legacy = Platform::legacySystemDirectory();
    if (legacy.isEmpty())
        return Move::NothingToDo;
    const QString name = QStringLiteral("IRpaswd.ini");
    const Move move = movePasswordFile(QDir(legacy).filePath(name), ProgramPaths::passwordFile(), error);
    if (move == Move::Failed)
        qputenv("TAMSEL_SYSTEM_DIR", QFile::encodeName(legacy));
    return move;
}

} // namespace ProgramLocation
