#pragma once

#include <cmath>

// Round to the nearest integer, halves to the even one, as every coordinate of the charts.
//
// This is where values from files that cannot be drawn are limited: a coordinate lies within
// +-kMaxCoordinate, far outside any picture yet small enough that the drawings can add a few
// dozen of them in int (a header holding 3e9 or 1e12 seconds) without overflowing.
constexpr int kMaxCoordinate = 1 << 24;

inline int roundEven(double v)
{
    if (!std::isfinite(v))
        return 0;
    if (v > kMaxCoordinate)
        return kMaxCoordinate;
    if (v < -kMaxCoordinate)
        return -kMaxCoordinate;
    return static_cast<int>(std::nearbyint(v));
}
