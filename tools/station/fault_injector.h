#pragma once

#include <cstdint>
#include <random>

#include <QByteArray>

// The line faults the station can be told to make, all on its transmit side: lost bytes,
// status frames with a bad checksum, stray bytes before a frame, hellos left unanswered and
// a station that answers nothing at all. Decisions come from one seeded generator, so a
// run with the same seed and the same traffic makes the same faults.
class FaultInjector
{
public:
    explicit FaultInjector(uint32_t seed = 1) : m_rng(seed) {}

    double dropProbability() const { return m_drop; }
    void setDropProbability(double p) { m_drop = p; }
    double corruptProbability() const { return m_corrupt; }
    void setCorruptProbability(double p) { m_corrupt = p; }
    double noiseProbability() const { return m_noise; }
    void setNoiseProbability(double p) { m_noise = p; }
    bool muteHello() const { return m_muteHello; }
    void setMuteHello(bool on) { m_muteHello = on; }
    bool silent() const { return m_silent; }
    void setSilent(bool on) { m_silent = on; }

    // What happened to the last outgoing frame, for the log.
    struct FrameFaults
    {
        int lostBytes = 0;
        bool corrupted = false;
        bool noise = false;
    };

    // The bytes that actually go out for a sealed 50-byte status frame.
    QByteArray shapeFrame(const QByteArray& frame, FrameFaults* faults);
    // The bytes that go out for the one-byte hello answer (empty when it is lost).
    QByteArray shapeHello(int* lostBytes);

private:
    bool chance(double p);
    QByteArray dropBytes(const QByteArray& bytes, int* lost);

    std::mt19937 m_rng;
    double m_drop = 0.0;
    double m_corrupt = 0.0;
    double m_noise = 0.0;
    bool m_muteHello = false;
    bool m_silent = false;
};
