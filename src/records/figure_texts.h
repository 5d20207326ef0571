#pragma once

#include <optional>

#include <QMap>
#include <QString>

#include "records/process_figures.h"

class Recording;

// How figures are written wherever they leave the program as text: the figures panel, the
// report, the exports. Numbers have the figure's decimals (figureDecimals) and a point as
// the decimal separator, as the chart and the process values show them.
namespace FigureTexts {

// "245.0"; empty for a figure the record does not give.
QString number(std::optional<double> value, int decimals);
// The figure's number followed by its unit: "245.0 °C", "56.0 s", "2.00 °C/s".
QString withUnit(std::optional<double> value, ProcessFigure figure, const QString& temperatureUnit);
// The time of the peak, which has no limit of its own: "100.0 s".
QString seconds(std::optional<double> value);
// "235.0 - 250.0 °C", "<= 3.00 °C/s", ">= 60.0 s"; empty without a limit.
QString limits(const FigureLimit& limit, ProcessFigure figure, const QString& temperatureUnit);

// Marks and verdicts in the interface languages: "Pass" / "合格", "Fail" / "不合格"; no
// limit, a figure that does not apply and a missing figure as "-".
QString mark(FigureMark mark, bool chinese);
QString verdict(Verdict verdict, bool chinese);
// For files read by other programs: "pass", "fail", "" (no verdict).
QString verdictKey(Verdict verdict);
QString markKey(FigureMark mark);

// The name a figure has in the exports and the report variables: "peak", "timeToPeak",
// "timeAboveLiquidus", "heatingRate", "coolingRate", "soakTime", "difference".
QString key(ProcessFigure figure);

} // namespace FigureTexts

// The report's variables for the figures of one record, by name (all texts):
//
//   figVerdict                  overall verdict: "Pass", "Fail" or "-" (none)
//   figLiquidus                 the liquidus used, with unit ("217.0 °C")
//   figLiquidusFrom             "TL" (the record's profile) or "window"
//   figSoakBand                 the soak band ("150.0 - 200.0 °C")
//   figStale                    samples left out as repeats of the one before
//   figPeakTc, figPeakTb                    peak, with unit
//   figPeakTimeTc, figPeakTimeTb            time of the peak ("100.0 s")
//   figTimeToPeakTc, figTimeToPeakTb        from the start of the heating to the peak
//   figTimeAboveLiquidusTc, ...Tb           time at or above the liquidus
//   figHeatingRateTc, ...Tb                 largest heating rate ("2.00 °C/s")
//   figCoolingRateTc, ...Tb                 largest cooling rate
//   figSoakTimeTc, ...Tb                    time in the soak band before the peak
//   figDifference                           largest |Tc - Tb|
//   fig<Figure>Limits, fig<Figure>Mark      for Peak, TimeToPeak, TimeAboveLiquidus,
//                                           HeatingRate, CoolingRate, SoakTime, Difference:
//                                           the limits in the record's unit and the mark
//
// A figure the record does not give (no samples, no bottom temperature, shorter than the
// rate window) is an empty text. `temperatureUnit` is the unit text of the record's unit in
// the report's language.
QMap<QString, QString> figureVariables(const Recording& record, const ProcessWindow& window, bool chinese,
                                       const QString& temperatureUnit);
