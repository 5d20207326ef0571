#pragma once

#include <optional>

#include <QString>

#include "shell/language.h"
#include "shell/unit_texts.h"

class Settings;

// Curve line width, numbered as the `LineWidth` key stores it.
enum class LineWidth { Small = 1, Medium = 2, Large = 3 };

// 1, 2, 3 name a line width; any other value names none (no command runs, Small stays
// checked from the window's design).
std::optional<LineWidth> lineWidthFromSetting(int value);
int lineWidthSettingValue(LineWidth checked);

// The settings read at start and kept in memory until the program ends; what the rest of
// the program consults. Defaults are those of an absent settings file.
struct ProgramSettings
{
    float samplingInterval = 1.0f;          // intrals, seconds
    bool changePcbMode = false;             // ChangePCBMode: log in when the profile changes
    QString savePath;                       // savePath
    qint32 currentLc = -1;                  // CurrentLc: row of the station's current profile
    QString userCode;                       // User_Code: employee number of the last login
    QString celsiusText = UnitTexts().celsius;          // sheshi
    QString fahrenheitText = UnitTexts().fahrenheit;    // huashi
    std::optional<LineWidth> lineWidth = LineWidth::Small;  // LineWidth as read at start
    bool quickUpdate = false;               // QuickUpdate as read at start

    // What ReopenPort re-reads every time: intrals and ChangePCBMode.
    void readLinkSettings(const Settings& settings);
    // The rest of start-up: LineWidth, QuickUpdate, the unit texts from the section of
    // `languageId`, CurrentLc, User_Code, savePath.
    void readStartSettings(const Settings& settings, int languageId);

    UnitTexts unitTexts() const { return UnitTexts{celsiusText, fahrenheitText}; }

    // Shutdown, in this order: language, LineWidth, QuickUpdate, CurrentLc, User_Code. Stops
    // at the first failed write and returns false (the settings' errorString() tells why).
    [[nodiscard]] bool writeAtShutdown(Settings& settings, Language checkedLanguage,
                                       LineWidth checkedLineWidth, bool quickUpdateChecked) const;
};
