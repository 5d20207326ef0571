// The process window in data/CommConfig.ini: defaults, the section as written, reading
// back, and what a hand-edited or unwritable file does.

#include <QtTest>

#include <QTemporaryDir>

#include "shell/ini_file.h"
#include "shell/process_window.h"
#include "support/file_bytes.h"

Q_DECLARE_METATYPE(std::optional<double>)

class TestProcessWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(QStringLiteral("CommConfig.ini")); }

private slots:
    void init()
    {
        QFile::remove(path());
    }

    void defaultsAreLeadFreeAssembly()
    {
        const IniFile ini(path());
        const ProcessWindow w = ProcessWindow::read(ini);
        QCOMPARE(w, ProcessWindow());
        QCOMPARE(w.liquidus, 217.0);
        QCOMPARE(w.soakLow, 150.0);
        QCOMPARE(w.soakHigh, 200.0);
        QCOMPARE(w.limit(ProcessFigure::Peak), (FigureLimit{235.0, 250.0}));
        QCOMPARE(w.limit(ProcessFigure::TimeAboveLiquidus), (FigureLimit{60.0, 150.0}));
        QCOMPARE(w.limit(ProcessFigure::HeatingRate), (FigureLimit{std::nullopt, 3.0}));
        QCOMPARE(w.limit(ProcessFigure::CoolingRate), (FigureLimit{std::nullopt, 6.0}));
        QCOMPARE(w.limit(ProcessFigure::SoakTime), (FigureLimit{60.0, 120.0}));
        QVERIFY(!w.limit(ProcessFigure::TimeToPeak).isSet());
        QVERIFY(!w.limit(ProcessFigure::Difference).isSet());
        QVERIFY(w.problem(false).isEmpty());
    }

    void writesItsOwnSectionAndReadsItBack()
    {
        writeAll(path(), "[Option]\r\nlanguage=0\r\n");
        ProcessWindow w;
        w.liquidus = 183;
        w.soakLow = 120.5;
        w.limit(ProcessFigure::Peak) = {205.0, 225.0};
        w.limit(ProcessFigure::HeatingRate) = {0.5, 2.5};
        w.limit(ProcessFigure::SoakTime) = {};          // no limit at all
        w.limit(ProcessFigure::Difference).max = 40;
        {
            IniFile ini(path());
            QVERIFY2(w.write(ini), qPrintable(ini.errorString()));
        }
        QCOMPARE(readAll(path()),
                 QByteArray("[Option]\r\nlanguage=0\r\n"
                            "[ProcessWindow]\r\n"
                            "Liquidus=183\r\nSoakLow=120.5\r\nSoakHigh=200\r\n"
                            "PeakMin=205\r\nPeakMax=225\r\n"
                            "TimeToPeakMin=\r\nTimeToPeakMax=\r\n"
                            "TimeAboveLiquidusMin=60\r\nTimeAboveLiquidusMax=150\r\n"
                            "HeatingRateMin=0.5\r\nHeatingRateMax=2.5\r\n"
                            "CoolingRateMin=\r\nCoolingRateMax=6\r\n"
                            "SoakTimeMin=\r\nSoakTimeMax=\r\n"
                            "DifferenceMin=\r\nDifferenceMax=40\r\n"));
        const IniFile again(path());
        QCOMPARE(ProcessWindow::read(again), w);
        QCOMPARE(again.readInteger("Option", "language", 7), 0);
    }

    void handEditedValues_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<std::optional<double>>("peakMax");
        QTest::newRow("absent: default") << QByteArray() << std::optional<double>(250.0);
        QTest::newRow("empty: no limit") << QByteArray("PeakMax=") << std::optional<double>();
        QTest::newRow("blanks: no limit") << QByteArray("PeakMax=  ") << std::optional<double>();
        QTest::newRow("no number: default") << QByteArray("PeakMax=hot") << std::optional<double>(250.0);
        QTest::newRow("other case") << QByteArray("peakmax=245.5") << std::optional<double>(245.5);
    }
    void handEditedValues()
    {
        QFETCH(QByteArray, line);
        QFETCH(std::optional<double>, peakMax);
        writeAll(path(), "[processwindow]\n" + line + "\n");
        const IniFile ini(path());
        QCOMPARE(ProcessWindow::read(ini).limit(ProcessFigure::Peak).max, peakMax);
    }

    void failedWriteIsReported()
    {
        IniFile ini(m_dir.filePath(QStringLiteral("missing/CommConfig.ini")));
        QVERIFY(!ProcessWindow().write(ini));
        QVERIFY(ini.errorString().contains(QStringLiteral("CommConfig.ini")));
    }

    void unusableWindowsAreNamed_data()
    {
        QTest::addColumn<int>("change");
        QTest::newRow("liquidus 0") << 0;
        QTest::newRow("soak band upside down") << 1;
        QTest::newRow("minimum above maximum") << 2;
        QTest::newRow("limit no number") << 3;
    }
    void unusableWindowsAreNamed()
    {
        QFETCH(int, change);
        ProcessWindow w;
        switch (change) {
        case 0: w.liquidus = 0; break;
        case 1: w.soakLow = 200; break;
        case 2: w.limit(ProcessFigure::Peak) = {251.0, 250.0}; break;
        case 3: w.limit(ProcessFigure::Peak).max = std::nan(""); break;
        }
        QVERIFY(!w.problem(false).isEmpty());
        QVERIFY(!w.problem(true).isEmpty());
        QVERIFY(w.problem(true) != w.problem(false));
    }

    void fahrenheitConvertsTemperaturesAndRates()
    {
        const ProcessWindow f = ProcessWindow().toFahrenheit();
        QCOMPARE(f.soakLow, 302.0);
        QCOMPARE(f.soakHigh, 392.0);
        QCOMPARE(f.limit(ProcessFigure::Peak), (FigureLimit{455.0, 482.0}));
        QCOMPARE(*f.limit(ProcessFigure::HeatingRate).max, 5.4);
        QCOMPARE(*f.limit(ProcessFigure::CoolingRate).max, 10.8);
        QCOMPARE(f.limit(ProcessFigure::TimeAboveLiquidus), (FigureLimit{60.0, 150.0})); // seconds stay
    }
};

QTEST_GUILESS_MAIN(TestProcessWindow)
#include "test_process_window.moc"
