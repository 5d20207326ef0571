#include <QtTest>

#include "link/status_decoder.h"
#include "link_fixture.h"

Q_DECLARE_METATYPE(StationStatus)

namespace {
QString boxes(const PanelState& p)
{
    QString s;
    for (bool b : p.checkBox)
        s += b ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

StationStatus withBytes(uint8_t control, uint8_t output, uint8_t state, uint8_t setting)
{
    StationStatus s = status();
    s.setByte(StationStatus::ControlFlagsOffset, control);
    s.setByte(StationStatus::OutputFlagsOffset, output);
    s.setByte(StationStatus::StateFlagsOffset, state);
    s.setByte(StationStatus::SettingFlagsOffset, setting);
    return s;
}
} // namespace

class TestStatusDecoder : public QObject
{
    Q_OBJECT
private slots:
    void panelFromFlags_data()
    {
        QTest::addColumn<StationStatus>("frame");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("checkBoxes"); // CheckBox1..8
        QTest::addColumn<QString>("label13");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("tag");
        QTest::addColumn<QString>("unit");

        // OutputFlags bits 3..0 are active low.
        QTest::newRow("outputs 0x00") << withBytes(0, 0x00, 0, 1) << true << "00001111" << "Soldering" << "Begin" << 1
                                      << "C-text";
        QTest::newRow("outputs 0x3F") << withBytes(0, 0x3F, 0, 1) << true << "00110000" << "Soldering" << "Begin" << 1
                                      << "C-text";
        QTest::newRow("fan and pump") << withBytes(0, 0x0F, 0xC0, 1) << true << "11000000" << "Soldering" << "Begin"
                                      << 1 << "C-text";
        QTest::newRow("running 1,0") << withBytes(0x02, 0x0F, 0, 1) << true << "00000000" << "Soldering" << "Exit" << 0
                                     << "C-text";
        QTest::newRow("run bits 1,1") << withBytes(0x03, 0x0F, 0, 1) << true << "00000000" << "Soldering" << "Begin"
                                      << 1 << "C-text";
        QTest::newRow("run bits 0,1") << withBytes(0x01, 0x0F, 0, 1) << true << "00000000" << "Soldering" << "Begin"
                                      << 1 << "C-text";
        QTest::newRow("desoldering F") << withBytes(0x08, 0x0F, 0, 0) << true << "00000000" << "Desoldering" << "Begin"
                                       << 1 << "F-text";
        QTest::newRow("chinese running C") << withBytes(0x0A, 0x0F, 0, 1) << false << "00000000" << "拆焊" << "退出"
                                           << 0 << "℃";
        QTest::newRow("chinese F") << withBytes(0x00, 0x0F, 0, 0) << false << "00000000" << "焊接" << "开始" << 1
                                   << "℉";
    }
    void panelFromFlags()
    {
        QFETCH(StationStatus, frame);
        QFETCH(bool, english);
        UnitTexts units;
        units.celsius = QStringLiteral("C-text");
        units.fahrenheit = QStringLiteral("F-text");
        const PanelState p = decodePanelState(frame, english ? Language::English : Language::Chinese, units);
        QTEST(boxes(p), "checkBoxes");
        QTEST(p.Label13, "label13");
        QTEST(p.btnStartCaption, "caption");
        QTEST(p.btnStartTag, "tag");
        QTEST(p.Label38, "unit");
        QTEST(p.Label41, "unit");
    }

    void numbersUnsignedAndUnconverted()
    {
        StationStatus s = status(0xFFFF, 212);
        s.setCelsius(false);
        s.setFlow(9);
        const PanelState p = decodePanelState(s, Language::English, UnitTexts());
        QCOMPARE(p.labTc, QStringLiteral("65535"));
        QCOMPARE(p.Label40, QStringLiteral("212"));
        QCOMPARE(p.Label8, QStringLiteral("9"));
        QCOMPARE(p.Label38, QStringLiteral("°F")); // default English text
    }

    void communicationOffKeepsPanelAndPendingAction()
    {
        LinkFixture f;
        QSignalSpy decoded(f.link.get(), &StationLink::panelStateDecoded);
        f.link->finishFlowChangeOnNextStatus(false);
        f.receiveFrame(status(111));
        QCOMPARE(f.link->statusImage().tc(), uint16_t(111));
        QCOMPARE(decoded.count(), 0);
        QCOMPARE(f.probe().pendingAction(), PendingAction::FinishFlowChange);
        QCOMPARE(f.target.celsiusCalls, 0);
        QVERIFY(f.port.writes.isEmpty());

        f.communicationOn();
        f.receiveFrame(status(112));
        QCOMPARE(decoded.count(), 1);
        QCOMPARE(decoded[0][0].value<PanelState>().labTc, QStringLiteral("112"));
        QCOMPARE(f.probe().pendingAction(), PendingAction::None);
    }

    void headerRefreshedByThreeFrames()
    {
        LinkFixture f;
        f.communicationOn();
        QCOMPARE(f.probe().headerRefreshCount(), uint8_t(1));
        f.target.active = false;
        f.receiveFrame(status()); // an inactive window waits
        QCOMPARE(f.target.headerRefreshes, 0);
        QCOMPARE(f.probe().headerRefreshCount(), uint8_t(1));
        QVERIFY(f.target.celsius);

        f.target.active = true;
        const uint8_t expected[] = {2, 3, 0, 0};
        for (uint8_t count : expected) {
            f.receiveFrame(status());
            QCOMPARE(f.probe().headerRefreshCount(), count);
        }
        QCOMPARE(f.target.headerRefreshes, 3);
        QCOMPARE(f.target.headerShows, 3);
    }

    void celsiusFlagFollowsEveryFrame()
    {
        LinkFixture f;
        f.communicationOn();
        StationStatus s = status();
        s.setCelsius(false);
        f.receiveFrame(s);
        QVERIFY(!f.target.celsius);
        s.setCelsius(true);
        f.receiveFrame(s);
        QVERIFY(f.target.celsius);
        f.hasTarget = false;
        f.receiveFrame(s); // no record window: nothing to tell, nothing breaks
        QCOMPARE(f.target.celsiusCalls, 2);
    }

    void languageSwitchTakesEffectOnNextFrame()
    {
        LinkFixture f;
        f.communicationOn();
        UnitTexts units;
        units.celsius = QStringLiteral("degC");
        f.link->setUnitTexts(units);
        f.receiveFrame(status());
        QCOMPARE(f.link->panelState().btnStartCaption, QStringLiteral("开始"));
        QCOMPARE(f.link->panelState().Label38, QStringLiteral("℃"));

        f.link->setLanguage(Language::English);
        QCOMPARE(f.link->panelState().Label13, QStringLiteral("焊接")); // until a frame arrives
        f.receiveFrame(status());
        const PanelState& p = f.link->panelState();
        QCOMPARE(p.Label13, QStringLiteral("Soldering"));
        QCOMPARE(p.btnStartCaption, QStringLiteral("Begin"));
        QCOMPARE(p.Label38, QStringLiteral("degC"));
        QCOMPARE(p.Label41, QStringLiteral("degC"));
    }

    void flowChangeFinishedOnNextFrame()
    {
        LinkFixture f;
        f.communicationOn();
        f.link->finishFlowChangeOnNextStatus(true);
        f.target.active = false;
        f.probe().setHeaderRefreshCount(0);
        StationStatus s = status();
        s.setFlow(5);
        f.receiveFrame(s);

        QCOMPARE(f.target.headerRefreshes, 1);
        QCOMPARE(f.target.headerShows, 0); // not the active window
        QCOMPARE(f.port.writes.size(), 1);
        StationStatus expected = s;
        expected.setCommandBits(true, false, false);
        expected.setIrSensor(true);
        QCOMPARE(f.port.writes[0], wireFrame(expected));
        QCOMPARE(f.waits.log, QList<QString>{QStringLiteral("B300")});
        QCOMPARE(f.probe().pendingAction(), PendingAction::None);
        QCOMPARE(f.probe().headerRefreshCount(), uint8_t(1));
        QCOMPARE(f.probe().lastCommandTick(), f.clock.now()); // after the wait
    }

    void flowChangeRefusedWhileLocked()
    {
        LinkFixture f;
        f.communicationOn();
        f.link->setStationUnlocked(false);
        QSignalSpy refused(f.link.get(), &StationLink::sendCommandRefused);
        f.link->finishFlowChangeOnNextStatus(false);
        f.receiveFrame(status());
        f.receiveFrame(status());
        QCOMPARE(refused.count(), 1);
        QVERIFY(f.port.writes.isEmpty());
        QCOMPARE(f.probe().pendingAction(), PendingAction::None);
    }

    void baudChangeQueuesExactlyOneReopen()
    {
        LinkFixture f;
        f.communicationOn();
        SerialSettings settings;
        settings.BAUTRATE = 0;
        settings.devicePath = QStringLiteral("/dev/fake");
        int asked = 0;
        f.link->setSerialSettingsProvider([&] {
            ++asked;
            return settings;
        });
        QSignalSpy requested(f.link.get(), &StationLink::reopenRequested);
        f.probe().setPendingAction(PendingAction::FinishBaudRateChange);
        f.receiveFrame(status());
        f.probe().setPendingAction(PendingAction::FinishBaudRateChange); // set again before the first is handled
        f.receiveFrame(status());
        f.receiveFrame(status());
        QCOMPARE(requested.count(), 1);
        QCOMPARE(f.port.openCount, 0); // queued, not yet handled
        QVERIFY(f.probe().reopenPending());

        QCoreApplication::processEvents();
        QCOMPARE(asked, 1);
        QCOMPARE(f.port.openCount, 1);
        QCOMPARE(f.port.lastBaud, 9600);
        QCOMPARE(f.port.lastDevice, QStringLiteral("/dev/fake"));
        QCOMPARE(f.waits.log, (QList<QString>{QStringLiteral("B100"), QStringLiteral("P")}));
        QCoreApplication::processEvents();
        QCOMPARE(f.port.openCount, 1);
        QVERIFY(!f.probe().reopenPending());
    }
};

QTEST_GUILESS_MAIN(TestStatusDecoder)
#include "test_status_decoder.moc"
