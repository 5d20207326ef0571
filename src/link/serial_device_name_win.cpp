#include "link/serial_transport.h"

QString serialDeviceName(const QString& comName, const QString& /*portsEntry*/)
{
    return comName;
}

QString lostDeviceError(const QString& /*device*/, const QString& reported)
{
    return reported;
}
