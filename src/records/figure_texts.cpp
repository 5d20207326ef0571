#include "records/figure_texts.h"

#include <cmath>

#include "records/recording.h"

namespace FigureTexts {

QString number(std::optional<double> value, int decimals)
{
    if (!value || !std::isfinite(*value))
        return QString();
    const double scale = std::pow(10.0, decimals);
    double v = std::nearbyint(*value * scale) / scale;
    if (v == 0)
        v = 0; // no "-0.0"
    return QString::number(v, 'f', decimals);
}

namespace {

QString unitOf(ProcessFigure figure, const QString& temperatureUnit)
{
    switch (figureKind(figure)) {
    case FigureKind::Temperature: return temperatureUnit;
    case FigureKind::TemperatureDifference:
        return figure == ProcessFigure::Difference ? temperatureUnit : temperatureUnit + QStringLiteral("/s");
    case FigureKind::Time: break;
    }
    return QStringLiteral("s");
}

QString joined(const QString& number, const QString& unit)
{
    return number.isEmpty() ? QString() : number + QLatin1Char(' ') + unit;
}

} // namespace

QString withUnit(std::optional<double> value, ProcessFigure figure, const QString& temperatureUnit)
{
    return joined(number(value, figureDecimals(figure)), unitOf(figure, temperatureUnit));
}

QString seconds(std::optional<double> value)
{
    return joined(number(value, 1), QStringLiteral("s"));
}

QString limits(const FigureLimit& limit, ProcessFigure figure, const QString& temperatureUnit)
{
    const int d = figureDecimals(figure);
    const QString unit = unitOf(figure, temperatureUnit);
    if (limit.min && limit.max)
        return number(limit.min, d) + QStringLiteral(" - ") + number(limit.max, d) + QLatin1Char(' ') + unit;
    if (limit.min)
        return QStringLiteral(">= ") + number(limit.min, d) + QLatin1Char(' ') + unit;
    if (limit.max)
        return QStringLiteral("<= ") + number(limit.max, d) + QLatin1Char(' ') + unit;
    return QString();
}

QString mark(FigureMark mark, bool chinese)
{
    switch (mark) {
    case FigureMark::Pass: return chinese ? QStringLiteral("合格") : QStringLiteral("Pass");
    case FigureMark::Fail: return chinese ? QStringLiteral("不合格") : QStringLiteral("Fail");
    case FigureMark::NoLimit:
    case FigureMark::Missing:
    case FigureMark::NotApplicable: break;
    }
    return QStringLiteral("-");
}

QString verdict(Verdict verdict, bool chinese)
{
    switch (verdict) {
    case Verdict::Pass: return mark(FigureMark::Pass, chinese);
    case Verdict::Fail: return mark(FigureMark::Fail, chinese);
    case Verdict::None: break;
    }
    return QStringLiteral("-");
}

QString verdictKey(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Pass: return QStringLiteral("pass");
    case Verdict::Fail: return QStringLiteral("fail");
    case Verdict::None: break;
    }
    return QString();
}

QString markKey(FigureMark mark)
{
    switch (mark) {
    case FigureMark::Pass: return QStringLiteral("pass");
    case FigureMark::Fail: return QStringLiteral("fail");
    case FigureMark::Missing: return QStringLiteral("missing");
    case FigureMark::NotApplicable: return QStringLiteral("notApplicable");
    case FigureMark::NoLimit: break;
    }
    return QStringLiteral("noLimit");
}

QString key(ProcessFigure figure)
{
    QString stem = ProcessWindow::keyStem(figure);
    stem[0] = stem[0].toLower();
    return stem;
}

} // namespace FigureTexts

QMap<QString, QString> figureVariables(const Recording& record, const ProcessWindow& window, bool chinese,
                                       const QString& temperatureUnit)
{
    using Curve = ProcessFigures::Curve;
    const ProcessFigures f = ProcessFigures::of(record.samples, record.header, window);
    const ProcessJudgement j = ProcessJudgement::of(f, window);
    QMap<QString, QString> v;
    v[QStringLiteral("figVerdict")] = FigureTexts::verdict(j.verdict, chinese);
    v[QStringLiteral("figLiquidus")] = FigureTexts::withUnit(f.liquidus, ProcessFigure::Peak, temperatureUnit);
    v[QStringLiteral("figLiquidusFrom")] =
        f.liquidusSource == ProcessFigures::LiquidusSource::Record ? QStringLiteral("TL") : QStringLiteral("window");
    v[QStringLiteral("figSoakBand")] = FigureTexts::number(f.soakLow, 1) + QStringLiteral(" - ")
        + FigureTexts::withUnit(f.soakHigh, ProcessFigure::Peak, temperatureUnit);
    v[QStringLiteral("figStale")] = QString::number(f.staleSamples);
    for (const Curve curve : {Curve::Tc, Curve::Tb}) {
        const QString suffix = curve == Curve::Tc ? QStringLiteral("Tc") : QStringLiteral("Tb");
        const std::optional<CurveFigures>& c = curve == Curve::Tc ? f.tc : f.tb;
        v[QStringLiteral("figPeakTime") + suffix] = FigureTexts::seconds(c ? std::optional<double>(c->peakTime) : std::nullopt);
        for (ProcessFigure fig : kProcessFigures)
            if (fig != ProcessFigure::Difference)
                v[QStringLiteral("fig") + ProcessWindow::keyStem(fig) + suffix] =
                    FigureTexts::withUnit(f.value(fig, curve), fig, temperatureUnit);
    }
    v[QStringLiteral("figDifference")] = FigureTexts::withUnit(f.difference, ProcessFigure::Difference, temperatureUnit);
    for (ProcessFigure fig : kProcessFigures) {
        const ProcessJudgement::Check& c = j.check(fig);
        const QString stem = QStringLiteral("fig") + ProcessWindow::keyStem(fig);
        v[stem + QStringLiteral("Limits")] = FigureTexts::limits(c.limit, fig, temperatureUnit);
        v[stem + QStringLiteral("Mark")] = c.limit.isSet() ? FigureTexts::mark(c.mark, chinese) : QString();
    }
    return v;
}
