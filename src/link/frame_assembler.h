#pragma once

#include <cstdint>
#include <functional>

#include <QString>

#include "link/station_status.h"

// Cuts 50-byte frames out of the received byte stream. A frame starts at a 0xFF outside a
// frame and ends 50 bytes later; there is no escaping, so a 0xFF inside is plain data and
// resynchronisation happens only through the checksum.
class FrameAssembler
{
public:
    using GoodFrameHandler = std::function<void(const StationStatus& frame)>;
    using CrcErrorHandler = std::function<void(int errorCount)>;

    void FeedByte(uint8_t b)
    {
        if (!m_inFrame) {
            if (b != StationStatus::LeadByte)
                return; // outside a frame: discarded
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

    int crcErrorCount() const { return m_crcErrorCount; }
    // The fourth status-bar panel.
    static QString crcErrorText(int count);
    QString crcErrorText() const { return crcErrorText(m_crcErrorCount); }

    void setGoodFrameHandler(GoodFrameHandler h) { m_onGoodFrame = std::move(h); }
    void setCrcErrorHandler(CrcErrorHandler h) { m_onCrcError = std::move(h); }

private:
    void processFrame();

    uint8_t m_buffer[StationStatus::FrameSize] = {};
    int m_count = 0;
    bool m_inFrame = false;
    int m_crcErrorCount = 0;
    GoodFrameHandler m_onGoodFrame;
    CrcErrorHandler m_onCrcError;
};
