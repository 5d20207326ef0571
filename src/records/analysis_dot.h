#pragma once

#include <cstdint>

// A reading kept on the chart and in the report; a record holds at most four.
struct AnalysisDot
{
    static constexpr int FileSize = 12;
    static constexpr int MaxDots = 4;

    float time = 0; // whole seconds
    float tc = 0;
    float tb = 0;

    void write(uint8_t* out) const;
    static AnalysisDot read(const uint8_t* in);

    bool operator==(const AnalysisDot& o) const { return time == o.time && tc == o.tc && tb == o.tb; }
    bool operator!=(const AnalysisDot& o) const { return !(*this == o); }
};
