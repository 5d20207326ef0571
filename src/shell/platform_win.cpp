#include "shell/platform.h"

#include <windows.h>

namespace Platform {

QString systemDirectory()
{
    wchar_t buffer[MAX_PATH + 1] = {};
    const UINT n = GetSystemDirectoryW(buffer, MAX_PATH + 1);
    if (n == 0 || n > MAX_PATH)
        return QString();
    return QString::fromWCharArray(buffer, static_cast<int>(n));
}

QString sharedProgramDirectory()
{
    return QString();
}

QString legacySystemDirectory()
{
    return QString();
}

void shareNewFilesWithGroup()
{
}

int systemDefaultLanguageId()
{
    return static_cast<int>(GetSystemDefaultLangID());
}

QString serialDevice(qint64 portNumber, const QString& /*mapped*/)
{
    return QStringLiteral("COM%1").arg(portNumber);
}

QByteArray newline()
{
    return QByteArrayLiteral("\r\n");
}

} // namespace Platform
