#include <QtTest>

#include <climits>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include "link/serial_settings.h"
#include "link/serial_transport.h"
#include "link/station_link.h"
#include "support/frames.h"
#include "support/station_link_test_access.h"

namespace {
// The far end of a pseudo-terminal stands in for the station.
class PtyPair
{
public:
    PtyPair()
    {
        m_master = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0)
            return;
        m_slave = QString::fromLocal8Bit(ptsname(m_master));
    }
    ~PtyPair() { closeMaster(); }
    bool ok() const { return m_master >= 0 && !m_slave.isEmpty(); }
    QString slave() const { return m_slave; }

    void send(const QByteArray& bytes)
    {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
            if (n <= 0)
                return;
            done += n;
        }
    }
    // What the program wrote, waiting up to timeoutMs for `count` bytes.
    QByteArray receive(int count, int timeoutMs = 5000)
    {
        QByteArray got;
        QElapsedTimer timer;
        timer.start();
        while (got.size() < count && timer.elapsed() < timeoutMs) {
            pollfd p{m_master, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0)
                continue;
            char buf[256];
            const ssize_t n = ::read(m_master, buf, sizeof buf);
            if (n > 0)
                got.append(buf, n);
        }
        return got;
    }
    void closeMaster()
    {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

private:
    int m_master = -1;
    QString m_slave;
};
} // namespace

class TestSerialTransport : public QObject
{
    Q_OBJECT
private slots:
    // The settings name the port and the speed the same way the options read them, even for
    // a stored number at the end of the int range.
    void portAndSpeedFromTheSettings_data()
    {
        QTest::addColumn<int>("commPort");
        QTest::addColumn<int>("bautrate");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("baud");
        QTest::newRow("first") << 0 << 0 << "COM1" << 9600;
        QTest::newRow("sixteenth") << 15 << 3 << "COM16" << 19200;
        QTest::newRow("negative") << -1 << -1 << "COM0" << 19200;
        QTest::newRow("largest") << INT_MAX << INT_MAX << "COM2147483648" << 19200;
    }
    void portAndSpeedFromTheSettings()
    {
        QFETCH(int, commPort);
        QFETCH(int, bautrate);
        SerialSettings settings;
        settings.CommPort = commPort;
        settings.BAUTRATE = bautrate;
        QTEST(settings.portName(), "name");
        QTEST(settings.baudRate(), "baud");
    }

    void opensWithLinkFraming()
    {
        PtyPair pty;
        QVERIFY(pty.ok());
        SerialTransport t;
        QVERIFY2(t.open(pty.slave(), 9600), qPrintable(t.errorString()));
        QVERIFY(t.isOpen());
        QCOMPARE(t.port().baudRate(), 9600);
        QCOMPARE(t.port().dataBits(), QSerialPort::Data8);
        QCOMPARE(t.port().parity(), QSerialPort::NoParity);
        QCOMPARE(t.port().stopBits(), QSerialPort::OneStop);
        QCOMPARE(t.port().flowControl(), QSerialPort::NoFlowControl);
        QCOMPARE(t.port().readBufferSize(), 1024);
    }

    void openFailureSaysWhy()
    {
        SerialTransport t;
        QVERIFY(!t.open(QStringLiteral("/dev/ttyS-1"), 19200));
        QVERIFY(!t.isOpen());
        QVERIFY(!t.errorString().isEmpty());
    }

    void writeGoesOutWhole()
    {
        PtyPair pty;
        QVERIFY(pty.ok());
        SerialTransport t;
        QVERIFY(t.open(pty.slave(), 19200));
        StationStatus s;
        s.setWord(StationStatus::Word::Tc, 0x0A0D); // bytes a terminal would like to translate
        const QByteArray frame = wireFrame(s);
        QVERIFY(t.write(frame));
        QCOMPARE(pty.receive(frame.size()), frame);
    }

    void receivedBytesArriveInEventsOfAtMost1024()
    {
        PtyPair pty;
        QVERIFY(pty.ok());
        SerialTransport t;
        QVERIFY(t.open(pty.slave(), 19200));
        QList<QByteArray> events;
        t.setReceiveHandler([&](const QByteArray& b) { events.append(b); });
        QByteArray stream;
        for (int i = 0; i < 3000; ++i)
            stream.append(char(i % 251));
        pty.send(stream);
        QTRY_COMPARE_WITH_TIMEOUT(events.join().size(), stream.size(), 10000);
        QCOMPARE(events.join(), stream);
        for (const QByteArray& e : events)
            QVERIFY(e.size() <= 1024);
    }

    void vanishedDeviceIsReportedOnceAndClosed()
    {
        PtyPair pty;
        QVERIFY(pty.ok());
        SerialTransport t;
        QVERIFY(t.open(pty.slave(), 19200));
        QStringList lost;
        t.setLostHandler([&](const QString& e) { lost.append(e); });
        pty.closeMaster();
        QTRY_VERIFY_WITH_TIMEOUT(!t.isOpen(), 10000);
        QCOMPARE(lost.size(), 1);
        QVERIFY(!lost[0].isEmpty());
        QVERIFY(!t.write(QByteArray("\x55", 1)));
    }

    void stationFrameReachesThePanel()
    {
        PtyPair pty;
        QVERIFY(pty.ok());
        SerialTransport t;
        StationLink link(t, SystemClock::instance());
        SerialSettings settings;
        settings.devicePath = pty.slave();
        QVERIFY(link.ReopenPort(settings));
        link.toggleCommunication();
        link.PauseSupervision(); // no ticks of a real clock in this test
        QSignalSpy decoded(&link, &StationLink::panelStateDecoded);
        StationStatus s;
        s.setWord(StationStatus::Word::Tc, 217);
        pty.send(QByteArray("\x01\x02", 2) + wireFrame(s));
        QVERIFY(decoded.wait(10000));
        QCOMPARE(decoded[0][0].value<PanelState>().labTc, QStringLiteral("217"));
        QVERIFY(!StationLinkTestAccess(link).awaitingReply());

        link.sayHello();
        QCOMPARE(pty.receive(1), QByteArray("\x55", 1));
    }
};

QTEST_GUILESS_MAIN(TestSerialTransport)
#include "test_serial_transport.moc"
