#pragma once

#include <optional>

#include <QString>
#include <QStringList>

class Settings;

// What the options dialog shows and what its OK writes to the "Option" section: the
// sampling interval items, the save path's final separator and the three keys.
namespace OptionSettings {

// "0.5", "1", ..., "5": the sampling interval list, in seconds.
QStringList samplingIntervalItems();

// The item whose text equals `seconds` written as a number (1.0 gives "1"); -1 when none.
int samplingIntervalIndex(float seconds);

// The chosen item's text read as a number, made usable (see usableSamplingInterval);
// nothing when the text is not a number (no item chosen).
std::optional<float> samplingIntervalFromText(const QString& text);

// `dir` in the platform's form, with a separator appended when missing (the directory
// chooser's result).
QString withSeparator(const QString& dir);

// What OK stores for the save path field: a separator is appended when the text names an
// existing directory and does not end with one; anything else is stored as it is.
QString savePathToStore(const QString& text);

// OK's writes, in this order: ChangePCBMode, intrals (the item text, empty when none is
// chosen), savePath (through savePathToStore). Stops at the first failed write and returns
// false; the settings' errorString() names the file.
[[nodiscard]] bool write(Settings& settings, bool changePcbMode, const QString& intervalText,
                         const QString& savePathText);

} // namespace OptionSettings
