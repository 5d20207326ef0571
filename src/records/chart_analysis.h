#pragma once

#include <optional>

#include <QList>
#include <QPoint>
#include <QSize>

#include "records/analysis_dot.h"
#include "records/record_chart.h"

// The operator's work on a record's chart: analysis dots taken from the cursor, and the
// sizes and scroll positions of the zooms and of panning. Numbers only; the record window
// applies them to its panel and scroll bars.
namespace ChartAnalysis {

// What the mouse does on the chart besides moving the cursor.
enum ZoomMode { Pan = 0, ManualZoom = 2, ZoomToRectangle = 3 };

// Keeps the cursor's last values as a dot. A fifth dot is refused (false, nothing changed).
// The dots stay in ascending time.
bool AddAnalysisDot(QList<AnalysisDot>& dots, const RecordChart::Cursor& cursor);
// Removes the dot with the largest time, if any.
void eraseLastDot(QList<AnalysisDot>& dots);

// Manual zoom, one click: in grows the width by a tenth while it is below 4096 pixels, out
// shrinks it by a tenth while it is above 500; otherwise the width stays.
int manualZoomWidth(int width, bool zoomIn);
// The panel keeps the chart's 4:3 shape.
int panelHeightFor(int width);
QSize panelSizeFor(int width);

// Zoom to the dragged rectangle from `start` to `end` on a surface of `surface` size.
struct RectangleZoom
{
    QSize panel;    // the panel's new size
    double fx = 0;  // the start point as a fraction of the old surface: where to scroll to
    double fy = 0;
};
// Nothing for a rectangle without width or height.
std::optional<RectangleZoom> zoomToRectangle(const QSize& surface, const QPoint& start, const QPoint& end);
// A scroll position at `fraction` of the scroll range.
int scrollTo(int range, double fraction);

// Panning: the scroll position that keeps the chart under the mouse. Positions are those of
// one axis: the mouse in panel pixels now and at the press, the panel's position within the
// frame then and now (the mouse position moves with the panel), and the scroll position at
// the press.
int panScroll(int dragScroll, int mouse, int dragStart, int dragPanelPos, int panelPos);

} // namespace ChartAnalysis
