#include "link/frame_transmitter.h"

#include <cstring>

#include "link/link_log.h"
#include "tamselcrc.h"

bool FrameTransmitter::SendRaw(int n)
{
    if (!m_communicationOn)
        return false;
    if (m_transport->isOpen()) {
        const QByteArray bytes(reinterpret_cast<const char*>(m_buffer), n);
        qCDebug(lcLink).noquote() << "tx" << bytes.toHex(' ');
        if (!m_transport->write(bytes)) {
            qCDebug(lcLink).noquote() << "tx failed:" << m_transport->errorString();
            // The failure is reported and the transmission leaves no trace in the state.
            if (m_onWriteError)
                m_onWriteError(m_transport->errorString());
            return false;
        }
    } else {
        qCDebug(lcLink) << "tx of" << n << "bytes skipped: the port is closed";
    }
    // Also with the port closed, so that supervision notices a station it cannot reach.
    m_lastTransmitTick = m_clock->now();
    m_awaitingReply = true;
    return true;
}

bool FrameTransmitter::SendHello()
{
    m_buffer[0] = HelloByte;
    const bool sent = SendRaw(1);
    ++m_helloCount; // counted even with communication off; wraps at 256
    return sent;
}

bool FrameTransmitter::SendFrame(const StationStatus& image)
{
    std::memcpy(m_buffer, image.data(), StationStatus::FrameSize);
    const uint16_t crc = GetCRC(m_buffer, StationStatus::ChecksumOffset);
    m_buffer[48] = static_cast<uint8_t>(crc & 0xFF);
    m_buffer[49] = static_cast<uint8_t>(crc >> 8);
    return SendRaw(StationStatus::FrameSize);
}
