#include "records/mini_profile.h"

#include <cmath>

#include <QPainter>

#include "profiles/chart_axes.h"
#include "records/round_even.h"

void DrawMiniProfile(QImage& image, const RecordHeader& h, const QString& unitText)
{
    if (image.isNull())
        return;
    QPainter p(&image);
    DrawChartAxes(p, image.rect(), unitText, h.T3);

    const int w = image.width();
    const int hh = image.height();
    const int yb = hh - 18;
    const float ys = static_cast<float>(double(hh - 23) / (double(h.T3) + 10.0));
    const float xs = static_cast<float>(double(w - 25) / 300.0);
    const double k = std::sqrt(3.0);
    const auto Y = [&](double t) { return yb - roundCoordinate(t * double(ys)); };

    // Only S1 is scaled; the ramps take one pixel per second of Round(difference / k).
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(255, 0, 0), 0, Qt::SolidLine));
    const double T1 = h.T1, T2 = h.T2, T3 = h.T3;
    int x2;
    if (h.S1 != 0) {
        const int x1 = 20 + roundCoordinate((T1 - 30) / k);
        x2 = x1 + roundCoordinate(double(xs) * double(h.S1));
        p.drawLine(20, Y(30), x1, Y(T1));
        p.drawLine(x1, Y(T1), x2, Y(T2));
    } else {
        x2 = 20 + roundCoordinate((T2 - 30) / k);
        p.drawLine(20, Y(30), x2, Y(T2));
    }
    const int x3 = x2 + roundCoordinate((T3 - T2) / k);
    p.drawLine(x2, Y(T2), x3, Y(T3));
    p.drawLine(x3, Y(T3), x3 + roundCoordinate((T3 - 25) / k), Y(20));
}
