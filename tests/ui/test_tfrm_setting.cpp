// The options dialog and its command through the real widgets, on a fake port and clock.

#include <cstring>
#include <memory>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QLocale>
#include <QUrl>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "link/station_link.h"
#include "support/station_link_test_access.h"
#include "profiles/profile_file.h"
#include "shell/ini_file.h"
#include "support/fake_clock.h"
#include "support/fake_port.h"
#include "support/fake_waits.h"
#include "support/file_bytes.h"
#include "support/frames.h"
#include "ui/modal_watcher.h"
#include "ui/tfrm_comm.h"
#include "ui/tfrm_comm_actions.h"
#include "ui/tfrm_msg.h"
#include "ui/tfrm_set_com.h"
#include "ui/tfrm_setting.h"
#include "ui/ui_language.h"

namespace {

// Flow `flow`, the sensor bit, Celsius; bit 1 of ControlFlags while a process runs.
StationStatus stationFrame(uint8_t flow, bool ir, bool running = false)
{
    StationStatus s;
    s.setWord(StationStatus::Word::Tc, 120);
    s.setWord(StationStatus::Word::Tb, 80);
    s.setCelsius(true);
    s.setIrSensor(ir);
    s.setCommandBits(false, running, false);
    s.setFlow(flow);
    return s;
}

// What the dialog showed when it opened.
struct Shown
{
    QString title;
    QStringList labels;
    QStringList sensorItems;
    int sensor = -2;
    int flow = -2;
    QString interval;
    QString savePath;
    bool login = false;
    bool sensorEnabled = false;
    bool flowEnabled = false;
    bool intervalEnabled = false;
};

Shown look(TfrmSetting* d)
{
    Shown s;
    s.title = d->windowTitle();
    s.labels = {d->Label1->text(), d->Label2->text(), d->Label3->text(), d->Label4->text(), d->CheckBox1->text(),
                d->Button4->text(), d->Button5->text(), d->Button1->text(), d->Button2->text()};
    s.sensorItems = {d->ComboBox1->itemText(0), d->ComboBox1->itemText(1)};
    s.sensor = d->ComboBox1->currentIndex();
    s.flow = d->ComboBox2->currentIndex();
    s.interval = d->ComboBox3->currentIndex() < 0 ? QString() : d->ComboBox3->currentText();
    s.savePath = d->Edit1->text();
    s.login = d->CheckBox1->isChecked();
    s.sensorEnabled = d->ComboBox1->isEnabled() && d->Label1->isEnabled();
    s.flowEnabled = d->ComboBox2->isEnabled() && d->Label2->isEnabled();
    s.intervalEnabled = d->ComboBox3->isEnabled() && d->Label3->isEnabled();
    return s;
}

// The file name typed, as an operator would: selectFile() goes through the dialog's file
// model, which fills in the background, and may leave the name field empty.
void chooseFile(QFileDialog* files, const QString& path)
{
    auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(name);
    name->setText(path);
    static_cast<QDialog*>(files)->accept();
}

// Takes the place of the system's application for opened files.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

} // namespace

class TestTfrmSetting : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QTemporaryDir> m_systemDir;
    FakePort m_port;
    FakeClock m_clock;
    FakeWaits m_waits;
    std::unique_ptr<TfrmComm> m_frm;
    std::unique_ptr<Tfrmmsg> m_msg;

    QString settingsFile() const { return m_dir->filePath(QStringLiteral("data/CommConfig.ini")); }
    void writeSetting(const QString& section, const QString& key, const QString& value)
    {
        IniFile ini(settingsFile());
        QVERIFY(ini.writeString(section, key, value));
    }
    // Shown, hello answered, the station's frame received.
    TfrmComm& aliveWindow(const StationStatus& station, bool answerHello = true)
    {
        m_frm = std::make_unique<TfrmComm>(ProgramPaths(m_dir->path()), &m_port, &m_clock);
        m_frm->link().setWaits(&m_waits);
        m_waits.advance = [this](int ms) { m_clock.advance(uint32_t(ms)); };
        m_msg = std::make_unique<Tfrmmsg>();
        m_frm->setStatusWindow(m_msg.get());
        m_frm->show();
        QSignalSpy done(m_frm.get(), &TfrmComm::firstShowDone);
        if (!done.wait(5000))
            qFatal("first show did not finish");
        if (answerHello) {
            m_port.inject(QByteArray("\x55", 1));
            m_port.inject(wireFrame(station));
        }
        m_port.writes.clear();
        return *m_frm;
    }
    // Runs "Options..."; `act` gets the dialog once, shown, and must close it.
    void runOptions(TfrmComm& frm, ModalWatcher& watcher, const std::function<void(TfrmSetting*)>& act)
    {
        bool handled = false;
        auto previous = watcher.onDialog;
        watcher.onDialog = [&, previous](QDialog* d) {
            if (auto* s = qobject_cast<TfrmSetting*>(d)) {
                if (!handled) {
                    handled = true;
                    // Out of the watcher's tick, so the dialogs it opens are answered too.
                    QTimer::singleShot(0, s, [s, &act] { act(s); });
                }
                return true;
            }
            return previous ? previous(d) : false;
        };
        frm.actions().actnOptions->trigger();
        watcher.onDialog = previous;
        QVERIFY(handled);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QDir(m_dir->path()).mkpath(QStringLiteral("data"));
        m_systemDir = std::make_unique<QTemporaryDir>();
        qputenv("TAMSEL_SYSTEM_DIR", m_systemDir->path().toLocal8Bit());
        IniFile pw(m_systemDir->filePath(QStringLiteral("IRpaswd.ini")));
        QVERIFY(pw.writeBool(QStringLiteral("IRPaswd"), QStringLiteral("inistoin"), false));
        writeSetting("Option", "language", "0");
        m_port = FakePort();
        m_waits.log.clear();
        setSaveTableOnExit(true);
    }
    void cleanup()
    {
        m_frm.reset();
        m_msg.reset();
        UiLanguage::instance().apply(Language::English);
        setSaveTableOnExit(true);
    }

    void dialogShowsTheStationAndTheSettings_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<bool>("ir");
        QTest::addColumn<bool>("linkOn");
        QTest::addColumn<bool>("running");
        QTest::addColumn<bool>("recording");
        QTest::addColumn<QString>("intrals");
        QTest::addColumn<int>("sensor");
        QTest::addColumn<QString>("interval");
        QTest::newRow("English, thermocouple, 1.0 shows \"1\"") << false << false << true << false << false << "1.0" << 0 << "1";
        QTest::newRow("Chinese, IR, 2.5") << true << true << true << false << false << "2.5" << 1 << "2.5";
        QTest::newRow("link off shows IR") << false << false << false << false << false << "0.5" << 1 << "0.5";
        QTest::newRow("running: sensor and flow disabled") << false << false << true << true << false << "5" << 0 << "5";
        QTest::newRow("recording: interval disabled") << true << false << true << false << true << "3" << 0 << "3";
        QTest::newRow("0.7 matches no item") << false << false << true << false << false << "0.7" << 0 << "";
    }
    void dialogShowsTheStationAndTheSettings()
    {
        QFETCH(bool, chinese);
        QFETCH(bool, ir);
        QFETCH(bool, linkOn);
        QFETCH(bool, running);
        QFETCH(bool, recording);
        QFETCH(QString, intrals);
        QFETCH(int, sensor);
        QFETCH(QString, interval);
        writeSetting("Option", "intrals", intrals);
        writeSetting("Option", "ChangePCBMode", "1");
        writeSetting("Option", "savePath", "/srv/irl/");
        TfrmComm& frm = aliveWindow(stationFrame(6, ir, running));
        if (chinese)
            frm.actions().actnChinese->trigger();
        if (recording)
            frm.actions().actnRecord->trigger();
        if (!linkOn)
            frm.actions().actnComunica->trigger();
        QCOMPARE(frm.actions().actnComunica->isChecked(), linkOn);
        m_port.writes.clear();

        ModalWatcher watcher;
        Shown shown;
        runOptions(frm, watcher, [&](TfrmSetting* d) {
            shown = look(d);
            d->reject();
        });

        if (chinese) {
            QCOMPARE(shown.title, QStringLiteral("选项"));
            QCOMPARE(shown.labels, (QStringList{"传感器选择", "流程选择", "取样间隔", "保存参数路径", "用户工号", "参数导入",
                                                "导出操作记录", "确定", "取消"}));
            QCOMPARE(shown.sensorItems, (QStringList{"K型热电偶", "IR-传感器"}));
        } else {
            QCOMPARE(shown.title, QStringLiteral("option"));
            QCOMPARE(shown.labels,
                     (QStringList{"Select Sensor", "Select Flow", "Sampling interval", "Save parameters Path",
                                  "Employee No.", "Import parameters", "Export operation record", "Ok", "Cancel"}));
            QCOMPARE(shown.sensorItems, (QStringList{"Thermocouple", "IR"}));
        }
        QCOMPARE(shown.sensor, sensor);
        QCOMPARE(shown.flow, 6);
        QCOMPARE(shown.interval, interval);
        QCOMPARE(shown.savePath, QStringLiteral("/srv/irl/"));
        QVERIFY(shown.login);
        QCOMPARE(shown.sensorEnabled, !running);
        QCOMPARE(shown.flowEnabled, !running);
        QCOMPARE(shown.intervalEnabled, !recording);
        QVERIFY(m_port.writes.isEmpty());
    }

    void okWritesTheSettingsThenTellsTheStation_data()
    {
        QTest::addColumn<int>("flow");
        QTest::newRow("same flow") << 3;
        QTest::newRow("other flow") << 8;
    }
    void okWritesTheSettingsThenTellsTheStation()
    {
        QFETCH(int, flow);
        // An existing folder typed into the file without its separator.
        const QString backup = QDir::toNativeSeparators(m_dir->filePath(QStringLiteral("backup")));
        QVERIFY(QDir().mkpath(backup));
        writeAll(settingsFile(), "[Option]\nlanguage=0\nintrals=1\nsavePath=" + backup.toLocal8Bit() + "\n");
        const StationStatus station = stationFrame(3, false);
        TfrmComm& frm = aliveWindow(station);
        m_clock.advance(1000);

        ModalWatcher watcher;
        runOptions(frm, watcher, [&](TfrmSetting* d) {
            d->ComboBox1->setCurrentIndex(1);
            d->ComboBox2->setCurrentIndex(flow);
            d->ComboBox3->setCurrentIndex(3);
            d->CheckBox1->setChecked(true);
            d->Button1->click();
        });
        QVERIFY(watcher.seen.filter(QStringLiteral("valid")).isEmpty());

        // The Option section as OK left it; the run-time save path is the text as shown.
        const QByteArray sep = QDir::separator().toLatin1() == '/' ? "/" : "\\";
        QCOMPARE(readAll(settingsFile()), "[Option]\nlanguage=0\nintrals=2\nsavePath=" + backup.toLocal8Bit() + sep
                                              + "\nChangePCBMode=1\n");
        QCOMPARE(frm.programSettings().savePath, backup);
        QCOMPARE(frm.programSettings().samplingInterval, 2.0f);
        QCOMPARE(frm.link().samplingInterval(), 2.0f);
        QVERIFY(frm.programSettings().changePcbMode);
        QVERIFY(frm.link().ChangePCBMode());
        QCOMPARE(StationLinkTestAccess(frm.link()).lastCommandTick(), m_clock.now());

        QCOMPARE(m_port.writes.size(), 1);
        StationStatus sent = station;
        if (flow == 3) {
            sent.setCommandBits(true, false, false);
            sent.setIrSensor(true);
            QVERIFY(m_waits.log.isEmpty());
        } else {
            sent.setFlow(uint8_t(flow));
            QCOMPARE(m_waits.log.last(), QStringLiteral("B200"));
            QCOMPARE(StationLinkTestAccess(frm.link()).pendingAction(), PendingAction::FinishFlowChange);
        }
        QCOMPARE(m_port.writes[0], wireFrame(sent));
        QCOMPARE(frm.link().commandBlock().flow(), uint8_t(flow));
    }

    void cancelChangesNothing()
    {
        writeAll(settingsFile(), "[Option]\nlanguage=0\nintrals=1.5\n");
        TfrmComm& frm = aliveWindow(stationFrame(3, false));
        const QByteArray before = readAll(settingsFile());
        const StationStatus image = frm.link().statusImage();
        ModalWatcher watcher;
        runOptions(frm, watcher, [&](TfrmSetting* d) {
            d->ComboBox1->setCurrentIndex(1);
            d->ComboBox2->setCurrentIndex(7);
            d->ComboBox3->setCurrentIndex(0);
            d->CheckBox1->setChecked(true);
            d->Button2->click();
        });
        QCOMPARE(readAll(settingsFile()), before);
        QVERIFY(m_port.writes.isEmpty());
        QVERIFY(frm.link().statusImage().bytes() == image.bytes());
        QCOMPARE(frm.link().samplingInterval(), 1.5f);
        QVERIFY(!frm.programSettings().changePcbMode);
    }

    void emptyIntervalIsReportedAndTheRunTimeValuesStay()
    {
        writeSetting("Option", "intrals", "0.7");
        TfrmComm& frm = aliveWindow(stationFrame(3, false));
        ModalWatcher watcher;
        runOptions(frm, watcher, [&](TfrmSetting* d) {
            QCOMPARE(d->ComboBox3->currentIndex(), -1);
            d->CheckBox1->setChecked(true);
            d->Edit1->setText(QStringLiteral("/nowhere/else"));
            d->Button1->click();
        });
        QCOMPARE(watcher.seen, (QStringList{"frmSetting", "'' is not a valid floating point value"}));
        IniFile ini(settingsFile());
        QCOMPARE(ini.readBytes("Option", "intrals"), QByteArray());
        QCOMPARE(ini.readBytes("Option", "savePath"), QByteArray("/nowhere/else"));
        QCOMPARE(m_port.writes.size(), 1); // the station step ran
        QCOMPARE(frm.link().samplingInterval(), 0.7f);
        QVERIFY(!frm.link().ChangePCBMode());
        QVERIFY(frm.programSettings().savePath.isEmpty());
    }

    void unwritableSettingsKeepTheDialogOpen()
    {
        TfrmComm& frm = aliveWindow(stationFrame(3, false));
        QVERIFY(QDir(m_dir->filePath(QStringLiteral("data"))).removeRecursively());
        ModalWatcher watcher;
        runOptions(frm, watcher, [&](TfrmSetting* d) {
            d->Button1->click();
            QVERIFY(d->isVisible());
            d->reject();
        });
        QCOMPARE(watcher.seen.size(), 2);
        QVERIFY(watcher.seen[1].contains(QStringLiteral("CommConfig.ini")));
        QVERIFY(m_port.writes.isEmpty());
    }

    void chooserPutsTheFolderWithItsSeparator()
    {
        TfrmSetting d(settingsFile());
        QString started;
        d.setDirectoryChooser([&](QWidget*, const QString& start) {
            started = start;
            return QStringLiteral("/srv/new");
        });
        d.Edit1->setText(QStringLiteral("/srv/old/"));
        d.Button3->click();
        QCOMPARE(started, QStringLiteral("/srv/old/"));
        QCOMPARE(d.Edit1->text(), QDir::toNativeSeparators(QStringLiteral("/srv/new")) + QDir::separator());
        d.setDirectoryChooser([](QWidget*, const QString&) { return QString(); });
        d.Button3->click();
        QCOMPARE(d.Edit1->text(), QDir::toNativeSeparators(QStringLiteral("/srv/new")) + QDir::separator());
    }

    void importThroughTheButtonEndsTheProgramWithoutSavingTheTable()
    {
        const QString source = m_dir->filePath(QStringLiteral("other.irl"));
        writeAll(source, QByteArray("imported table bytes"));
        TfrmComm& frm = aliveWindow(stationFrame(3, false));
        // Recording does not hold the program back.
        frm.actions().actnRecord->trigger();
        m_port.writes.clear();
        ModalWatcher watcher;
        watcher.onDialog = [&](QDialog* d) {
            auto* files = qobject_cast<QFileDialog*>(d);
            if (!files)
                return false;
            chooseFile(files, source);
            return true;
        };
        runOptions(frm, watcher, [](TfrmSetting* d) { d->Button4->click(); });
        QCOMPARE(watcher.seen.size(), 4);
        QCOMPARE(watcher.seen[1], QStringLiteral("OpenDialog1"));
        QVERIFY(watcher.seen[2].contains(QDir::toNativeSeparators(source)));
        QVERIFY(watcher.seen[3].startsWith(QStringLiteral("Successful  import")));
        QVERIFY(!frm.isVisible());
        QVERIFY(m_port.writes.isEmpty());
        m_frm.reset();
        QCOMPARE(readAll(m_dir->filePath(QStringLiteral("data/model.irl"))), QByteArray("imported table bytes"));
    }

    void exportToAnUnwritableTargetNamesItAndLeavesTheLog()
    {
        const QString log = m_dir->filePath(QStringLiteral("data/OpRec.dat"));
        const QByteArray entry(392, '\x01');
        writeAll(log, entry);
        const QString target = QDir::toNativeSeparators(m_dir->filePath(QStringLiteral("missing/ops.xls")));
        TfrmComm& frm = aliveWindow(stationFrame(3, false));
        ModalWatcher watcher;
        watcher.onDialog = [&](QDialog* d) {
            auto* files = qobject_cast<QFileDialog*>(d);
            if (!files)
                return false;
            chooseFile(files, target);
            return true;
        };
        runOptions(frm, watcher, [](TfrmSetting* d) {
            d->Button5->click();
            QVERIFY(d->isVisible());
            d->reject();
        });
        QCOMPARE(watcher.seen.value(1), QStringLiteral("SaveDialog1"));
        QVERIFY(watcher.seen.value(2).contains(target));
        QCOMPARE(readAll(log), entry);
        QVERIFY(frm.isVisible());
    }

    // The whole log as tab-separated text, opened with the system's application for it.
    void exportWritesTheLogAndOpensIt_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QByteArray>("heading");
        QTest::newRow("English") << false << QByteArray("DateTime\tEmployee No.\tName\tDepartment\tRemark\tOld PCB\tNew PCB\r\n");
        QTest::newRow("Chinese") << true
                                 << QByteArray("\xC8\xD5\xC6\xDA\t\xB9\xA4\xBA\xC5\t\xD0\xD5\xC3\xFB\t\xB2\xBF\xC3\xC5\t"
                                               "\xB1\xB8\xD7\xA2\t\xBE\xC9\xC1\xF7\xB3\xCC\t\xD0\xC2\xC1\xF7\xB3\xCC\r\n");
    }
    void exportWritesTheLogAndOpensIt()
    {
        QFETCH(bool, chinese);
        QFETCH(QByteArray, heading);
        // One entry: midnight of 1 January 2000 (36526 days), board "A" to board "B".
        QByteArray entry(392, '\0');
        const double day = 36526.0;
        memcpy(entry.data(), &day, 8);
        entry[264] = 1;
        entry[265] = 'A';
        entry[328] = 1;
        entry[329] = 'B';
        const QString log = m_dir->filePath(QStringLiteral("data/OpRec.dat"));
        writeAll(log, entry);
        const QString target = m_dir->filePath(QStringLiteral("ops.xls"));
        writeAll(target, QByteArray("older export"));

        UrlCatcher opened;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened, "open");
        TfrmComm& frm = aliveWindow(stationFrame(3, false));
        if (chinese)
            frm.actions().actnChinese->trigger();
        ModalWatcher watcher;
        watcher.onDialog = [&](QDialog* d) {
            auto* files = qobject_cast<QFileDialog*>(d);
            if (!files)
                return false;
            chooseFile(files, target);
            return true;
        };
        runOptions(frm, watcher, [](TfrmSetting* d) {
            d->Button5->click();
            d->reject();
        });
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));

        QCOMPARE(watcher.seen, (QStringList{"frmSetting", "SaveDialog1"}));
        const QByteArray date = QLocale::system().toString(QDate(2000, 1, 1), QLocale::ShortFormat).toLocal8Bit();
        QCOMPARE(readAll(target), heading + date + "\t\t\t\t\tA\tB\r\n");
        QCOMPARE(readAll(log), entry);
        QCOMPARE(opened.urls, QList<QUrl>{QUrl::fromLocalFile(target)});
    }

    // Port 20 and rate 3 show nothing selected; OK stores -1 for both. Without the station
    // the reopen tries "COM0"; with it, the empty rate cannot go to the station.
    void comPortTwentyWithoutARate_data()
    {
        QTest::addColumn<bool>("alive");
        QTest::addColumn<QString>("message");
        QTest::newRow("no station: COM0 cannot be opened") << false << "Unable to open port com0";
        QTest::newRow("station alive: no rate to send") << true << "'' is not a valid integer value";
    }
    void comPortTwentyWithoutARate()
    {
        QFETCH(bool, alive);
        QFETCH(QString, message);
        writeSetting("Comm", "CommPort", "20");
        TfrmComm& frm = aliveWindow(stationFrame(3, false), alive);
        ModalWatcher watcher;
        watcher.onDialog = [](QDialog* d) {
            auto* com = qobject_cast<TfrmSetCOM*>(d);
            if (!com || com->ComboBox1->currentIndex() != -1 || com->ComboBox2->currentIndex() != -1)
                return false;
            com->accept();
            return true;
        };
        const int opens = m_port.openCount;
        m_port.failOpen = true;
        frm.actions().N2->trigger();
        IniFile ini(settingsFile());
        QCOMPARE(ini.readInteger("Comm", "CommPort", -9), -1);
        QCOMPARE(ini.readInteger("Comm", "BAUTRATE", -9), -1);
        QTRY_COMPARE(watcher.seen.value(1), message);
        if (alive) {
            QCOMPARE(m_port.openCount, opens);
            QVERIFY(m_port.writes.isEmpty());
        } else {
            QCOMPARE(m_port.openCount, opens + 1);
            QCOMPARE(m_port.lastDevice, QStringLiteral("/dev/ttyS-1"));
            QCOMPARE(m_port.lastBaud, 19200);
        }
    }
};

QTEST_MAIN(TestTfrmSetting)
#include "test_tfrm_setting.moc"
