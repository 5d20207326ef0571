#pragma once

#include <QString>

#include "shell/language.h"

// The texts of the temperature unit. In Chinese always ℃ and ℉; in English what the settings
// file says ("sheshi", "huashi" in the section of the system's language), by default °C and
// °F.
struct UnitTexts
{
    QString celsius = QStringLiteral("\u00B0C");
    QString fahrenheit = QStringLiteral("\u00B0F");

    QString text(bool isCelsius, Language language) const
    {
        if (language == Language::Chinese)
            return isCelsius ? QStringLiteral("\u2103") : QStringLiteral("\u2109");
        return isCelsius ? celsius : fahrenheit;
    }
};
