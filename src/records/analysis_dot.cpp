#include "records/analysis_dot.h"

#include "records/le_bytes.h"

void AnalysisDot::write(uint8_t* out) const
{
    LeBytes::writeF32(out + 0, time);
    LeBytes::writeF32(out + 4, tc);
    LeBytes::writeF32(out + 8, tb);
}

AnalysisDot AnalysisDot::read(const uint8_t* in)
{
    AnalysisDot d;
    d.time = LeBytes::readF32(in + 0);
    d.tc = LeBytes::readF32(in + 4);
    d.tb = LeBytes::readF32(in + 8);
    return d;
}
