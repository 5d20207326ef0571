#include "link/serial_transport.h"

QString serialDeviceName(const QString& comName, const QString& /*portsEntry*/)
{
    return comName;
}
