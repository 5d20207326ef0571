#pragma once

#include <QColor>
#include <QString>

class QPainter;
class QRect;

// The chart frame shared by the profile preview and the record window's mini profile.
//
// A "canvas" here is a QPainter open on a QImage. Coordinates are pixels of the image,
// x to the right and y downwards; text positions are the top-left corner of the text cell,
// as on the desktop canvas the charts were designed on (not Qt's baseline).
namespace ChartAxes {

// COLOR_GRADIENTACTIVECAPTION of the classic desktop theme, RGB 185, 209, 234. The theme
// colour is fixed here so that the charts look the same on every machine.
inline QColor frameColor() { return QColor(185, 209, 234); }

// The labels' font: Arial, size 9 (12 pixels, i.e. 9 points at the desktop's 96 dpi, so the
// result does not depend on the image's resolution).
constexpr int LabelPixelSize = 12;

} // namespace ChartAxes

// Clears `clip` to black and draws the frame, the dotted quarter lines and the labels of a
// chart whose time axis spans 0 to 300 s and whose temperature axis spans 0 to
// maxTemperature + 10. W and H are the clip's width and height; the drawing itself uses
// image coordinates, so `clip` normally starts at (0, 0) and covers the whole image.
// Leaves the painter with the frame colour's pen and the Arial label font.
void DrawChartAxes(QPainter& canvas, const QRect& clip, const QString& unitText, float maxTemperature);

// Writes `text` with its cell's top-left corner at (x, y), turned `angle` degrees counter-
// clockwise (90 runs upwards), in the painter's pen colour and font size. The painter's font
// family becomes Arial and stays Arial afterwards; everything else is restored.
void DrawRotatedText(QPainter& canvas, const QString& text, int x, int angle, int y);

// Writes `text` unrotated with its cell's top-left corner at (x, y).
void DrawCellText(QPainter& canvas, const QString& text, int x, int y);
