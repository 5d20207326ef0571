#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QSocketNotifier>
#include <QString>
#include <QStringList>
#include <QTest>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include "link/frame_assembler.h"
#include "link/station_status.h"
#include "support/frames.h"

// A tamsel-station process and the program's side of its pseudo-terminal. What comes back
// is cut into frames by the program's own FrameAssembler, so a test sees the answers as
// Tamsel would; the log lines arrive in `lines`.
class StationUnderTest
{
public:
    StationUnderTest()
    {
        QObject::connect(&process, &QProcess::readyReadStandardOutput, [this] { readLog(); });
        QObject::connect(&process, &QProcess::readyReadStandardError, [this] { errors += process.readAllStandardError(); });
        assembler.setGoodFrameHandler([this](const StationStatus& f) { answers.append(f); });
    }
    ~StationUnderTest()
    {
        delete m_notifier;
        if (m_fd >= 0)
            ::close(m_fd);
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            if (!process.waitForFinished(5000))
                process.kill();
            process.waitForFinished(5000);
        }
    }

    static QString program() { return QStringLiteral(TAMSEL_BIN_DIR "/tamsel-station"); }

    // Starts the station, reads the first line and (unless told not to) opens the path it
    // names; false when any step fails.
    bool start(const QStringList& args, bool openSlave = true)
    {
        process.start(program(), args);
        if (!process.waitForStarted(10000))
            return false;
        QElapsedTimer t;
        t.start();
        while (path.isEmpty() && t.elapsed() < 10000)
            process.waitForReadyRead(1000);
        if (path.isEmpty())
            return false;
        return !openSlave || openPeer(path);
    }

    bool openPeer(const QString& device)
    {
        m_fd = ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_fd < 0)
            return false;
        termios t;
        tcgetattr(m_fd, &t);
        cfmakeraw(&t);
        tcsetattr(m_fd, TCSANOW, &t);
        m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read);
        QObject::connect(m_notifier, &QSocketNotifier::activated, [this] { readPeer(); });
        return true;
    }

    // A pseudo-terminal of the test's own for --device: the station opens the slave as a
    // serial port, the test holds the master. Returns the slave's path.
    QString openOwnPty()
    {
        m_fd = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_fd < 0 || grantpt(m_fd) != 0 || unlockpt(m_fd) != 0)
            return QString();
        termios t;
        tcgetattr(m_fd, &t);
        cfmakeraw(&t);
        tcsetattr(m_fd, TCSANOW, &t);
        m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read);
        QObject::connect(m_notifier, &QSocketNotifier::activated, [this] { readPeer(); });
        return QString::fromLocal8Bit(ptsname(m_fd));
    }
    // The line rate set on the terminal; on a pty's master this is the slave's setting.
    speed_t lineSpeed() const
    {
        termios t;
        tcgetattr(m_fd, &t);
        return cfgetospeed(&t);
    }

    void send(const QByteArray& bytes) { QVERIFY(::write(m_fd, bytes.constData(), bytes.size()) == bytes.size()); }
    void sendHello() { send(QByteArray(1, char(0x55))); }
    void sendFrame(const StationStatus& s) { send(wireFrame(s)); }
    void poll(int flow)
    {
        StationStatus s;
        s.setFlow(static_cast<uint8_t>(flow));
        s.setBaudRate(19200);
        sendFrame(s);
    }
    void command(const QString& line) { process.write((line + QLatin1Char('\n')).toUtf8()); }

    bool hasLine(const QString& line) const { return lines.contains(line); }
    int countLines(const QString& line) const { return lines.count(line); }
    StationStatus lastAnswer() const { return answers.isEmpty() ? StationStatus() : answers.last(); }

    QProcess process;
    QString path;
    QStringList lines; // the log from its second line on
    QByteArray errors; // standard error
    QByteArray raw;    // every byte received on the line
    QList<StationStatus> answers;
    FrameAssembler assembler;

private:
    void readLog()
    {
        while (process.canReadLine()) {
            const QString line = QString::fromUtf8(process.readLine()).trimmed();
            if (path.isEmpty())
                path = line;
            else
                lines.append(line);
        }
    }
    void readPeer()
    {
        char buf[512];
        ssize_t n;
        while ((n = ::read(m_fd, buf, sizeof buf)) > 0) {
            raw.append(buf, static_cast<int>(n));
            assembler.feed(reinterpret_cast<const uint8_t*>(buf), static_cast<int>(n));
        }
    }

    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
};
