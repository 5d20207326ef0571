#include "records/record_sample.h"

#include "records/le_bytes.h"

void RecordSample::write(uint8_t* out) const
{
    LeBytes::writeF32(out + 0, time);
    LeBytes::writeF32(out + 4, tc);
    LeBytes::writeF32(out + 8, tb);
    LeBytes::writeF32(out + 12, dT);
    out[16] = fan;
    out[17] = pump;
    out[18] = bottomHeater;
    out[19] = topHeater;
    out[20] = fanInside;
    out[21] = fanOutside;
    out[22] = topHeaterUp;
    out[23] = topHeaterDown;
}

RecordSample RecordSample::read(const uint8_t* in)
{
    RecordSample s;
    s.time = LeBytes::readF32(in + 0);
    s.tc = LeBytes::readF32(in + 4);
    s.tb = LeBytes::readF32(in + 8);
    s.dT = LeBytes::readF32(in + 12);
    s.fan = in[16];
    s.pump = in[17];
    s.bottomHeater = in[18];
    s.topHeater = in[19];
    s.fanInside = in[20];
    s.fanOutside = in[21];
    s.topHeaterUp = in[22];
    s.topHeaterDown = in[23];
    return s;
}

bool RecordSample::operator==(const RecordSample& o) const
{
    return time == o.time && tc == o.tc && tb == o.tb && dT == o.dT && fan == o.fan && pump == o.pump
        && bottomHeater == o.bottomHeater && topHeater == o.topHeater && fanInside == o.fanInside
        && fanOutside == o.fanOutside && topHeaterUp == o.topHeaterUp && topHeaterDown == o.topHeaterDown;
}

