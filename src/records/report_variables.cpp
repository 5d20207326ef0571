#include "records/report_variables.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "profiles/profile_values.h"
#include "records/record_header.h"
#include "records/round_even.h"

namespace {

using Answer = std::optional<QVariant>;
using Lookup = Answer (*)(const ReportSource&);

TableLanguage language(const ReportSource& s)
{
    return s.style.chinese ? TableLanguage::Chinese : TableLanguage::English;
}

QVariant number(float v)
{
    return QVariant(double(v));
}

QVariant text(const QByteArray& field)
{
    return QVariant(RecordHeader::text(field));
}

// The shutter texts of the report, with blanks around the "*" (the table's have none).
Answer shutter(uint8_t index)
{
    static const char* const texts[] = {"2.0 * 10mm", "2.5 * 10mm", "3.0 * 10mm", "3.5 * 10mm", "4.0 * 10mm",
                                        "4.5 * 10mm", "5.0 * 10mm", "5.5 * 10mm", "6.0 * 10mm"};
    if (index > 8)
        return std::nullopt;
    return QVariant(QString::fromLatin1(texts[index]));
}

// Dot k (1 to 4) by ascending time: its value, or an empty text when the record has fewer.
template <typename Field>
Answer dot(const ReportSource& s, int k, Field field)
{
    const QList<AnalysisDot> dots = reportDots(s.record);
    if (k > dots.size())
        return QVariant(QString());
    return field(dots[k - 1]);
}

QVariant dotTime(const AnalysisDot& d)
{
    if (!std::isfinite(d.time))
        return number(d.time); // printed empty, as any other value of a damaged file
    return QVariant(qint64(roundEven(d.time)));
}

QVariant dotTc(const AnalysisDot& d)
{
    return number(d.tc);
}

QVariant dotTb(const AnalysisDot& d)
{
    return number(d.tb);
}

struct Variable
{
    const char* name;
    Lookup answer;
};

// Every variable a template can use. A new one is one more row here.
const Variable kVariables[] = {
    {"getheadline", [](const ReportSource& s) -> Answer { return text(s.record.header.headline); }},
    {"p1", [](const ReportSource& s) -> Answer { return QVariant(OleDate::toDateTime(s.record.header.recordDate)); }},
    {"p2", [](const ReportSource& s) -> Answer { return QVariant(typeText(s.record.header.desoldering == 1, language(s))); }},
    {"p3", [](const ReportSource& s) -> Answer { return text(s.record.header.operatorName); }},
    {"p4", [](const ReportSource& s) -> Answer { return text(s.record.header.boardName); }},
    {"p5", [](const ReportSource& s) -> Answer { return text(s.record.header.componentName); }},
    {"u2", [](const ReportSource& s) -> Answer {
         if (s.record.header.Orientation > 3)
             return std::nullopt;
         return QVariant(orientationText(s.record.header.Orientation, language(s)));
     }},
    {"u3", [](const ReportSource& s) -> Answer { return shutter(s.record.header.ShutterX); }},
    {"u4", [](const ReportSource& s) -> Answer { return shutter(s.record.header.ShutterY); }},
    {"pp1", [](const ReportSource& s) -> Answer { return number(s.record.header.T0); }},
    {"pp2", [](const ReportSource& s) -> Answer { return number(s.record.header.TB); }},
    {"pp3", [](const ReportSource& s) -> Answer { return number(s.record.header.T1); }},
    {"pp4", [](const ReportSource& s) -> Answer { return number(s.record.header.S1); }},
    {"pp5", [](const ReportSource& s) -> Answer { return number(s.record.header.T2); }},
    {"pp6", [](const ReportSource& s) -> Answer { return number(s.record.header.TL); }},
    {"pp7", [](const ReportSource& s) -> Answer { return number(s.record.header.S2); }},
    {"pp8", [](const ReportSource& s) -> Answer { return number(s.record.header.T3); }},
    {"pp9", [](const ReportSource& s) -> Answer { return number(s.record.header.S3); }},
    {"pp10", [](const ReportSource& s) -> Answer { return QVariant(sensorText(s.record.header.sensorIR == 1, language(s))); }},
    {"c1", [](const ReportSource& s) { return dot(s, 1, dotTime); }},
    {"c2", [](const ReportSource& s) { return dot(s, 2, dotTime); }},
    {"c3", [](const ReportSource& s) { return dot(s, 3, dotTime); }},
    {"c4", [](const ReportSource& s) { return dot(s, 4, dotTime); }},
    {"v1", [](const ReportSource& s) { return dot(s, 1, dotTc); }},
    {"v2", [](const ReportSource& s) { return dot(s, 2, dotTc); }},
    {"v3", [](const ReportSource& s) { return dot(s, 3, dotTc); }},
    {"v4", [](const ReportSource& s) { return dot(s, 4, dotTc); }},
    {"tb1", [](const ReportSource& s) { return dot(s, 1, dotTb); }},
    {"tb2", [](const ReportSource& s) { return dot(s, 2, dotTb); }},
    {"tb3", [](const ReportSource& s) { return dot(s, 3, dotTb); }},
    {"tb4", [](const ReportSource& s) { return dot(s, 4, dotTb); }},
    {"GetFilename", [](const ReportSource& s) -> Answer { return QVariant(s.record.fileName); }},
    {"danwei", [](const ReportSource& s) -> Answer { return QVariant(s.style.unitText(s.record.isCelsius())); }},
};

} // namespace

std::optional<QVariant> ReportVariable(const QString& name, const ReportSource& source)
{
    for (const Variable& v : kVariables)
        if (name == QLatin1String(v.name))
            return v.answer(source);
    return std::nullopt;
}

QStringList reportVariableNames()
{
    QStringList names;
    for (const Variable& v : kVariables)
        names << QLatin1String(v.name);
    return names;
}

QString reportText(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Double: {
        const double d = value.toDouble();
        if (!std::isfinite(d))
            return QString();
        // Values that came from 32-bit fields print as those fields read (12.1, not
        // 12.1000003814697).
        char buf[32];
        const auto f = static_cast<float>(d);
        const auto res = double(f) == d ? std::to_chars(buf, buf + sizeof buf, f, std::chars_format::fixed)
                                        : std::to_chars(buf, buf + sizeof buf, d, std::chars_format::fixed);
        if (res.ec != std::errc())
            return QString::number(d, 'g', QLocale::FloatingPointShortest);
        return QString::fromLatin1(buf, int(res.ptr - buf));
    }
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        return dt.isValid() ? dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QString();
    }
    default:
        return value.toString();
    }
}

QList<AnalysisDot> reportDots(const Recording& record)
{
    QList<AnalysisDot> dots = record.dots;
    std::stable_sort(dots.begin(), dots.end(), [](const AnalysisDot& a, const AnalysisDot& b) { return a.time < b.time; });
    return dots;
}
