// Figures of a run from records built here with known answers, and how they stand against
// the process window.

#include <QtTest>

#include "known_runs.h"
#include "records/figure_texts.h"
#include "records/process_figures.h"
#include "records/recording.h"

namespace {

using KnownRuns::build;
using KnownRuns::trapezoid;

RecordHeader celsiusHeader()
{
    RecordHeader h;
    h.celsius = 1;
    return h;
}

} // namespace

class TestProcessFigures : public QObject
{
    Q_OBJECT

private slots:
    void trapezoidGivesItsRampsPlateauAndLine()
    {
        const ProcessFigures f = ProcessFigures::of(build(201, 1.0f, trapezoid), celsiusHeader(), ProcessWindow());
        QVERIFY(f.tc);
        QCOMPARE(f.liquidusSource, ProcessFigures::LiquidusSource::Window);
        QCOMPARE(f.liquidus, 217.0);
        QCOMPARE(f.rateWindow, 2.0);
        QCOMPARE(f.staleSamples, 0);
        QCOMPARE(f.tc->peak, 225.0);
        QCOMPARE(f.tc->peakTime, 100.0);   // the first sample at the peak
        QCOMPARE(f.tc->timeToPeak, 100.0);
        // 217 is crossed exactly at the samples of 96 s and 152 s.
        QCOMPARE(f.tc->timeAboveLiquidus, 56.0);
        // 150 at 62.5 s, 200 at 87.5 s on the way up; the way down does not count.
        QCOMPARE(f.tc->soakTime, 25.0);
        QCOMPARE(*f.tc->heatingRate, 2.0);
        QCOMPARE(*f.tc->coolingRate, 4.0);

        // Tb rises 0.5 °C/s all along and never reaches the soak band.
        QVERIFY(f.tb);
        QCOMPARE(f.tb->peak, 125.0);
        QCOMPARE(f.tb->peakTime, 200.0);
        QCOMPARE(f.tb->timeAboveLiquidus, 0.0);
        QCOMPARE(f.tb->soakTime, 0.0);
        QCOMPARE(*f.tb->heatingRate, 0.5);
        QCOMPARE(*f.tb->coolingRate, 0.0);
        QCOMPARE(*f.difference, 150.0); // 225 against 75 at 100 s
    }

    void idleStartIsNotTimeToPeak()
    {
        // Recording switched on 30 s before the heating: the first 30 samples stand at 25
        // (tb still moving, so they are fresh readings).
        const auto late = [](int i) { return i < 30 ? 25.0 : trapezoid(i - 30); };
        const ProcessFigures f = ProcessFigures::of(build(231, 1.0f, late), celsiusHeader(), ProcessWindow());
        QCOMPARE(f.tc->peakTime, 130.0);
        QCOMPARE(f.tc->timeToPeak, 100.0);
    }

    void oneNoisySampleIsSpreadOverTheWindow()
    {
        // 1 °C/s at 0.5 s with one reading 3 °C too high: over the 2 s window the rise to
        // it is (2 + 3) / 2, not the (0.5 + 3) / 0.5 of a single step.
        const auto noisy = [](int i) { return 25 + 0.5 * i + (i == 40 ? 3 : 0); };
        const ProcessFigures f = ProcessFigures::of(build(100, 0.5f, noisy), celsiusHeader(), ProcessWindow());
        QCOMPARE(f.rateWindow, 2.0);
        QCOMPARE(*f.tc->heatingRate, 2.5);
        QCOMPARE(*f.tc->coolingRate, 0.5); // 3 down and 2 up over the window after it
    }

    void staleStretchIsBridgedNotStepped()
    {
        // 2 °C/s at 0.5 s. The station's frames stopped after sample 19: samples 20..29
        // repeat it exactly (temperatures and bits), then the true ramp goes on; at the end
        // five more repeats of the last frame.
        QList<RecordSample> s = build(61, 0.5f, [](int i) { return 25 + i; });
        for (int i = 20; i < 30; ++i) {
            const float time = s[i].time;
            s[i] = s[19];
            s[i].time = time;
            s[i].dT = 0;
        }
        for (int i = 61; i < 66; ++i) {
            RecordSample r = s.last();
            r.time = float(i * 0.5);
            r.dT = 0;
            s.append(r);
        }
        RecordHeader h = celsiusHeader();
        h.TL = 50; // the station's liquidus, crossed inside the silent stretch
        const ProcessFigures f = ProcessFigures::of(s, h, ProcessWindow());
        QCOMPARE(f.staleSamples, 15);
        QCOMPARE(f.liquidusSource, ProcessFigures::LiquidusSource::Record);
        QCOMPARE(f.liquidus, 50.0);
        // Taken as they are, the repeats would give a level step and then 11 degrees in
        // 2 s (5.5 °C/s).
        QCOMPARE(*f.tc->heatingRate, 2.0);
        QCOMPARE(*f.tc->coolingRate, 0.0);
        // On the bridged line 50 is reached at 12.5 s; the figures end at the last fresh
        // sample (30 s), not at the repeats behind it.
        QCOMPARE(f.tc->timeAboveLiquidus, 17.5);
        QCOMPARE(f.tc->peak, 85.0);
        QCOMPARE(f.tc->peakTime, 30.0);
    }

    void fahrenheitRecordGivesFahrenheit()
    {
        // 80 °F, 4 °F/s up to 440 at 90 s, level until 120 s, 8 °F/s down to 80 at 165 s.
        const auto ramp = [](int i) { return i <= 90 ? 80.0 + 4 * i : i <= 120 ? 440.0 : 440.0 - 8 * (i - 120); };
        RecordHeader h;
        h.celsius = 0;
        const ProcessWindow window;
        const ProcessFigures f = ProcessFigures::of(build(166, 1.0f, ramp), h, window);
        QVERIFY(!f.celsius);
        QVERIFY(qAbs(f.liquidus - 422.6) < 1e-9);  // 217 °C
        QCOMPARE(f.soakLow, 302.0);
        QCOMPARE(f.soakHigh, 392.0);
        QCOMPARE(f.tc->peak, 440.0);
        QCOMPARE(*f.tc->heatingRate, 4.0);
        QCOMPARE(*f.tc->coolingRate, 8.0);
        QVERIFY(qAbs(f.tc->timeAboveLiquidus - (122.175 - 85.65)) < 1e-6);
        QCOMPARE(f.tc->soakTime, 22.5); // 302 at 55.5 s, 392 at 78 s

        const ProcessJudgement j = ProcessJudgement::of(f, window);
        QCOMPARE(*j.check(ProcessFigure::Peak).limit.min, 455.0);
        QCOMPARE(*j.check(ProcessFigure::Peak).limit.max, 482.0);
        QCOMPARE(j.check(ProcessFigure::Peak).mark, FigureMark::Fail);           // 440 < 455
        QCOMPARE(j.check(ProcessFigure::HeatingRate).mark, FigureMark::Pass);    // 4 <= 5.4
        QCOMPARE(j.check(ProcessFigure::CoolingRate).mark, FigureMark::Pass);    // 8 <= 10.8
        QCOMPARE(j.verdict, Verdict::Fail);
    }

    void tooFewSamplesGiveNoFigures_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("empty") << 0;
        QTest::newRow("one sample") << 1;
    }
    void tooFewSamplesGiveNoFigures()
    {
        QFETCH(int, count);
        const ProcessFigures f = ProcessFigures::of(build(count, 1.0f, trapezoid), celsiusHeader(), ProcessWindow());
        QVERIFY(f.isEmpty());
        QVERIFY(!f.tb);
        QVERIFY(!f.difference);
        const ProcessJudgement j = ProcessJudgement::of(f, ProcessWindow());
        QCOMPARE(j.verdict, Verdict::None);
        QCOMPARE(j.check(ProcessFigure::Peak).mark, FigureMark::Missing);
        QCOMPARE(j.check(ProcessFigure::TimeToPeak).mark, FigureMark::NoLimit);
    }

    void runBelowLiquidusHasNoTimeAboveIt()
    {
        // Up to 200 and down again: 0 s above 217, which the window fails, the code does not.
        const auto low = [](int i) { return i <= 80 ? 40.0 + 2 * i : 200.0 - 2 * (i - 80); };
        const ProcessFigures f = ProcessFigures::of(build(120, 1.0f, low), celsiusHeader(), ProcessWindow());
        QVERIFY(f.tc);
        QCOMPARE(f.tc->timeAboveLiquidus, 0.0);
        const ProcessJudgement j = ProcessJudgement::of(f, ProcessWindow());
        QCOMPARE(j.check(ProcessFigure::TimeAboveLiquidus).mark, FigureMark::Fail);
        QCOMPARE(j.verdict, Verdict::Fail);
    }

    void damagedValuesAreSkipped()
    {
        QList<RecordSample> s = build(50, 1.0f, trapezoid);
        s[10].tc = std::numeric_limits<float>::quiet_NaN();
        s[20].time = std::numeric_limits<float>::infinity();
        s[30].time = 5; // goes back in time
        const ProcessFigures f = ProcessFigures::of(s, celsiusHeader(), ProcessWindow());
        QCOMPARE(f.tc->peak, 123.0);
        QCOMPARE(*f.tc->heatingRate, 2.0);
    }

    void marksAtTheLimits_data()
    {
        QTest::addColumn<int>("figure");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("mark");
        const int pass = int(FigureMark::Pass);
        const int fail = int(FigureMark::Fail);
        const int peak = int(ProcessFigure::Peak);
        const int tal = int(ProcessFigure::TimeAboveLiquidus);
        const int heat = int(ProcessFigure::HeatingRate);
        QTest::newRow("peak at its minimum") << peak << 235.0 << pass;
        QTest::newRow("peak at its maximum") << peak << 250.0 << pass;
        QTest::newRow("peak shown 234.9") << peak << 234.94 << fail;
        QTest::newRow("peak shown 250.1") << peak << 250.06 << fail;
        QTest::newRow("tal shown 60.0") << tal << 59.96 << pass;
        QTest::newRow("tal 150") << tal << 150.0 << pass;
        QTest::newRow("tal 150.1") << tal << 150.1 << fail;
        QTest::newRow("heating shown 3.00") << heat << 3.004 << pass;
        QTest::newRow("heating 3.01") << heat << 3.01 << fail;
        QTest::newRow("heating 0") << heat << 0.0 << pass; // no minimum by default
    }
    void marksAtTheLimits()
    {
        QFETCH(int, figure);
        QFETCH(double, value);
        QFETCH(int, mark);
        // A run inside every default limit, with one figure set to the value.
        ProcessFigures f;
        CurveFigures c;
        c.peak = 240;
        c.timeAboveLiquidus = 90;
        c.soakTime = 90;
        c.heatingRate = 2;
        c.coolingRate = 4;
        switch (ProcessFigure(figure)) {
        case ProcessFigure::Peak: c.peak = value; break;
        case ProcessFigure::TimeAboveLiquidus: c.timeAboveLiquidus = value; break;
        case ProcessFigure::HeatingRate: c.heatingRate = value; break;
        default: QFAIL("not in the table");
        }
        f.tc = c;
        const ProcessJudgement j = ProcessJudgement::of(f, ProcessWindow());
        QCOMPARE(int(j.check(ProcessFigure(figure)).mark), mark);
        QCOMPARE(j.verdict, mark == int(FigureMark::Pass) ? Verdict::Pass : Verdict::Fail);
        // Without a bottom temperature the difference is not judged even with a limit.
        ProcessWindow w;
        w.limit(ProcessFigure::Difference).max = 50;
        QCOMPARE(ProcessJudgement::of(f, w).check(ProcessFigure::Difference).mark, FigureMark::NotApplicable);
    }

    void missingRateLeavesNoVerdict()
    {
        // 1.5 s of samples: shorter than the 2 s window, so no rates yet.
        ProcessFigures f = ProcessFigures::of(build(4, 0.5f, [](int i) { return 240 + i; }), celsiusHeader(), ProcessWindow());
        QVERIFY(f.tc);
        QVERIFY(!f.tc->heatingRate);
        ProcessWindow w;
        w.limit(ProcessFigure::TimeAboveLiquidus) = {};
        w.limit(ProcessFigure::SoakTime) = {};
        const ProcessJudgement j = ProcessJudgement::of(f, w);
        QCOMPARE(j.check(ProcessFigure::Peak).mark, FigureMark::Pass);
        QCOMPARE(j.check(ProcessFigure::HeatingRate).mark, FigureMark::Missing);
        QCOMPARE(j.verdict, Verdict::None);
    }
    void reportVariablesNameEveryFigure()
    {
        Recording r;
        r.samples = build(201, 1.0f, trapezoid);
        const QMap<QString, QString> en = figureVariables(r, ProcessWindow(), false, QStringLiteral("\u00B0C"));
        const QStringList stems = {"Peak", "TimeToPeak", "TimeAboveLiquidus", "HeatingRate", "CoolingRate", "SoakTime"};
        QStringList names = {"figVerdict", "figLiquidus", "figLiquidusFrom", "figSoakBand", "figStale",
                             "figPeakTimeTc", "figPeakTimeTb", "figDifference", "figDifferenceLimits", "figDifferenceMark"};
        for (const QString& s : stems)
            names << "fig" + s + "Tc" << "fig" + s + "Tb" << "fig" + s + "Limits" << "fig" + s + "Mark";
        names.sort();
        QCOMPARE(en.keys(), names);
        QCOMPARE(en["figVerdict"], QStringLiteral("Fail"));
        QCOMPARE(en["figPeakTc"], QStringLiteral("225.0 \u00B0C"));
        QCOMPARE(en["figPeakTimeTc"], QStringLiteral("100.0 s"));
        QCOMPARE(en["figPeakLimits"], QStringLiteral("235.0 - 250.0 \u00B0C"));
        QCOMPARE(en["figPeakMark"], QStringLiteral("Fail"));
        QCOMPARE(en["figHeatingRateTc"], QStringLiteral("2.00 \u00B0C/s"));
        QCOMPARE(en["figHeatingRateLimits"], QStringLiteral("<= 3.00 \u00B0C/s"));
        QCOMPARE(en["figHeatingRateMark"], QStringLiteral("Pass"));
        QCOMPARE(en["figTimeAboveLiquidusTb"], QStringLiteral("0.0 s"));
        QCOMPARE(en["figSoakBand"], QStringLiteral("150.0 - 200.0 \u00B0C"));
        QCOMPARE(en["figDifference"], QStringLiteral("150.0 \u00B0C"));
        QCOMPARE(en["figDifferenceLimits"], QString());
        QCOMPARE(en["figDifferenceMark"], QString());
        QCOMPARE(en["figLiquidusFrom"], QStringLiteral("window"));

        const QMap<QString, QString> cn = figureVariables(r, ProcessWindow(), true, QStringLiteral("\u2103"));
        QCOMPARE(cn["figVerdict"], QStringLiteral("不合格"));
        QCOMPARE(cn["figHeatingRateMark"], QStringLiteral("合格"));
        QCOMPARE(cn["figPeakTc"], QStringLiteral("225.0 \u2103"));

        // An empty record: empty figures, no verdict.
        const QMap<QString, QString> none = figureVariables(Recording(), ProcessWindow(), false, QStringLiteral("\u00B0C"));
        QCOMPARE(none["figVerdict"], QStringLiteral("-"));
        QCOMPARE(none["figPeakTc"], QString());
        QCOMPARE(none["figPeakMark"], QStringLiteral("-"));
    }
};

QTEST_GUILESS_MAIN(TestProcessFigures)
#include "test_process_figures.moc"
