#include "shell/platform.h"

#include <QLocale>

#include <sys/stat.h>

#include "shell/language.h"

namespace Platform {

QString systemDirectory()
{
    return QStringLiteral("/var/lib/tamsel/system/");
}

QString sharedProgramDirectory()
{
    return QStringLiteral("/var/lib/tamsel/station");
}

QString legacySystemDirectory()
{
    return QStringLiteral("/var/lib/tamsel/");
}

void shareNewFilesWithGroup()
{
    // Keep what the mask says about others; the group may do what the owner may.
    const mode_t mask = umask(0);
    umask(mask & (S_IRWXO));
}

int systemDefaultLanguageId()
{
    return languageIdForLocale(QLocale::system());
}

QString serialDevice(qint64 portNumber, const QString& mapped)
{
    if (!mapped.isEmpty())
        return mapped;
    return QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
}

QByteArray newline()
{
    return QByteArrayLiteral("\n");
}

} // namespace Platform
