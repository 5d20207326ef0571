#include "shell/process_window.h"

#include <cmath>

#include "shell/ini_file.h"

namespace {

const QString kSection = QString::fromLatin1(ProcessWindow::Section);

std::optional<double> limitInFahrenheit(std::optional<double> v, FigureKind kind)
{
    if (!v)
        return v;
    switch (kind) {
    case FigureKind::Temperature: return celsiusToFahrenheit(*v);
    case FigureKind::TemperatureDifference: return *v * 9.0 / 5.0;
    case FigureKind::Time: break;
    }
    return v;
}

// A limit key: absent or no number gives the default, present and empty gives no limit.
std::optional<double> readLimit(const IniFile& ini, const QString& key, std::optional<double> defaultValue)
{
    if (!ini.contains(kSection, key))
        return defaultValue;
    if (ini.readBytes(kSection, key).trimmed().isEmpty())
        return std::nullopt;
    const double v = ini.readFloat(kSection, key, std::nan(""));
    return std::isfinite(v) ? std::optional<double>(v) : defaultValue;
}

bool writeLimit(IniFile& ini, const QString& key, std::optional<double> v)
{
    return v ? ini.writeFloat(kSection, key, *v) : ini.writeBytes(kSection, key, QByteArray());
}

bool finite(std::optional<double> v)
{
    return !v || std::isfinite(*v);
}

} // namespace

double celsiusToFahrenheit(double celsius)
{
    return celsius * 9.0 / 5.0 + 32.0;
}

FigureKind figureKind(ProcessFigure figure)
{
    switch (figure) {
    case ProcessFigure::Peak: return FigureKind::Temperature;
    case ProcessFigure::HeatingRate:
    case ProcessFigure::CoolingRate:
    case ProcessFigure::Difference: return FigureKind::TemperatureDifference;
    case ProcessFigure::TimeToPeak:
    case ProcessFigure::TimeAboveLiquidus:
    case ProcessFigure::SoakTime: return FigureKind::Time;
    }
    return FigureKind::Time;
}

std::array<FigureLimit, ProcessFigureCount> ProcessWindow::defaultLimits()
{
    std::array<FigureLimit, ProcessFigureCount> l{};
    l[size_t(ProcessFigure::Peak)] = {235.0, 250.0};
    l[size_t(ProcessFigure::TimeAboveLiquidus)] = {60.0, 150.0};
    l[size_t(ProcessFigure::HeatingRate)] = {std::nullopt, 3.0};
    l[size_t(ProcessFigure::CoolingRate)] = {std::nullopt, 6.0};
    l[size_t(ProcessFigure::SoakTime)] = {60.0, 120.0};
    return l;
}

QString ProcessWindow::keyStem(ProcessFigure f)
{
    switch (f) {
    case ProcessFigure::Peak: return QStringLiteral("Peak");
    case ProcessFigure::TimeToPeak: return QStringLiteral("TimeToPeak");
    case ProcessFigure::TimeAboveLiquidus: return QStringLiteral("TimeAboveLiquidus");
    case ProcessFigure::HeatingRate: return QStringLiteral("HeatingRate");
    case ProcessFigure::CoolingRate: return QStringLiteral("CoolingRate");
    case ProcessFigure::SoakTime: return QStringLiteral("SoakTime");
    case ProcessFigure::Difference: return QStringLiteral("Difference");
    }
    return QString();
}

ProcessWindow ProcessWindow::toFahrenheit() const
{
    ProcessWindow f = *this;
    f.liquidus = celsiusToFahrenheit(liquidus);
    f.soakLow = celsiusToFahrenheit(soakLow);
    f.soakHigh = celsiusToFahrenheit(soakHigh);
    for (ProcessFigure fig : kProcessFigures) {
        const FigureKind kind = figureKind(fig);
        f.limit(fig).min = limitInFahrenheit(limit(fig).min, kind);
        f.limit(fig).max = limitInFahrenheit(limit(fig).max, kind);
    }
    return f;
}

QString ProcessWindow::problem(bool chinese) const
{
    if (!std::isfinite(liquidus) || liquidus <= 0)
        return chinese ? QStringLiteral("液相线温度必须大于0。") : QStringLiteral("The liquidus must be above 0.");
    if (!std::isfinite(soakLow) || !std::isfinite(soakHigh) || soakLow >= soakHigh)
        return chinese ? QStringLiteral("保温区的下限必须低于上限。")
                       : QStringLiteral("The low end of the soak band must be below its high end.");
    for (ProcessFigure fig : kProcessFigures) {
        const FigureLimit& l = limit(fig);
        if (!finite(l.min) || !finite(l.max))
            return chinese ? QStringLiteral("极限值必须是数字。") : QStringLiteral("A limit must be a number.");
        if (l.min && l.max && *l.min > *l.max)
            return chinese ? QStringLiteral("最小值不能大于最大值。")
                           : QStringLiteral("A minimum must not be above its maximum.");
    }
    return QString();
}

bool ProcessWindow::operator==(const ProcessWindow& o) const
{
    return liquidus == o.liquidus && soakLow == o.soakLow && soakHigh == o.soakHigh && limits == o.limits;
}

ProcessWindow ProcessWindow::read(const IniFile& ini)
{
    ProcessWindow w;
    const ProcessWindow defaults;
    w.liquidus = ini.readFloat(kSection, QStringLiteral("Liquidus"), defaults.liquidus);
    w.soakLow = ini.readFloat(kSection, QStringLiteral("SoakLow"), defaults.soakLow);
    w.soakHigh = ini.readFloat(kSection, QStringLiteral("SoakHigh"), defaults.soakHigh);
    for (ProcessFigure fig : kProcessFigures) {
        const QString stem = keyStem(fig);
        w.limit(fig).min = readLimit(ini, stem + QLatin1String("Min"), defaults.limit(fig).min);
        w.limit(fig).max = readLimit(ini, stem + QLatin1String("Max"), defaults.limit(fig).max);
    }
    return w;
}

bool ProcessWindow::write(IniFile& ini) const
{
    if (!ini.writeFloat(kSection, QStringLiteral("Liquidus"), liquidus)
        || !ini.writeFloat(kSection, QStringLiteral("SoakLow"), soakLow)
        || !ini.writeFloat(kSection, QStringLiteral("SoakHigh"), soakHigh))
        return false;
    for (ProcessFigure fig : kProcessFigures) {
        const QString stem = keyStem(fig);
        if (!writeLimit(ini, stem + QLatin1String("Min"), limit(fig).min)
            || !writeLimit(ini, stem + QLatin1String("Max"), limit(fig).max))
            return false;
    }
    return true;
}
