#include "fault_injector.h"

#include "link/station_status.h"

bool FaultInjector::chance(double p)
{
    if (p <= 0.0)
        return false;
    if (p >= 1.0)
        return true;
    // 32 random bits as a fraction in [0, 1); the same on every platform for one seed.
    return static_cast<double>(m_rng()) / 4294967296.0 < p;
}

QByteArray FaultInjector::dropBytes(const QByteArray& bytes, int* lost)
{
    QByteArray out;
    out.reserve(bytes.size());
    *lost = 0;
    for (char b : bytes) {
        if (chance(m_drop))
            ++*lost;
        else
            out.append(b);
    }
    return out;
}

QByteArray FaultInjector::shapeFrame(const QByteArray& frame, FrameFaults* faults)
{
    *faults = FrameFaults();
    QByteArray bytes = frame;
    if (chance(m_corrupt)) {
        // Flipping bits of the stored checksum can never leave it right.
        bytes[StationStatus::ChecksumOffset] = static_cast<char>(bytes[StationStatus::ChecksumOffset] ^ 0x5A);
        faults->corrupted = true;
    }
    if (chance(m_noise)) {
        // Garbage the receiver has to skip outside a frame: never a lead byte, never a hello.
        uint8_t stray;
        do
            stray = static_cast<uint8_t>(m_rng() & 0xFF);
        while (stray == StationStatus::LeadByte || stray == 0x55);
        bytes.prepend(static_cast<char>(stray));
        faults->noise = true;
    }
    return dropBytes(bytes, &faults->lostBytes);
}

QByteArray FaultInjector::shapeHello(int* lostBytes)
{
    return dropBytes(QByteArray(1, char(0x55)), lostBytes);
}
