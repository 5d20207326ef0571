// The main window in this process against tamsel-station on a pseudo-terminal: a recording
// of a running process saved and read back, and a profile uploaded to the station and
// downloaded again.

#include <memory>

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "profiles/profile_table.h"
#include "profiles/profile_values.h"
#include "shell/ini_file.h"
#include "station_process.h"
#include "ui/live_panel.h"
#include "ui/modal_watcher.h"
#include "ui/profile_page.h"
#include "ui/record_windows.h"
#include "ui/tfrm_child.h"
#include "ui/tfrm_comm.h"
#include "ui/tfrm_comm_actions.h"
#include "ui/tfrm_msg.h"

namespace {

// A station, a program folder whose COM1 is the station's link, and the main window after
// a successful hello.
struct LiveSetup
{
    QTemporaryDir dir;
    QTemporaryDir systemDir;
    std::unique_ptr<StationProcess> station;
    std::unique_ptr<Tfrmmsg> msg;
    std::unique_ptr<TfrmComm> frm;

    bool start()
    {
        const QString link = dir.filePath(QStringLiteral("COM1"));
        station = std::make_unique<StationProcess>(
            QStringList{QStringLiteral("--link"), link, QStringLiteral("--speed"), QStringLiteral("20")});
        if (!station->started() || !QTest::qWaitFor([&] { return !station->path().isEmpty(); }, 10000))
            return false;
        const QString program = dir.filePath(QStringLiteral("program"));
        QDir().mkpath(program + QStringLiteral("/data"));
        {
            IniFile ini(program + QStringLiteral("/data/CommConfig.ini"));
            if (!ini.writeString("Ports", "COM1", link) || !ini.writeInteger("Option", "language", 0))
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
        return QTest::qWaitFor([&] { return frm->statusPanelText(0) == QStringLiteral("hello success!"); }, 10000);
    }

    ~LiveSetup()
    {
        frm.reset();
        station.reset();
    }
};

} // namespace

class TestRecordProfileStation : public QObject
{
    Q_OBJECT

private slots:
    void recordingSavedAndReopened()
    {
        LiveSetup s;
        QVERIFY(s.start());
        ModalWatcher watcher;
        RecordWindows* windows = s.frm->recordWindows();
        TfrmCommActions& a = s.frm->actions();
        const QString file = s.dir.filePath(QStringLiteral("run.sld"));
        windows->setFileChooser([&](RecordWindows::FileDialog, const QString&) { return file; });

        a.newfile->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(windows->recordingTarget() != nullptr, 5000);
        TfrmChild* recorded = windows->recordingTarget();
        QVERIFY(a.actnRecord->isEnabled());
        a.actnRecord->trigger();
        QVERIFY(a.actnRecord->isChecked());
        QCOMPARE(s.frm->statusPanelText(1), QStringLiteral("recording..."));

        s.station->send("start");
        QTRY_VERIFY_WITH_TIMEOUT(s.station->count(QStringLiteral("start flow=")) == 1, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(recorded->record().samples.size() >= 8, 30000);
        a.actnRecord->trigger();
        QVERIFY(!a.actnRecord->isChecked());
        const QList<RecordSample> samples = recorded->record().samples;

        QVERIFY(windows->activeRecordWindow() == recorded);
        QVERIFY(windows->saveAs());
        QVERIFY(QFileInfo(file).size() > 0);

        a.actn_Open->trigger();
        TfrmChild* reopened = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((reopened = windows->activeRecordWindow()) != recorded && reopened, 5000);
        const QList<RecordSample>& back = reopened->record().samples;
        QCOMPARE(back.size(), samples.size());
        bool climbed = false;
        for (int i = 0; i < samples.size(); ++i) {
            const RecordSample& x = samples[i];
            const RecordSample& y = back[i];
            QCOMPARE(y.time, x.time);
            QCOMPARE(y.tc, x.tc);
            QCOMPARE(y.tb, x.tb);
            QCOMPARE(y.fan, x.fan);
            QCOMPARE(y.pump, x.pump);
            QCOMPARE(y.bottomHeater, x.bottomHeater);
            QCOMPARE(y.topHeater, x.topHeater);
            QCOMPARE(y.fanInside, x.fanInside);
            QCOMPARE(y.fanOutside, x.fanOutside);
            QCOMPARE(y.topHeaterUp, x.topHeaterUp);
            QCOMPARE(y.topHeaterDown, x.topHeaterDown);
            QVERIFY(y == x);
            climbed = climbed || x.topHeater || x.bottomHeater;
        }
        QVERIFY(climbed); // the process was running while it was recorded
        QVERIFY(!watcher.seen.contains(QStringLiteral("file error!")));
    }

    void uploadedProfileRunsOnStation()
    {
        LiveSetup s;
        QVERIFY(s.start());
        ModalWatcher watcher;
        // The upload goes to the flow the live panel shows, so wait for the station's frames.
        QTRY_COMPARE_WITH_TIMEOUT(s.frm->livePanel()->Label8->text(), QStringLiteral("0"), 10000);
        ProfilePage* page = s.frm->profilePage();
        ProfileTable& t = page->table();
        using namespace ProfileColumn;

        const int up = t.appendRow();
        t.SetCell(Board, up, QStringLiteral("e2e"));
        t.SetCell(T1, up, 110.0);
        t.SetCell(S1, up, 20.0);
        t.SetCell(T2, up, 130.0);
        t.SetCell(S2, up, 20.0);
        t.SetCell(T3, up, 160.0);
        t.SetCell(S3, up, 5.0);
        t.MakeCurrent(up);
        page->updateActionStates();
        QVERIFY(page->actn_Upload->isEnabled());
        page->actn_Upload->trigger();

        QTRY_VERIFY2_WITH_TIMEOUT(s.station->count(QStringLiteral("stored flow=0")) >= 1,
                                  qPrintable(watcher.seen.join(QLatin1Char('|')) + QLatin1Char('\n')
                                             + s.station->lines().filter(QStringLiteral("write")).join(QLatin1Char('\n'))),
                                  10000);
        QString write;
        for (const QString& line : s.station->lines())
            if (line.startsWith(QStringLiteral("write run=00 ")))
                write = line;
        QVERIFY2(write.contains(QStringLiteral(" T1=110 ")) && write.contains(QStringLiteral(" S1=20 "))
                     && write.contains(QStringLiteral(" T2=130 ")) && write.contains(QStringLiteral(" S2=20 "))
                     && write.contains(QStringLiteral(" T3=160 ")) && write.contains(QStringLiteral(" S3=5 ")),
                 qPrintable(write));

        // Once polls report the stored flow again, its values come back into another row.
        const int polls = s.station->count(QStringLiteral("poll flow=0"));
        QTRY_VERIFY_WITH_TIMEOUT(s.station->count(QStringLiteral("poll flow=0")) >= polls + 3, 10000);
        const int down = t.appendRow();
        t.SetCell(Board, down, QStringLiteral("back"));
        t.MakeCurrent(down);
        page->updateActionStates();
        QVERIFY(page->actn_download->isEnabled());
        page->actn_download->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(t.Cell(T1, down).toInt(), 110, 5000);
        QCOMPARE(t.Cell(S1, down).toInt(), 20);
        QCOMPARE(t.Cell(T2, down).toInt(), 130);
        QCOMPARE(t.Cell(S2, down).toInt(), 20);
        QCOMPARE(t.Cell(T3, down).toInt(), 160);
        QCOMPARE(t.Cell(S3, down).toInt(), 5);
        QVERIFY2(watcher.seen.size() == 2, qPrintable(watcher.seen.join(QLatin1Char('|'))));
    }
};

QTEST_MAIN(TestRecordProfileStation)
#include "test_record_profile_station.moc"
