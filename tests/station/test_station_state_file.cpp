// The --state file: what is saved comes back, and a damaged file is refused whole.

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "station_model.h"
#include "station_state_file.h"

class TestStationStateFile : public QObject
{
    Q_OBJECT

private slots:
    void savedMemoriesComeBack()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("station.json"));
        StationModel a;
        FlowProfile p;
        p.desoldering = false;
        p.irSensor = false;
        p.celsius = false;
        p.T0 = 65535;
        p.S2 = 7;
        p.K = {255, 1, 2, 3};
        a.setFlow(9, p);
        a.setCurrentFlow(9);
        QString error;
        QVERIFY2(StationStateFile::save(path, a, &error), qPrintable(error));

        StationModel b;
        QCOMPARE(StationStateFile::load(path, b, &error), StationStateFile::LoadResult::Loaded);
        QCOMPARE(b.currentFlow(), 9);
        QCOMPARE(b.flow(9), p);
        QCOMPARE(b.flow(0), FlowProfile());
    }

    void missingFileLeavesTheDefaults()
    {
        QTemporaryDir dir;
        StationModel m;
        QString error;
        QCOMPARE(StationStateFile::load(dir.filePath(QStringLiteral("none.json")), m, &error),
                 StationStateFile::LoadResult::Missing);
        QCOMPARE(m.flow(3), FlowProfile());
    }

    void leftOutFieldsTakeTheDefaults()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("s.json"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(R"({"flows": [{}, {"T1": 99}]})");
        f.close();
        StationModel m;
        QString error;
        QCOMPARE(StationStateFile::load(path, m, &error), StationStateFile::LoadResult::Loaded);
        QCOMPARE(m.currentFlow(), 0);
        QCOMPARE(m.flow(0), FlowProfile());
        QCOMPARE(m.flow(1).T1, 99);
        QCOMPARE(m.flow(1).T2, 140);
    }

    void damagedFileIsRefusedWhole_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("why");
        QTest::newRow("not json") << QByteArray("flow 1 T1=3") << "not a station state file";
        QTest::newRow("cut short") << QByteArray(R"({"currentFlow": 2, "flows": [{"T1": 1)") << "not a station state file";
        QTest::newRow("list at top") << QByteArray("[]") << "not a station state file";
        QTest::newRow("flow out of range") << QByteArray(R"({"currentFlow": 10})") << "currentFlow";
        QTest::newRow("word too big") << QByteArray(R"({"flows": [{"T1": 1}, {"T3": 70000}]})") << "flow 1: T3";
        QTest::newRow("K too big") << QByteArray(R"({"flows": [{"K2": 256}]})") << "flow 0: K2";
        QTest::newRow("fraction") << QByteArray(R"({"flows": [{"S1": 1.5}]})") << "flow 0: S1";
        QTest::newRow("text for a flag") << QByteArray(R"({"flows": [{"celsius": "yes"}]})") << "flow 0: celsius";
        QTest::newRow("eleven flows") << QByteArray(R"({"flows": [{},{},{},{},{},{},{},{},{},{},{}]})") << "at most 10";
    }

    void damagedFileIsRefusedWhole()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, why);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("s.json"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();

        StationModel m;
        QString error;
        QCOMPARE(StationStateFile::load(path, m, &error), StationStateFile::LoadResult::Failed);
        QVERIFY2(error.contains(why) && error.contains(path), qPrintable(error));
        // Nothing of it was taken over, so nothing is lost when the user mends it.
        QCOMPARE(m.currentFlow(), 0);
        QCOMPARE(m.flow(0), FlowProfile());
        QCOMPARE(m.flow(1), FlowProfile());
    }

    void failedSaveReportsThePlatformError()
    {
        StationModel m;
        QString error;
        QVERIFY(!StationStateFile::save(QStringLiteral("/nonexistent-dir/s.json"), m, &error));
        QVERIFY(error.startsWith(QLatin1String("/nonexistent-dir/s.json: ")));
    }
};

QTEST_GUILESS_MAIN(TestStationStateFile)
#include "test_station_state_file.moc"
