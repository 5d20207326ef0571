#include <limits>

#include <QtTest>

#include <QTemporaryDir>

#include "link/begin_hooks.h"
#include "link_fixture.h"

namespace {
struct Hooks : BeginHooks
{
    bool wanted = false;
    bool goOn = true;
    QList<QString> calls;
    std::function<void()> onUpload;

    bool quickUploadWanted() override
    {
        calls.append(QStringLiteral("wanted"));
        return wanted;
    }
    bool quickUpload() override
    {
        calls.append(QStringLiteral("upload"));
        if (onUpload)
            onUpload();
        return goOn;
    }
    void recordingStep(bool recordingOn) override
    {
        calls.append(recordingOn ? QStringLiteral("clear") : QStringLiteral("record"));
    }
};

QList<QString> repeated(const QString& entry, int n)
{
    QList<QString> l;
    for (int i = 0; i < n; ++i)
        l.append(entry);
    return l;
}

StationStatus withCommand(StationStatus s, bool b2, bool b1, bool b0)
{
    s.setCommandBits(b2, b1, b0);
    return s;
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

class TestCommands : public QObject
{
    Q_OBJECT
private slots:
    void beginSendsStartCommand()
    {
        LinkFixture f;
        f.alive();
        f.hasTarget = false;
        const StationStatus last = status(150);
        f.receiveFrame(last);
        f.port.writes.clear();
        bool pausedDuringWaits = true;
        f.waits.duringLoop = [&] { pausedDuringWaits = pausedDuringWaits && f.link->supervisionPaused(); };

        Hooks hooks;
        f.link->Begin(1, &hooks);
        QCOMPARE(f.port.writes.size(), 1);
        StationStatus expected = withCommand(last, true, true, false);
        QCOMPARE(f.port.writes[0], wireFrame(expected));
        QCOMPARE(f.port.writes[0][1], char(0x06));
        QCOMPARE(hooks.calls, QList<QString>{QStringLiteral("wanted")}); // no record window: no step
        QCOMPARE(f.waits.log, repeated(QStringLiteral("L50"), 15));
        QVERIFY(pausedDuringWaits);
        QVERIFY(!f.link->supervisionPaused());
        QCOMPARE(f.link->lastTransmitTick(), f.clock.now());
        QCOMPARE(f.link->lastCommandTick(), f.clock.now() - 5 * 50);
    }

    void beginWithQuickUploadAndRecording()
    {
        LinkFixture f;
        f.alive();
        f.receiveFrame(status());
        f.port.writes.clear();
        Hooks hooks;
        hooks.wanted = true;
        hooks.onUpload = [&] { QCOMPARE(f.waits.log.size(), 5); };
        f.link->Begin(1, &hooks);
        QCOMPARE(hooks.calls,
                 (QList<QString>{QStringLiteral("wanted"), QStringLiteral("upload"), QStringLiteral("record")}));
        QCOMPARE(f.waits.log.size(), 20);
        QCOMPARE(f.port.writes.size(), 1);

        f.link->setRecording(true);
        hooks.calls.clear();
        hooks.wanted = false;
        f.link->Begin(1, &hooks);
        QCOMPARE(hooks.calls, (QList<QString>{QStringLiteral("wanted"), QStringLiteral("clear")}));
    }

    void beginBeforeFirstStatusFrameIsRefused()
    {
        LinkFixture f;
        f.alive();
        QSignalSpy refused(f.link.get(), &StationLink::beginRefusedNoStatus);
        Hooks hooks;
        hooks.wanted = true;
        f.link->Begin(1, &hooks);
        // Nothing went out (it would have been a frame with lead byte 0x00), no recording or
        // upload step ran, and supervision was never paused.
        QVERIFY(f.port.writes.isEmpty());
        QVERIFY(hooks.calls.isEmpty());
        QCOMPARE(refused.count(), 1);
        QVERIFY(f.waits.log.isEmpty());
        QVERIFY(!f.link->supervisionPaused());

        f.receiveFrame(status());
        hooks.wanted = false;
        f.link->Begin(1, &hooks);
        QCOMPARE(f.port.writes.size(), 1);
        QCOMPARE(uint8_t(f.port.writes[0][0]), StationStatus::LeadByte);
        QCOMPARE(refused.count(), 1);
    }

    void beginDeclinedSendsNothing()
    {
        LinkFixture f;
        f.alive();
        f.receiveFrame(status());
        f.port.writes.clear();
        Hooks hooks;
        hooks.wanted = true;
        hooks.goOn = false;
        f.link->Begin(1, &hooks);
        QVERIFY(f.port.writes.isEmpty());
        QCOMPARE(hooks.calls, (QList<QString>{QStringLiteral("wanted"), QStringLiteral("upload")}));
        QVERIFY(!f.link->supervisionPaused());
    }

    void beginWhileLockedIsRefusedOnce()
    {
        LinkFixture f;
        f.alive();
        f.receiveFrame(status());
        f.port.writes.clear();
        f.link->setStationUnlocked(false);
        QSignalSpy refused(f.link.get(), &StationLink::sendCommandRefused);
        Hooks hooks;
        f.link->Begin(1, &hooks);
        QVERIFY(f.port.writes.isEmpty());
        QCOMPARE(refused.count(), 1);
        QCOMPARE(refused[0][0].toString(),
                 QStringLiteral("你没有登录，不能对MCU操作！提示: 选择菜单\"通讯\"-->\"登录\"进行登录."));
        QCOMPARE(hooks.calls.last(), QStringLiteral("record")); // the recording still starts
        QVERIFY(!f.link->supervisionPaused());
    }

    void secondBeginDuringWaitsIsIgnored()
    {
        LinkFixture f;
        f.alive();
        f.receiveFrame(status());
        f.port.writes.clear();
        int nested = 0;
        f.waits.duringLoop = [&] {
            if (nested++ == 0)
                f.link->Begin(1, nullptr);
        };
        f.link->Begin(1, nullptr);
        QCOMPARE(f.port.writes.size(), 1);
        QVERIFY(!f.link->supervisionPaused());
    }

    void exitWaitsThenSends()
    {
        LinkFixture f;
        f.alive();
        StationStatus running = status();
        running.setCommandBits(false, true, false);
        f.receiveFrame(running);
        QCOMPARE(f.link->panelState().btnStartTag, 0);
        f.port.writes.clear();
        const uint32_t clicked = f.clock.now();
        f.link->Begin(f.link->panelState().btnStartTag, nullptr);
        QCOMPARE(f.waits.log, QList<QString>{QStringLiteral("B200")});
        QCOMPARE(f.port.writes.size(), 1);
        QCOMPARE(f.port.writes[0], wireFrame(withCommand(running, true, false, true)));
        QCOMPARE(f.link->lastTransmitTick() - clicked, 200u);
        QCOMPARE(f.link->lastCommandTick(), f.link->lastTransmitTick());
        QVERIFY(!f.link->supervisionPaused());
    }

    void baudChangeWhileAlive()
    {
        LinkFixture f;
        f.alive();
        SerialSettings settings;
        settings.BAUTRATE = 0;
        f.link->setSerialSettingsProvider([&] { return settings; });
        const StationStatus last = status();
        f.receiveFrame(last);
        f.port.writes.clear();

        f.link->comPortSettingAccepted(QStringLiteral("9600"), settings);
        QCOMPARE(f.port.writes.size(), 1);
        StationStatus expected = withCommand(last, true, false, false);
        expected.setBaudRate(9600);
        QCOMPARE(f.port.writes[0], wireFrame(expected));
        QCOMPARE(f.port.writes[0][7], char(0x80));
        QCOMPARE(f.port.writes[0][8], char(0x25));
        QCOMPARE(f.link->pendingAction(), uint8_t(2));
        QCOMPARE(f.link->lastCommandTick(), f.clock.now());
        QCoreApplication::processEvents();
        QCOMPARE(f.port.openCount, 0); // not before the station has answered

        f.receiveFrame(last);
        QCoreApplication::processEvents();
        QCOMPARE(f.port.openCount, 1);
        QCOMPARE(f.port.lastBaud, 9600);
        QCOMPARE(f.link->baudRate(), 9600);
    }

    void baudChangeWithoutLinkReopensAtOnce()
    {
        LinkFixture f;
        SerialSettings settings;
        settings.CommPort = 2;
        settings.BAUTRATE = 1;
        settings.devicePath = QStringLiteral("/dev/ttyS2");
        f.link->comPortSettingAccepted(QString(), settings);
        QCOMPARE(f.port.openCount, 1);
        QCOMPARE(f.port.lastDevice, QStringLiteral("/dev/ttyS2"));
        QCOMPARE(f.port.lastBaud, 19200);
        QCOMPARE(f.link->portName(), QStringLiteral("COM3"));
        QVERIFY(f.port.writes.isEmpty());
    }

    void noBaudChosenWhileAliveIsAnError_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::newRow("nothing chosen") << QString();
        QTest::newRow("-1") << QStringLiteral("-1");
    }
    void noBaudChosenWhileAliveIsAnError()
    {
        QFETCH(QString, choice);
        LinkFixture f;
        f.alive();
        QSignalSpy error(f.link.get(), &StationLink::commandError);
        f.link->comPortSettingAccepted(choice, SerialSettings());
        QCOMPARE(error.count(), 1);
        QVERIFY(f.port.writes.isEmpty());
        QCOMPARE(f.port.openCount, 0);
        QCOMPARE(f.link->pendingAction(), uint8_t(0));
    }

    void refusedBaudChangeKeepsThePort()
    {
        LinkFixture f;
        f.alive();
        f.link->setStationUnlocked(false);
        QSignalSpy refused(f.link.get(), &StationLink::sendCommandRefused);
        f.link->comPortSettingAccepted(QStringLiteral("9600"), SerialSettings());
        QCOMPARE(refused.count(), 1);
        QVERIFY(f.port.writes.isEmpty());
        QCOMPARE(f.link->pendingAction(), uint8_t(0));
    }

    void sendCommandSetsWriteRequestInImage()
    {
        LinkFixture f;
        f.communicationOn();
        StationStatus image = status();
        QVERIFY(f.link->SendCommand(image));
        QVERIFY(image.writeRequest());
        f.link->setStationUnlocked(false);
        StationStatus other = status();
        QVERIFY(!f.link->SendCommand(other));
        QVERIFY(!other.writeRequest());
        QCOMPARE(f.port.writes.size(), 1);
    }

    void reopenPortAppliesSettings()
    {
        LinkFixture f;
        QSignalSpy text(f.link.get(), &StationLink::portStateTextChanged);
        SerialSettings s;
        s.intrals = 2.5f;
        s.ChangePCBMode = true;
        s.BAUTRATE = 3;
        QVERIFY(f.link->ReopenPort(s)); // the fake port starts open: closed first
        QCOMPARE(f.port.closeCount, 1);
        QCOMPARE(f.link->samplingInterval(), 2.5f);
        QVERIFY(f.link->ChangePCBMode());
        QCOMPARE(f.port.lastBaud, 19200);
        QCOMPARE(text.count(), 2);
        QCOMPARE(text[0][0].toString(), QStringLiteral("com closed"));
        QCOMPARE(text[1][0].toString(), QStringLiteral("com opened"));
    }

    void portOpenFailureText_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("text");
        QTest::newRow("English") << 0 << QStringLiteral("Unable to open port com5");
        QTest::newRow("Chinese") << 1 << QStringLiteral("不能打开串口5");
        QTest::newRow("other") << 7 << QStringLiteral("不能打开串口5");
        QTest::newRow("CommPort at the top of int") << 0 << QStringLiteral("Unable to open port com2147483648");
    }
    void portOpenFailureText()
    {
        QFETCH(int, language);
        LinkFixture f;
        f.port.failOpen = true;
        QSignalSpy failed(f.link.get(), &StationLink::portOpenFailed);
        SerialSettings s;
        s.CommPort = QByteArray(QTest::currentDataTag()).startsWith("CommPort") ? 2147483647 : 4;
        s.language = language;
        QVERIFY(!f.link->ReopenPort(s));
        QCOMPARE(failed.count(), 1);
        QTEST(failed[0][0].toString(), "text");
        QVERIFY(!f.link->portOpen());
    }

    // The interval comes from the settings file; the tick arithmetic must survive any value.
    void samplingIntervalInMilliseconds_data()
    {
        QTest::addColumn<float>("seconds");
        QTest::addColumn<uint>("ms");
        QTest::newRow("0.5") << 0.5f << 500u;
        QTest::newRow("negative") << -3.0f << 0u;
        QTest::newRow("5e6 s") << 5e6f << 0x7FFFFFFFu;
        QTest::newRow("infinite") << std::numeric_limits<float>::infinity() << 0x7FFFFFFFu;
        QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN() << 0u;
    }
    void samplingIntervalInMilliseconds()
    {
        QFETCH(float, seconds);
        LinkFixture f;
        f.link->setSamplingInterval(seconds);
        QTEST(uint(f.link->samplingIntervalMs()), "ms");
    }

    void recordingStartMarksCommandBlock()
    {
        LinkFixture f;
        for (int i = 0; i < 3; ++i)
            f.link->commandBlock().setByte(i, 0x5A);
        f.link->commandBlock().setByte(3, 0x5A);
        f.link->recordingSwitchedOn();
        QCOMPARE(f.link->commandBlock().byte(0), uint8_t(0xFF));
        QCOMPARE(f.link->commandBlock().byte(1), uint8_t(0));
        QCOMPARE(f.link->commandBlock().byte(2), uint8_t(0));
        QCOMPARE(f.link->commandBlock().byte(3), uint8_t(0x5A));
        QVERIFY(f.link->communicationOn());
        QVERIFY(f.link->timerActive());
        QVERIFY(f.link->recording());
    }

    void missingCommandBlockFile_data()
    {
        QTest::addColumn<int>("BAUTRATE");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::newRow("19200") << 3 << 0x00 << 0x4B;
        QTest::newRow("9600") << 0 << 0x80 << 0x25;
    }
    void missingCommandBlockFile()
    {
        QFETCH(int, BAUTRATE);
        QFETCH(int, low);
        QFETCH(int, high);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("stru.ssf"));
        LinkFixture f;
        SerialSettings s;
        s.BAUTRATE = BAUTRATE;
        f.link->ReopenPort(s);
        QString error;
        QVERIFY(f.link->loadCommandBlocks(path, &error));
        QByteArray block(50, '\0');
        block[0] = char(0xFF);
        block[7] = char(low);
        block[8] = char(high);
        QByteArray spare = block;
        spare[1] = 0x04;
        QVERIFY(f.link->storeCommandBlocks(path, &error));
        QCOMPARE(fileBytes(path), block + spare);
    }

    void commandBlockFileRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("stru.ssf"));
        QByteArray bytes(100, '\0');
        for (int i = 0; i < 100; ++i)
            bytes[i] = char(i * 7 + 1);
        bytes[1] = char(0xFF);  // CommandBlock: write request comes off, other bits stay
        bytes[51] = char(0x00); // spare: write request goes on
        writeFile(path, bytes + QByteArray("extra"));
        LinkFixture f;
        QVERIFY(f.link->loadCommandBlocks(path));
        QVERIFY(f.link->storeCommandBlocks(path));

        QByteArray expected = bytes;
        expected[0] = char(0xFF);
        expected[1] = char(0xFB);
        expected[7] = char(0x00);
        expected[8] = char(0x4B);
        expected[50] = char(0xFF);
        expected[51] = char(0x04);
        expected[57] = char(0x00);
        expected[58] = char(0x4B);
        QCOMPARE(fileBytes(path), expected);
    }

    void shortCommandBlockFileIsAnError()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("stru.ssf"));
        writeFile(path, QByteArray(60, char(0x11)));
        LinkFixture f;
        QString error;
        QVERIFY(!f.link->loadCommandBlocks(path, &error));
        QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
        // Started from zeros with the start-up rules, as for a missing file.
        QCOMPARE(f.link->commandBlock().byte(0), uint8_t(0xFF));
        QCOMPARE(f.link->commandBlock().byte(2), uint8_t(0));
        QCOMPARE(f.link->commandBlock().baudRate(), uint16_t(19200));
    }

    void storeFailureIsReported()
    {
        QTemporaryDir dir;
        LinkFixture f;
        QString error;
        const QString missing = dir.filePath(QStringLiteral("nodata/stru.ssf"));
        QVERIFY(!f.link->storeCommandBlocks(missing, &error));
        QVERIFY2(error.startsWith(QDir::toNativeSeparators(missing) + QStringLiteral(": ")), qPrintable(error));
        QVERIFY(error.size() > missing.size() + 2);
    }
};

QTEST_GUILESS_MAIN(TestCommands)
#include "test_commands.moc"
