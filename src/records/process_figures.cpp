#include "records/process_figures.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// One sample that carries a reading: its time and the two temperatures, as the record
// holds them (floats, which keeps a full record's copy small).
struct Point
{
    float t;
    float tc;
    float tb;
};

using Value = float Point::*;

constexpr double kMinRateWindow = 2.0;   // seconds
// Sample times are floats (index times the interval); a window end that lies this close
// before the exact window length still closes the window.
constexpr double kTimeSlack = 1e-4;

bool sameReading(const RecordSample& a, const RecordSample& b)
{
    return a.tc == b.tc && a.tb == b.tb && a.fan == b.fan && a.pump == b.pump && a.bottomHeater == b.bottomHeater
        && a.topHeater == b.topHeater && a.fanInside == b.fanInside && a.fanOutside == b.fanOutside
        && a.topHeaterUp == b.topHeaterUp && a.topHeaterDown == b.topHeaterDown;
}

struct Readings
{
    std::vector<Point> points;
    int usable = 0;        // samples with finite values and a time after the one before
    double firstTime = 0;
    double lastTime = 0;
    int stale = 0;
    bool tbMeasured = false;
};

// Stale stretches. Every sampling tick copies the last status frame that arrived; when no
// new frame came in time (a lost or late frame), the sample repeats the previous one
// exactly: both temperatures and every actuator bit. Such a sample measured nothing. Taken
// at face value it would draw a level step (a rate of 0) and then a jump when the next
// frame arrives (a spike over the next window). So a sample equal to the one before it is
// left out, and the curve runs straight from the last fresh sample before the stretch to
// the first fresh one after it: the rates see the true average slope across the gap, and
// times above a line are measured on that straight line. A stretch at the end of the record
// has no fresh sample after it; the figures end at the last fresh sample, as if the
// recording had stopped when the frames did. A board that really holds every reading still
// is read the same way, which leaves a level line level.
//
// Samples of a damaged file whose time or temperatures are no finite number, or whose time
// does not come after the previous one, are skipped as well.
Readings readingsOf(const QList<RecordSample>& samples)
{
    Readings r;
    r.points.reserve(size_t(samples.size()));
    const RecordSample* previous = nullptr;
    for (const RecordSample& s : samples) {
        if (!std::isfinite(s.time) || !std::isfinite(s.tc) || !std::isfinite(s.tb))
            continue;
        if (previous && !(double(s.time) > r.lastTime))
            continue;
        if (r.usable == 0)
            r.firstTime = s.time;
        r.lastTime = s.time;
        ++r.usable;
        if (s.tb != 0)
            r.tbMeasured = true;
        if (previous && sameReading(*previous, s)) {
            ++r.stale;
        } else {
            r.points.push_back({s.time, s.tc, s.tb});
        }
        previous = &s;
    }
    return r;
}

// Seconds during which the straight line through the points lies within [low, high],
// from point `from` to point `to`.
double timeWithin(const std::vector<Point>& p, Value v, size_t from, size_t to, double low, double high)
{
    double total = 0;
    for (size_t i = from; i < to; ++i) {
        const double v0 = p[i].*v;
        const double v1 = p[i + 1].*v;
        const double dt = double(p[i + 1].t) - p[i].t;
        const bool in0 = v0 >= low && v0 <= high;
        const bool in1 = v1 >= low && v1 <= high;
        if (in0 && in1) { // a straight line between two points inside stays inside
            total += dt;
            continue;
        }
        if ((v0 < low && v1 < low) || (v0 > high && v1 > high) || v0 == v1)
            continue;
        // The part of the segment, as a fraction 0..1, where the value is inside the band.
        double a = (low - v0) / (v1 - v0);
        double b = (high - v0) / (v1 - v0);
        if (a > b)
            std::swap(a, b);
        a = std::max(a, 0.0);
        b = std::min(b, 1.0);
        if (b > a)
            total += (b - a) * dt;
    }
    return total;
}

CurveFigures curveFigures(const std::vector<Point>& p, Value v, const ProcessFigures& f)
{
    CurveFigures c;
    size_t peak = 0;
    for (size_t i = 1; i < p.size(); ++i)
        if (p[i].*v > p[peak].*v)
            peak = i;
    c.peak = p[peak].*v;
    c.peakTime = p[peak].t;

    // The heating starts where the curve last stood at (or below) its starting value
    // before the peak: a recording switched on early does not count its idle time.
    size_t start = 0;
    for (size_t i = 0; i <= peak; ++i)
        if (p[i].*v <= p[0].*v)
            start = i;
    c.timeToPeak = double(p[peak].t) - p[start].t;

    c.timeAboveLiquidus = timeWithin(p, v, 0, p.size() - 1, f.liquidus, std::numeric_limits<double>::infinity());
    c.soakTime = timeWithin(p, v, 0, peak, f.soakLow, f.soakHigh);

    // Rates over a sliding window: from every point to the first point at least a window
    // later. One noisy reading then moves a rate by its error divided by the window.
    double up = -std::numeric_limits<double>::infinity();
    double down = up;
    size_t j = 1;
    for (size_t i = 0; i + 1 < p.size(); ++i) {
        j = std::max(j, i + 1);
        while (j < p.size() && double(p[j].t) - p[i].t < f.rateWindow - kTimeSlack)
            ++j;
        if (j == p.size())
            break;
        const double rate = (double(p[j].*v) - p[i].*v) / (double(p[j].t) - p[i].t);
        up = std::max(up, rate);
        down = std::max(down, -rate);
    }
    if (std::isfinite(up)) {
        c.heatingRate = std::max(0.0, up);
        c.coolingRate = std::max(0.0, down);
    }
    return c;
}

double shown(double v, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::nearbyint(v * scale) / scale;
}

} // namespace

int figureDecimals(ProcessFigure figure)
{
    return figure == ProcessFigure::HeatingRate || figure == ProcessFigure::CoolingRate ? 2 : 1;
}

std::optional<double> ProcessFigures::value(ProcessFigure figure, Curve curve) const
{
    if (figure == ProcessFigure::Difference)
        return difference;
    const std::optional<CurveFigures>& c = curve == Curve::Tc ? tc : tb;
    if (!c)
        return std::nullopt;
    switch (figure) {
    case ProcessFigure::Peak: return c->peak;
    case ProcessFigure::TimeToPeak: return c->timeToPeak;
    case ProcessFigure::TimeAboveLiquidus: return c->timeAboveLiquidus;
    case ProcessFigure::HeatingRate: return c->heatingRate;
    case ProcessFigure::CoolingRate: return c->coolingRate;
    case ProcessFigure::SoakTime: return c->soakTime;
    case ProcessFigure::Difference: break;
    }
    return std::nullopt;
}

ProcessFigures ProcessFigures::of(const QList<RecordSample>& samples, const RecordHeader& header,
                                  const ProcessWindow& window)
{
    ProcessFigures f;
    f.celsius = header.celsius == 1;
    const ProcessWindow w = f.celsius ? window : window.toFahrenheit();
    if (std::isfinite(header.TL) && header.TL > 0) {
        f.liquidus = header.TL;
        f.liquidusSource = LiquidusSource::Record;
    } else {
        f.liquidus = w.liquidus;
        f.liquidusSource = LiquidusSource::Window;
    }
    f.soakLow = w.soakLow;
    f.soakHigh = w.soakHigh;

    const Readings r = readingsOf(samples);
    f.staleSamples = r.stale;
    // At least two steps of the sampling interval, so that no rate rests on one step alone.
    const double step = r.usable > 1 ? (r.lastTime - r.firstTime) / (r.usable - 1) : 0.0;
    f.rateWindow = std::max(kMinRateWindow, 2 * step);
    if (r.points.size() < 2)
        return f;

    f.tc = curveFigures(r.points, &Point::tc, f);
    if (r.tbMeasured) {
        f.tb = curveFigures(r.points, &Point::tb, f);
        double d = 0;
        for (const Point& p : r.points)
            d = std::max(d, std::abs(double(p.tc) - p.tb));
        f.difference = d;
    }
    return f;
}

ProcessJudgement ProcessJudgement::of(const ProcessFigures& figures, const ProcessWindow& window)
{
    ProcessJudgement j;
    const ProcessWindow w = figures.celsius ? window : window.toFahrenheit();
    bool failed = false;
    bool missing = false;
    for (ProcessFigure fig : kProcessFigures) {
        Check& c = j.checks[size_t(fig)];
        c.figure = fig;
        c.value = figures.value(fig);
        c.limit = w.limit(fig);
        if (!c.limit.isSet()) {
            c.mark = FigureMark::NoLimit;
        } else if (fig == ProcessFigure::Difference && figures.tc && !figures.tb) {
            c.mark = FigureMark::NotApplicable;
        } else if (!c.value) {
            c.mark = FigureMark::Missing;
            missing = true;
        } else {
            const int d = figureDecimals(fig);
            const double v = shown(*c.value, d);
            const bool ok = (!c.limit.min || v >= shown(*c.limit.min, d)) && (!c.limit.max || v <= shown(*c.limit.max, d));
            c.mark = ok ? FigureMark::Pass : FigureMark::Fail;
            failed = failed || !ok;
        }
    }
    // A failure decides; otherwise a missing figure (or none at all) leaves no verdict.
    if (!figures.isEmpty() && failed)
        j.verdict = Verdict::Fail;
    else if (figures.isEmpty() || missing)
        j.verdict = Verdict::None;
    else
        j.verdict = Verdict::Pass;
    return j;
}
