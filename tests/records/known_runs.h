#pragma once

#include <functional>

#include <QList>

#include "records/record_sample.h"

// Runs with known figures, built sample by sample.
namespace KnownRuns {

// Samples from a temperature function of the sample index; tb rises by half a degree per
// sample so that no sample repeats the one before it.
inline QList<RecordSample> build(int count, float interval, const std::function<double(int)>& tc)
{
    QList<RecordSample> samples;
    for (int i = 0; i < count; ++i) {
        RecordSample s;
        s.time = float(i * interval);
        s.tc = float(tc(i));
        s.tb = float(25 + 0.5 * i);
        s.dT = i ? s.tc - samples.last().tc : 0;
        samples.append(s);
    }
    return samples;
}

// At 1 s per sample: 25 °C, 2 °C/s up to 225 at 100 s, level until 150 s, 4 °C/s down to
// 25 at 200 s. Against 217 °C: above it from 96 s to 152 s exactly.
inline double trapezoid(int i)
{
    if (i <= 100)
        return 25 + 2 * i;
    if (i <= 150)
        return 225;
    return 225 - 4 * (i - 150);
}

} // namespace KnownRuns
