#pragma once

#include <cstdint>

// One sampled point of a recording; its 24 bytes are also its record in the file.
struct RecordSample
{
    static constexpr int FileSize = 24;

    float time = 0; // index times the sampling interval, not a measured time
    float tc = 0;
    float tb = 0;
    float dT = 0;   // tc minus the previous sample's tc
    uint8_t fan = 0;
    uint8_t pump = 0;
    uint8_t bottomHeater = 0;
    uint8_t topHeater = 0;
    uint8_t fanInside = 0;
    uint8_t fanOutside = 0;
    uint8_t topHeaterUp = 0;
    uint8_t topHeaterDown = 0;

    void write(uint8_t* out) const;
    static RecordSample read(const uint8_t* in);

    bool operator==(const RecordSample& o) const;
    bool operator!=(const RecordSample& o) const { return !(*this == o); }
};
