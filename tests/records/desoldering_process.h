#pragma once

#include <algorithm>
#include <cmath>

#include "records/recording.h"

// A desoldering run as the station reports it: preheat, soak in step 0x2D, ramp, hold, the
// vacuum pick-up and the cooling, with the heaters, pump and fan switching on the way.
namespace DesolderingProcess {

inline StationStatus frameAt(double t)
{
    using W = StationStatus::Word;
    StationStatus s;
    double tc;
    uint8_t code;
    if (t < 72) {
        tc = 25 + 1.7320508 * t;
        code = 0x2C;
    } else if (t < 132) {
        tc = 150 + (t - 72) * 0.5;
        code = 0x2D;
    } else if (t < 172) {
        tc = 180 + (t - 132) * 1.25;
        code = 0x2E;
    } else if (t < 192) {
        tc = 230 + 2 * std::sin(t);
        code = 0x2F;
    } else {
        tc = std::max(35.0, 230 - (t - 192) * 1.5);
        code = 0x30;
    }
    const double tb = t < 192 ? 25 + 135 * (1 - std::exp(-t / 80)) : std::max(30.0, 25 + 135 * (1 - std::exp(-192 / 80.0)) - (t - 192) * 0.6);
    const bool bottom = t < 192;
    const bool top = t >= 20 && t < 192 && !(t >= 172 && int(t) % 6 >= 3);
    const bool pump = t >= 185 && t < 200;
    const bool fan = t >= 192 && t < 300;
    const bool fanOut = t >= 194 && t < 300;
    const bool headUp = t >= 195;

    uint8_t output = 0x0F;
    if (bottom)
        output |= 0x20;
    if (top)
        output |= 0x10;
    if (fanOut)
        output &= uint8_t(~0x04);
    else
        output &= uint8_t(~0x08);
    if (headUp)
        output &= uint8_t(~0x02);
    else
        output &= uint8_t(~0x01);
    s.setByte(StationStatus::OutputFlagsOffset, output);
    s.setByte(StationStatus::StateFlagsOffset, uint8_t((fan ? 0x80 : 0) | (pump ? 0x40 : 0) | code));
    s.setCelsius(true);
    s.setIrSensor(false);
    s.setDesoldering(true);
    s.setFlow(4);
    s.setWord(W::Tc, uint16_t(std::lround(tc)));
    s.setWord(W::Tb, uint16_t(std::lround(tb)));
    s.setWord(W::T0, 100);
    s.setWord(W::TB, 160);
    s.setWord(W::T1, 150);
    s.setWord(W::S1, 60);
    s.setWord(W::T2, 180);
    s.setWord(W::TL, 183);
    s.setWord(W::S2, 40);
    s.setWord(W::T3, 230);
    s.setWord(W::S3, 20);
    return s;
}

inline Recording make(int sampleCount = 300, float interval = 1.0f)
{
    Recording r;
    r.isNewRecord = true;
    r.RefreshHeaderFromStation(frameAt(0));
    r.startRecording(frameAt(0), interval);
    for (int i = 0; i < sampleCount; ++i)
        r.TakeSample(frameAt(i * double(interval)), interval);
    return r;
}

} // namespace DesolderingProcess
