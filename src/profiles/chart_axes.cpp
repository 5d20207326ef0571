#include "profiles/chart_axes.h"

#include <cmath>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QRect>

namespace {

QFont arialLabelFont(const QFont& like)
{
    QFont f = like;
    f.setFamily(QStringLiteral("Arial"));
    f.setPixelSize(ChartAxes::LabelPixelSize);
    // Labels are drawn in the frame colour itself, not blended into the black field.
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

} // namespace

void DrawCellText(QPainter& canvas, const QString& text, int x, int y)
{
    const QFontMetrics fm(canvas.font(), canvas.device());
    canvas.drawText(x, y + fm.ascent(), text);
}

void DrawRotatedText(QPainter& canvas, const QString& text, int x, int angle, int y)
{
    QFont font = canvas.font();
    font.setFamily(QStringLiteral("Arial"));
    canvas.setFont(font);

    canvas.save();
    canvas.setBackgroundMode(Qt::TransparentMode);
    canvas.translate(x, y);
    // Qt turns clockwise for positive angles because y runs downwards.
    canvas.rotate(-angle);
    const QFontMetrics fm(font, canvas.device());
    canvas.drawText(0, fm.ascent(), text);
    canvas.restore();
}

void DrawChartAxes(QPainter& canvas, const QRect& clip, const QString& unitText, float maxTemperature)
{
    const int w = clip.width();
    const int h = clip.height();
    const QColor frame = ChartAxes::frameColor();

    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.fillRect(clip, Qt::black);

    // The frame's outline runs through both corner pixels (20, 5) and (W - 5, H - 18).
    canvas.setPen(QPen(frame, 0, Qt::SolidLine));
    canvas.setBrush(Qt::NoBrush);
    canvas.drawLine(20, 5, w - 5, 5);
    canvas.drawLine(w - 5, 5, w - 5, h - 18);
    canvas.drawLine(w - 5, h - 18, 20, h - 18);
    canvas.drawLine(20, h - 18, 20, 5);

    canvas.setPen(QPen(frame, 0, Qt::DotLine));
    const int q = (h - 23) / 4;
    for (int k = 1; k <= 3; ++k)
        canvas.drawLine(20, 5 + k * q, w - 5, 5 + k * q);

    canvas.setPen(QPen(frame, 0, Qt::SolidLine));
    canvas.setFont(arialLabelFont(canvas.font()));
    DrawCellText(canvas, QStringLiteral("0"), 20, h - 16);
    DrawCellText(canvas, QStringLiteral("Time/s"), w / 2 - 5, h - 16);
    DrawCellText(canvas, QStringLiteral("300"), w - 22, h - 16);
    DrawCellText(canvas, QStringLiteral("0"), 12, h - 30);

    DrawRotatedText(canvas, QStringLiteral("Temp./") + unitText, 2, 90, h / 2 + 10);

    // Format "0": halves away from zero.
    const double top = std::round(static_cast<double>(maxTemperature) + 10.0);
    DrawCellText(canvas, QString::number(top, 'f', 0), 1, 5);
}
