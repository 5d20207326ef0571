#pragma once

#include <cmath>

// Every whole number this program makes from a measured, typed or drawn value is rounded to
// the nearest integer with halves to the even one (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).

// The rounding alone; relies on the default floating-point rounding mode, which the program
// never changes. NaN and infinities come back as they are.
inline double roundHalfEven(double v)
{
    return std::nearbyint(v);
}

// The largest magnitude roundEven gives unless told otherwise: far beyond any coordinate,
// time or count the program handles, and well inside an int.
constexpr int kRoundEvenLimit = 1000000000;

// Rounded as an int, held within -limit..limit so that no value (a damaged file's, one
// divided by zero) overflows: NaN gives 0, infinities and values beyond the limit give the
// limit with their sign.
inline int roundEven(double v, int limit = kRoundEvenLimit)
{
    if (std::isnan(v))
        return 0;
    if (v >= limit)
        return limit;
    if (v <= -limit)
        return -limit;
    return static_cast<int>(roundHalfEven(v));
}
