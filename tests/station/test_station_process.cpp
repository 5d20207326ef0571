// tamsel-station driven as Tamsel drives it: through a real pseudo-terminal, reading its
// answers with the program's own frame code and its log from standard output.

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>

#include "flow_profile.h"
#include "station_model.h"
#include "station_state_file.h"
#include "station_under_test.h"

namespace {

constexpr int Patience = 15000; // ms; generous, the machine is shared

// What Tamsel sends for a profile upload: the last status with the profile written in and
// ControlFlags bits 2, 1, 0 = 1, 0, 0.
StationStatus parameterWrite(StationStatus image, const FlowProfile& p)
{
    p.writeTo(image);
    image.setCommandBits(true, false, false);
    return image;
}

StationStatus runCommand(StationStatus image, bool run1, bool run0)
{
    image.setCommandBits(true, run1, run0);
    return image;
}

// Consecutive repeats folded into one.
QList<int> distinctRuns(const QList<int>& values)
{
    QList<int> out;
    for (int v : values)
        if (out.isEmpty() || out.last() != v)
            out.append(v);
    return out;
}

} // namespace

class TestStationProcess : public QObject
{
    Q_OBJECT

private slots:
    void helloIsAnsweredOutsideFramesOnly()
    {
        StationUnderTest st;
        QVERIFY(st.start({"--seed", "1"}));
        QVERIFY(st.path.startsWith(QLatin1String("/dev/")));
        st.sendHello();
        QTRY_COMPARE_WITH_TIMEOUT(st.raw, QByteArray("U"), Patience);
        QTRY_VERIFY_WITH_TIMEOUT(st.hasLine("hello"), Patience);

        // Inside a frame 0x55 is payload: one status frame comes back, no hello.
        StationStatus s;
        s.setK(1, 0x55);
        s.setFlow(0x55 - 0x55);
        st.sendFrame(s);
        QTRY_COMPARE_WITH_TIMEOUT(st.answers.size(), 1, Patience);
        QCOMPARE(st.raw.size(), 1 + 50);
        QCOMPARE(st.countLines("hello"), 1);
    }

    void pollIsAnsweredWithAValidStatusFrame()
    {
        StationUnderTest st;
        QVERIFY(st.start({"--seed", "1"}));
        st.poll(0);
        QTRY_COMPARE_WITH_TIMEOUT(st.answers.size(), 1, Patience);
        QCOMPARE(st.raw.size(), 50);
        QCOMPARE(st.assembler.crcErrorCount(), 0);
        const StationStatus a = st.answers.first();
        QCOMPARE(a.flow(), 0);
        QCOMPARE(FlowProfile::fromFrame(a), FlowProfile());
        QVERIFY(!a.isRunning() && !a.writeRequest());
        QVERIFY(a.tc() >= 24 && a.tc() <= 26);
        QVERIFY(a.tb() <= a.tc());
        QCOMPARE(a.baudRate(), 19200);
        QTRY_VERIFY_WITH_TIMEOUT(st.hasLine("poll flow=0 run=00"), Patience);
    }

    void parameterWriteIsReadBack()
    {
        StationUnderTest st;
        QVERIFY(st.start({"--seed", "1"}));
        st.poll(0);
        QTRY_COMPARE_WITH_TIMEOUT(st.answers.size(), 1, Patience);

        FlowProfile p;
        p.desoldering = false;
        p.irSensor = false;
        p.celsius = false;
        p.T0 = 212;
        p.TB = 300;
        p.T1 = 250;
        p.S1 = 60;
        p.T2 = 290;
        p.TL = 361;
        p.S2 = 40;
        p.T3 = 400;
        p.S3 = 20;
        p.K = {1, 2, 3, 4};
        st.sendFrame(parameterWrite(st.lastAnswer(), p));
        QTRY_COMPARE_WITH_TIMEOUT(st.answers.size(), 2, Patience);
        st.poll(0);
        QTRY_COMPARE_WITH_TIMEOUT(st.answers.size(), 3, Patience);
        for (int i : {1, 2}) {
            QCOMPARE(FlowProfile::fromFrame(st.answers[i]), p);
            // Fahrenheit now: room temperature reads about 77.
            QVERIFY(st.answers[i].tc() >= 75 && st.answers[i].tc() <= 79);
        }
        QTRY_VERIFY_WITH_TIMEOUT(st.hasLine("stored flow=0"), Patience);
        QVERIFY(st.hasLine("write run=00 flow=0 desoldering=0 ir=0 celsius=0 T0=212 TB=300 T1=250 S1=60 T2=290 "
                           "TL=361 S2=40 T3=400 S3=20 K1=1 K2=2 K3=3 K4=4 baud=19200"));
    }

    void pollSelectsTheFlowItNames()
    {
        StationUnderTest st;
        QVERIFY(st.start({"--seed", "1"}));
        st.poll(4);
        QTRY_COMPARE_WITH_TIMEOUT(st.answers.size(), 1, Patience);
        QCOMPARE(st.lastAnswer().flow(), 4);
        QTRY_VERIFY_WITH_TIMEOUT(st.hasLine("flow 4"), Patience);

        FlowProfile p;
        p.T3 = 222;
        st.sendFrame(parameterWrite(st.lastAnswer(), p));
        st.poll(2);
        QTRY_COMPARE_WITH_TIMEOUT(st.answers.size(), 3, Patience);
        QCOMPARE(st.answers[1].word(StationStatus::Word::T3), 222);
        QCOMPARE(st.answers[2].flow(), 2);
        QCOMPARE(st.answers[2].word(StationStatus::Word::T3), 195);
        st.poll(4);
        QTRY_COMPARE_WITH_TIMEOUT(st.answers.size(), 4, Patience);
        QCOMPARE(st.answers[3].flow(), 4);
        QCOMPARE(st.answers[3].word(StationStatus::Word::T3), 222);
        QTRY_VERIFY_WITH_TIMEOUT(st.hasLine("stored flow=4"), Patience);
    }

    void startRunsThePhasesInOrder()
    {
        StationUnderTest st;
        QVERIFY(st.start({"--speed", "40", "--seed", "1"}));
        st.poll(0);
        QTRY_COMPARE_WITH_TIMEOUT(st.answers.size(), 1, Patience);
        // A short profile: about 20 s of simulated time per phase, half a second here.
        FlowProfile p;
        p.T0 = 70;
        p.T1 = 60;
        p.S1 = 20;
        p.T2 = 80;
        p.S2 = 20;
        p.T3 = 100;
        p.S3 = 20;
        st.sendFrame(parameterWrite(st.lastAnswer(), p));
        QTRY_COMPARE_WITH_TIMEOUT(st.answers.size(), 2, Patience);
        st.sendFrame(runCommand(st.lastAnswer(), true, false));
        QTRY_COMPARE_WITH_TIMEOUT(st.answers.size(), 3, Patience);
        QVERIFY(st.lastAnswer().isRunning());

        QTimer poller;
        QObject::connect(&poller, &QTimer::timeout, [&] { st.poll(0); });
        poller.start(20);
        QTRY_VERIFY_WITH_TIMEOUT(st.hasLine("idle"), 60000);
        // A few answers after the end, to see it idle.
        const int seen = st.answers.size();
        QTRY_VERIFY_WITH_TIMEOUT(st.answers.size() > seen + 3, Patience);
        poller.stop();

        QStringList phases;
        for (const QString& l : st.lines)
            if (l.startsWith(QLatin1String("phase ")) || l == QLatin1String("idle") || l.startsWith(QLatin1String("start")))
                phases << l;
        QCOMPARE(phases, QStringList({"start flow=0", "phase ramp-t1", "phase soak", "phase ramp-t3", "phase hold",
                                      "phase cooling", "idle"}));

        QList<int> codes;
        for (int i = 2; i < st.answers.size(); ++i) {
            const StationStatus& a = st.answers[i];
            codes << a.processCode();
            if (a.processCode() == StationStatus::SoakProcessCode) {
                // Only between T1 and T2, with the part held under the lowered heater.
                QVERIFY2(a.tc() >= 50 && a.tc() <= 85, qPrintable(QString::number(a.tc())));
                QVERIFY(a.isRunning() && a.topHeaterDown() && a.vacuumPumpOn());
            }
            if (a.processCode() == StationModel::CoolingCode)
                QVERIFY(a.isRunning() && a.fanOn() && a.fanOutside() && a.topHeaterUp());
        }
        QCOMPARE(distinctRuns(codes),
                 QList<int>({StationModel::RampT1Code, StationModel::SoakCode, StationModel::RampT3Code,
                             StationModel::HoldCode, StationModel::CoolingCode, StationModel::IdleCode}));
        const StationStatus last = st.lastAnswer();
        QVERIFY(!last.runBit1() && !last.runBit0());
        QVERIFY(last.topHeaterUp() && last.fanInside() && !last.fanOn() && !last.topHeaterOn());
        QCOMPARE(st.assembler.crcErrorCount(), 0);
    }

    void stopCommandEndsTheProcess()
    {
        StationUnderTest st;
        QVERIFY(st.start({"--seed", "1"}));
        st.poll(0);
        QTRY_COMPARE_WITH_TIMEOUT(st.answers.size(), 1, Patience);
        st.sendFrame(runCommand(st.lastAnswer(), true, false));
        QTRY_COMPARE_WITH_TIMEOUT(st.answers.size(), 2, Patience);
        QVERIFY(st.lastAnswer().isRunning());
        st.sendFrame(runCommand(st.lastAnswer(), false, true));
        QTRY_COMPARE_WITH_TIMEOUT(st.answers.size(), 3, Patience);
        QVERIFY(!st.lastAnswer().isRunning());
        QTRY_VERIFY_WITH_TIMEOUT(st.hasLine("idle"), Patience);
        QVERIFY(st.lines.indexOf("stop") > st.lines.indexOf("phase ramp-t1"));
    }

    void badChecksumIsCountedAndNotAnswered()
    {
        StationUnderTest st;
        QVERIFY(st.start({"--seed", "1"}));
        QByteArray bad = wireFrame(StationStatus());
        std::swap(bad[48], bad[49]); // big-endian checksum
        st.send(bad);
        st.send(bad);
        st.sendHello(); // answered in order, so its answer shows the frames got none
        QTRY_COMPARE_WITH_TIMEOUT(st.raw, QByteArray("U"), Patience);
        QTRY_VERIFY_WITH_TIMEOUT(st.hasLine("hello"), Patience);
        QCOMPARE(st.lines.mid(0, 3), QStringList({"crc-error count=1", "crc-error count=2", "hello"}));
        // The line is back in step for the next good frame.
        st.poll(0);
        QTRY_COMPARE_WITH_TIMEOUT(st.answers.size(), 1, Patience);
    }

    void faultSwitchesWorkAtRunTime_data()
    {
        QTest::addColumn<QString>("on");
        QTest::addColumn<QString>("off");
        QTest::addColumn<bool>("hello");    // probe with a hello, else with a poll
        QTest::addColumn<int>("bytesBack"); // while the fault is on
        QTest::addColumn<int>("crcErrors");
        QTest::addColumn<QString>("logged");

        QTest::newRow("silent") << "silent on" << "silent off" << false << 0 << 0 << "unanswered";
        QTest::newRow("silent hello") << "silent on" << "silent off" << true << 0 << 0 << "hello-unanswered";
        QTest::newRow("mute hello") << "mute-hello on" << "mute-hello off" << true << 0 << 0 << "hello-unanswered";
        QTest::newRow("drop all") << "drop 1" << "drop 0" << false << 0 << 0 << "fault lost=50";
        QTest::newRow("corrupt all") << "corrupt 1" << "corrupt 0" << false << 50 << 1 << "fault corrupt";
        QTest::newRow("noise always") << "noise 1" << "noise 0" << false << 51 << 0 << "fault noise";
    }

    void faultSwitchesWorkAtRunTime()
    {
        QFETCH(QString, on);
        QFETCH(QString, off);
        QFETCH(bool, hello);
        QFETCH(int, bytesBack);
        QFETCH(int, crcErrors);
        QFETCH(QString, logged);
        // "drop 1" is echoed as "set drop=1".
        const auto echo = [](const QString& cmd) { return "set " + cmd.section(' ', 0, 0) + "=" + cmd.section(' ', 1); };

        StationUnderTest st;
        QVERIFY(st.start({"--seed", "5"}));
        st.command(on);
        QTRY_VERIFY_WITH_TIMEOUT(st.hasLine(echo(on)), Patience);
        hello ? st.sendHello() : st.poll(0);
        QTRY_VERIFY_WITH_TIMEOUT(st.hasLine(logged), Patience);
        if (bytesBack > 0) {
            QTRY_COMPARE_WITH_TIMEOUT(st.raw.size(), bytesBack, Patience);
            QCOMPARE(st.assembler.crcErrorCount(), crcErrors);
            QCOMPARE(st.answers.size(), 1 - crcErrors);
        }

        st.command(off);
        QTRY_VERIFY_WITH_TIMEOUT(st.hasLine(echo(off)), Patience);
        // Answered in order: once the marker hello is back, nothing else is on its way.
        st.raw.clear();
        st.sendHello();
        QTRY_COMPARE_WITH_TIMEOUT(st.raw, QByteArray("U"), Patience);
        st.raw.clear();
        st.answers.clear();
        st.poll(0);
        QTRY_COMPARE_WITH_TIMEOUT(st.answers.size(), 1, Patience);
        QCOMPARE(st.raw.size(), 50);
        QCOMPARE(st.assembler.crcErrorCount(), crcErrors);
    }

    void faultOptionsAtStart()
    {
        {
            StationUnderTest st;
            QVERIFY(st.start({"--mute-hello"}));
            st.sendHello();
            st.poll(0); // frames still answered
            QTRY_COMPARE_WITH_TIMEOUT(st.answers.size(), 1, Patience);
            QCOMPARE(st.raw.size(), 50);
            QVERIFY(st.hasLine("hello-unanswered"));
        }
        {
            StationUnderTest st;
            QVERIFY(st.start({"--silent-after", "0.2"}));
            st.poll(0);
            QTRY_COMPARE_WITH_TIMEOUT(st.answers.size(), 1, Patience);
            QTRY_VERIFY_WITH_TIMEOUT(st.hasLine("set silent=on"), Patience);
            st.poll(0);
            QTRY_VERIFY_WITH_TIMEOUT(st.hasLine("unanswered"), Patience);
            st.command(QStringLiteral("silent off"));
            QTRY_VERIFY_WITH_TIMEOUT(st.hasLine("set silent=off"), Patience);
            st.poll(0);
            QTRY_COMPARE_WITH_TIMEOUT(st.answers.size(), 2, Patience);
        }
        {
            StationUnderTest st;
            QVERIFY(st.start({"--drop", "1", "--corrupt", "1", "--noise", "1", "--seed", "9"}));
            st.poll(0);
            QTRY_VERIFY_WITH_TIMEOUT(st.hasLine("fault lost=51"), Patience);
            QVERIFY(st.hasLine("fault noise") && st.hasLine("fault corrupt"));
            QVERIFY(st.raw.isEmpty());
        }
    }

    void unknownCommandIsReportedAndChangesNothing()
    {
        StationUnderTest st;
        QVERIFY(st.start({"--seed", "1"}));
        st.command(QStringLiteral("drop 2"));
        st.command(QStringLiteral("louder please"));
        QTRY_VERIFY_WITH_TIMEOUT(st.errors.contains("not a command: \"louder please\""), Patience);
        QVERIFY(st.errors.contains("not a command: \"drop 2\""));
        st.poll(0);
        QTRY_COMPARE_WITH_TIMEOUT(st.answers.size(), 1, Patience);
        QCOMPARE(st.raw.size(), 50);
        QVERIFY(!st.lines.join('\n').contains("set drop"));
    }

    void linkFollowsTheStationAndGoesWithIt()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath(QStringLiteral("tty"));
        // A link left behind by a station that was killed.
        QVERIFY(QFile::link(QStringLiteral("/dev/pts/does-not-exist"), link));

        StationUnderTest st;
        QVERIFY(st.start({"--link", link}, false));
        QCOMPARE(QFile::symLinkTarget(link), st.path);
        // Tamsel opens the stable name, closes it, and opens it again: still answered.
        {
            StationUnderTest first;
            QVERIFY(first.openPeer(link));
            first.sendHello();
            QTRY_COMPARE_WITH_TIMEOUT(first.raw, QByteArray("U"), Patience);
        }
        StationUnderTest second;
        QVERIFY(second.openPeer(link));
        second.poll(0);
        QTRY_COMPARE_WITH_TIMEOUT(second.answers.size(), 1, Patience);

        ::kill(static_cast<pid_t>(st.process.processId()), SIGTERM);
        QVERIFY(st.process.waitForFinished(Patience));
        QCOMPARE(st.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(st.process.exitCode(), 0);
        QVERIFY(!QFileInfo(link).isSymLink());
    }

    void devicePortSwitchesRateAfterTheAnswer()
    {
        StationUnderTest st;
        const QString device = st.openOwnPty();
        QVERIFY(!device.isEmpty());
        QVERIFY(st.start({"--device", device, "--baud", "9600"}, false));
        QCOMPARE(st.path, device);
        QTRY_COMPARE_WITH_TIMEOUT(st.lineSpeed(), speed_t(B9600), Patience);
        st.poll(0);
        QTRY_COMPARE_WITH_TIMEOUT(st.answers.size(), 1, Patience);
        QCOMPARE(st.lastAnswer().baudRate(), 9600);

        StationStatus w = parameterWrite(st.lastAnswer(), FlowProfile());
        w.setBaudRate(19200);
        st.sendFrame(w);
        QTRY_VERIFY_WITH_TIMEOUT(st.hasLine("baud 19200"), Patience);
        QTRY_COMPARE_WITH_TIMEOUT(st.lineSpeed(), speed_t(B19200), Patience);
        QTRY_COMPARE_WITH_TIMEOUT(st.answers.size(), 2, Patience);
        QCOMPARE(st.lastAnswer().baudRate(), 19200);
    }

    void linkDoesNotReplaceAFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("settings.ini"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("keep me");
        f.close();
        QProcess p;
        p.start(StationUnderTest::program(), {"--link", path});
        QVERIFY(p.waitForFinished(Patience));
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(p.readAllStandardError().contains("not a symbolic link"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("keep me"));
    }

    void stateFileKeepsTheMemoriesAcrossRuns()
    {
        QTemporaryDir dir;
        const QString state = dir.filePath(QStringLiteral("station.json"));
        FlowProfile p;
        p.T1 = 131;
        p.K = {9, 8, 7, 6};
        {
            StationUnderTest st;
            QVERIFY(st.start({"--state", state}));
            st.poll(6);
            QTRY_COMPARE_WITH_TIMEOUT(st.answers.size(), 1, Patience);
            st.sendFrame(parameterWrite(st.lastAnswer(), p));
            QTRY_COMPARE_WITH_TIMEOUT(st.answers.size(), 2, Patience);
            st.command(QStringLiteral("quit"));
            QVERIFY(st.process.waitForFinished(Patience));
            QCOMPARE(st.process.exitCode(), 0);
        }
        StationModel saved;
        QString error;
        QCOMPARE(StationStateFile::load(state, saved, &error), StationStateFile::LoadResult::Loaded);
        QCOMPARE(saved.currentFlow(), 6);
        QCOMPARE(saved.flow(6), p);

        StationUnderTest again;
        QVERIFY(again.start({"--state", state}));
        StationStatus poll;
        poll.setFlow(6);
        again.sendFrame(poll);
        QTRY_COMPARE_WITH_TIMEOUT(again.answers.size(), 1, Patience);
        QCOMPARE(FlowProfile::fromFrame(again.lastAnswer()), p);
        QVERIFY(!again.hasLine("flow 6")); // it started on flow 6
    }

    void damagedStateFileStopsTheStart()
    {
        QTemporaryDir dir;
        const QString state = dir.filePath(QStringLiteral("station.json"));
        QFile f(state);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("{\"flows\": [");
        f.close();
        QProcess p;
        p.start(StationUnderTest::program(), {"--state", state});
        QVERIFY(p.waitForFinished(Patience));
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(p.readAllStandardOutput().isEmpty());
        QVERIFY(p.readAllStandardError().contains("not a station state file"));
    }

    void helpDocumentsEveryOption()
    {
        QProcess p;
        p.start(StationUnderTest::program(), {"--help"});
        QVERIFY(p.waitForFinished(Patience));
        QCOMPARE(p.exitCode(), 0);
        const QString help = QString::fromUtf8(p.readAllStandardOutput());
        for (const char* option : {"--link <path>", "--device <dev>", "--baud <rate>", "--state <file>",
                                   "--speed <n>", "--drop <p>", "--corrupt <p>", "--noise <p>", "--mute-hello",
                                   "--silent-after <s>", "--seed <n>", "silent on|off", "quit", "crc-error count=N",
                                   "phase ramp-t1"})
            QVERIFY2(help.contains(QLatin1String(option)), option);
    }

    void wrongOptionsAreRefused_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("baud") << QStringList{"--baud", "4800"};
        QTest::newRow("speed") << QStringList{"--speed", "-1"};
        QTest::newRow("drop") << QStringList{"--drop", "1.5"};
        QTest::newRow("seed") << QStringList{"--seed", "x"};
        QTest::newRow("unknown") << QStringList{"--fast"};
        QTest::newRow("argument") << QStringList{"extra"};
    }

    void wrongOptionsAreRefused()
    {
        QFETCH(QStringList, args);
        QProcess p;
        p.start(StationUnderTest::program(), args);
        QVERIFY(p.waitForFinished(Patience));
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(p.readAllStandardOutput().isEmpty());
        QVERIFY(p.readAllStandardError().contains("--help"));
    }
};

QTEST_GUILESS_MAIN(TestStationProcess)
#include "test_station_process.moc"
