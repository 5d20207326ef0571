// tamsel-export figures over several records, and the figures object of record --json.

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "known_runs.h"
#include "records/record_file.h"
#include "support/file_bytes.h"

class TestFiguresExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void oneRowPerRecordAndTheDamagedOneReported();
    void recordJsonCarriesTheFigures();

private:
    int run(const QStringList& args, QByteArray* out, QByteArray* err);
    void save(const QString& name, const QList<RecordSample>& samples, bool celsius, const OperatorInputs& in);

    QTemporaryDir m_dir;
};

void TestFiguresExport::save(const QString& name, const QList<RecordSample>& samples, bool celsius,
                             const OperatorInputs& in)
{
    Recording r;
    r.samples = samples;
    r.header.celsius = celsius ? 1 : 0;
    r.header.sampleInterval = 1;
    QString error;
    QVERIFY2(SaveRecord(r, m_dir.filePath(name), in, 45000.25, &error), qPrintable(error));
}

void TestFiguresExport::initTestCase()
{
    QVERIFY(m_dir.isValid());
    OperatorInputs a;
    a.boardName = QStringLiteral("B1");
    a.componentName = QStringLiteral("U7");
    a.operatorName = QStringLiteral("李");
    save(QStringLiteral("a.sld"), KnownRuns::build(201, 1.0f, KnownRuns::trapezoid), true, a);

    // 80 °F, 4 °F/s up to 440 at 90 s, level until 120 s, 8 °F/s down.
    const auto ramp = [](int i) { return i <= 90 ? 80.0 + 4 * i : i <= 120 ? 440.0 : 440.0 - 8 * (i - 120); };
    OperatorInputs b;
    b.boardName = QStringLiteral("board, rev \"2\"");
    save(QStringLiteral("b.sld"), KnownRuns::build(166, 1.0f, ramp), false, b);

    writeAll(m_dir.filePath("cut.sld"), QByteArray(100, '\x03'));

    // A window the trapezoid keeps: peak from 220, 50 s above liquidus, 20 s of soak.
    writeAll(m_dir.filePath("window.ini"),
             "[ProcessWindow]\r\nPeakMin=220\r\nTimeAboveLiquidusMin=50\r\nSoakTimeMin=20\r\n");
}

int TestFiguresExport::run(const QStringList& args, QByteArray* out, QByteArray* err)
{
    QProcess p;
    p.start(QStringLiteral(TAMSEL_BIN_DIR "/tamsel-export"), args);
    if (!p.waitForFinished(30000))
        return -1;
    *out = p.readAllStandardOutput();
    *err = p.readAllStandardError();
    return p.exitCode();
}

void TestFiguresExport::oneRowPerRecordAndTheDamagedOneReported()
{
    QByteArray out, err;
    const QString a = m_dir.filePath("a.sld");
    const QString b = m_dir.filePath("b.sld");
    const QString cut = m_dir.filePath("cut.sld");
    QCOMPARE(run({"figures", a, cut, b, "--csv", "--window", m_dir.filePath("window.ini")}, &out, &err), 1);
    QVERIFY(err.contains(cut.toUtf8()));
    QVERIFY(err.contains("file error!"));

    const QList<QByteArray> lines = out.split('\n');
    QCOMPARE(lines.size(), 4); // heading, a, b, and the empty text after the last line break
    QCOMPARE(lines[3], QByteArray());
    QCOMPARE(lines[0], QByteArray("file,date,board,component,operator,unit,liquidus,"
                                  "tc_peak,tc_peakTime,tc_timeToPeak,tc_timeAboveLiquidus,tc_heatingRate,"
                                  "tc_coolingRate,tc_soakTime,"
                                  "tb_peak,tb_peakTime,tb_timeToPeak,tb_timeAboveLiquidus,tb_heatingRate,"
                                  "tb_coolingRate,tb_soakTime,difference,verdict"));
    QCOMPARE(QString::fromUtf8(lines[1]),
             a + QStringLiteral(",2023-03-15 06:00:00,B1,U7,李,C,217.0,"
                                "225.0,100.0,100.0,56.0,2.00,4.00,25.0,"
                                "125.0,200.0,200.0,0.0,0.50,0.00,0.0,150.0,pass"));
    // Fahrenheit figures against the window converted: 36.5 s above 422.6 °F is too short.
    QVERIFY2(lines[2].startsWith((b + ",2023-03-15 06:00:00,\"board, rev \"\"2\"\"\",,,F,422.6,440.0,90.0,").toUtf8()),
             lines[2].constData());
    QVERIFY(lines[2].endsWith(",fail"));

    // Every file readable: exit status 0.
    QCOMPARE(run({"figures", "--csv", a}, &out, &err), 0);
    QCOMPARE(out.count('\n'), 2);
    // A folder: its three record files in name order, the damaged one reported.
    QCOMPARE(run({"figures", "--csv", m_dir.path()}, &out, &err), 1);
    QCOMPARE(out.count('\n'), 3);
    QVERIFY(out.contains(("\n" + a + ",").toUtf8()));
    QVERIFY(out.indexOf(a.toUtf8()) < out.indexOf(b.toUtf8()));
    QVERIFY(err.contains("cut.sld"));
    QCOMPARE(run({"figures", a}, &out, &err), 2); // no format
}

void TestFiguresExport::recordJsonCarriesTheFigures()
{
    QByteArray out, err;
    QCOMPARE(run({"record", m_dir.filePath("a.sld"), "--json"}, &out, &err), 0);
    QJsonParseError perr;
    const QJsonObject doc = QJsonDocument::fromJson(out, &perr).object();
    QCOMPARE(perr.error, QJsonParseError::NoError);
    const QJsonObject f = doc.value("figures").toObject();
    QCOMPARE(f.value("unit").toString(), QStringLiteral("C"));
    QCOMPARE(f.value("liquidusFrom").toString(), QStringLiteral("window"));
    QCOMPARE(f.value("staleSamples").toInt(), 0);
    const QJsonObject tc = f.value("tc").toObject();
    QCOMPARE(tc.value("peak").toDouble(), 225.0);
    QCOMPARE(tc.value("peakTime").toDouble(), 100.0);
    QCOMPARE(tc.value("timeAboveLiquidus").toDouble(), 56.0);
    QCOMPARE(tc.value("coolingRate").toDouble(), 4.0);
    QCOMPARE(f.value("tb").toObject().value("peak").toDouble(), 125.0);
    QCOMPARE(f.value("difference").toDouble(), 150.0);
    const QJsonObject limits = f.value("limits").toObject();
    QCOMPARE(limits.size(), 7);
    for (const QString& name : limits.keys()) {
        const QJsonObject l = limits.value(name).toObject();
        QVERIFY2(l.contains("min") && l.contains("max") && l.contains("mark"), qPrintable(name));
    }
    QVERIFY(f.value("verdict").isString());
}

QTEST_GUILESS_MAIN(TestFiguresExport)
#include "test_figures_export.moc"
