#pragma once

#include <cstdint>
#include <optional>

#include <QString>
#include <QStringList>
#include <QVariant>

#include "link/status_decoder.h"
#include "shell/language.h"

// Columns of the profile table, numbered 1 to 21 whatever their arrangement on screen.
namespace ProfileColumn {
enum : int {
    Board = 1,
    Component,
    Type,
    T0,
    TB,
    T1,
    S1,
    T2,
    TL,
    S2,
    T3,
    S3,
    Sensor,
    Unit,
    Orientation,
    ShutterX,
    ShutterY,
    K1,
    K2,
    K3,
    K4,
};
constexpr int Count = 21;

inline bool isNumeric(int column) { return column >= T0 && column <= S3; }
inline bool isK(int column) { return column >= K1 && column <= K4; }
inline bool isText(int column) { return column <= Type || (column >= Sensor && column <= ShutterY); }
inline bool isList(int column) { return column == Type || (column >= Sensor && column <= ShutterY); }
} // namespace ProfileColumn

// UnitTexts: the English interface's unit texts, from the settings file (shared with the
// live panel's decoder).

// A cell's value as a whole number: nothing, blanks and non-numbers give 0, fractions are
// rounded half to even. Callers keep the low 16 or 8 bits (see cellWord, cellByte).
int64_t CellNumber(const QVariant& value);
inline uint16_t cellWord(const QVariant& value) { return static_cast<uint16_t>(CellNumber(value)); }
inline uint8_t cellByte(const QVariant& value) { return static_cast<uint8_t>(CellNumber(value)); }
// A cell's value as the preview reads it: a 32-bit float, 0 for nothing and non-numbers.
float cellFloat(const QVariant& value);
// A cell as text: numbers in their shortest decimal form, nothing as an empty text.
QString cellText(const QVariant& value);

// Codes of the value texts. Texts compare exactly; either language's text is accepted.
int OrientationCode(const QString& text);
int ShutterCode(const QString& text);
bool isDesolderingText(const QString& text);
bool isIrSensorText(const QString& text);
bool isCelsiusText(const QString& text, const UnitTexts& units);

// The texts written into cells for a code, in the given language.
QString typeText(bool desoldering, Language language);
QString sensorText(bool ir, Language language);
QString unitText(bool celsius, Language language, const UnitTexts& units);
QString orientationText(int code, Language language);
QString shutterText(int code);

// The drop-down list of a list column, in the order the language shows it.
QStringList dropDownItems(int column, Language language, const UnitTexts& units);

// Column headings: the design ones while no language has been applied (no language).
QString columnHeading(int column, std::optional<Language> language);

// The word-valued cell translated into `language`, or the text unchanged when it is not
// one of the other language's values of that column; unchanged for no language.
QString translateCellText(int column, const QString& text, std::optional<Language> language, const UnitTexts& units);
