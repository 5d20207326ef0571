#include "flow_profile.h"

#include "link/station_status.h"

FlowProfile FlowProfile::fromFrame(const StationStatus& frame)
{
    using W = StationStatus::Word;
    FlowProfile p;
    p.desoldering = frame.isDesoldering();
    p.irSensor = frame.isIrSensor();
    p.celsius = frame.isCelsius();
    p.T0 = frame.word(W::T0);
    p.TB = frame.word(W::TB);
    p.T1 = frame.word(W::T1);
    p.S1 = frame.word(W::S1);
    p.T2 = frame.word(W::T2);
    p.TL = frame.word(W::TL);
    p.S2 = frame.word(W::S2);
    p.T3 = frame.word(W::T3);
    p.S3 = frame.word(W::S3);
    for (int i = 0; i < 4; ++i)
        p.K[i] = frame.k(i + 1);
    return p;
}

void FlowProfile::writeTo(StationStatus& frame) const
{
    using W = StationStatus::Word;
    frame.setDesoldering(desoldering);
    frame.setIrSensor(irSensor);
    frame.setCelsius(celsius);
    frame.setWord(W::T0, T0);
    frame.setWord(W::TB, TB);
    frame.setWord(W::T1, T1);
    frame.setWord(W::S1, S1);
    frame.setWord(W::T2, T2);
    frame.setWord(W::TL, TL);
    frame.setWord(W::S2, S2);
    frame.setWord(W::T3, T3);
    frame.setWord(W::S3, S3);
    for (int i = 0; i < 4; ++i)
        frame.setK(i + 1, K[i]);
}

bool FlowProfile::operator==(const FlowProfile& o) const
{
    return desoldering == o.desoldering && irSensor == o.irSensor && celsius == o.celsius
        && T0 == o.T0 && TB == o.TB && T1 == o.T1 && S1 == o.S1 && T2 == o.T2 && TL == o.TL
        && S2 == o.S2 && T3 == o.T3 && S3 == o.S3 && K == o.K;
}
