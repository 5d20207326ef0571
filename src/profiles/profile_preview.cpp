#include "profiles/profile_preview.h"

#include <cmath>

#include <QImage>
#include <QPainter>

#include "profiles/chart_axes.h"
#include "profiles/profile_table.h"
#include "shell/round_even.h"

namespace {

// Absurd values (a damaged file's T3 of -10 divides by zero) are held far outside the image,
// where the drawing clips them.
int pixel(double v)
{
    return roundEven(v, 100000);
}

} // namespace

void drawProfilePreview(QImage& image, const PreviewCurve& c, const QString& unitText)
{
    if (image.isNull())
        return;
    QPainter p(&image);
    DrawChartAxes(p, image.rect(), unitText, c.T3);

    const int w = image.width();
    const int h = image.height();
    const int yb = h - 18;
    // Both scales are kept as 32-bit floats, as the curve's coordinates depend on them.
    const float ys = static_cast<float>(double(h - 23) / (double(c.T3) + 10.0));
    const float xs = static_cast<float>(double(w - 25) / 300.0);
    const double k = std::tan(60.0 * M_PI / 180.0);
    auto Y = [&](double t) { return yb - pixel(t * double(ys)); };

    p.setPen(QPen(QColor(255, 0, 0), 0, Qt::SolidLine));
    int x2 = 0;
    if (c.S1 != 0.0f) {
        const int x1 = 20 + pixel((double(c.T1) - 30.0) / k * double(xs));
        p.drawLine(20, Y(30), x1, Y(c.T1));
        x2 = x1 + pixel(double(xs) * double(c.S1));
        p.drawLine(x1, Y(c.T1), x2, Y(c.T2));
    } else {
        x2 = 20 + pixel((double(c.T2) - 30.0) / k * double(xs));
        p.drawLine(20, Y(30), x2, Y(c.T2));
    }
    const int x3 = x2 + pixel(double(xs) * double(c.S2));
    p.drawLine(x2, Y(c.T2), x3, Y(c.T3));
    const int x4 = x3 + pixel(double(xs) * double(c.S3));
    p.drawLine(x3, Y(c.T3), x4, Y(c.T3));
    p.drawLine(x4, Y(c.T3), x4 + pixel((double(c.T3) - 25.0) / k * double(xs)), yb - pixel(20.0 * double(ys)));
}

void PreviewProfile(QImage& image, const ProfileTable& table, int dataRow)
{
    PreviewCurve c;
    c.T1 = cellFloat(table.Cell(ProfileColumn::T1, dataRow));
    c.T2 = cellFloat(table.Cell(ProfileColumn::T2, dataRow));
    c.T3 = cellFloat(table.Cell(ProfileColumn::T3, dataRow));
    c.S1 = cellFloat(table.Cell(ProfileColumn::S1, dataRow));
    c.S2 = cellFloat(table.Cell(ProfileColumn::S2, dataRow));
    c.S3 = cellFloat(table.Cell(ProfileColumn::S3, dataRow));
    drawProfilePreview(image, c, cellText(table.Cell(ProfileColumn::Unit, dataRow)));
}

void drawPreviewStartupFrame(QImage& image)
{
    if (image.isNull())
        return;
    QPainter p(&image);
    DrawChartAxes(p, image.rect(), QStringLiteral("℃"), 10.0f);
}
