#include "records/record_chart.h"

#include <algorithm>
#include <cmath>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "records/round_even.h"

namespace RecordChart {

namespace {

constexpr int W = Width;
constexpr int H = Height;
constexpr int b = Baseline;
const double kRamp = std::sqrt(3.0); // tan 60 degrees: the slope of heating and cooling ramps

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kYellow(255, 255, 0);
const QColor kAqua(0, 255, 255);
const QColor kPurple(128, 0, 128);
const QColor kGreen(0, 128, 0);
const QColor kGrey(128, 128, 128);
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);

// Texts are placed by their top-left corner; opaque ones on the current fill colour.
void textAt(QPainter& p, int x, int top, const QString& text, bool opaque = true)
{
    p.setBackgroundMode(opaque ? Qt::OpaqueMode : Qt::TransparentMode);
    p.drawText(QPoint(x, top + p.fontMetrics().ascent()), text);
    p.setBackgroundMode(Qt::TransparentMode);
}

void textEndingAt(QPainter& p, int right, int top, const QString& text, bool opaque)
{
    textAt(p, right - p.fontMetrics().horizontalAdvance(text), top, text, opaque);
}

QPen pen(const QColor& c, int width = 1, Qt::PenStyle style = Qt::SolidLine)
{
    // Square caps keep wide curve segments on the rasterizer's fast line path.
    return QPen(c, width, style, Qt::SquareCap, Qt::MiterJoin);
}

struct TimeAxis
{
    int scale;
    int spacing;
    int step;
};

TimeAxis timeAxisFor(float t)
{
    if (t <= 231)
        return {4, 80, 20};
    if (t <= 308)
        return {3, 75, 25};
    if (t <= 462)
        return {2, 80, 40};
    return {1, 80, 80};
}

void drawAxes(QPainter& p, const TimeAxis& axis, bool celsius, const ChartStyle& style)
{
    p.setPen(pen(style.hotTrack));
    for (int k = 0;; ++k) {
        const int x = LeftX + k * axis.spacing;
        if (x >= W - 50)
            break;
        p.drawLine(x, H - 150, x, H - 135);
        textAt(p, x, H - 135, QString::number(k * axis.step) + QLatin1Char('s'));
    }
    const QString unit = style.unitText(celsius);
    for (int k = 0;; ++k) {
        const int y = b - 43 * k;
        if (y <= 0)
            break;
        p.setPen(pen(style.hotTrack, 1, Qt::DotLine));
        p.drawLine(LeftX, y, W - 60, y);
        p.setPen(pen(style.hotTrack));
        textAt(p, 40, y - 5, QString::number((celsius ? 20 : 40) * k) + unit);
    }
}

void drawLegend(QPainter& p, const ChartStyle& style)
{
    if (style.chinese) {
        textAt(p, 38, H - 110, QStringLiteral("风扇"));
        textAt(p, 26, H - 85, QStringLiteral("真空泵"));
        textAt(p, 2, H - 60, QStringLiteral("顶部加热器"));
        textAt(p, 2, H - 35, QStringLiteral("底部加热器"));
    } else {
        textAt(p, 46, H - 110, QStringLiteral("fan"));
        textAt(p, 34, H - 85, QStringLiteral("pump"));
        textAt(p, 28, H - 60, QStringLiteral("Top-H"));
        textAt(p, 24, H - 35, QStringLiteral("Bott.-H"));
    }
}

// The theoretical profile drawn over the curves from the anchor where the station's step
// code changed.
class Overlay
{
public:
    Overlay(QPainter& p, const RecordHeader& h, int scale, double S) : m_p(p), m_h(h), m_scale(scale), m_S(S) {}

    void draw()
    {
        m_p.setPen(pen(kGrey));
        const double t0 = m_h.overlayTime;
        const int A = roundEven(m_scale * t0) + LeftX;
        const double T1 = m_h.T1, T2 = m_h.T2, S1 = m_h.S1;
        if (m_h.overlayFromEntry == 1) {
            const int xs = A - roundEven((T1 - 30) / kRamp * m_scale);
            if (xs > LeftX)
                line(xs, Y(30), A, Y(T1));
            else
                line(LeftX, b - roundEven((T1 - kRamp * t0) * m_S), A, Y(T1));
            drop(A, T1);
            label("T1", A, T1);
            const int B = A + roundEven(m_scale * S1);
            line(A, Y(T1), B, Y(T2));
            drop(B, T2);
            label("T2", B, T2);
            span("S1", A, B);
            fromT2(B);
        } else {
            const int xa = A - roundEven(m_scale * S1);
            if (xa > LeftX) {
                line(A, Y(T2), xa, Y(T1));
                drop(xa, T1);
                label("T1", xa, T1);
                span("S1", xa, A);
                const int xs = xa - roundEven((T1 - 30) / kRamp * m_scale);
                if (xs > LeftX)
                    line(xa, Y(T1), xs, Y(30));
                else
                    line(xa, Y(T1), LeftX, b - roundEven((T1 - kRamp * (t0 - S1)) * m_S));
            } else {
                // xa <= 65 means the anchor lies within S1 of time 0; with S1 = 0 that is
                // only t0 = 0, where the ramp ends at T2 on the left margin.
                const double along = S1 != 0 ? (S1 - t0) / S1 : 1.0;
                line(A, Y(T2), LeftX, b - roundEven((T2 - T1) * m_S * along + T1 * m_S));
            }
            drop(A, T2);
            label("T2", A, T2);
            fromT2(A);
        }
    }

private:
    int Y(double v) const { return b - roundEven(v * m_S); }
    void line(int x1, int y1, int x2, int y2) { m_p.drawLine(x1, y1, x2, y2); }
    void drop(int x, double v)
    {
        m_p.setPen(pen(kGrey, 1, Qt::DotLine));
        m_p.drawLine(x, Y(v), x, b);
        m_p.setPen(pen(kGrey));
    }
    void label(const char* text, int x, double v) { textAt(m_p, x - 4, Y(v) - 18, QLatin1String(text)); }
    void span(const char* text, int xa, int xb)
    {
        m_p.drawLine(xa, H - 240, xb, H - 240);
        textAt(m_p, xa + (xb - xa) / 2 - 4, H - 246, QLatin1String(text));
    }
    // From T2 at B: the rise to T3 over S2, the hold over S3 and the cooling.
    void fromT2(int B)
    {
        const double T2 = m_h.T2, T3 = m_h.T3;
        const int C = B + roundEven(m_scale * double(m_h.S2));
        line(B, Y(T2), C, Y(T3));
        drop(C, T3);
        label("T3", C, T3);
        span("S2", B, C);
        const int D = C + roundEven(m_scale * double(m_h.S3));
        line(C, Y(T3), D, Y(T3));
        drop(D, T3);
        span("S3", C, D);
        line(D, Y(T3), D + roundEven((T3 - 25) / kRamp * m_scale), b - roundEven(20 * m_S));
    }

    QPainter& m_p;
    const RecordHeader& m_h;
    int m_scale;
    double m_S;
};

struct Band
{
    uint8_t RecordSample::*flag;
    int top;
    QColor colour;
};

const Band kBands[] = {
    {&RecordSample::fan, H - 105, kYellow},
    {&RecordSample::pump, H - 80, kAqua},
    {&RecordSample::topHeater, H - 55, kPurple},
    {&RecordSample::bottomHeater, H - 30, kGreen},
};
constexpr int kBandHeight = 6;

void drawSamples(QPainter& p, const Recording& record, double interval, int scale, double S,
                 const ChartStyle& style, Segments segments)
{
    const QList<RecordSample>& s = record.samples;
    const int n = s.size();
    if (n < 2)
        return;
    const auto x = [&](int i) { return roundEven(double(i * scale) * interval) + LeftX; };
    const auto y = [&](float v) { return roundEven(b - v * S); };
    const QPen tcPen = pen(kRed, style.lineWidth);
    const QPen tbPen = pen(kBlue, style.lineWidth);

    // Segment by segment: Tc, Tb, then the band cells under it, for the first `count` samples.
    const auto drawEverySegment = [&](int count) {
        for (int i = 1; i < count; ++i) {
            const int x0 = x(i - 1), x1 = x(i);
            p.setPen(tcPen);
            p.drawLine(x0, y(s[i - 1].tc), x1, y(s[i].tc));
            p.setPen(tbPen);
            p.drawLine(x0, y(s[i - 1].tb), x1, y(s[i].tb));
            for (const Band& band : kBands)
                p.fillRect(QRect(x0, band.top, x1 - x0, kBandHeight), s[i].*(band.flag) ? band.colour : kWhite);
        }
    };

    if (segments == Segments::Every) {
        drawEverySegment(n);
        return;
    }

    // x grows with i, so every segment from the first one starting right of the image (and
    // beyond the reach of the pen) is invisible.
    const int limit = W + style.lineWidth + 2;
    int end = 1;
    while (end < n && x(end - 1) <= limit)
        ++end;

    // Curves and bands may be drawn apart only when no curve reaches down into the bands,
    // which temperatures at or above zero never do; a record with negative values from a
    // foreign file keeps the segment-by-segment order.
    const int bandsTop = H - 105;
    bool separable = true;
    for (int i = 0; i < end && separable; ++i)
        separable = y(s[i].tc) + style.lineWidth + 2 < bandsTop && y(s[i].tb) + style.lineWidth + 2 < bandsTop;

    if (!separable) {
        drawEverySegment(end);
        return;
    }

    // Tc and Tb cross, so their segments keep the order tc, tb, tc, tb, ...
    for (int i = 1; i < end; ++i) {
        const int x0 = x(i - 1), x1 = x(i);
        p.setPen(tcPen);
        p.drawLine(x0, y(s[i - 1].tc), x1, y(s[i].tc));
        p.setPen(tbPen);
        p.drawLine(x0, y(s[i - 1].tb), x1, y(s[i].tb));
    }
    for (const Band& band : kBands) {
        int runStart = x(0);
        uint8_t runFlag = s[1].*(band.flag);
        for (int i = 2; i <= end; ++i) {
            if (i < end && s[i].*(band.flag) == runFlag)
                continue;
            const int runEnd = x(i - 1);
            p.fillRect(QRect(runStart, band.top, runEnd - runStart, kBandHeight), runFlag ? band.colour : kWhite);
            if (i < end) {
                runStart = runEnd;
                runFlag = s[i].*(band.flag);
            }
        }
    }
}

void drawDots(QPainter& p, const Recording& record, int scale)
{
    p.setPen(pen(kBlack));
    for (const AnalysisDot& d : record.dots) {
        const int xd = roundEven(scale * double(d.time) + LeftX);
        p.drawLine(xd, b, xd, 30);
        textEndingAt(p, xd + 28, 90, QStringLiteral("time:"), false);
        textEndingAt(p, xd + 60, 90, QString::number(d.time, 'f', 1), false);
        textEndingAt(p, xd + 28, 105, QStringLiteral("TC:"), false);
        textEndingAt(p, xd + 60, 105, QString::number(d.tc, 'f', 1), false);
        textEndingAt(p, xd + 28, 120, QStringLiteral("Tb:"), false);
        textEndingAt(p, xd + 60, 120, QString::number(d.tb, 'f', 1), false);
    }
}

} // namespace

QImage newImage()
{
    QImage image(Width, Height, QImage::Format_RGB32);
    const int dotsPerMeter = qRound(96 / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    return image;
}

int timeScaleFor(float lastTime)
{
    return timeAxisFor(lastTime).scale;
}

double verticalScale(bool celsius)
{
    return celsius ? 2.15 : 1.075;
}

int DrawChart(QImage& image, const Recording& record, float interval, const ChartStyle& style, Segments segments)
{
    image.fill(kWhite);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSize(9);
    p.setFont(font);
    p.setBackground(kWhite);
    p.setBackgroundMode(Qt::TransparentMode);

    const TimeAxis axis = timeAxisFor(record.lastTime());
    const bool celsius = record.isCelsius();
    const double S = verticalScale(celsius);

    drawAxes(p, axis, celsius, style);
    drawLegend(p, style);
    if (record.header.overlayOn == 1)
        Overlay(p, record.header, axis.scale, S).draw();
    drawSamples(p, record, interval, axis.scale, S, style, segments);
    p.setFont(font);
    drawDots(p, record, axis.scale);
    return axis.scale;
}

namespace {

void drawCursor(QPainter& p, double sy, const Recording& record, const Cursor& cursor, const ChartStyle& style)
{
    p.setPen(QPen(kBlack, 1));
    p.drawLine(cursor.x, roundEven(b / sy), cursor.x, 20);
    p.fillRect(QRect(cursor.x + 5, 85, 84, 50), style.buttonFace);

    // Blank beyond the samples, where the values are 0.
    const bool onSample = cursor.sample >= 0 && cursor.sample < record.samples.size();
    const QString tcText = onSample ? QString::number(cursor.tc, 'f', 1) : QString();
    const QString tbText = onSample ? QString::number(cursor.tb, 'f', 1) : QString();
    p.setBackground(style.buttonFace);
    textEndingAt(p, cursor.x + 28, 90, QStringLiteral("time:"), true);
    textEndingAt(p, cursor.x + 60, 90, QString::number(double(cursor.time), 'f', 1), true);
    textEndingAt(p, cursor.x + 28, 105, QStringLiteral("TC:"), true);
    textEndingAt(p, cursor.x + 60, 105, tcText, true);
    textEndingAt(p, cursor.x + 28, 120, QStringLiteral("Tb:"), true);
    textEndingAt(p, cursor.x + 60, 120, tbText, true);
}

} // namespace

void placeCursor(Cursor& cursor, const QSize& surface, const Recording& record, float interval, int timeScale)
{
    if (surface.isEmpty())
        return;
    const double sx = double(Width) / surface.width();
    cursor.x = std::clamp(cursor.mouseX, cursorLeftLimit(surface.width()),
                          std::max(cursorLeftLimit(surface.width()),
                                   cursorRightLimit(surface.width(), record, interval, timeScale)));
    const int p = timeScale > 0 ? timeScale : 1;
    cursor.time = roundEven((cursor.x * sx - LeftX) / p);
    const int j = interval > 0 ? roundEven(cursor.time / double(interval)) : 0;
    cursor.time = roundEven(double(interval) * j);
    cursor.x = roundEven((cursor.time * double(p) + LeftX) / sx);
    cursor.sample = j;
    if (j >= 0 && j < record.samples.size()) {
        cursor.tc = record.samples[j].tc;
        cursor.tb = record.samples[j].tb;
    } else {
        cursor.tc = 0;
        cursor.tb = 0;
    }
}

int cursorLeftLimit(int surfaceWidth)
{
    return roundEven(LeftX / (double(Width) / surfaceWidth));
}

int cursorRightLimit(int surfaceWidth, const Recording& record, float interval, int timeScale)
{
    const int n = record.samples.size();
    int x = n > 0 ? roundEven(double((n - 1) * timeScale) * interval) + LeftX : LeftX;
    // A long recording runs off the image; the cursor stays on it.
    x = std::min(x, Width - 1);
    return roundEven(x / (double(Width) / surfaceWidth));
}

namespace {

// The stretch's fixed columns. The filtered stretch steps from the left end of every run of
// pixels it fills; runs that begin at the same places give the same pixels.
constexpr int kColumn = 128;

} // namespace

QRect presentedArea(const QRect& exposed, const QSize& surface)
{
    const QRect whole(QPoint(0, 0), surface);
    const QRect area = exposed.isEmpty() ? whole : exposed & whole;
    if (area.isEmpty())
        return area;
    const int left = area.left() / kColumn * kColumn;
    const int right = std::min((area.right() / kColumn + 1) * kColumn, surface.width()) - 1;
    return QRect(QPoint(left, area.top()), QPoint(right, area.bottom()));
}

void PresentChart(QPainter& p, const QSize& surface, const QImage& chart, const Recording& record, float interval,
                  int timeScale, Cursor& cursor, const ChartStyle& style, const QRect& exposed)
{
    if (surface.isEmpty())
        return;
    const double sy = double(Height) / surface.height();
    const QRect whole(QPoint(0, 0), surface);
    const QRect area = presentedArea(exposed, surface);
    if (area.isEmpty())
        return;
    p.save();
    p.fillRect(area, kWhite);
    // Filtered, so one-pixel grid lines and texts survive a chart shrunk to a small window.
    p.setRenderHint(QPainter::SmoothPixmapTransform, surface != chart.size());
    for (int x = area.left(); x <= area.right(); x += kColumn) {
        p.setClipRect(QRect(x, area.top(), kColumn, area.height()) & area);
        p.drawImage(whole, chart);
    }
    p.setClipRect(area);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (cursor.on) {
        placeCursor(cursor, surface, record, interval, timeScale);
        drawCursor(p, sy, record, cursor, style);
    }
    p.restore();
}

} // namespace RecordChart
