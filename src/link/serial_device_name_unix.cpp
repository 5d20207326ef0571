#include "link/serial_transport.h"

#include <cerrno>

#include <QFileInfo>

QString lostDeviceError(const QString& device, const QString& reported)
{
    // exists() follows a link, so a link left to a vanished pseudo-terminal counts as gone.
    if (!device.isEmpty() && !QFileInfo::exists(device))
        return qt_error_string(ENODEV);
    return reported;
}
