#include "link/serial_transport.h"

#include <cerrno>

#include <QFileInfo>

QString serialDeviceName(const QString& comName, const QString& portsEntry)
{
    if (!portsEntry.trimmed().isEmpty())
        return portsEntry.trimmed();
    // "COMn" is the n-th serial line, /dev/ttyS<n-1>.
    bool ok = false;
    const int n = comName.mid(3).toInt(&ok);
    if (!comName.startsWith(QStringLiteral("COM"), Qt::CaseInsensitive) || !ok)
        return comName;
    return QStringLiteral("/dev/ttyS") + QString::number(n - 1);
}

QString lostDeviceError(const QString& device, const QString& reported)
{
    // exists() follows a link, so a link left to a vanished pseudo-terminal counts as gone.
    if (!device.isEmpty() && !QFileInfo::exists(device))
        return qt_error_string(ENODEV);
    return reported;
}
