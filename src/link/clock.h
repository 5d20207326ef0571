#pragma once

#include <cstdint>

// The millisecond tick counter: monotonic, wraps at 32 bits. Differences of two ticks
// are taken as unsigned 32-bit values, so the wrap does no harm.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual uint32_t now() const = 0;
};

// The real tick counter of the machine.
class SystemClock : public Clock
{
public:
    uint32_t now() const override;
    static SystemClock& instance();
};
