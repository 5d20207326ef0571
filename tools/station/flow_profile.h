#pragma once

#include <array>
#include <cstdint>

class StationStatus;

// One flow memory of the station: the profile a process runs with, plus its type, sensor
// and unit. Temperatures are in the flow's own unit, times in seconds.
struct FlowProfile
{
    bool desoldering = true;
    bool irSensor = true;
    bool celsius = true;
    uint16_t T0 = 100;
    uint16_t TB = 150;
    uint16_t T1 = 120;
    uint16_t S1 = 50;
    uint16_t T2 = 140;
    uint16_t TL = 183;
    uint16_t S2 = 45;
    uint16_t T3 = 195;
    uint16_t S3 = 15;
    std::array<uint8_t, 4> K = {0, 0, 128, 63};

    // The fields a parameter write carries: ControlFlags bit 3, SettingFlags bits 0 and 1,
    // the nine profile words and K1 to K4.
    static FlowProfile fromFrame(const StationStatus& frame);
    void writeTo(StationStatus& frame) const;

    bool operator==(const FlowProfile& o) const;
    bool operator!=(const FlowProfile& o) const { return !(*this == o); }
};
