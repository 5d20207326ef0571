// The options dialog's step at the station: the chosen flow and sensor, on a fake port.

#include <QtTest>

#include "link/option_command.h"
#include "link_fixture.h"

namespace {

// A status frame on the wire with the checksum of its bytes, built from the layout.
QByteArray wire(QByteArray bytes)
{
    bytes[0] = char(0xFF);
    StationStatus s(reinterpret_cast<const uint8_t*>(bytes.constData()));
    s.sealChecksum();
    return QByteArray(reinterpret_cast<const char*>(s.data()), StationStatus::FrameSize);
}

// Flow 3, thermocouple, Celsius, running bits set, TC 200.
QByteArray stationFrame()
{
    QByteArray b(StationStatus::FrameSize, '\0');
    b[1] = char(0x0B);   // ControlFlags: desoldering bit 3, run bits 1 and 0
    b[4] = char(0x01);   // SettingFlags: Celsius, thermocouple
    b[9] = char(3);      // Flow
    b[10] = char(200);   // TC low byte
    return b;
}

} // namespace

class TestOptionCommand : public QObject
{
    Q_OBJECT
private slots:
    void sameFlowSendsTheSensorInOneCommand_data()
    {
        QTest::addColumn<int>("chosenFlow");
        QTest::addColumn<bool>("ir");
        QTest::addColumn<char>("settingFlags");
        QTest::newRow("flow 3, IR") << 3 << true << char(0x03);
        QTest::newRow("flow 3, thermocouple") << 3 << false << char(0x01);
        QTest::newRow("no flow selected counts as the same") << -1 << true << char(0x03);
    }
    void sameFlowSendsTheSensorInOneCommand()
    {
        QFETCH(int, chosenFlow);
        QFETCH(bool, ir);
        QFETCH(char, settingFlags);
        LinkFixture f;
        f.alive();
        f.port.inject(wire(stationFrame()));
        f.probe().setHeaderRefreshCount(0);
        f.link->commandBlock().setFlow(7);
        f.clock.advance(500);

        applyOptionsToStation(*f.link, chosenFlow, ir);

        QByteArray expected = stationFrame();
        expected[1] = char(0x0C); // bits 2, 1, 0 = 1, 0, 0; desoldering kept
        expected[4] = settingFlags;
        QCOMPARE(f.port.writes.size(), 1);
        QCOMPARE(f.port.writes[0], wire(expected));
        QCOMPARE(f.link->commandBlock().flow(), uint8_t(3));
        QCOMPARE(f.probe().headerRefreshCount(), uint8_t(1));
        QCOMPARE(f.probe().pendingAction(), PendingAction::None);
        QVERIFY(f.waits.log.isEmpty());
        QCOMPARE(f.probe().lastCommandTick(), f.clock.now());
    }

    void otherFlowFirstAndTheSensorOnTheNextFrame()
    {
        LinkFixture f;
        f.alive();
        f.port.inject(wire(stationFrame()));
        f.probe().setHeaderRefreshCount(0);

        applyOptionsToStation(*f.link, 5, true);

        QByteArray expected = stationFrame();
        expected[1] = char(0x0B); // bit 2 cleared (it was); run bits as the station sent them
        expected[9] = char(5);
        QCOMPARE(f.port.writes.size(), 1);
        QCOMPARE(f.port.writes[0], wire(expected));
        QCOMPARE(f.link->commandBlock().flow(), uint8_t(5));
        QCOMPARE(f.probe().pendingAction(), PendingAction::FinishFlowChange);
        QVERIFY(f.probe().pendingSensorBit());
        QCOMPARE(f.waits.log, QList<QString>{QStringLiteral("B200")});
        QCOMPARE(f.probe().lastCommandTick(), f.clock.now());

        // The station took flow 5; its next frame gets the sensor.
        f.port.writes.clear();
        QByteArray next = stationFrame();
        next[1] = char(0x08);
        next[9] = char(5);
        f.port.inject(wire(next));
        QByteArray deferred = next;
        deferred[1] = char(0x0C);
        deferred[4] = char(0x03);
        QCOMPARE(f.port.writes.size(), 1);
        QCOMPARE(f.port.writes[0], wire(deferred));
        QCOMPARE(f.probe().pendingAction(), PendingAction::None);
    }

    void otherFlowClearsTheWriteRequestBit()
    {
        LinkFixture f;
        f.alive();
        QByteArray b = stationFrame();
        b[1] = char(0x04);
        f.port.inject(wire(b));
        applyOptionsToStation(*f.link, 0, false);
        QCOMPARE(f.port.writes.size(), 1);
        QCOMPARE(uint8_t(f.port.writes[0][1]), uint8_t(0x00));
        QCOMPARE(uint8_t(f.port.writes[0][9]), uint8_t(0));
        QVERIFY(!f.probe().pendingSensorBit());
    }

    void withoutStationLoginTheSameFlowIsRefusedButTheFlowChangeGoesOut()
    {
        LinkFixture f;
        f.alive();
        f.port.inject(wire(stationFrame()));
        f.link->setStationUnlocked(false);
        QSignalSpy refused(f.link.get(), &StationLink::sendCommandRefused);

        applyOptionsToStation(*f.link, 3, true);
        QCOMPARE(refused.size(), 1);
        QVERIFY(f.port.writes.isEmpty());
        QCOMPARE(f.probe().headerRefreshCount(), uint8_t(1));

        // The flow change itself is not guarded; its deferred sensor command is.
        applyOptionsToStation(*f.link, 4, true);
        QCOMPARE(f.port.writes.size(), 1);
        QCOMPARE(uint8_t(f.port.writes[0][9]), uint8_t(4));
        QCOMPARE(refused.size(), 1);
    }
};

QTEST_MAIN(TestOptionCommand)
#include "test_option_command.moc"
