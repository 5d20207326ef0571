// The options dialog against tamsel-station on a pseudo-terminal: the flow and the sensor
// chosen reach the station, and the polls follow the chosen sampling interval.

#include <memory>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "link/station_link.h"
#include "shell/ini_file.h"
#include "station_process.h"
#include "ui/live_panel.h"
#include "ui/modal_watcher.h"
#include "ui/tfrm_comm.h"
#include "ui/tfrm_comm_actions.h"
#include "ui/tfrm_msg.h"
#include "ui/tfrm_setting.h"

class TestOptionsStation : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QTemporaryDir m_systemDir;
    std::unique_ptr<StationProcess> m_station;
    std::unique_ptr<Tfrmmsg> m_msg;
    std::unique_ptr<TfrmComm> m_frm;

    bool start()
    {
        const QString link = m_dir.filePath(QStringLiteral("COM1"));
        m_station = std::make_unique<StationProcess>(QStringList{QStringLiteral("--link"), link});
        if (!m_station->started() || !QTest::qWaitFor([&] { return !m_station->path().isEmpty(); }, 10000))
            return false;
        const QString program = m_dir.filePath(QStringLiteral("program"));
        QDir().mkpath(program + QStringLiteral("/data"));
        {
            IniFile ini(program + QStringLiteral("/data/CommConfig.ini"));
            if (!ini.writeString("Ports", "COM1", link) || !ini.writeInteger("Option", "language", 0))
                return false;
        }
        qputenv("TAMSEL_SYSTEM_DIR", m_systemDir.path().toLocal8Bit());
        {
            IniFile pw(m_systemDir.filePath(QStringLiteral("IRpaswd.ini")));
            if (!pw.writeBool("IRPaswd", "inistoin", false))
                return false;
        }
        m_frm = std::make_unique<TfrmComm>(ProgramPaths(program));
        m_msg = std::make_unique<Tfrmmsg>();
        m_frm->setStatusWindow(m_msg.get());
        m_frm->show();
        return QTest::qWaitFor([&] { return m_frm->statusPanelText(0) == QStringLiteral("hello success!"); }, 10000);
    }

    // "Options..." with these choices, then OK.
    void chooseOptions(ModalWatcher& watcher, int sensor, int flow, int interval)
    {
        bool shown = false;
        watcher.onDialog = [&](QDialog* d) {
            auto* s = qobject_cast<TfrmSetting*>(d);
            if (!s || shown)
                return s != nullptr;
            shown = true;
            QTimer::singleShot(0, s, [=] {
                s->ComboBox1->setCurrentIndex(sensor);
                s->ComboBox2->setCurrentIndex(flow);
                s->ComboBox3->setCurrentIndex(interval);
                s->Button1->click();
            });
            return true;
        };
        m_frm->actions().actnOptions->trigger();
        watcher.onDialog = nullptr;
        QVERIFY(shown);
    }

private slots:
    void cleanup()
    {
        m_frm.reset();
        m_msg.reset();
        m_station.reset();
    }

    void flowSensorAndIntervalReachTheStation()
    {
        QVERIFY(start());
        ModalWatcher watcher;
        QTRY_COMPARE_WITH_TIMEOUT(m_frm->livePanel()->Label8->text(), QStringLiteral("0"), 10000);

        // Flow 3 with the thermocouple: the flow first, the sensor on the next frame.
        chooseOptions(watcher, 0, 3, 3);
        QTRY_VERIFY_WITH_TIMEOUT(m_station->count(QStringLiteral("flow 3")) >= 1, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(m_station->count(QStringLiteral("write run=00 flow=3 desoldering=1 ir=0 ")) >= 1,
                                 10000);
        QTRY_COMPARE_WITH_TIMEOUT(m_frm->livePanel()->Label8->text(), QStringLiteral("3"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!m_frm->link().statusImage().isIrSensor(), 10000);

        // The same flow with IR: one command.
        chooseOptions(watcher, 1, 3, 3);
        QTRY_VERIFY_WITH_TIMEOUT(m_station->count(QStringLiteral("write run=00 flow=3 desoldering=1 ir=1 ")) >= 1,
                                 10000);
        QTRY_VERIFY_WITH_TIMEOUT(m_frm->link().statusImage().isIrSensor(), 10000);
        QCOMPARE(m_frm->livePanel()->Label8->text(), QStringLiteral("3"));

        // Interval 2: a poll every 2 s, on the 60 ms tick after it (2.04 s).
        auto polls = [&] { return m_station->count(QStringLiteral("poll flow=3")); };
        const int before = polls();
        QVERIFY(QTest::qWaitFor([&] { return polls() > before; }, 10000));
        QElapsedTimer t;
        t.start();
        QVERIFY(QTest::qWaitFor([&] { return polls() >= before + 3; }, 15000));
        const qint64 twoIntervals = t.elapsed();
        qInfo("two poll intervals: %lld ms", static_cast<long long>(twoIntervals));
        QVERIFY2(twoIntervals >= 3800 && twoIntervals <= 6500, qPrintable(QString::number(twoIntervals)));
        QVERIFY2(watcher.seen.size() == 2, qPrintable(watcher.seen.join(QLatin1Char('|'))));
    }
};

QTEST_MAIN(TestOptionsStation)
#include "test_options_station.moc"
