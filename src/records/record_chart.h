#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include "records/chart_style.h"
#include "records/recording.h"

class QPainter;

// The curve chart of a record: drawn complete into a fixed 1024 x 768 image, which is then
// stretched onto the window; only the analysis cursor is drawn afterwards, in window pixels.
namespace RecordChart {

constexpr int Width = 1024;
constexpr int Height = 768;
constexpr int Baseline = Height - 140; // temperature 0
constexpr int LeftX = 65;              // time 0

// A white 1024 x 768 image at 96 dpi, so 9-point texts are 12 pixels high.
QImage newImage();

// Pixels per second for a record whose last sample is at `lastTime`.
int timeScaleFor(float lastTime);
// Pixels per degree.
double verticalScale(bool celsius);

// Visible: samples right of the image are skipped and equal band cells filled as one;
// Every: each segment and cell on its own. Both give the same pixels.
enum class Segments { Visible, Every };

// Draws the whole chart into `image` (see newImage) and returns the time scale used.
// `interval` is the sampling interval used for drawing (Recording::drawingInterval).
int DrawChart(QImage& image, const Recording& record, float interval, const ChartStyle& style,
              Segments segments = Segments::Visible);

// The analysis cursor. The mouse sets `mouseX` (surface pixels); placing it on a surface
// holds it between the limits and snaps it to a sample at a whole second, giving `x`, and
// `time`, `tc` and `tb` of that sample. They keep their values while the cursor is off.
struct Cursor
{
    bool on = false;
    int mouseX = 0;
    int x = 0;
    int time = 0;
    float tc = 0;
    float tb = 0;
    int sample = -1; // the sample index it snapped to, beyond the record when blank
};

// Places the cursor on a surface of `surface` size (whether it is on or not).
void placeCursor(Cursor& cursor, const QSize& surface, const Recording& record, float interval, int timeScale);

// Stretches the chart image onto a surface of `surface` size and, when it is on, places the
// cursor and draws it with its readout. Only the part of the surface given by
// presentedArea(exposed) is painted: a zoomed surface is far larger than what the window
// shows. The stretch is computed in columns of fixed place on the surface, so a pixel comes
// out the same whichever part is painted; paint onto a surface or an image of your own,
// not through a window's clip, which would cut the columns elsewhere.
void PresentChart(QPainter& painter, const QSize& surface, const QImage& chart, const Recording& record,
                  float interval, int timeScale, Cursor& cursor, const ChartStyle& style,
                  const QRect& exposed = QRect());
// The part of the surface PresentChart paints for `exposed` (all of it when empty): the
// exposed part widened to whole columns.
QRect presentedArea(const QRect& exposed, const QSize& surface);
// The cursor's limits in surface pixels: time 0 on the left, the last sample on the right
// (time 0 without samples), converted with the stretch of `surfaceWidth`.
int cursorLeftLimit(int surfaceWidth);
int cursorRightLimit(int surfaceWidth, const Recording& record, float interval, int timeScale);

} // namespace RecordChart
