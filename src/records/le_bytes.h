#pragma once

#include <cstdint>
#include <cstring>

// Little-endian field access for the packed records of the record file.
namespace LeBytes {

inline uint16_t readU16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline void writeU16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline uint32_t readU32(const uint8_t* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline void writeU32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline float readF32(const uint8_t* p)
{
    const uint32_t u = readU32(p);
    float f;
    std::memcpy(&f, &u, 4);
    return f;
}
inline void writeF32(uint8_t* p, float f)
{
    uint32_t u;
    std::memcpy(&u, &f, 4);
    writeU32(p, u);
}
inline double readF64(const uint8_t* p)
{
    const uint64_t u = uint64_t(readU32(p)) | (uint64_t(readU32(p + 4)) << 32);
    double d;
    std::memcpy(&d, &u, 8);
    return d;
}
inline void writeF64(uint8_t* p, double d)
{
    uint64_t u;
    std::memcpy(&u, &d, 8);
    writeU32(p, static_cast<uint32_t>(u));
    writeU32(p + 4, static_cast<uint32_t>(u >> 32));
}

} // namespace LeBytes
