#pragma once

#include <array>
#include <optional>

#include <QList>

#include "records/record_header.h"
#include "records/record_sample.h"
#include "shell/process_window.h"

// What a run did to the board, read off one temperature curve of a recording. Temperatures
// are in the record's unit (a Fahrenheit record gives Fahrenheit), times in seconds of the
// record's own time axis.
struct CurveFigures
{
    double peak = 0;
    double peakTime = 0;           // time of the first sample at the peak
    double timeToPeak = 0;         // from the start of the heating (see ProcessFigures::of)
    double timeAboveLiquidus = 0;  // at or above the liquidus, over the whole record
    double soakTime = 0;           // inside the soak band, on the way up to the peak
    // Largest rise and largest fall in degrees per second over a sliding window; none while
    // the record is shorter than the window. The cooling rate is a positive number.
    std::optional<double> heatingRate;
    std::optional<double> coolingRate;
};

// The figures of one recording, for Tc and, where a bottom temperature was measured, Tb.
struct ProcessFigures
{
    enum class Curve { Tc, Tb };
    enum class LiquidusSource { Record, Window };

    bool celsius = true;
    // The line and band the figures were taken against, in the record's unit.
    double liquidus = 0;
    LiquidusSource liquidusSource = LiquidusSource::Window;
    double soakLow = 0;
    double soakHigh = 0;
    double rateWindow = 0;  // seconds
    int staleSamples = 0;   // samples that repeated the previous one and were left out

    std::optional<CurveFigures> tc;  // none with fewer than two usable samples
    std::optional<CurveFigures> tb;  // also none when the record has no bottom temperature
    std::optional<double> difference; // largest |Tc - Tb|, where Tb applies

    bool isEmpty() const { return !tc; }
    // A judged figure of one curve; Difference is the same for both curves.
    std::optional<double> value(ProcessFigure figure, Curve curve = Curve::Tc) const;

    // `window` is in Celsius; for a Fahrenheit record its liquidus and soak band are
    // converted. The header's TL is the liquidus when it is above 0 (in the record's unit,
    // as the station gave it).
    static ProcessFigures of(const QList<RecordSample>& samples, const RecordHeader& header, const ProcessWindow& window);
};

// How one figure stands against its limits.
enum class FigureMark {
    NoLimit, // the window sets no limit for it
    Pass,
    Fail,
    Missing, // limited, but the record does not give the figure (too short)
    NotApplicable, // the Tc - Tb difference of a record without a bottom temperature
};

enum class Verdict {
    None, // no figures, or a limited figure is missing and nothing failed
    Pass,
    Fail,
};

// The Tc figures (and the Tc - Tb difference) against the window, converted to the
// record's unit. Tb figures are shown beside them but not judged: the window's limits are
// those of the joint, and the bottom temperature is the board's.
struct ProcessJudgement
{
    struct Check
    {
        ProcessFigure figure = ProcessFigure::Peak;
        std::optional<double> value;
        FigureLimit limit; // in the record's unit
        FigureMark mark = FigureMark::NoLimit;
    };
    std::array<Check, ProcessFigureCount> checks{};
    Verdict verdict = Verdict::None;

    const Check& check(ProcessFigure f) const { return checks[size_t(f)]; }

    // Limits are compared with the value as it is shown (see figureDecimals), so a figure
    // shown as "60.0" never fails a minimum of 60. Limits themselves are inclusive.
    static ProcessJudgement of(const ProcessFigures& figures, const ProcessWindow& window);
};

// Decimals a figure is shown with: two for rates, one for everything else.
int figureDecimals(ProcessFigure figure);
