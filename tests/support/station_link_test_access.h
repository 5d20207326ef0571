#pragma once

#include <cstdint>

#include <QTimer>

#include "link/station_link.h"

// The link's supervision bookkeeping as tests read and preset it. The program itself has no
// business with these: it drives the link through its public operations only.
class StationLinkTestAccess
{
public:
    explicit StationLinkTestAccess(StationLink& link) : m_link(link) {}

    // One chekD tick, without waiting for the timer.
    void tick() { m_link.tick(); }
    // One try of the background reopen.
    void retryLostPort() { m_link.retryLostPort(); }
    const QTimer& chekD() const { return m_link.m_chekD; }
    const QTimer& reopenTimer() const { return m_link.m_reopenTimer; }
    int timerInterval() const { return m_link.m_chekD.interval(); }
    bool statusWindowVisible() const { return m_link.m_statusWindowVisible; }
    const FrameAssembler& assembler() const { return m_link.m_assembler; }

    bool helloAcknowledged() const { return m_link.m_helloAcknowledged; }
    void setHelloAcknowledged(bool on) { m_link.m_helloAcknowledged = on; }
    bool awaitingReply() const { return m_link.m_tx.awaitingReply(); }
    uint8_t helloCount() const { return m_link.m_tx.helloCount(); }
    uint32_t lastTransmitTick() const { return m_link.m_tx.lastTransmitTick(); }
    uint32_t lastCommandTick() const { return m_link.m_lastCommandTick; }
    void setLastCommandTick(uint32_t t) { m_link.m_lastCommandTick = t; }
    uint32_t nextSampleTick() const { return m_link.m_nextSampleTick; }

    PendingAction pendingAction() const { return m_link.m_pendingAction; }
    bool pendingSensorBit() const { return m_link.m_pendingSensorBit; }
    uint32_t samplingIntervalMs() const { return m_link.samplingIntervalMs(); }
    void setPendingAction(PendingAction a) { m_link.m_pendingAction = a; }
    uint8_t headerRefreshCount() const { return m_link.m_headerRefreshCount; }
    void setHeaderRefreshCount(uint8_t n) { m_link.m_headerRefreshCount = n; }
    bool reopenPending() const { return m_link.m_reopenPending; }

private:
    StationLink& m_link;
};
