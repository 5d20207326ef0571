#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <random>

#include <QString>

#include "flow_profile.h"
#include "link/station_status.h"

// The station's controller without its hardware: ten flow memories, the process a flow
// runs (ramp, soak, ramp, hold, cooling) and a simple thermal model of the part (Tc) and the
// board under it (Tb). It knows nothing of ports or wall time: the owner feeds it frames and
// moves its clock with advance(), so tests run whole processes without waiting.
class StationModel
{
public:
    enum class Phase { Idle, RampT1, Soak, RampT3, Hold, Cooling };

    static constexpr int FlowCount = 10;
    static constexpr double RoomTemperature = 25.0; // °C
    static constexpr double RampRate = 1.73;        // °C per second up to T1 (tan 60°)
    static constexpr double TcLag = 3.0;            // s, part behind the setpoint
    static constexpr double TbLag = 8.0;            // s, board behind the part
    static constexpr double TbShare = 0.8;          // the board reaches this share of the part's rise
    static constexpr double IdleDrift = 60.0;       // s, towards room temperature with the fan off
    static constexpr double FanCooling = 15.0;      // s, towards room temperature with the fan on
    static constexpr double DefaultCoolingEnd = 50.0; // °C, when T0 is not above room temperature
    static constexpr uint32_t StepMs = 100;

    // Process codes reported in StateFlags bits 5 to 0, one per phase. The program's
    // recording looks for 0x2D, which marks the soak from T1 to T2.
    static constexpr uint8_t IdleCode = 0x00;
    static constexpr uint8_t RampT1Code = 0x21;
    static constexpr uint8_t SoakCode = StationStatus::SoakProcessCode;
    static constexpr uint8_t RampT3Code = 0x22;
    static constexpr uint8_t HoldCode = 0x23;
    static constexpr uint8_t CoolingCode = 0x24;

    using EventSink = std::function<void(const QString& line)>;

    struct FrameResult
    {
        bool memoryChanged = false; // a flow memory or the flow selection changed
        int newBaudRate = 0;        // non-zero: switch the port to this rate after answering
    };

    explicit StationModel(uint32_t seed = 1);

    // State-change lines ("start flow=3", "phase soak", "idle", ...), one call per line.
    void setEventSink(EventSink sink) { m_sink = std::move(sink); }

    const FlowProfile& flow(int index) const { return m_flows[index]; }
    void setFlow(int index, const FlowProfile& profile) { m_flows[index] = profile; }
    int currentFlow() const { return m_current; }
    // Used when the saved state is loaded; a process in progress is not touched.
    void setCurrentFlow(int index) { m_current = index; }

    // What the station does with a good frame; the answer is status() afterwards.
    FrameResult handleFrame(const StationStatus& frame);
    // Start and stop the process of the current flow; false when there was nothing to do.
    bool startProcess();
    bool stopProcess();

    // Moves the simulated clock on by ms milliseconds.
    void advance(uint32_t ms);

    // The status frame the station answers with now, lead byte and checksum included.
    StationStatus status() const;

    Phase phase() const { return m_phase; }
    bool isRunning() const { return m_phase != Phase::Idle; }
    double tcCelsius() const { return m_tc; }
    double tbCelsius() const { return m_tb; }
    double setpointCelsius() const { return m_setpoint; }
    bool topHeaterOn() const;
    bool bottomHeaterOn() const;
    static uint8_t processCode(Phase phase);
    static const char* phaseName(Phase phase);

    uint16_t baudRate() const { return m_baud; }
    void setBaudRate(uint16_t baud) { m_baud = baud; }
    // Amplitude of the measurement noise in °C; 0 makes the readings exact.
    void setNoise(double amplitude) { m_noiseAmplitude = amplitude; }

    static double toCelsius(double value, bool celsius) { return celsius ? value : (value - 32.0) * 5.0 / 9.0; }
    static uint16_t reported(double celsiusValue, bool celsius);

private:
    void step();
    void enterPhase(Phase phase);
    bool phaseFinished() const;
    double runningTemperature(uint16_t value) const { return toCelsius(value, m_running.celsius); }
    double coolingEnd() const;
    double nextNoise();
    void emitEvent(const QString& line) const;

    std::array<FlowProfile, FlowCount> m_flows;
    int m_current = 0;
    FlowProfile m_running; // the profile the process started with
    int m_runningFlow = 0;
    Phase m_phase = Phase::Idle;
    double m_phaseTime = 0.0; // s since the phase began
    double m_tc = RoomTemperature;
    double m_tb = RoomTemperature;
    double m_setpoint = RoomTemperature;
    double m_noiseAmplitude = 0.4;
    double m_tcNoise = 0.0;
    double m_tbNoise = 0.0;
    std::mt19937 m_rng;
    uint32_t m_pendingMs = 0;
    uint16_t m_baud = 19200;
    // Bytes and bits the station does not use stay as they are here in every answer.
    StationStatus m_image;
    EventSink m_sink;
};
