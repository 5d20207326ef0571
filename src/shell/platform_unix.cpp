#include "shell/platform.h"

#include <QLocale>

#include "shell/language.h"

namespace Platform {

QString systemDirectory()
{
    return QStringLiteral("/var/lib/tamsel/");
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
