#pragma once

#include <array>
#include <cstdint>

// The profile values a record header carries, as plain numbers: the bridge between a
// record window's header and a profile table row (adding a row from a stored recording,
// the profile overlay). Temperatures and times are floats as the record file stores them;
// K1..K4 travel in the header's four reserved bytes.
struct ProfileParameters
{
    float T0 = 0;
    float TB = 0;
    float T1 = 0;
    float S1 = 0;
    float T2 = 0;
    float TL = 0;
    float S2 = 0;
    float T3 = 0;
    float S3 = 0;
    std::array<uint8_t, 4> K{ { 0, 0, 0, 0 } }; // K[0] is K1
    bool desoldering = false;
    bool sensorIR = false;
    bool celsius = true;
};
