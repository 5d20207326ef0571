#include "records/chart_analysis.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "records/round_even.h"

namespace ChartAnalysis {

namespace {

constexpr int kMaxZoomWidth = 4096;
constexpr int kMinZoomWidth = 500;

} // namespace

bool AddAnalysisDot(QList<AnalysisDot>& dots, const RecordChart::Cursor& cursor)
{
    if (dots.size() >= AnalysisDot::MaxDots)
        return false;
    AnalysisDot d;
    d.time = float(cursor.time);
    d.tc = cursor.tc;
    d.tb = cursor.tb;
    dots.append(d);
    // Every pair compared both ways, exchanging when the one at j has the larger time. The
    // result is ascending; two dots of equal time are never exchanged with each other, but a
    // third one can still pass them between, so their order is this sort's, as stored files
    // have it.
    const int n = dots.size();
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (j != i && dots[j].time > dots[i].time)
                std::swap(dots[i], dots[j]);
    return true;
}

void eraseLastDot(QList<AnalysisDot>& dots)
{
    if (!dots.isEmpty())
        dots.removeLast();
}

int manualZoomWidth(int width, bool zoomIn)
{
    if (zoomIn)
        return width < kMaxZoomWidth ? roundEven(width * 1.1) : width;
    return width > kMinZoomWidth ? roundEven(width * 0.9) : width;
}

int panelHeightFor(int width)
{
    return roundEven(double(RecordChart::Height) / RecordChart::Width * width);
}

QSize panelSizeFor(int width)
{
    return QSize(width, panelHeightFor(width));
}

std::optional<RectangleZoom> zoomToRectangle(const QSize& surface, const QPoint& start, const QPoint& end)
{
    const int dx = std::abs(end.x() - start.x());
    const int dy = std::abs(end.y() - start.y());
    if (dx == 0 || dy == 0 || surface.isEmpty())
        return std::nullopt;
    const double f = std::max(double(surface.width()) / dx, double(surface.height()) / dy);
    const int width = std::min(roundEven(surface.width() * f), kMaxZoomWidth);
    RectangleZoom z;
    z.panel = panelSizeFor(width);
    z.fx = double(start.x()) / surface.width();
    z.fy = double(start.y()) / surface.height();
    return z;
}

int scrollTo(int range, double fraction)
{
    return roundEven(range * fraction);
}

int panScroll(int dragScroll, int mouse, int dragStart, int dragPanelPos, int panelPos)
{
    return dragScroll - (mouse - dragStart - (dragPanelPos - panelPos));
}

} // namespace ChartAnalysis
