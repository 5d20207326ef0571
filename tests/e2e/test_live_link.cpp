// The main window in this process on a real serial port: a pseudo-terminal with
// tamsel-station on the other side. Hello, polls, the station's values on the live panel,
// a process started at the station, and a station that goes silent.

#include <memory>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "shell/ini_file.h"
#include "station_process.h"
#include "ui/live_panel.h"
#include "ui/modal_watcher.h"
#include "ui/tfrm_comm.h"
#include "ui/tfrm_comm_actions.h"
#include "ui/tfrm_msg.h"
#include "ui/tfrm_set_com.h"

class TestLiveLink : public QObject
{
    Q_OBJECT

private slots:
    void stationOnAPseudoTerminal()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath(QStringLiteral("COM1"));
        StationProcess station({QStringLiteral("--link"), link, QStringLiteral("--speed"), QStringLiteral("20")});
        QVERIFY(station.started());
        QTRY_VERIFY_WITH_TIMEOUT(!station.path().isEmpty(), 10000);

        const QString program = dir.filePath(QStringLiteral("program"));
        QDir().mkpath(program + QStringLiteral("/data"));
        {
            IniFile ini(program + QStringLiteral("/data/CommConfig.ini"));
            QVERIFY(ini.writeString("Ports", "COM1", link));
            QVERIFY(ini.writeInteger("Option", "language", 0));
        }
        QTemporaryDir systemDir;
        qputenv("TAMSEL_SYSTEM_DIR", systemDir.path().toLocal8Bit());
        {
            IniFile pw(systemDir.filePath(QStringLiteral("IRpaswd.ini")));
            QVERIFY(pw.writeBool("IRPaswd", "inistoin", false));
        }

        auto frm = std::make_unique<TfrmComm>(ProgramPaths(program));
        Tfrmmsg msg;
        frm->setStatusWindow(&msg);
        QCOMPARE(frm->statusPanelText(2), QStringLiteral("com opened"));
        frm->show();

        // Hello, then polls at the sampling interval.
        QTRY_COMPARE_WITH_TIMEOUT(frm->statusPanelText(0), QStringLiteral("hello success!"), 10000);
        QVERIFY(!msg.isVisible());
        QVERIFY(frm->actions().actnComunica->isChecked());
        QTRY_VERIFY_WITH_TIMEOUT(station.count(QStringLiteral("poll flow=0")) >= 2, 10000);

        // The station's own values: flow 0 in Celsius, idle, soldering or desoldering as its
        // default profile says (desoldering).
        LivePanel* p = frm->livePanel();
        QTRY_COMPARE_WITH_TIMEOUT(p->Label8->text(), QStringLiteral("0"), 10000);
        QCOMPARE(p->Label38->text(), QStringLiteral("°C"));
        QCOMPARE(p->Label41->text(), QStringLiteral("°C"));
        QCOMPARE(p->Label13->text(), QStringLiteral("Desoldering"));
        QCOMPARE(p->btnStart->text(), QStringLiteral("Begin"));
        bool ok = false;
        const int idleTc = p->labTc->text().toInt(&ok);
        QVERIFY2(ok, qPrintable(p->labTc->text()));
        p->Label40->text().toInt(&ok);
        QVERIFY(ok);

        // The station's start key: a process runs, the panel offers Exit and TC climbs.
        station.send("start");
        QTRY_COMPARE_WITH_TIMEOUT(p->btnStart->text(), QStringLiteral("Exit"), 10000);
        QCOMPARE(p->startTag(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(p->labTc->text().toInt() > idleTc + 5, 20000);
        QVERIFY(p->CheckBox4->isChecked() || p->CheckBox3->isChecked()); // a heater on

        // Silence: noticed after 1.7 s, ten unanswered hellos, then the message and the
        // COM port dialog; communication ends switched off.
        ModalWatcher watcher;
        bool comDialog = false;
        watcher.onDialog = [&](QDialog* d) {
            comDialog = comDialog || qobject_cast<TfrmSetCOM*>(d);
            d->reject();
            return true;
        };
        station.send("silent on");
        QTRY_VERIFY_WITH_TIMEOUT(comDialog, 20000);
        QCOMPARE(watcher.seen.value(0),
                 QStringLiteral("MCU don't exist!Please check the line of the MCU and power of the MCU."));
        QVERIFY(!frm->actions().actnComunica->isChecked());
        QVERIFY(!msg.isVisible());
        QVERIFY(station.count(QStringLiteral("hello-unanswered")) >= 10);
        QCOMPARE(frm->statusPanelText(2), QStringLiteral("com opened"));

        // Shutdown stores the command blocks beside the settings.
        frm.reset();
        QCOMPARE(QFileInfo(program + QStringLiteral("/data/stru.ssf")).size(), 100);
    }
};

QTEST_MAIN(TestLiveLink)
#include "test_live_link.moc"
