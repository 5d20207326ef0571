#include "shell/help_document.h"

#include <QFileInfo>

#include "shell/program_paths.h"

QString helpDocumentPath(const ProgramPaths& paths, Language lang)
{
    const bool chinese = lang == Language::Chinese;
    const QString chm = paths.dataFile(chinese ? QStringLiteral("Tamselhelpcn.CHM") : QStringLiteral("Tamselhelpen.CHM"));
    if (QFileInfo(chm).isFile())
        return chm;
    return paths.dataFile(chinese ? QStringLiteral("help/zh/index.html") : QStringLiteral("help/en/index.html"));
}
