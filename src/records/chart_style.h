#pragma once

#include <QColor>
#include <QString>

#include "shell/unit_texts.h"

// What a chart takes from its window and the program besides the record itself.
struct ChartStyle
{
    Language language = Language::English;
    // The English unit texts of the settings file ("sheshi", "huashi").
    QString celsiusText = UnitTexts().celsius;
    QString fahrenheitText = UnitTexts().fahrenheit;
    int lineWidth = 1; // the Line setting: Small 1, Medium 2, Large 3
    // Desktop theme colours: axes and grid, the cursor readout box.
    QColor hotTrack = QColor(0, 102, 204);
    QColor buttonFace = QColor(240, 240, 240);

    QString unitText(bool celsius) const
    {
        return UnitTexts{celsiusText, fahrenheitText}.text(celsius, language);
    }
};
