#include "link/station_status.h"

#include <cstring>

#include "tamselcrc.h"

StationStatus::StationStatus(const uint8_t* frame)
{
    std::memcpy(m_bytes.data(), frame, FrameSize);
}

void StationStatus::setBit(int offset, int bitNo, bool on)
{
    const uint8_t mask = static_cast<uint8_t>(1u << bitNo);
    m_bytes[offset] = on ? (m_bytes[offset] | mask) : (m_bytes[offset] & ~mask);
}

uint16_t StationStatus::word(Word field) const
{
    const int o = static_cast<int>(field);
    return static_cast<uint16_t>(m_bytes[o] | (m_bytes[o + 1] << 8));
}

void StationStatus::setWord(Word field, uint16_t value)
{
    const int o = static_cast<int>(field);
    m_bytes[o] = static_cast<uint8_t>(value & 0xFF);
    m_bytes[o + 1] = static_cast<uint8_t>(value >> 8);
}

void StationStatus::setCommandBits(bool writeRequest, bool run1, bool run0)
{
    setBit(ControlFlagsOffset, 2, writeRequest);
    setBit(ControlFlagsOffset, 1, run1);
    setBit(ControlFlagsOffset, 0, run0);
}

uint16_t StationStatus::storedChecksum() const
{
    return static_cast<uint16_t>(m_bytes[ChecksumOffset] | (m_bytes[ChecksumOffset + 1] << 8));
}

uint16_t StationStatus::computedChecksum() const
{
    return GetCRC(m_bytes.data(), ChecksumOffset);
}

void StationStatus::sealChecksum()
{
    const uint16_t crc = computedChecksum();
    m_bytes[ChecksumOffset] = static_cast<uint8_t>(crc & 0xFF);
    m_bytes[ChecksumOffset + 1] = static_cast<uint8_t>(crc >> 8);
}
