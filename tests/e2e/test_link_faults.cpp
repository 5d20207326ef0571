// Faults an operator meets on the line, against tamsel-station on a pseudo-terminal: lost
// and corrupted bytes during a recording, an adapter unplugged and plugged in again, and a
// close while a message box of the shutdown is open.

#include <memory>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "link/recording_target.h"
#include "link/station_link.h"
#include "shell/ini_file.h"
#include "station_process.h"
#include "ui/live_panel.h"
#include "ui/modal_watcher.h"
#include "ui/record_windows.h"
#include "ui/tfrm_child.h"
#include "ui/tfrm_comm.h"
#include "ui/tfrm_comm_actions.h"
#include "ui/tfrm_msg.h"
#include "ui/tfrm_set_com.h"

namespace {

// Passes everything on to the record window and notes, for every sample, whether a status
// frame came through since the sample before: a sample without one repeats a stale status.
class SampleWatch : public RecordingTarget
{
public:
    RecordingTarget* target = nullptr;
    int samples = 0;
    int stale = 0;
    bool fresh = false;

    void setCelsius(bool c) override { target->setCelsius(c); }
    bool isActiveWindow() const override { return target->isActiveWindow(); }
    void RefreshHeaderFromStation(const StationStatus& s) override { target->RefreshHeaderFromStation(s); }
    void ShowHeader() override { target->ShowHeader(); }
    void TakeSample(const StationStatus& s) override
    {
        ++samples;
        if (!fresh)
            ++stale;
        fresh = false;
        target->TakeSample(s);
    }
};

struct Setup
{
    QTemporaryDir dir;
    QTemporaryDir systemDir;
    QString link;
    QString program;
    std::unique_ptr<StationProcess> station;
    std::unique_ptr<Tfrmmsg> msg;
    std::unique_ptr<TfrmComm> frm;

    bool startStation(const QStringList& extra = {})
    {
        station = std::make_unique<StationProcess>(QStringList{QStringLiteral("--link"), link} + extra);
        return station->started() && QTest::qWaitFor([&] { return !station->path().isEmpty(); }, 10000);
    }

    bool start(const QString& intrals = QStringLiteral("1.0"), const QStringList& extra = {})
    {
        link = dir.filePath(QStringLiteral("COM1"));
        if (!startStation(extra))
            return false;
        program = dir.filePath(QStringLiteral("program"));
        QDir().mkpath(program + QStringLiteral("/data"));
        {
            IniFile ini(program + QStringLiteral("/data/CommConfig.ini"));
            if (!ini.writeString("Ports", "COM1", link) || !ini.writeInteger("Option", "language", 0)
                || !ini.writeString("Option", "intrals", intrals))
                return false;
        }
        qputenv("TAMSEL_SYSTEM_DIR", systemDir.path().toLocal8Bit());
        {
            IniFile pw(systemDir.filePath(QStringLiteral("IRpaswd.ini")));
            if (!pw.writeBool("IRPaswd", "inistoin", false))
                return false;
        }
        frm = std::make_unique<TfrmComm>(ProgramPaths(program));
        msg = std::make_unique<Tfrmmsg>();
        frm->setStatusWindow(msg.get());
        frm->show();
        return QTest::qWaitFor([&] { return frm->statusPanelText(0) == QStringLiteral("hello success!"); }, 20000);
    }

    ~Setup()
    {
        frm.reset();
        station.reset();
    }
};

int envInt(const char* name, int fallback)
{
    bool ok = false;
    const int v = qEnvironmentVariableIntValue(name, &ok);
    return ok && v > 0 ? v : fallback;
}

} // namespace

class TestLinkFaults : public QObject
{
    Q_OBJECT

private slots:
    // Each damaged answer costs its own sample only and is counted exactly once. The share
    // of stale samples can exceed the share of damaged answers only by the samples that
    // outnumber the polls (the poll waits for the tick after its interval).
    void damagedAnswersDuringARecording_data()
    {
        QTest::addColumn<QByteArray>("fault");
        QTest::newRow("drop 1 %") << QByteArray("drop 0.01");
        QTest::newRow("drop 10 %") << QByteArray("drop 0.1");
        QTest::newRow("drop 50 %") << QByteArray("drop 0.5");
        QTest::newRow("corrupt 20 %") << QByteArray("corrupt 0.2");
    }
    void damagedAnswersDuringARecording()
    {
        QFETCH(QByteArray, fault);
        const int wanted = envInt("TAMSEL_FAULT_SAMPLES", 24);
        Setup s;
        QVERIFY(s.start(QStringLiteral("0.5"), {QStringLiteral("--seed"), QStringLiteral("7")}));
        ModalWatcher watcher;
        StationLink& link = s.frm->link();
        TfrmCommActions& a = s.frm->actions();
        RecordWindows* windows = s.frm->recordWindows();
        QTRY_VERIFY_WITH_TIMEOUT(windows->recordingTarget() != nullptr, 5000);

        SampleWatch watch;
        watch.target = windows->recordingTarget();
        link.setRecordingTargetProvider([&]() -> RecordingTarget* { return &watch; });
        int goodFrames = 0;
        QObject::connect(&link, &StationLink::panelStateDecoded, this, [&] {
            ++goodFrames;
            watch.fresh = true;
        });
        const int crcBefore = link.assembler().crcErrorCount();
        const int answersBefore = s.station->count(QStringLiteral("poll "));

        const QByteArray name = fault.split(' ').first();
        s.station->send(fault);
        QTRY_VERIFY_WITH_TIMEOUT(s.station->count(QStringLiteral("set ") + QString::fromLatin1(name)) == 1, 10000);
        const int recordFrom = s.station->lines().size();
        a.actnRecord->trigger();
        QVERIFY(a.actnRecord->isChecked());
        QTRY_VERIFY_WITH_TIMEOUT(watch.samples >= wanted, wanted * 3000);
        a.actnRecord->trigger();
        const int recordTo = s.station->lines().size();
        const int samples = watch.samples;
        const int stale = watch.stale;

        // A clean line again; the next good answer settles the last damaged one.
        s.station->send(name + " 0");
        QTRY_VERIFY_WITH_TIMEOUT(s.station->count(QStringLiteral("set ") + QString::fromLatin1(name) + "=0") == 1,
                                 10000);
        const int settledAt = goodFrames;
        QTRY_VERIFY_WITH_TIMEOUT(goodFrames >= settledAt + 2, 20000);

        // One "fault" line per damaged answer (drop and corrupt are never set together).
        const QStringList& lines = s.station->lines();
        auto count = [&](int from, int to, const QString& prefix) {
            int n = 0;
            for (int i = from; i < to; ++i)
                n += lines[i].startsWith(prefix);
            return n;
        };
        // The damaged answers to polls; a lost hello answer is none.
        auto countDamaged = [&](int from, int to, const QString& prefix) {
            int n = 0;
            for (int i = qMax(from, 2); i < to; ++i)
                n += lines[i].startsWith(prefix) && lines[i - 1].startsWith(QStringLiteral("poll "));
            return n;
        };
        const QString faultLine = name == "drop" ? QStringLiteral("fault lost=") : QStringLiteral("fault corrupt");
        const int damaged = countDamaged(1, int(lines.size()), faultLine);
        const int answers = count(1, int(lines.size()), QStringLiteral("poll ")) - answersBefore;
        const int crc = link.assembler().crcErrorCount() - crcBefore;
        const int pollsRecorded = count(recordFrom, recordTo, QStringLiteral("poll "));
        const int damagedRecorded = countDamaged(recordFrom, recordTo, faultLine);
        qInfo("%s: %d answers, %d damaged (%.1f %%), %d checksum errors counted; while recording %d answers, "
              "%d damaged (%.1f %%), %d samples, %d stale (%.1f %%)",
              fault.constData(), answers, damaged, 100.0 * damaged / qMax(answers, 1), crc, pollsRecorded,
              damagedRecorded, 100.0 * damagedRecorded / qMax(pollsRecorded, 1), samples, stale,
              100.0 * stale / qMax(samples, 1));
        QCOMPARE(crc, damaged);
        QCOMPARE(s.frm->statusPanelText(3), QStringLiteral("COM CRC Error Count:%1").arg(link.assembler().crcErrorCount()));
        // A damaged answer makes one stale sample; more only where samples outnumber polls.
        const int extraSamples = qMax(0, samples - pollsRecorded);
        QVERIFY2(stale <= damagedRecorded + extraSamples + 2,
                 qPrintable(QStringLiteral("stale %1, damaged %2, extra samples %3").arg(stale).arg(damagedRecorded).arg(extraSamples)));
        // Nothing gave up on the way.
        QVERIFY(watcher.seen.isEmpty());
        link.setRecordingTargetProvider([&]() -> RecordingTarget* { return s.frm->recordingTarget(); });
    }

    // The adapter pulled out: one message naming the port and the real error; plugged in
    // again, the link comes back by itself without any dialog.
    void unpluggedAdapterComesBack()
    {
        Setup s;
        QVERIFY(s.start());
        LivePanel* p = s.frm->livePanel();
        QTRY_VERIFY_WITH_TIMEOUT(!p->Label8->text().isEmpty(), 10000);
        ModalWatcher watcher;
        QStringList dialogs;
        watcher.onDialog = [&](QDialog* d) {
            dialogs << d->objectName();
            d->reject();
            return true;
        };
        s.station->kill();
        QTRY_VERIFY_WITH_TIMEOUT(watcher.seen.size() == 1, 20000);
        QVERIFY2(watcher.seen.first().startsWith(QStringLiteral("The serial port COM1 (") + s.link + QStringLiteral(") has gone away: ")),
                 qPrintable(watcher.seen.first()));
        QVERIFY2(!watcher.seen.first().contains(QStringLiteral("No such file or directory")), qPrintable(watcher.seen.first()));
        QCOMPARE(s.frm->statusPanelText(2), QStringLiteral("com closed"));
        QCOMPARE(s.frm->statusPanelText(0), QStringLiteral("MCU not answering"));
        QVERIFY(!p->valuesCurrent());

        QVERIFY(s.startStation());
        QTRY_COMPARE_WITH_TIMEOUT(s.frm->statusPanelText(0), QStringLiteral("hello success!"), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(p->valuesCurrent(), 20000);
        QCOMPARE(s.frm->statusPanelText(2), QStringLiteral("com opened"));
        QVERIFY(s.frm->actions().actnComunica->isChecked());
        QCOMPARE(watcher.seen.size(), 1);
        QVERIFY(dialogs.isEmpty());
    }

    // Closing with a shutdown message box open (the settings file cannot be written): the
    // box may stay as long as it likes, the link neither greets nor gives up nor asks for
    // a port.
    void closeWithABoxOpenSaysNothingOfTheLink()
    {
        Setup s;
        QVERIFY(s.start());
        QVERIFY(s.frm->close());
        const int hellosAtClose = s.station->count(QStringLiteral("hello"));
        const QString ini = s.program + QStringLiteral("/data/CommConfig.ini");
        QVERIFY(QFile::remove(ini));
        QVERIFY(QDir().mkpath(ini));
        // The box stays open four seconds: longer than supervision takes to give up.
        QStringList seen;
        QTimer closer;
        QElapsedTimer open;
        closer.setInterval(50);
        QObject::connect(&closer, &QTimer::timeout, [&] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w)
                return;
            const QString name = qobject_cast<QMessageBox*>(w) ? qobject_cast<QMessageBox*>(w)->text() : w->objectName();
            if (seen.isEmpty() || seen.last() != name) {
                seen << name;
                open.start();
            }
            if (open.elapsed() > 4000 || !qobject_cast<QMessageBox*>(w))
                qobject_cast<QDialog*>(w)->reject();
        });
        closer.start();
        s.frm->shutdown();
        closer.stop();
        QCOMPARE(seen.size(), 1);
        QVERIFY2(seen.first().contains(QStringLiteral("CommConfig.ini")), qPrintable(seen.first()));
        QCOMPARE(s.station->count(QStringLiteral("hello")), hellosAtClose);
        QVERIFY(QFileInfo(ini).isDir());
    }
};

QTEST_MAIN(TestLinkFaults)
#include "test_link_faults.moc"
