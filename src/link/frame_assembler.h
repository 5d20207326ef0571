#pragma once

#include <cstdint>
#include <functional>

#include <QString>

#include "link/station_status.h"

// Cuts 50-byte frames out of the received byte stream. A frame starts at a 0xFF outside a
// frame and ends 50 bytes later; there is no escaping, so a 0xFF inside is plain data and
// resynchronisation happens only through the checksum.
//
// The station answers each request with one frame and then falls quiet until the next
// request. A receive event that comes after the line has been quiet for longer than a whole
// frame takes (quietLimitMs) therefore ends the answer before it: an answer that lost bytes
// is dropped there and counted once as a checksum error, instead of waiting for the next
// answer's lead byte and taking that answer down with it. An answer that lost its lead byte
// (only bytes outside a frame, no frame at all) is counted once the same way; a lone hello
// answer (0x55) is not an error.
class FrameAssembler
{
public:
    using GoodFrameHandler = std::function<void(const StationStatus& frame)>;
    using CrcErrorHandler = std::function<void(int errorCount)>;

    // The time a frame of 50 bytes (10 bits each on the line) takes at `baudRate`, in whole
    // milliseconds: 52 at 9600 baud, 26 at 19200.
    static uint32_t frameTimeMs(int baudRate)
    {
        return baudRate > 0 ? uint32_t(StationStatus::FrameSize * 10 * 1000 / baudRate) : 0;
    }
    void setQuietLimitMs(uint32_t ms) { m_quietLimitMs = ms; }
    uint32_t quietLimitMs() const { return m_quietLimitMs; }

    // A receive event at tick `now`, before its bytes are fed: ends the previous answer when
    // the line has been quiet for longer than quietLimitMs since the last event.
    void beginEvent(uint32_t now)
    {
        if (m_burstOpen && now - m_lastEventTick > m_quietLimitMs)
            endAnswer();
        m_burstOpen = true;
        m_lastEventTick = now;
    }

    void FeedByte(uint8_t b)
    {
        if (!m_inFrame) {
            if (b != StationStatus::LeadByte) {
                // outside a frame: discarded
                if (b != HelloAnswer)
                    m_strayBytes = true;
                return;
            }
            m_inFrame = true;
            m_buffer[m_count++] = b;
            return;
        }
        m_buffer[m_count++] = b;
        if (m_count == StationStatus::FrameSize)
            processFrame();
    }
    void feed(const uint8_t* bytes, int n)
    {
        for (int i = 0; i < n; ++i)
            FeedByte(bytes[i]);
    }
    void reset()
    {
        m_count = 0;
        m_inFrame = false;
    }
    bool inFrame() const { return m_inFrame; }

    int crcErrorCount() const { return m_crcErrorCount; }
    // The fourth status-bar panel.
    static QString crcErrorText(int count);
    QString crcErrorText() const { return crcErrorText(m_crcErrorCount); }

    void setGoodFrameHandler(GoodFrameHandler h) { m_onGoodFrame = std::move(h); }
    void setCrcErrorHandler(CrcErrorHandler h) { m_onCrcError = std::move(h); }

private:
    static constexpr uint8_t HelloAnswer = 0x55;

    void processFrame();
    void countCrcError();
    // The answer that ended in a quiet gap: a partial frame, or stray bytes without any
    // frame, is one damaged answer.
    void endAnswer();

    uint8_t m_buffer[StationStatus::FrameSize] = {};
    int m_count = 0;
    bool m_inFrame = false;
    int m_crcErrorCount = 0;
    uint32_t m_quietLimitMs = 26; // a frame at 19200 baud
    uint32_t m_lastEventTick = 0;
    bool m_burstOpen = false;    // bytes came since the last quiet gap
    bool m_frameInBurst = false; // and a whole frame (good or bad) was among them
    bool m_strayBytes = false;   // and bytes outside a frame, other than a hello answer
    GoodFrameHandler m_onGoodFrame;
    CrcErrorHandler m_onCrcError;
};
