#include "shell/save_leftovers.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "shell/program_paths.h"

QStringList removeSaveLeftovers(const QString& dir, const QStringList& fileNames)
{
    QStringList removed;
    if (dir.isEmpty() || fileNames.isEmpty())
        return removed;
    const QDir d(dir);
    if (!d.exists())
        return removed;
    QStringList escaped;
    for (const QString& name : fileNames)
        escaped << QRegularExpression::escape(name);
    // Names are compared as the platform compares them: case-insensitive on Windows.
    QRegularExpression::PatternOptions options = QRegularExpression::NoPatternOption;
#ifdef Q_OS_WIN
    options |= QRegularExpression::CaseInsensitiveOption;
#endif
    const QRegularExpression leftover(
        QRegularExpression::anchoredPattern(QStringLiteral("(?:%1)\\.[A-Za-z0-9]{6}").arg(escaped.join(u'|'))), options);
    const QFileInfoList entries = d.entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& fi : entries) {
        if (fi.isSymLink() || !leftover.match(fi.fileName()).hasMatch())
            continue;
        if (QFile::remove(fi.absoluteFilePath()))
            removed << fi.absoluteFilePath();
    }
    return removed;
}

QStringList removeProgramSaveLeftovers(const ProgramPaths& paths, const QString& savePath)
{
    QStringList removed;
    removed << removeSaveLeftovers(paths.dataDir(),
                                   { QStringLiteral("model.irl"), QStringLiteral("stru.ssf"),
                                     QStringLiteral("CommConfig.ini"), QStringLiteral("OpRec.dat") });
    removed << removeSaveLeftovers(paths.paramBakDir(), { QStringLiteral("model.irl") });
    removed << removeSaveLeftovers(paths.programDir(), { QStringLiteral("UserList.dat") });
    removed << removeSaveLeftovers(ProgramPaths::systemDir(), { QStringLiteral("IRpaswd.ini") });
    if (!savePath.isEmpty() && QFileInfo(savePath).isDir())
        removed << removeSaveLeftovers(savePath, { QStringLiteral("model.irl") });
    return removed;
}
