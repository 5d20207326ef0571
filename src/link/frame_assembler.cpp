#include "link/frame_assembler.h"

#include "tamselcrc.h"

QString FrameAssembler::crcErrorText(int count)
{
    return QStringLiteral("COM CRC Error Count:") + QString::number(count);
}

void FrameAssembler::processFrame()
{
    const uint16_t stored = static_cast<uint16_t>(m_buffer[48] | (m_buffer[49] << 8));
    const bool good = GetCRC(m_buffer, 48) == stored;
    // Reset before the handlers run: a handler may feed further bytes (a nested event loop).
    StationStatus frame(m_buffer);
    reset();
    m_frameInBurst = true;
    if (good) {
        if (m_onGoodFrame)
            m_onGoodFrame(frame);
    } else {
        countCrcError();
    }
}

void FrameAssembler::countCrcError()
{
    ++m_crcErrorCount;
    if (m_onCrcError)
        m_onCrcError(m_crcErrorCount);
}

void FrameAssembler::endAnswer()
{
    const bool partial = m_inFrame;
    const bool damaged = partial || (m_strayBytes && !m_frameInBurst);
    reset();
    m_burstOpen = false;
    m_frameInBurst = false;
    m_strayBytes = false;
    if (damaged)
        countCrcError();
}
