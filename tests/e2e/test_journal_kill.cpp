// A recording against tamsel-station in a program killed with SIGKILL: the journal it leaves
// holds every sample taken up to 2 s before the kill, and the next start offers it.

#include <csignal>
#include <memory>

#include <QAbstractButton>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/types.h>

#include "records/record_journal.h"
#include "shell/ini_file.h"
#include "station_process.h"
#include "ui/modal_watcher.h"
#include "ui/record_windows.h"
#include "ui/tfrm_child.h"
#include "ui/tfrm_comm.h"
#include "ui/tfrm_msg.h"

namespace {

// journal_victim's lines, each with the test's clock when it arrived.
class Victim
{
public:
    explicit Victim(const QString& programDir)
    {
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, &m_process, [this] {
            m_pending += m_process.readAllStandardOutput();
            qsizetype nl;
            while ((nl = m_pending.indexOf('\n')) >= 0) {
                m_lines << Line{QString::fromUtf8(m_pending.left(nl)), m_clock.elapsed()};
                m_pending.remove(0, nl + 1);
            }
        });
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_clock.start();
        m_process.start(QStringLiteral(JOURNAL_VICTIM), {programDir});
    }
    ~Victim()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    struct Line
    {
        QString text;
        qint64 at;
    };
    bool started() { return m_process.waitForStarted(10000); }
    const QList<Line>& lines() const { return m_lines; }
    int count(const QString& prefix) const
    {
        int n = 0;
        for (const Line& l : m_lines)
            n += l.text.startsWith(prefix);
        return n;
    }
    QString all() const
    {
        QStringList t;
        for (const Line& l : m_lines)
            t << l.text;
        return t.join(QLatin1Char('\n'));
    }
    // SIGKILL: no handler, no destructor, nothing flushed by the program itself. The clock
    // at the kill.
    qint64 kill()
    {
        const qint64 at = m_clock.elapsed();
        ::kill(pid_t(m_process.processId()), SIGKILL);
        m_process.waitForFinished(10000);
        return at;
    }
    QProcess::ExitStatus exitStatus() const { return m_process.exitStatus(); }

private:
    QProcess m_process;
    QElapsedTimer m_clock;
    QByteArray m_pending;
    QList<Line> m_lines;
};

QString sampleLine(int index, const RecordSample& s)
{
    const auto n = [](double v) { return QString::number(v, 'g', 9); };
    return QStringLiteral("sample %1 %2 %3 %4").arg(index).arg(n(s.time), n(s.tc), n(s.tb));
}

} // namespace

class TestJournalKill : public QObject
{
    Q_OBJECT

private slots:
    void killedRecordingComesBack()
    {
        QTemporaryDir dir;
        QTemporaryDir systemDir;
        const QString link = dir.filePath(QStringLiteral("COM1"));
        StationProcess station({QStringLiteral("--link"), link, QStringLiteral("--speed"), QStringLiteral("20")});
        QVERIFY(station.started());
        QTRY_VERIFY_WITH_TIMEOUT(!station.path().isEmpty(), 10000);
        const QString program = dir.filePath(QStringLiteral("program"));
        QVERIFY(QDir().mkpath(program + QStringLiteral("/data")));
        {
            IniFile ini(program + QStringLiteral("/data/CommConfig.ini"));
            QVERIFY(ini.writeString("Ports", "COM1", link));
            QVERIFY(ini.writeInteger("Option", "language", 0));
        }
        qputenv("TAMSEL_SYSTEM_DIR", systemDir.path().toLocal8Bit());
        {
            IniFile pw(systemDir.filePath(QStringLiteral("IRpaswd.ini")));
            QVERIFY(pw.writeBool("IRPaswd", "inistoin", false));
        }

        // Recording in the other program; a process runs at the station meanwhile.
        constexpr int kSamples = 8;
        qint64 killedAt = 0;
        {
            Victim victim(program);
            QVERIFY(victim.started());
            QTRY_VERIFY2_WITH_TIMEOUT(victim.count(QStringLiteral("recording ")) == 1, qPrintable(victim.all()), 30000);
            station.send("start");
            QTRY_VERIFY2_WITH_TIMEOUT(victim.count(QStringLiteral("sample ")) >= kSamples, qPrintable(victim.all()),
                                      60000);
            killedAt = victim.kill();
            QCOMPARE(victim.exitStatus(), QProcess::CrashExit);
            QVERIFY2(victim.count(QStringLiteral("dialog ")) == 0, qPrintable(victim.all()));

            // The journal left behind.
            const QStringList left = RecordJournal::pending(program + QStringLiteral("/journal"));
            QCOMPARE(left.size(), 1);
            RecordJournal::Contents contents;
            QString reason;
            QVERIFY2(RecordJournal::readFile(left.first(), contents, &reason), qPrintable(reason));
            const QList<RecordSample>& kept = contents.record.samples;
            int due = 0;
            for (const Victim::Line& l : victim.lines()) {
                if (!l.text.startsWith(QStringLiteral("sample ")) || l.at > killedAt - 2000)
                    continue;
                const int index = l.text.section(QLatin1Char(' '), 1, 1).toInt();
                QVERIFY2(index < kept.size(), qPrintable(QStringLiteral("%1 missing of %2 kept").arg(l.text).arg(kept.size())));
                QCOMPARE(sampleLine(index, kept[index]), l.text);
                ++due;
            }
            // The samples of the last 2 s may be missing, the ones before may not; there
            // are always some before (a sample a second at most).
            QVERIFY2(due >= 1, qPrintable(victim.all()));
            qInfo("%d samples printed more than 2 s before the kill, all of them among the %d in the journal", due,
                  int(kept.size()));
            QVERIFY(kept.size() >= due);
        }

        // The next start offers it; Yes opens it as an unsaved record window.
        const QStringList left = RecordJournal::pending(program + QStringLiteral("/journal"));
        RecordJournal::Contents contents;
        QVERIFY(RecordJournal::readFile(left.value(0), contents));
        ModalWatcher watcher;
        auto frm = std::make_unique<TfrmComm>(ProgramPaths(program));
        Tfrmmsg msg;
        frm->setStatusWindow(&msg);
        frm->show();
        const QString offer = QStringLiteral("%1 samples, was not saved when Tamsel ended. Open it?")
                                  .arg(contents.record.samples.size());
        QTRY_VERIFY2_WITH_TIMEOUT(!watcher.seen.filter(offer).isEmpty(), qPrintable(watcher.seen.join(QLatin1Char('|'))),
                                  10000);
        TfrmChild* recovered = nullptr;
        for (TfrmChild* w : frm->recordWindows()->windows())
            if (w->journalPath() == left.value(0))
                recovered = w;
        QVERIFY(recovered);
        QCOMPARE(recovered->record().samples, contents.record.samples);
        QVERIFY(recovered->record().header == contents.record.header);
        frm.reset();
    }
};

QTEST_MAIN(TestJournalKill)
#include "test_journal_kill.moc"
