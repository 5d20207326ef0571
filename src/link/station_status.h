#pragma once

#include <array>
#include <cstdint>

// One 50-byte link frame image read through the station's payload layout. The same layout
// serves status frames received and every frame sent, because commands are the last
// status frame with fields changed.
class StationStatus
{
public:
    static constexpr int FrameSize = 50;
    static constexpr int ChecksumOffset = 48;
    static constexpr uint8_t LeadByte = 0xFF;

    // Offsets of the little-endian 16-bit fields.
    enum class Word : int {
        BaudRate = 7,
        Tc = 10,
        T1 = 12,
        T2 = 14,
        TL = 16,
        T3 = 18,
        S1 = 20,
        T0 = 22,
        TB = 24,
        Tb = 26,
        S2 = 28,
        S3 = 30,
    };
    enum Offset : int {
        ControlFlagsOffset = 1,
        OutputFlagsOffset = 2,
        StateFlagsOffset = 3,
        SettingFlagsOffset = 4,
        FlowOffset = 9,
        K1Offset = 32,
    };

    StationStatus() { m_bytes.fill(0); }
    explicit StationStatus(const uint8_t* frame);

    const uint8_t* data() const { return m_bytes.data(); }
    uint8_t* data() { return m_bytes.data(); }
    const std::array<uint8_t, FrameSize>& bytes() const { return m_bytes; }
    uint8_t byte(int offset) const { return m_bytes[offset]; }
    void setByte(int offset, uint8_t value) { m_bytes[offset] = value; }
    bool bit(int offset, int bitNo) const { return (m_bytes[offset] >> bitNo) & 1u; }
    void setBit(int offset, int bitNo, bool on);

    uint16_t word(Word field) const;
    void setWord(Word field, uint16_t value);

    // ControlFlags
    uint8_t controlFlags() const { return m_bytes[ControlFlagsOffset]; }
    bool isDesoldering() const { return bit(ControlFlagsOffset, 3); }
    void setDesoldering(bool on) { setBit(ControlFlagsOffset, 3, on); }
    bool writeRequest() const { return bit(ControlFlagsOffset, 2); }
    void setWriteRequest(bool on) { setBit(ControlFlagsOffset, 2, on); }
    bool runBit1() const { return bit(ControlFlagsOffset, 1); }
    bool runBit0() const { return bit(ControlFlagsOffset, 0); }
    // Only the run pair 1, 0 means a process is running.
    bool isRunning() const { return runBit1() && !runBit0(); }
    // ControlFlags bits 2, 1, 0 of a command: write request and run command.
    void setCommandBits(bool writeRequest, bool run1, bool run0);

    // OutputFlags; bits 3 to 0 are active low.
    uint8_t outputFlags() const { return m_bytes[OutputFlagsOffset]; }
    bool bottomHeaterOn() const { return bit(OutputFlagsOffset, 5); }
    bool topHeaterOn() const { return bit(OutputFlagsOffset, 4); }
    bool fanInside() const { return !bit(OutputFlagsOffset, 3); }
    bool fanOutside() const { return !bit(OutputFlagsOffset, 2); }
    bool topHeaterUp() const { return !bit(OutputFlagsOffset, 1); }
    bool topHeaterDown() const { return !bit(OutputFlagsOffset, 0); }

    // StateFlags
    uint8_t stateFlags() const { return m_bytes[StateFlagsOffset]; }
    bool fanOn() const { return bit(StateFlagsOffset, 7); }
    bool vacuumPumpOn() const { return bit(StateFlagsOffset, 6); }
    uint8_t processCode() const { return m_bytes[StateFlagsOffset] & 0x3F; }
    static constexpr uint8_t SoakProcessCode = 0x2D;

    // SettingFlags
    uint8_t settingFlags() const { return m_bytes[SettingFlagsOffset]; }
    bool isCelsius() const { return bit(SettingFlagsOffset, 0); }
    void setCelsius(bool on) { setBit(SettingFlagsOffset, 0, on); }
    bool isIrSensor() const { return bit(SettingFlagsOffset, 1); }
    void setIrSensor(bool on) { setBit(SettingFlagsOffset, 1, on); }

    uint16_t baudRate() const { return word(Word::BaudRate); }
    void setBaudRate(uint16_t v) { setWord(Word::BaudRate, v); }
    uint8_t flow() const { return m_bytes[FlowOffset]; }
    void setFlow(uint8_t v) { m_bytes[FlowOffset] = v; }
    uint16_t tc() const { return word(Word::Tc); }
    uint16_t tb() const { return word(Word::Tb); }
    // K1..K4 for i = 1..4
    uint8_t k(int i) const { return m_bytes[K1Offset + i - 1]; }
    void setK(int i, uint8_t v) { m_bytes[K1Offset + i - 1] = v; }

    // Checksum as stored in bytes 48, 49 (low byte first) and as computed over bytes 0..47.
    uint16_t storedChecksum() const;
    uint16_t computedChecksum() const;
    // Writes a fresh checksum into bytes 48 and 49.
    void sealChecksum();

    bool operator==(const StationStatus& o) const { return m_bytes == o.m_bytes; }
    bool operator!=(const StationStatus& o) const { return m_bytes != o.m_bytes; }

private:
    std::array<uint8_t, FrameSize> m_bytes;
};
