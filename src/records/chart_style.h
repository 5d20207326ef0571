#pragma once

#include <QColor>
#include <QString>

// What a chart takes from its window and the program besides the record itself.
struct ChartStyle
{
    bool chinese = false;
    // The English unit texts of the settings file ("sheshi", "huashi").
    QString celsiusText = QStringLiteral("\u00B0C");
    QString fahrenheitText = QStringLiteral("\u00B0F");
    int lineWidth = 1; // the Line setting: Small 1, Medium 2, Large 3
    // Desktop theme colours: axes and grid, the cursor readout box.
    QColor hotTrack = QColor(0, 102, 204);
    QColor buttonFace = QColor(240, 240, 240);

    QString unitText(bool celsius) const
    {
        if (chinese)
            return celsius ? QStringLiteral("\u2103") : QStringLiteral("\u2109");
        return celsius ? celsiusText : fahrenheitText;
    }
};
