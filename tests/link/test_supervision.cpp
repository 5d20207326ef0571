#include <QtTest>

#include "link_fixture.h"

namespace {
bool isHello(const QByteArray& w)
{
    return w == hello();
}

// Ticks every `step` ms for `duration` ms; returns the clock times at which something was
// written, and answers every transmission at once when `answer` is set.
QList<uint32_t> run(LinkFixture& f, uint32_t duration, bool answer, uint32_t step = 60)
{
    QList<uint32_t> times;
    for (uint32_t t = 0; t < duration; t += step) {
        const qsizetype before = f.port.writes.size();
        f.tickAfter(step);
        if (f.port.writes.size() != before) {
            times.append(f.clock.now());
            if (answer)
                f.receiveFrame(status());
        }
    }
    return times;
}
} // namespace

class TestSupervision : public QObject
{
    Q_OBJECT
private slots:
    void silentStationGetsTenHellosThenGiveUp()
    {
        LinkFixture f;
        QSignalSpy gaveUp(f.link.get(), &StationLink::gaveUp);
        QSignalSpy shown(f.link.get(), &StationLink::statusWindowShowRequested);
        QSignalSpy hidden(f.link.get(), &StationLink::statusWindowHideRequested);
        QSignalSpy checked(f.link.get(), &StationLink::communicationCheckedChanged);
        const uint32_t start = f.clock.now();
        f.link->sayHello();
        QVERIFY(f.link->communicationOn());
        QVERIFY(f.link->timerActive());
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shown[0][0].toString(), QStringLiteral("saying hello to MCU"));

        QList<uint32_t> times{start};
        times += run(f, 10000, false);
        QCOMPARE(f.port.writes.size(), 10);
        QVERIFY(std::all_of(f.port.writes.begin(), f.port.writes.end(), isHello));
        for (int i = 1; i < times.size(); ++i)
            QCOMPARE(times[i] - times[i - 1], 360u); // the first 60 ms tick past 300 ms
        QCOMPARE(gaveUp.count(), 1);
        QVERIFY(!f.link->timerActive());
        QVERIFY(!f.link->communicationOn());
        QCOMPARE(checked.last()[0].toBool(), false);
        QCOMPARE(hidden.count(), 1);
        QVERIFY(!f.link->statusWindowVisible());
    }

    void helloAnsweredStartsPolling()
    {
        LinkFixture f;
        QVERIFY(f.link->loadCommandBlocks(QStringLiteral("/nonexistent/stru.ssf"))); // first start
        QSignalSpy answered(f.link.get(), &StationLink::helloAnswered);
        QSignalSpy hidden(f.link.get(), &StationLink::statusWindowHideRequested);
        f.link->sayHello();
        f.port.writes.clear();
        f.port.inject(QByteArray("\x55\x01", 2));
        QCOMPARE(answered.count(), 1);
        QCOMPARE(answered[0][0].toString(), QStringLiteral("hello success!"));
        QCOMPARE(hidden.count(), 1);
        QVERIFY(f.link->helloAcknowledged());
        QVERIFY(!f.link->awaitingReply());

        // LastCommandTick was set at start-up; the first poll waits for the interval.
        f.clock.set(1000);
        f.link->setLastCommandTick(1000);
        const QList<uint32_t> polls = run(f, 2100, true);
        QCOMPARE(polls, (QList<uint32_t>{2020, 3040}));
        QByteArray expected(50, '\0');
        expected[0] = char(0xFF);
        expected[7] = char(0x00); // 19200 = 0x4B00
        expected[8] = char(0x4B);
        StationStatus sent(reinterpret_cast<const uint8_t*>(expected.constData()));
        QCOMPARE(f.port.writes[0], wireFrame(sent));
    }

    void helloAnswerOnlyAsFirstByteWhileWindowShown()
    {
        LinkFixture f;
        QSignalSpy answered(f.link.get(), &StationLink::helloAnswered);
        f.link->sayHello();
        f.port.inject(QByteArray("\x01\x55", 2));
        QVERIFY(!f.link->helloAcknowledged());
        QVERIFY(f.link->statusWindowVisible());

        f.port.inject(hello());
        QVERIFY(f.link->helloAcknowledged());
        f.link->setHelloAcknowledged(false);
        f.port.inject(hello()); // window hidden now: not an answer
        QVERIFY(!f.link->helloAcknowledged());
        QCOMPARE(answered.count(), 1);
    }

    void pollPeriodIsIntervalRoundedUpToTick_data()
    {
        QTest::addColumn<float>("interval");
        QTest::addColumn<uint32_t>("period");
        QTest::newRow("0.5 s") << 0.5f << 540u;
        QTest::newRow("1 s") << 1.0f << 1020u;
        QTest::newRow("2.5 s") << 2.5f << 2520u;
        QTest::newRow("3 s") << 3.0f << 3060u;
    }
    void pollPeriodIsIntervalRoundedUpToTick()
    {
        QFETCH(float, interval);
        QFETCH(uint32_t, period);
        LinkFixture f;
        f.alive();
        f.link->setSamplingInterval(interval);
        f.link->touchLastCommandTick();
        const QList<uint32_t> polls = run(f, 4 * period + 30, true);
        QCOMPARE(polls.size(), 4);
        for (int i = 1; i < polls.size(); ++i)
            QCOMPARE(polls[i] - polls[i - 1], period);
    }

    void silenceAfter1700msRestartsHello()
    {
        LinkFixture f;
        f.alive();
        f.link->setLastCommandTick(f.clock.now() - 2000);
        f.tickAfter(60); // poll, never answered
        QCOMPARE(f.port.writes.size(), 1);
        const uint32_t polled = f.clock.now();
        f.port.writes.clear();

        QList<uint32_t> times = run(f, 1680, false);
        QVERIFY(times.isEmpty()); // waiting for the answer
        times = run(f, 60, false);
        QCOMPARE(times.size(), 1);
        QCOMPARE(times[0] - polled, 1740u);
        QVERIFY(isHello(f.port.writes[0]));
        QVERIFY(!f.link->helloAcknowledged());
        QCOMPARE(f.link->helloCount(), uint8_t(1));
        QVERIFY(f.link->statusWindowVisible());
    }

    void pausedSupervisionDoesNothing()
    {
        LinkFixture f;
        QSignalSpy gaveUp(f.link.get(), &StationLink::gaveUp);
        f.alive();
        f.link->recordingSwitchedOn();
        f.link->setLastCommandTick(f.clock.now() - 2000);
        f.tickAfter(60); // poll, unanswered
        f.port.writes.clear();
        const int samples = int(f.target.samples.size());

        f.link->PauseSupervision();
        run(f, 20000, false);
        QVERIFY(f.port.writes.isEmpty());
        QCOMPARE(int(f.target.samples.size()), samples);
        QCOMPARE(f.link->timerInterval(), 60);

        f.link->ResumeSupervision();
        QCOMPARE(f.link->lastTransmitTick(), f.clock.now());
        // Silence is measured afresh from the resume: 1500 ms while recording.
        QVERIFY(run(f, 1500, false).isEmpty());
        f.tickAfter(60);
        QCOMPARE(f.link->timerInterval(), 20);
        QCOMPARE(f.port.writes.size(), 1);
        QCOMPARE(gaveUp.count(), 0);
    }

    void fastRecoveryGivesUpAfter35Hellos()
    {
        LinkFixture f;
        QSignalSpy gaveUp(f.link.get(), &StationLink::gaveUp);
        QSignalSpy unchecked(f.link.get(), &StationLink::recordingUncheckedByGiveUp);
        f.alive();
        f.link->recordingSwitchedOn();
        f.link->setLastCommandTick(f.clock.now() - 2000);
        f.tickAfter(60); // poll, unanswered
        f.port.writes.clear();

        run(f, 1500, false);
        QVERIFY(f.port.writes.isEmpty());
        f.tickAfter(60);
        QCOMPARE(f.link->timerInterval(), 20);
        const QList<uint32_t> times = run(f, 2000, false, 20);
        QCOMPARE(f.port.writes.size(), 35);
        QVERIFY(std::all_of(f.port.writes.begin(), f.port.writes.end(), isHello));
        QCOMPARE(times[1] - times[0], 20u);
        QCOMPARE(gaveUp.count(), 1);
        QCOMPARE(unchecked.count(), 1);
        QVERIFY(!f.link->recording());
        QVERIFY(!f.link->communicationOn());
        QVERIFY(!f.link->helloAcknowledged());
        QVERIFY(!f.link->timerActive());
        QCOMPARE(f.link->timerInterval(), 60);
    }

    void answerDuringFastRecoveryReturnsTo60ms()
    {
        LinkFixture f;
        QSignalSpy gaveUp(f.link.get(), &StationLink::gaveUp);
        f.alive();
        f.link->recordingSwitchedOn();
        f.link->setLastCommandTick(f.clock.now() - 2000);
        f.tickAfter(60);
        run(f, 1560, false);
        QCOMPARE(f.link->timerInterval(), 20);
        run(f, 200, false, 20);
        f.port.inject(QByteArray("\x00", 1)); // any byte ends the recovery
        f.tickAfter(20);
        QCOMPARE(f.link->timerInterval(), 60);
        QVERIFY(f.link->helloAcknowledged());
        QVERIFY(f.link->communicationOn());
        QVERIFY(f.link->recording());
        QCOMPARE(gaveUp.count(), 0);
        f.receiveFrame(status()); // the poll of that tick answered
        f.port.writes.clear();
        QCOMPARE(run(f, 1200, true).size(), 1); // polling again
        QVERIFY(!isHello(f.port.writes[0]));
    }

    void samplesFollowTheScheduleNotTheTick()
    {
        LinkFixture f;
        f.alive();
        f.link->setSamplingInterval(1.0f);
        const uint32_t start = f.clock.now();
        f.link->recordingSwitchedOn();
        QCOMPARE(f.link->nextSampleTick(), start + 1000);
        QCOMPARE(f.link->headerRefreshCount(), uint8_t(1));
        QCOMPARE(f.link->commandBlock().byte(0), uint8_t(0xFF));

        run(f, 960, true);
        QCOMPARE(f.target.samples.size(), 0);
        run(f, 60, true);
        QCOMPARE(f.target.samples.size(), 1);
        QCOMPARE(f.link->nextSampleTick(), start + 2000);
        // A late tick: the schedule catches up one sample per tick.
        f.tickAfter(3500);
        f.receiveFrame(status());
        QCOMPARE(f.target.samples.size(), 2);
        for (int i = 0; i < 5; ++i) {
            f.tickAfter(1);
            f.receiveFrame(status());
        }
        QCOMPARE(f.target.samples.size(), 4);
        QCOMPARE(f.link->nextSampleTick(), start + 5000);
    }

    void sampleDeadlineSurvivesTickWrap()
    {
        LinkFixture f;
        f.clock.set(0xFFFFFF00u);
        f.alive();
        f.link->recordingSwitchedOn(); // due 1000 ms later, past the wrap
        f.tickAfter(60);
        f.receiveFrame(status());
        f.tickAfter(60);
        QCOMPARE(f.target.samples.size(), 0);
    }

    void switchingCommunication()
    {
        LinkFixture f;
        QVERIFY(!f.link->timerActive());
        f.link->toggleCommunication();
        QVERIFY(f.link->communicationOn());
        QVERIFY(f.link->timerActive());
        QCOMPARE(f.link->chekD().objectName(), QStringLiteral("chekD"));
        f.link->toggleCommunication();
        QVERIFY(!f.link->communicationOn());
        QVERIFY(f.link->timerActive()); // switching off leaves chekD running
    }

    void writeFailureReportedOnce()
    {
        LinkFixture f;
        QSignalSpy failed(f.link.get(), &StationLink::writeFailed);
        f.alive();
        f.port.failWrites = true;
        f.link->setLastCommandTick(f.clock.now() - 2000);
        run(f, 600, false);
        QCOMPARE(failed.count(), 1);
        QCOMPARE(failed[0][0].toString(), QStringLiteral("Write failed"));
        f.port.failWrites = false;
        f.tickAfter(60);
        QCOMPARE(f.port.writes.size(), 1);
        f.receiveFrame(status());
        f.port.failWrites = true;
        f.link->setLastCommandTick(f.clock.now() - 2000);
        f.tickAfter(60);
        QCOMPARE(failed.count(), 2);
    }

    void lostPortIsReported()
    {
        LinkFixture f;
        QSignalSpy lost(f.link.get(), &StationLink::portLost);
        QSignalSpy text(f.link.get(), &StationLink::portStateTextChanged);
        f.alive();
        f.port.lose(QStringLiteral("gone"));
        QCOMPARE(lost.count(), 1);
        QCOMPARE(text.last()[0].toString(), QStringLiteral("com closed"));
        // Supervision ends with the port; nothing is sent until the port is back.
        QVERIFY(!f.link->timerActive());
        f.link->setLastCommandTick(f.clock.now() - 2000);
        f.link->tick();
        QVERIFY(f.port.writes.isEmpty());
    }

    // An unplugged adapter: one report, no give-up, the same port tried again every second
    // until it opens, then the hello as say hello sends it.
    void lostPortReopensInTheBackground()
    {
        LinkFixture f;
        SerialSettings settings;
        settings.CommPort = 2;
        settings.devicePath = QStringLiteral("/dev/ttyUSB0");
        QVERIFY(f.link->ReopenPort(settings));
        f.alive();
        f.receiveFrame(status());
        f.link->recordingSwitchedOn();
        QSignalSpy lost(f.link.get(), &StationLink::portLost);
        QSignalSpy gaveUp(f.link.get(), &StationLink::gaveUp);
        QSignalSpy notAnswering(f.link.get(), &StationLink::stationNotAnswering);
        QSignalSpy recordingOff(f.link.get(), &StationLink::recordingUncheckedByGiveUp);
        QSignalSpy shown(f.link.get(), &StationLink::statusWindowShowRequested);

        f.port.lose(QStringLiteral("No such device"));
        QCOMPARE(lost.count(), 1);
        QCOMPARE(lost[0][0].toString(), QStringLiteral("No such device"));
        QCOMPARE(f.link->portName(), QStringLiteral("COM3"));
        QCOMPARE(f.link->devicePath(), QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(notAnswering.count(), 1);
        QVERIFY(f.link->panelStale());
        QCOMPARE(recordingOff.count(), 1);
        QVERIFY(!f.link->communicationOn());
        QVERIFY(!f.link->timerActive());
        QVERIFY(f.link->portLostState());
        QVERIFY(f.link->reopenTimer().isActive());
        QCOMPARE(f.link->reopenTimer().interval(), 1000);

        // Still unplugged: quiet tries, no message, no dialog.
        f.port.failOpen = true;
        const int opens = f.port.openCount;
        f.link->retryLostPort();
        f.link->retryLostPort();
        QCOMPARE(f.port.openCount, opens + 2);
        QCOMPARE(f.port.lastDevice, QStringLiteral("/dev/ttyUSB0"));
        QVERIFY(f.link->reopenTimer().isActive());
        QCOMPARE(gaveUp.count(), 0);
        QCOMPARE(lost.count(), 1);
        QVERIFY(f.port.writes.isEmpty());

        // Plugged in again: opened, hello said, supervision running.
        f.port.failOpen = false;
        f.link->retryLostPort();
        QVERIFY(f.link->portOpen());
        QVERIFY(!f.link->portLostState());
        QVERIFY(!f.link->reopenTimer().isActive());
        QVERIFY(f.link->communicationOn());
        QVERIFY(f.link->timerActive());
        QCOMPARE(f.port.writes, QList<QByteArray>{hello()});
        QCOMPARE(shown.count(), 1);
        f.port.inject(hello());
        QVERIFY(f.link->helloAcknowledged());
        f.receiveFrame(status(40));
        QVERIFY(!f.link->panelStale());
        QCOMPARE(gaveUp.count(), 0);
    }

    void reopenPortEndsTheBackgroundReopen()
    {
        LinkFixture f;
        f.alive();
        f.port.lose(QStringLiteral("gone"));
        QVERIFY(f.link->reopenTimer().isActive());
        SerialSettings other;
        other.CommPort = 4;
        QVERIFY(f.link->ReopenPort(other));
        QVERIFY(!f.link->portLostState());
        QVERIFY(!f.link->reopenTimer().isActive());
    }

    void giveUpMarksThePanelStale()
    {
        LinkFixture f;
        f.alive();
        f.receiveFrame(status());
        QVERIFY(!f.link->panelStale());
        QSignalSpy notAnswering(f.link.get(), &StationLink::stationNotAnswering);
        QSignalSpy gaveUp(f.link.get(), &StationLink::gaveUp);
        f.link->setLastCommandTick(f.clock.now() - 2000);
        run(f, 6000, false);
        QCOMPARE(gaveUp.count(), 1);
        QCOMPARE(notAnswering.count(), 1);
        QCOMPARE(notAnswering[0][0].toString(), QStringLiteral("MCU not answering"));
        QVERIFY(f.link->panelStale());
        // Switched on again, the next decoded frame makes the panel current.
        f.link->toggleCommunication();
        f.receiveFrame(status(99));
        QVERIFY(!f.link->panelStale());
        QCOMPARE(f.link->panelState().labTc, QStringLiteral("99"));
    }

    // After the main window's close nothing of the link happens any more: no tick, no
    // give-up, no queued reopen, no background reopen.
    void closedForShutdownStaysSilent()
    {
        LinkFixture f;
        f.alive();
        f.receiveFrame(status());
        f.link->setPendingAction(2);
        f.receiveFrame(status()); // queues the reopen message
        QVERIFY(f.link->reopenPending());
        QSignalSpy gaveUp(f.link.get(), &StationLink::gaveUp);
        QSignalSpy lost(f.link.get(), &StationLink::portLost);
        QSignalSpy shown(f.link.get(), &StationLink::statusWindowShowRequested);
        f.port.writes.clear();
        const int opens = f.port.openCount;

        f.link->closeForShutdown();
        QVERIFY(!f.link->portOpen());
        QVERIFY(!f.link->timerActive());
        QCoreApplication::processEvents(); // the queued reopen runs, and does nothing
        for (int i = 0; i < 200; ++i) {
            f.clock.advance(60);
            f.link->tick();
        }
        f.port.lose(QStringLiteral("gone"));
        f.link->retryLostPort();
        QVERIFY(!f.link->ReopenPort(SerialSettings()));
        QCOMPARE(f.port.openCount, opens);
        QVERIFY(f.port.writes.isEmpty());
        QCOMPARE(gaveUp.count(), 0);
        QCOMPARE(lost.count(), 0);
        QCOMPARE(shown.count(), 0);
    }

    // The receive path's quiet limit is the time of a frame at the port's rate, and a
    // damaged answer no longer takes the next one with it.
    void damagedAnswerCostsOnlyItself_data()
    {
        QTest::addColumn<int>("bautrate");
        QTest::addColumn<uint32_t>("limit");
        QTest::newRow("9600") << 0 << 52u;
        QTest::newRow("19200") << 3 << 26u;
    }
    void damagedAnswerCostsOnlyItself()
    {
        QFETCH(int, bautrate);
        QFETCH(uint32_t, limit);
        LinkFixture f;
        SerialSettings settings;
        settings.BAUTRATE = bautrate;
        QVERIFY(f.link->ReopenPort(settings));
        QCOMPARE(f.link->assembler().quietLimitMs(), limit);
        f.alive();
        QSignalSpy decoded(f.link.get(), &StationLink::panelStateDecoded);
        QSignalSpy crc(f.link.get(), &StationLink::crcErrorTextChanged);
        QByteArray damaged = wireFrame(status(10));
        damaged.remove(25, 1);
        f.port.inject(damaged);
        f.clock.advance(500);
        f.receiveFrame(status(11));
        QCOMPARE(decoded.count(), 1);
        QCOMPARE(f.link->panelState().labTc, QStringLiteral("11"));
        QCOMPARE(crc.count(), 1);
        QCOMPARE(crc[0][0].toString(), QStringLiteral("COM CRC Error Count:1"));
    }
};

QTEST_GUILESS_MAIN(TestSupervision)
#include "test_supervision.moc"
