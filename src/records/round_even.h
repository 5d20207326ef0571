#pragma once

#include <cmath>

// Round to the nearest integer, halves to the even one, as every coordinate of the charts.
inline int roundEven(double v)
{
    if (!std::isfinite(v))
        return 0;
    if (v > 1.0e9)
        return 1000000000;
    if (v < -1.0e9)
        return -1000000000;
    return static_cast<int>(std::nearbyint(v));
}
