#pragma once

#include <QImage>
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

// The analysis cursor: the x is set from the mouse in window pixels; time, Tc and Tb are
// those of the sample it snaps to, computed when it is drawn.
struct Cursor
{
    bool on = false;
    int x = 0;
    int time = 0;
    float tc = 0;
    float tb = 0;
};

// Stretches the chart image onto a surface of `surface` size and draws the cursor on it.
void PresentChart(QPainter& painter, const QSize& surface, const QImage& chart, const Recording& record,
                  float interval, int timeScale, Cursor& cursor, const ChartStyle& style);

} // namespace RecordChart
