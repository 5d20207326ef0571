#pragma once

#include <array>
#include <optional>

#include <QString>

class IniFile;

// The figures of a run that a process window can set limits for.
enum class ProcessFigure {
    Peak,              // highest temperature
    TimeToPeak,        // seconds from the start of the heating to the peak
    TimeAboveLiquidus, // seconds at or above the liquidus
    HeatingRate,       // largest heating rate, degrees per second
    CoolingRate,       // largest cooling rate, degrees per second (a positive number)
    SoakTime,          // seconds inside the soak band on the way up to the peak
    Difference,        // largest difference between Tc and Tb
};
constexpr int ProcessFigureCount = 7;
constexpr std::array<ProcessFigure, ProcessFigureCount> kProcessFigures = {
    ProcessFigure::Peak,        ProcessFigure::TimeToPeak,  ProcessFigure::TimeAboveLiquidus,
    ProcessFigure::HeatingRate, ProcessFigure::CoolingRate, ProcessFigure::SoakTime,
    ProcessFigure::Difference,
};

// What a figure measures, which decides how a limit in Celsius becomes one in Fahrenheit.
enum class FigureKind { Temperature, TemperatureDifference, Time };
FigureKind figureKind(ProcessFigure figure);

// A lower and an upper limit; either may be absent.
struct FigureLimit
{
    std::optional<double> min;
    std::optional<double> max;

    bool isSet() const { return min || max; }
    bool operator==(const FigureLimit& o) const { return min == o.min && max == o.max; }
    bool operator!=(const FigureLimit& o) const { return !(*this == o); }
};

// The limits a run has to keep, in degrees Celsius, degrees Celsius per second and seconds.
// A Fahrenheit record is judged against them converted (see toFahrenheit).
//
// Kept in data/CommConfig.ini, section [ProcessWindow], one key per value:
//   Liquidus, SoakLow, SoakHigh, and <Figure>Min / <Figure>Max for PeakMin, PeakMax,
//   TimeToPeak.., TimeAboveLiquidus.., HeatingRate.., CoolingRate.., SoakTime.., Difference..
// An absent key (or a value that is no number) reads as the default below; a key present
// with an empty value means "no limit". Defaults are those of lead-free assembly.
struct ProcessWindow
{
    static constexpr const char* Section = "ProcessWindow";

    double liquidus = 217;
    double soakLow = 150;
    double soakHigh = 200;
    std::array<FigureLimit, ProcessFigureCount> limits = defaultLimits();

    FigureLimit& limit(ProcessFigure f) { return limits[size_t(f)]; }
    const FigureLimit& limit(ProcessFigure f) const { return limits[size_t(f)]; }

    static std::array<FigureLimit, ProcessFigureCount> defaultLimits();

    // The same window in Fahrenheit: temperatures as F = C x 9/5 + 32, rates and differences
    // x 9/5, times as they are.
    ProcessWindow toFahrenheit() const;

    // Empty when the window can be used, else the reason in English and in Chinese: a limit
    // that is no finite number, a minimum above its maximum, a soak band whose low end is
    // not below its high end, a liquidus that is not above 0.
    QString problem(bool chinese) const;

    bool operator==(const ProcessWindow& o) const;
    bool operator!=(const ProcessWindow& o) const { return !(*this == o); }

    static ProcessWindow read(const IniFile& ini);
    // Writes every key, one write at a time as the settings file is used. Stops at the first
    // failed write and returns false; ini.errorString() names the file and the reason.
    [[nodiscard]] bool write(IniFile& ini) const;
    // The key stem of a figure ("Peak", "TimeAboveLiquidus", ...).
    static QString keyStem(ProcessFigure f);
};

double celsiusToFahrenheit(double celsius);
