#include "link/serial_transport.h"

QString lostDeviceError(const QString& /*device*/, const QString& reported)
{
    return reported;
}
