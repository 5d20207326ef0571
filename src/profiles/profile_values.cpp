#include "profiles/profile_values.h"

#include <cmath>

#include "shell/round_even.h"

namespace {

const char16_t* const kOrientationEn[4] = {u"left down", u"left up", u"right down", u"right up"};
const char16_t* const kOrientationZh[4] = {u"左下", u"左上", u"右下", u"右上"};
const char16_t* const kShutter[9] = {u"2.0*10mm", u"2.5*10mm", u"3.0*10mm", u"3.5*10mm", u"4.0*10mm",
                                     u"4.5*10mm", u"5.0*10mm", u"5.5*10mm", u"6.0*10mm"};

const QString kSoldering = QStringLiteral("Soldering");
const QString kDesoldering = QStringLiteral("Desoldering");
const QString kSolderingZh = QStringLiteral("焊接");
const QString kDesolderingZh = QStringLiteral("拆焊");
const QString kThermocouple = QStringLiteral("Thermocouple");
const QString kIr = QStringLiteral("IR");
const QString kThermocoupleZh = QStringLiteral("K型热电偶");
const QString kIrZh = QStringLiteral("IR-传感器");
const QString kCelsiusZh = UnitTexts().text(true, Language::Chinese);
const QString kFahrenheitZh = UnitTexts().text(false, Language::Chinese);

bool isChinese(std::optional<Language> language)
{
    return language == Language::Chinese;
}

// Rounded, keeping the low bits of numbers beyond 64 bits (all callers want at most the low
// 16) where a held value would not.
int64_t wholeNumber(double d)
{
    if (!std::isfinite(d))
        return 0;
    double r = roundHalfEven(d);
    if (std::fabs(r) >= 4611686018427387904.0) // 2^62
        r = std::fmod(r, 4294967296.0);
    return static_cast<int64_t>(r);
}

bool parseNumber(const QVariant& value, double* out)
{
    if (!value.isValid() || value.isNull())
        return false;
    const int type = value.typeId();
    if (type == QMetaType::QString || type == QMetaType::QByteArray) {
        const QString text = value.toString().trimmed();
        if (text.isEmpty())
            return false;
        bool ok = false;
        const double d = text.toDouble(&ok);
        if (!ok || !std::isfinite(d))
            return false;
        *out = d;
        return true;
    }
    bool ok = false;
    const double d = value.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return false;
    *out = d;
    return true;
}

} // namespace

int64_t CellNumber(const QVariant& value)
{
    double d = 0;
    return parseNumber(value, &d) ? wholeNumber(d) : 0;
}

float cellFloat(const QVariant& value)
{
    double d = 0;
    return parseNumber(value, &d) ? static_cast<float>(d) : 0.0f;
}

QString cellText(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    const int type = value.typeId();
    if (type == QMetaType::Double || type == QMetaType::Float)
        return QString::number(value.toDouble(), 'g', 9);
    return value.toString();
}

int OrientationCode(const QString& text)
{
    for (int i = 0; i < 4; ++i) {
        if (text == QStringView(kOrientationEn[i]) || text == QStringView(kOrientationZh[i]))
            return i;
    }
    return 0;
}

int ShutterCode(const QString& text)
{
    for (int i = 0; i < 9; ++i) {
        if (text == QStringView(kShutter[i]))
            return i;
    }
    return 0;
}

bool isDesolderingText(const QString& text)
{
    return text == kDesoldering || text == kDesolderingZh;
}

bool isIrSensorText(const QString& text)
{
    return text == kIr || text == kIrZh;
}

bool isCelsiusText(const QString& text, const UnitTexts& units)
{
    return text == units.celsius || text == kCelsiusZh;
}

QString typeText(bool desoldering, Language language)
{
    if (isChinese(language))
        return desoldering ? kDesolderingZh : kSolderingZh;
    return desoldering ? kDesoldering : kSoldering;
}

QString sensorText(bool ir, Language language)
{
    if (isChinese(language))
        return ir ? kIrZh : kThermocoupleZh;
    return ir ? kIr : kThermocouple;
}

QString unitText(bool celsius, Language language, const UnitTexts& units)
{
    return units.text(celsius, language);
}

QString orientationText(int code, Language language)
{
    if (code < 0 || code > 3)
        code = 0;
    return QString::fromUtf16(isChinese(language) ? kOrientationZh[code] : kOrientationEn[code]);
}

QString shutterText(int code)
{
    if (code < 0 || code > 8)
        code = 0;
    return QString::fromUtf16(kShutter[code]);
}

QStringList dropDownItems(int column, Language language, const UnitTexts& units)
{
    const bool zh = isChinese(language);
    switch (column) {
    case ProfileColumn::Type:
        return zh ? QStringList{kSolderingZh, kDesolderingZh} : QStringList{kSoldering, kDesoldering};
    case ProfileColumn::Sensor:
        // The Chinese list is ordered the other way round; only the text is stored.
        return zh ? QStringList{kIrZh, kThermocoupleZh} : QStringList{kThermocouple, kIr};
    case ProfileColumn::Unit:
        return zh ? QStringList{kFahrenheitZh, kCelsiusZh} : QStringList{units.celsius, units.fahrenheit};
    case ProfileColumn::Orientation: {
        QStringList items;
        for (int i = 0; i < 4; ++i)
            items << orientationText(i, language);
        return items;
    }
    case ProfileColumn::ShutterX:
    case ProfileColumn::ShutterY: {
        QStringList items;
        for (int i = 0; i < 9; ++i)
            items << shutterText(i);
        return items;
    }
    default:
        return {};
    }
}

QString columnHeading(int column, std::optional<Language> language)
{
    static const char* const kFixed[] = {"T0", "TB", "T1", "S1", "T2", "TL", "S2", "T3", "S3"};
    if (ProfileColumn::isNumeric(column))
        return QLatin1String(kFixed[column - ProfileColumn::T0]);
    if (ProfileColumn::isK(column))
        return QStringLiteral("K%1").arg(column - ProfileColumn::K1 + 1);
    const bool zh = isChinese(language);
    switch (column) {
    case ProfileColumn::Board:
        return zh ? QStringLiteral("PCB板") : QStringLiteral("board");
    case ProfileColumn::Component:
        return zh ? QStringLiteral("元件") : QStringLiteral("component");
    case ProfileColumn::Type:
        return zh ? QStringLiteral("操作类型") : QStringLiteral("type");
    case ProfileColumn::Sensor:
        return zh ? QStringLiteral("传感器") : QStringLiteral("sensor");
    case ProfileColumn::Unit:
        return zh ? QStringLiteral("单位") : QStringLiteral("unit");
    case ProfileColumn::Orientation:
        if (!language)
            return QStringLiteral("Orientation");
        return zh ? QStringLiteral("起始引脚1") : QStringLiteral("orientation");
    case ProfileColumn::ShutterX:
        if (!language)
            return QStringLiteral("ShutterX");
        return zh ? QStringLiteral("光圈X") : QStringLiteral("Shutter X");
    case ProfileColumn::ShutterY:
        if (!language)
            return QStringLiteral("ShutterY");
        return zh ? QStringLiteral("光圈Y") : QStringLiteral("Shutter Y");
    default:
        return QString();
    }
}

QString translateCellText(int column, const QString& text, std::optional<Language> language, const UnitTexts& units)
{
    if (!language)
        return text;
    const bool toZh = isChinese(language);
    // Pairs in table order: (English, Chinese).
    auto pick = [&](const QString& en, const QString& zh, bool* hit) {
        if (toZh ? text == en : text == zh) {
            *hit = true;
            return toZh ? zh : en;
        }
        return QString();
    };
    bool hit = false;
    QString out;
    switch (column) {
    case ProfileColumn::Type:
        out = pick(kSoldering, kSolderingZh, &hit);
        if (!hit)
            out = pick(kDesoldering, kDesolderingZh, &hit);
        break;
    case ProfileColumn::Sensor:
        out = pick(kThermocouple, kThermocoupleZh, &hit);
        if (!hit)
            out = pick(kIr, kIrZh, &hit);
        break;
    case ProfileColumn::Unit:
        out = pick(units.fahrenheit, kFahrenheitZh, &hit);
        if (!hit)
            out = pick(units.celsius, kCelsiusZh, &hit);
        break;
    case ProfileColumn::Orientation:
        for (int i = 0; i < 4 && !hit; ++i)
            out = pick(QString::fromUtf16(kOrientationEn[i]), QString::fromUtf16(kOrientationZh[i]), &hit);
        break;
    default:
        break;
    }
    return hit ? out : text;
}
