#pragma once

#include <QByteArray>

#include "link/station_status.h"

// Builds link frames for tests: a status image with a valid checksum, as bytes on the wire.
inline QByteArray wireFrame(StationStatus s)
{
    s.setByte(0, StationStatus::LeadByte);
    s.sealChecksum();
    return QByteArray(reinterpret_cast<const char*>(s.data()), StationStatus::FrameSize);
}
