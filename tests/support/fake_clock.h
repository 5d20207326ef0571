#pragma once

#include "link/clock.h"

// A tick counter the test moves by hand.
class FakeClock : public Clock
{
public:
    uint32_t now() const override { return m_now; }
    void advance(uint32_t ms) { m_now += ms; }
    void set(uint32_t ms) { m_now = ms; }

private:
    uint32_t m_now = 1000;
};
