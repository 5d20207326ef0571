#pragma once

// The rounding rule of the whole program lives in the shell library.
#include "shell/round_even.h"

// Chart coordinates: this is where values from files that cannot be drawn are limited. A
// coordinate lies within +-kMaxCoordinate, far outside any picture yet small enough that the
// drawings can add a few dozen of them in int (a header holding 3e9 or 1e12 seconds) without
// overflowing.
constexpr int kMaxCoordinate = 1 << 24;

inline int roundCoordinate(double v)
{
    return roundEven(v, kMaxCoordinate);
}
