#include "station_model.h"

#include <algorithm>
#include <cmath>

#include "shell/round_even.h"

namespace {

constexpr double StepSeconds = StationModel::StepMs / 1000.0;

// Moves value towards target by at most delta.
double approach(double value, double target, double delta)
{
    if (value < target)
        return std::min(value + delta, target);
    return std::max(value - delta, target);
}

bool isHeating(StationModel::Phase p)
{
    return p == StationModel::Phase::RampT1 || p == StationModel::Phase::Soak
        || p == StationModel::Phase::RampT3 || p == StationModel::Phase::Hold;
}

} // namespace

StationModel::StationModel(uint32_t seed) : m_rng(seed)
{
    m_image.setByte(0, StationStatus::LeadByte);
}

uint16_t StationModel::reported(double celsiusValue, bool celsius)
{
    const double v = celsius ? celsiusValue : celsiusValue * 9.0 / 5.0 + 32.0;
    return static_cast<uint16_t>(std::clamp(roundEven(v, 65535), 0, 65535));
}

const char* StationModel::phaseName(Phase phase)
{
    switch (phase) {
    case Phase::Idle: return "idle";
    case Phase::RampT1: return "ramp-t1";
    case Phase::Soak: return "soak";
    case Phase::RampT3: return "ramp-t3";
    case Phase::Hold: return "hold";
    case Phase::Cooling: return "cooling";
    }
    return "idle";
}

uint8_t StationModel::processCode(Phase phase)
{
    switch (phase) {
    case Phase::Idle: return IdleCode;
    case Phase::RampT1: return RampT1Code;
    case Phase::Soak: return SoakCode;
    case Phase::RampT3: return RampT3Code;
    case Phase::Hold: return HoldCode;
    case Phase::Cooling: return CoolingCode;
    }
    return IdleCode;
}

void StationModel::emitEvent(const QString& line) const
{
    if (m_sink)
        m_sink(line);
}

StationModel::FrameResult StationModel::handleFrame(const StationStatus& frame)
{
    FrameResult result;
    if (!frame.writeRequest()) {
        // A poll selects the flow it names.
        const int f = frame.flow();
        if (f != m_current) {
            if (f < FlowCount) {
                m_current = f;
                result.memoryChanged = true;
                emitEvent(QStringLiteral("flow %1").arg(f));
            } else {
                emitEvent(QStringLiteral("flow-ignored flow=%1").arg(f));
            }
        }
        return result;
    }

    const bool run1 = frame.runBit1();
    const bool run0 = frame.runBit0();
    if (run1 && !run0) {
        startProcess();
    } else if (!run1 && run0) {
        stopProcess();
    } else if (!run1 && !run0) {
        const FlowProfile p = FlowProfile::fromFrame(frame);
        if (p != m_flows[m_current]) {
            m_flows[m_current] = p;
            result.memoryChanged = true;
        }
        emitEvent(QStringLiteral("stored flow=%1").arg(m_current));
        const uint16_t baud = frame.baudRate();
        if ((baud == 9600 || baud == 19200) && baud != m_baud) {
            m_baud = baud;
            result.newBaudRate = baud;
            emitEvent(QStringLiteral("baud %1").arg(baud));
        }
    }
    // Run bits 1, 1 mean nothing to the station.
    return result;
}

bool StationModel::startProcess()
{
    if (isRunning()) {
        emitEvent(QStringLiteral("start-ignored"));
        return false;
    }
    m_running = m_flows[m_current];
    m_runningFlow = m_current;
    m_setpoint = m_tc;
    emitEvent(QStringLiteral("start flow=%1").arg(m_runningFlow));
    enterPhase(Phase::RampT1);
    while (isRunning() && phaseFinished())
        enterPhase(static_cast<Phase>(static_cast<int>(m_phase) + 1));
    return true;
}

bool StationModel::stopProcess()
{
    if (!isRunning())
        return false;
    emitEvent(QStringLiteral("stop"));
    enterPhase(Phase::Idle);
    return true;
}

void StationModel::enterPhase(Phase phase)
{
    m_phase = phase;
    m_phaseTime = 0.0;
    switch (phase) {
    case Phase::Idle:
        m_setpoint = RoomTemperature;
        emitEvent(QStringLiteral("idle"));
        return;
    case Phase::RampT1:
        break; // the setpoint starts where the part is
    case Phase::Soak:
        m_setpoint = runningTemperature(m_running.T1);
        break;
    case Phase::RampT3:
        m_setpoint = runningTemperature(m_running.T2);
        break;
    case Phase::Hold:
        m_setpoint = runningTemperature(m_running.T3);
        break;
    case Phase::Cooling:
        m_setpoint = RoomTemperature;
        break;
    }
    emitEvent(QStringLiteral("phase %1").arg(QLatin1String(phaseName(phase))));
}

double StationModel::coolingEnd() const
{
    const double t0 = runningTemperature(m_running.T0);
    return t0 > RoomTemperature + 5.0 ? t0 : DefaultCoolingEnd;
}

bool StationModel::phaseFinished() const
{
    switch (m_phase) {
    case Phase::Idle: return false;
    case Phase::RampT1: return m_setpoint == runningTemperature(m_running.T1);
    case Phase::Soak: return m_phaseTime >= m_running.S1;
    case Phase::RampT3: return m_phaseTime >= m_running.S2;
    case Phase::Hold: return m_phaseTime >= m_running.S3;
    case Phase::Cooling: return m_tc < coolingEnd();
    }
    return false;
}

void StationModel::advance(uint32_t ms)
{
    m_pendingMs += ms;
    while (m_pendingMs >= StepMs) {
        m_pendingMs -= StepMs;
        step();
    }
}

double StationModel::nextNoise()
{
    // Sum of three uniforms: bell-shaped, bounded by the amplitude.
    double sum = 0.0;
    for (int i = 0; i < 3; ++i)
        sum += static_cast<double>(m_rng()) / 4294967295.0 - 0.5;
    return sum * 2.0 / 3.0 * m_noiseAmplitude;
}

void StationModel::step()
{
    const double dt = StepSeconds;
    if (m_phase != Phase::Idle)
        m_phaseTime += dt;

    switch (m_phase) {
    case Phase::Idle:
    case Phase::Cooling:
        break;
    case Phase::RampT1:
        m_setpoint = approach(m_setpoint, runningTemperature(m_running.T1), RampRate * dt);
        break;
    case Phase::Soak: {
        const double from = runningTemperature(m_running.T1);
        const double to = runningTemperature(m_running.T2);
        const double share = m_running.S1 > 0 ? std::min(1.0, m_phaseTime / m_running.S1) : 1.0;
        m_setpoint = from + (to - from) * share;
        break;
    }
    case Phase::RampT3: {
        const double from = runningTemperature(m_running.T2);
        const double to = runningTemperature(m_running.T3);
        const double share = m_running.S2 > 0 ? std::min(1.0, m_phaseTime / m_running.S2) : 1.0;
        m_setpoint = from + (to - from) * share;
        break;
    }
    case Phase::Hold:
        m_setpoint = runningTemperature(m_running.T3);
        break;
    }

    if (isHeating(m_phase)) {
        m_tc += (m_setpoint - m_tc) * dt / TcLag;
        const double boardTarget = RoomTemperature + TbShare * (m_tc - RoomTemperature);
        m_tb += (boardTarget - m_tb) * dt / TbLag;
    } else {
        // Part and board lose heat together, faster with the fan blowing.
        const double lag = m_phase == Phase::Cooling ? FanCooling : IdleDrift;
        m_tc += (RoomTemperature - m_tc) * dt / lag;
        m_tb += (RoomTemperature - m_tb) * dt / lag;
    }
    // The board sits under the part and never gets hotter than it.
    m_tb = std::min(m_tb, m_tc);

    while (isRunning() && phaseFinished()) {
        if (m_phase == Phase::Cooling)
            enterPhase(Phase::Idle);
        else
            enterPhase(static_cast<Phase>(static_cast<int>(m_phase) + 1));
    }

    m_tcNoise = nextNoise();
    m_tbNoise = nextNoise() * 0.5;
}

bool StationModel::topHeaterOn() const
{
    return isHeating(m_phase) && m_setpoint > m_tc - 0.5;
}

bool StationModel::bottomHeaterOn() const
{
    return isHeating(m_phase) && m_tb < runningTemperature(m_running.TB);
}

StationStatus StationModel::status() const
{
    StationStatus s = m_image;
    s.setByte(0, StationStatus::LeadByte);
    const FlowProfile& p = m_flows[m_current];
    p.writeTo(s);
    s.setCommandBits(false, isRunning(), false);
    s.setBaudRate(m_baud);
    s.setFlow(static_cast<uint8_t>(m_current));
    s.setWord(StationStatus::Word::Tc, reported(m_tc + m_tcNoise, p.celsius));
    s.setWord(StationStatus::Word::Tb, reported(std::min(m_tb + m_tbNoise, m_tc + m_tcNoise), p.celsius));

    // OutputFlags: heaters active high, positions active low.
    const int out = StationStatus::OutputFlagsOffset;
    const bool heating = isHeating(m_phase);
    const bool cooling = m_phase == Phase::Cooling;
    s.setBit(out, 5, bottomHeaterOn());
    s.setBit(out, 4, topHeaterOn());
    s.setBit(out, 3, cooling);  // fan not inside
    s.setBit(out, 2, !cooling); // fan not outside
    s.setBit(out, 1, heating);  // top heater not up
    s.setBit(out, 0, !heating); // top heater not down

    const int st = StationStatus::StateFlagsOffset;
    s.setByte(st, static_cast<uint8_t>(processCode(m_phase)));
    s.setBit(st, 7, cooling); // fan
    s.setBit(st, 6, heating); // vacuum pump holds the part
    s.sealChecksum();
    return s;
}
