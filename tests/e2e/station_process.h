#pragma once

#include <QProcess>
#include <QStringList>
#include <QTest>

// tamsel-station in the background for a test: its first line is the path to open, every
// further line one event. Lines are collected as they come; the test waits on them with
// QTRY_VERIFY.
class StationProcess
{
public:
    explicit StationProcess(const QStringList& args)
    {
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, &m_process, [this] {
            m_pending += m_process.readAllStandardOutput();
            int nl;
            while ((nl = int(m_pending.indexOf('\n'))) >= 0) {
                m_lines << QString::fromUtf8(m_pending.left(nl));
                m_pending.remove(0, nl + 1);
            }
        });
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(TAMSEL_BIN_DIR "/tamsel-station"), args);
    }
    ~StationProcess() { stop(); }

    bool started() { return m_process.waitForStarted(5000); }
    // The pseudo-terminal, once the first line is there.
    QString path() const { return m_lines.value(0); }
    const QStringList& lines() const { return m_lines; }
    int count(const QString& prefix) const
    {
        int n = 0;
        for (int i = 1; i < m_lines.size(); ++i)
            n += m_lines[i].startsWith(prefix);
        return n;
    }
    void send(const QByteArray& line) { m_process.write(line + '\n'); }
    // Gone at once, as an unplugged adapter is: no goodbye, its link left behind.
    void kill()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        send("quit");
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

private:
    QProcess m_process;
    QByteArray m_pending;
    QStringList m_lines;
};
