#pragma once

#include <cstdint>
#include <functional>

#include <QString>

#include "link/clock.h"
#include "link/station_status.h"
#include "link/transport.h"

// The transmit side of the link: the hello byte and 50-byte frames with a fresh checksum,
// and the state every transmission leaves behind for supervision.
class FrameTransmitter
{
public:
    using WriteErrorHandler = std::function<void(const QString& error)>;

    FrameTransmitter(Transport& transport, const Clock& clock) : m_transport(&transport), m_clock(&clock) {}

    void setTransport(Transport& transport) { m_transport = &transport; }

    // The communication switch (the checked state of actnComunica).
    bool communicationOn() const { return m_communicationOn; }
    void setCommunicationOn(bool on) { m_communicationOn = on; }

    // Sends the first n bytes of the transmit buffer. Returns false when nothing was
    // attempted (communication off) or the port reported a write failure.
    bool SendRaw(int n);
    bool SendHello();
    // The image's own bytes 48 and 49 are ignored and the image is left unchanged.
    bool SendFrame(const StationStatus& image);

    bool awaitingReply() const { return m_awaitingReply; }
    void setAwaitingReply(bool on) { m_awaitingReply = on; }
    uint32_t lastTransmitTick() const { return m_lastTransmitTick; }
    void setLastTransmitTick(uint32_t t) { m_lastTransmitTick = t; }
    uint8_t helloCount() const { return m_helloCount; }
    void setHelloCount(uint8_t n) { m_helloCount = n; }

    const uint8_t* transmitBuffer() const { return m_buffer; }
    void setWriteErrorHandler(WriteErrorHandler h) { m_onWriteError = std::move(h); }

    static constexpr uint8_t HelloByte = 0x55;

private:
    Transport* m_transport;
    const Clock* m_clock;
    uint8_t m_buffer[StationStatus::FrameSize] = {};
    bool m_communicationOn = false;
    bool m_awaitingReply = false;
    uint32_t m_lastTransmitTick = 0;
    uint8_t m_helloCount = 0;
    WriteErrorHandler m_onWriteError;
};
