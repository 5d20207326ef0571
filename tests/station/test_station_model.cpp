// The station model on a simulated clock: frames in, status out, whole processes in
// milliseconds of test time.

#include <QTest>

#include <cmath>

#include "station_model.h"
#include "support/frames.h"

namespace {

using Phase = StationModel::Phase;

struct PhaseSpan
{
    Phase phase;
    double seconds;
};

// Runs a started process to its end in 100 ms steps, checking on every step what each
// phase must report, and returns how long every phase lasted.
QList<PhaseSpan> runToIdle(StationModel& m, QString* failure)
{
    QList<PhaseSpan> spans{{m.phase(), 0.0}};
    for (int i = 0; i < 20000 && m.isRunning(); ++i) {
        m.advance(StationModel::StepMs);
        const StationStatus s = m.status();
        const Phase p = m.phase();
        if (p != spans.last().phase)
            spans.append({p, 0.0});
        spans.last().seconds += 0.1;

        const bool heating = p != Phase::Idle && p != Phase::Cooling;
        QString why;
        if ((s.processCode() == StationStatus::SoakProcessCode) != (p == Phase::Soak))
            why = QStringLiteral("process code 0x%1").arg(s.processCode(), 0, 16);
        else if (s.isRunning() != (p != Phase::Idle))
            why = QStringLiteral("run bits");
        else if (heating && !(s.topHeaterDown() && !s.topHeaterUp() && s.vacuumPumpOn() && s.fanInside()))
            why = QStringLiteral("heating flags 0x%1").arg(s.outputFlags(), 0, 16);
        else if (p == Phase::Cooling
                 && !(s.topHeaterUp() && s.fanOutside() && s.fanOn() && !s.topHeaterOn() && !s.bottomHeaterOn()))
            why = QStringLiteral("cooling flags");
        else if (m.tbCelsius() > m.tcCelsius())
            why = QStringLiteral("Tb above Tc");
        if (!why.isEmpty()) {
            *failure = QStringLiteral("%1 in phase %2 at step %3").arg(why, QLatin1String(StationModel::phaseName(p))).arg(i);
            return spans;
        }
    }
    return spans;
}

StationStatus command(bool run1, bool run0)
{
    StationStatus f;
    f.setCommandBits(true, run1, run0);
    return f;
}

} // namespace

class TestStationModel : public QObject
{
    Q_OBJECT

private slots:
    void idleStationReportsTheDefaultFlow()
    {
        StationModel m;
        m.setNoise(0.0);
        m.advance(5000);
        const StationStatus s = m.status();
        QCOMPARE(s.byte(0), StationStatus::LeadByte);
        QCOMPARE(s.storedChecksum(), s.computedChecksum());
        QCOMPARE(s.flow(), 0);
        QVERIFY(s.isDesoldering());
        QVERIFY(s.isIrSensor());
        QVERIFY(s.isCelsius());
        QVERIFY(!s.writeRequest());
        QVERIFY(!s.runBit1() && !s.runBit0());
        using W = StationStatus::Word;
        QCOMPARE(s.word(W::T0), 100);
        QCOMPARE(s.word(W::TB), 150);
        QCOMPARE(s.word(W::T1), 120);
        QCOMPARE(s.word(W::S1), 50);
        QCOMPARE(s.word(W::T2), 140);
        QCOMPARE(s.word(W::TL), 183);
        QCOMPARE(s.word(W::S2), 45);
        QCOMPARE(s.word(W::T3), 195);
        QCOMPARE(s.word(W::S3), 15);
        QCOMPARE(s.k(1), 0);
        QCOMPARE(s.k(2), 0);
        QCOMPARE(s.k(3), 128);
        QCOMPARE(s.k(4), 63);
        QCOMPARE(s.tc(), 25);
        QCOMPARE(s.tb(), 25);
        QCOMPARE(s.baudRate(), 19200);
        // Idle: heaters off, top heater up, fan inside and off, pump off, code 0.
        QCOMPARE(s.outputFlags(), 0x05);
        QCOMPARE(s.stateFlags(), 0x00);
    }

    void processRunsItsPhasesInOrder()
    {
        StationModel m;
        m.setNoise(0.0);
        QStringList events;
        m.setEventSink([&](const QString& e) { events << e; });
        QVERIFY(m.startProcess());
        QString failure;
        const QList<PhaseSpan> spans = runToIdle(m, &failure);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));

        QCOMPARE(events, QStringList({"start flow=0", "phase ramp-t1", "phase soak", "phase ramp-t3",
                                      "phase hold", "phase cooling", "idle"}));
        QCOMPARE(spans.size(), 6);
        // Ramp from 25 to T1 120 at 1.73 degrees a second, then S1, S2 and S3 of the profile.
        QCOMPARE(spans[0].phase, Phase::RampT1);
        QVERIFY2(std::abs(spans[0].seconds - 95.0 / 1.73) < 0.3, qPrintable(QString::number(spans[0].seconds)));
        QVERIFY(std::abs(spans[1].seconds - 50.0) < 0.15);
        QVERIFY(std::abs(spans[2].seconds - 45.0) < 0.15);
        QVERIFY(std::abs(spans[3].seconds - 15.0) < 0.15);
        QCOMPARE(spans[4].phase, Phase::Cooling);
        QCOMPARE(spans[5].phase, Phase::Idle);
        // Cooling ends just below T0.
        QVERIFY(m.tcCelsius() < 100.0 && m.tcCelsius() > 98.0);
        QVERIFY(!m.status().isRunning());
        QCOMPARE(m.status().processCode(), StationModel::IdleCode);
    }

    void partLagsTheSetpointAndBoardStaysLower()
    {
        StationModel m;
        m.setNoise(0.0);
        m.startProcess();
        // Half way up the ramp: a few seconds of lag at 1.73 degrees a second.
        m.advance(30000);
        QCOMPARE(m.phase(), Phase::RampT1);
        const double lag = m.setpointCelsius() - m.tcCelsius();
        QVERIFY2(lag > 2.0 && lag < 8.0, qPrintable(QString::number(lag)));
        QVERIFY(m.tbCelsius() < m.tcCelsius() - 5.0);
        QVERIFY(m.topHeaterOn());
        // Near the end of the hold the part has settled on T3.
        while (m.phase() != Phase::Hold)
            m.advance(StationModel::StepMs);
        m.advance(14000);
        QCOMPARE(m.phase(), Phase::Hold);
        QVERIFY(std::abs(m.tcCelsius() - 195.0) < 1.0);
        QVERIFY(m.tbCelsius() < 190.0);
    }

    void fahrenheitFlowRunsTheCelsiusModelConverted()
    {
        StationModel c;
        StationModel f;
        c.setNoise(0.0);
        f.setNoise(0.0);
        FlowProfile p; // 120 C = 248 F, 140 C = 284 F, 195 C = 383 F, 100 C = 212 F
        p.celsius = false;
        p.T0 = 212;
        p.TB = 302;
        p.T1 = 248;
        p.T2 = 284;
        p.TL = 361;
        p.T3 = 383;
        f.setFlow(0, p);
        c.startProcess();
        f.startProcess();
        for (int i = 0; i < 3000 && (c.isRunning() || f.isRunning()); ++i) {
            c.advance(StationModel::StepMs);
            f.advance(StationModel::StepMs);
            QCOMPARE(f.phase(), c.phase());
            QCOMPARE(f.status().tc(), StationModel::reported(c.tcCelsius(), false));
            QCOMPARE(f.status().tb(), StationModel::reported(c.tbCelsius(), false));
            QVERIFY(!f.status().isCelsius());
        }
        QVERIFY(!c.isRunning() && !f.isRunning());
    }

    void coolingEndsAtFiftyWhenT0IsNotAboveRoom()
    {
        StationModel m;
        m.setNoise(0.0);
        FlowProfile p;
        p.T0 = 0;
        m.setFlow(0, p);
        m.startProcess();
        QString failure;
        runToIdle(m, &failure);
        QVERIFY(failure.isEmpty());
        QVERIFY(m.tcCelsius() < 50.0 && m.tcCelsius() > 48.0);
    }

    void stopEndsTheProcessAtOnce()
    {
        StationModel m;
        QStringList events;
        m.setEventSink([&](const QString& e) { events << e; });
        QVERIFY(!m.stopProcess()); // nothing running
        m.handleFrame(command(true, false));
        m.advance(70000);
        QCOMPARE(m.phase(), Phase::Soak);
        QVERIFY(!m.startProcess()); // already running
        m.handleFrame(command(false, true));
        QCOMPARE(m.phase(), Phase::Idle);
        const StationStatus s = m.status();
        QVERIFY(!s.isRunning());
        QVERIFY(!s.topHeaterOn() && !s.bottomHeaterOn() && s.topHeaterUp() && !s.vacuumPumpOn());
        QCOMPARE(events, QStringList({"start flow=0", "phase ramp-t1", "phase soak", "start-ignored", "stop", "idle"}));
    }

    void framesChangeMemoriesAndSelection_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<int>("flow");
        QTest::addColumn<bool>("memoryChanged");
        QTest::addColumn<int>("newBaud");
        QTest::addColumn<QStringList>("events");

        StationStatus poll3;
        poll3.setFlow(3);
        QTest::newRow("poll selects flow 3") << wireFrame(poll3) << 3 << true << 0 << QStringList{"flow 3"};
        StationStatus poll0;
        QTest::newRow("poll of the current flow") << wireFrame(poll0) << 0 << false << 0 << QStringList{};
        StationStatus poll12;
        poll12.setFlow(12);
        QTest::newRow("flow above 9 ignored") << wireFrame(poll12) << 0 << false << 0
                                              << QStringList{"flow-ignored flow=12"};

        StationStatus write;
        write.setCommandBits(true, false, false);
        write.setFlow(7); // a write does not select
        write.setBaudRate(19200);
        FlowProfile p;
        p.desoldering = false;
        p.T1 = 130;
        p.S3 = 20;
        p.K = {1, 2, 3, 4};
        p.writeTo(write);
        QTest::newRow("parameter write") << wireFrame(write) << 0 << true << 0 << QStringList{"stored flow=0"};
        StationStatus baud = write;
        baud.setBaudRate(9600);
        QTest::newRow("new baud rate") << wireFrame(baud) << 0 << true << 9600
                                       << QStringList{"stored flow=0", "baud 9600"};
        StationStatus oddBaud = write;
        oddBaud.setBaudRate(4800);
        QTest::newRow("baud rate not offered") << wireFrame(oddBaud) << 0 << true << 0
                                               << QStringList{"stored flow=0"};
        QTest::newRow("run bits 1 1 do nothing") << wireFrame(command(true, true)) << 0 << false << 0
                                                 << QStringList{};
    }

    void framesChangeMemoriesAndSelection()
    {
        QFETCH(QByteArray, frame);
        QFETCH(int, flow);
        QFETCH(bool, memoryChanged);
        QFETCH(int, newBaud);
        QFETCH(QStringList, events);

        StationModel m;
        QStringList seen;
        m.setEventSink([&](const QString& e) { seen << e; });
        const StationStatus in(reinterpret_cast<const uint8_t*>(frame.constData()));
        const StationModel::FrameResult r = m.handleFrame(in);
        QCOMPARE(seen, events);
        QCOMPARE(m.currentFlow(), flow);
        QCOMPARE(r.memoryChanged, memoryChanged);
        QCOMPARE(r.newBaudRate, newBaud);
        QVERIFY(!m.isRunning());

        const StationStatus s = m.status();
        QCOMPARE(s.flow(), flow);
        if (in.writeRequest() && !in.runBit1() && !in.runBit0()) {
            // The next answers report what was written.
            QCOMPARE(FlowProfile::fromFrame(s), FlowProfile::fromFrame(in));
            QCOMPARE(int(s.baudRate()), newBaud ? newBaud : 19200);
        }
    }

    void selectedFlowKeepsItsOwnProfile()
    {
        StationModel m;
        FlowProfile p;
        p.T3 = 210;
        m.setFlow(5, p);
        StationStatus poll;
        poll.setFlow(5);
        m.handleFrame(poll);
        QCOMPARE(m.status().word(StationStatus::Word::T3), 210);
        poll.setFlow(4);
        m.handleFrame(poll);
        QCOMPARE(m.status().word(StationStatus::Word::T3), 195);
        QCOMPARE(m.status().flow(), 4);
    }

    void unusedBytesOfReceivedFramesStayOut()
    {
        StationModel m;
        StationStatus write;
        write.setCommandBits(true, false, false);
        for (int o : {5, 6, 36, 40, 47})
            write.setByte(o, 0xAA);
        write.setByte(StationStatus::ControlFlagsOffset, write.controlFlags() | 0xF0);
        write.setByte(StationStatus::SettingFlagsOffset, 0xFC | 0x03);
        const StationStatus before = m.status();
        m.handleFrame(write);
        const StationStatus s = m.status();
        for (int o : {5, 6, 36, 40, 47})
            QCOMPARE(s.byte(o), before.byte(o));
        QCOMPARE(s.controlFlags() & 0xF4, 0);
        QCOMPARE(s.settingFlags() & 0xFC, 0);
    }

    void writeDuringAProcessKeepsItsProfile()
    {
        StationModel m;
        m.setNoise(0.0);
        m.startProcess();
        StationStatus write;
        write.setCommandBits(true, false, false);
        FlowProfile p;
        p.S1 = 500;
        p.writeTo(write);
        m.handleFrame(write);
        QCOMPARE(m.status().word(StationStatus::Word::S1), 500);
        QString failure;
        const QList<PhaseSpan> spans = runToIdle(m, &failure);
        QVERIFY(std::abs(spans[1].seconds - 50.0) < 0.15);
    }
};

QTEST_GUILESS_MAIN(TestStationModel)
#include "test_station_model.moc"
