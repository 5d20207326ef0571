// The main window through its real widgets, on a fake port and clock.

#include <memory>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusTipEvent>
#include <QSignalSpy>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "link/station_link.h"
#include "shell/ini_file.h"
#include "support/fake_clock.h"
#include "support/fake_port.h"
#include "support/fake_waits.h"
#include "support/frames.h"
#include "ui/live_panel.h"
#include "ui/merged_menus.h"
#include "ui/record_chart_view.h"
#include "ui/tfrm_child.h"
#include "ui/modal_watcher.h"
#include "ui/tfrm_comm.h"
#include "ui/tfrm_comm_actions.h"
#include "ui/tfrm_msg.h"
#include "ui/tfrm_set_com.h"
#include "ui/ui_language.h"

namespace {

QStringList menuTitles(QMenuBar* bar)
{
    QStringList t;
    for (QAction* a : bar->actions())
        t << a->text();
    return t;
}

// Entries of a menu, "-" for a separator, "[x]" for an invisible one.
QStringList entries(QMenu* menu)
{
    QStringList t;
    for (QAction* a : menu->actions())
        t << (a->isSeparator() ? QStringLiteral("-") : a->isVisible() ? a->text() : QStringLiteral("[%1]").arg(a->text()));
    return t;
}

QMenu* menuTitled(QMenuBar* bar, const QString& title)
{
    for (QAction* a : bar->actions())
        if (a->text() == title)
            return a->menu();
    return nullptr;
}

StationStatus frame(uint16_t tc, uint16_t tb, bool celsius, bool desoldering, bool running, uint8_t output,
                    uint8_t state, uint8_t flow)
{
    StationStatus s;
    s.setWord(StationStatus::Word::Tc, tc);
    s.setWord(StationStatus::Word::Tb, tb);
    s.setCelsius(celsius);
    s.setDesoldering(desoldering);
    s.setCommandBits(false, running, false);
    s.setByte(StationStatus::OutputFlagsOffset, output);
    s.setByte(StationStatus::StateFlagsOffset, state);
    s.setFlow(flow);
    return s;
}

// A record window with menus of its own.
class MenuWindow : public QWidget, public MergedMenus
{
public:
    MenuWindow()
    {
        m_file.setTitle(QStringLiteral("Record File"));
        m_record.setTitle(QStringLiteral("Record"));
        m_analysis.setTitle(QStringLiteral("Analysis"));
    }
    QMenu* fileMenu() const override { return const_cast<QMenu*>(&m_file); }
    QMenu* recordMenu() const override { return const_cast<QMenu*>(&m_record); }
    QMenu* analysisMenu() const override { return const_cast<QMenu*>(&m_analysis); }

private:
    QMenu m_file;
    QMenu m_record;
    QMenu m_analysis;
};

} // namespace

class TestTfrmComm : public QObject
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
    TfrmComm& makeWindow()
    {
        m_frm = std::make_unique<TfrmComm>(ProgramPaths(m_dir->path()), &m_port, &m_clock);
        m_frm->link().setWaits(&m_waits);
        m_msg = std::make_unique<Tfrmmsg>();
        m_frm->setStatusWindow(m_msg.get());
        return *m_frm;
    }
    // Shown; the first show has said hello.
    TfrmComm& shownWindow()
    {
        TfrmComm& frm = m_frm ? *m_frm : makeWindow();
        frm.show();
        QSignalSpy done(&frm, &TfrmComm::firstShowDone);
        if (!done.wait(5000))
            qFatal("first show did not finish");
        return frm;
    }
    void answerHello()
    {
        m_port.inject(QByteArray("\x55", 1));
        m_port.writes.clear();
    }
    void receive(const StationStatus& s) { m_port.inject(wireFrame(s)); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QDir(m_dir->path()).mkpath(QStringLiteral("data"));
        m_systemDir = std::make_unique<QTemporaryDir>();
        qputenv("TAMSEL_SYSTEM_DIR", m_systemDir->path().toLocal8Bit());
        // Not a first start: no password dialog, no backup offer.
        IniFile pw(m_systemDir->filePath(QStringLiteral("IRpaswd.ini")));
        QVERIFY(pw.writeBool(QStringLiteral("IRPaswd"), QStringLiteral("inistoin"), false));
        // English unless a test says otherwise.
        writeSetting("Option", "language", "0");
        m_port = FakePort();
        m_waits.log.clear();
    }
    void cleanup()
    {
        m_frm.reset();
        m_msg.reset();
        UiLanguage::instance().apply(Language::English);
    }

    void menusToolbarAndStatusBarAsDesigned()
    {
        TfrmComm& frm = makeWindow();
        frm.show();
        QCOMPARE(frm.windowTitle(), QStringLiteral("Tamsel"));
        QMenuBar* bar = frm.menuBar();
        QCOMPARE(menuTitles(bar), (QStringList{"File", "Communication", "Others", "Window", "Help"}));
        QCOMPARE(entries(menuTitled(bar, "File")), (QStringList{"New", "&Open...", "-", "Exit"}));
        QCOMPARE(entries(menuTitled(bar, "Communication")),
                 (QStringList{"communication", "[say hello]", "-", "IR protection"}));
        QCOMPARE(entries(menuTitled(bar, "Others")),
                 (QStringList{"COM port setting", "Options...", "-", "Parameter protection...", "-", "Language", "-",
                              "Quick upload"}));
        QCOMPARE(entries(menuTitled(bar, "Window")), (QStringList{"&Title array", "&Window cascade", "&Icons array"}));
        QCOMPARE(entries(menuTitled(bar, "Help")), (QStringList{"Tamsel help", "About"}));

        TfrmCommActions& a = frm.actions();
        QCOMPARE(a.actnComunica->shortcut(), QKeySequence(Qt::Key_F8));
        QVERIFY(a.actnComunica->isCheckable());
        QCOMPARE(a.actnComunica->toolTip(), QStringLiteral("communication on/off"));
        QCOMPARE(a.actn_Open->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
        QCOMPARE(a.actnRecord->shortcut(), QKeySequence(Qt::Key_F9));
        QCOMPARE(a.actnDeleRec->shortcut(), QKeySequence(Qt::Key_F10));
        QVERIFY(a.menuQuickUp->isCheckable());
        QVERIFY(a.actnEnglish->isChecked());
        QVERIFY(!a.actnChinese->isChecked());
        QVERIFY(a.actnLineW1->isChecked());
        for (const char* name : {"actnComunica", "actnSayHello", "N2", "menuQuickUp", "newfile", "actn_Open",
                                 "actnRecord", "actnDeleRec", "actnLineDot", "actnPreView", "actnPrint"})
            QVERIFY2(frm.findChild<QAction*>(QLatin1String(name)), name);
        QVERIFY(frm.findChild<QPushButton*>(QStringLiteral("btnStart")));
        QVERIFY(frm.page(TfrmComm::ProfilesPage)->findChild<QWidget*>(QStringLiteral("tsGrid2")));
        QVERIFY(frm.findChild<QLabel*>(QStringLiteral("labTc")));
        QCOMPARE(frm.link().chekD().objectName(), QStringLiteral("chekD"));

        QTabWidget* tabs = frm.pageControl();
        QCOMPARE(tabs->count(), 3);
        QCOMPARE(tabs->tabText(0), QStringLiteral("Profiles/Parameters"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("Operator defined input"));
        QCOMPARE(tabs->tabText(2), QStringLiteral("Process values"));
        QCOMPARE(tabs->currentIndex(), 0);

        const auto panels = frm.statusBar()->findChildren<QLabel*>();
        QCOMPARE(panels.size(), 4);
        QCOMPARE(panels[0]->minimumWidth(), 300);
        QCOMPARE(panels[3]->minimumWidth(), 120);
        // The fake port opened at start-up.
        QCOMPARE(frm.statusPanelText(2), QStringLiteral("com opened"));
        QCOMPARE(m_port.lastDevice, QStringLiteral("/dev/ttyS0"));
        QCOMPARE(m_port.lastBaud, 19200);

        // F8 reaches the communication switch through the window's shortcut.
        QVERIFY(!frm.link().communicationOn());
        QApplication::setActiveWindow(&frm);
        QTest::keyClick(&frm, Qt::Key_F8);
        QVERIFY(frm.link().communicationOn());
        QVERIFY(a.actnComunica->isChecked());
    }

    void languageSwitchRetranslatesMenusAndPanel()
    {
        TfrmComm& frm = shownWindow();
        QSignalSpy switched(&frm, &TfrmComm::languageSwitched);
        frm.actions().actnChinese->trigger();
        QCOMPARE(switched.size(), 1);
        // The first show's record window is active: its menus are merged, in Chinese too.
        QCOMPARE(menuTitles(frm.menuBar()), (QStringList{"文件", "通讯", "记录", "分析", "其它", "窗口", "帮助"}));
        TfrmCommActions& a = frm.actions();
        QCOMPARE(a.actnComunica->text(), QStringLiteral("通讯"));
        QCOMPARE(a.actnComunica->toolTip(), QStringLiteral("通讯开启/中断"));
        QCOMPARE(a.N2->text(), QStringLiteral("串口设置"));
        QCOMPARE(a.actnParamProtect->text(), QStringLiteral("参数保护"));
        QCOMPARE(a.actnErase->text(), QStringLiteral("删除上一分析点"));
        QCOMPARE(a.actnErase->toolTip(), QStringLiteral("删除上一个分析点"));
        QVERIFY(a.actnChinese->isChecked());
        QVERIFY(!a.actnEnglish->isChecked());
        LivePanel* p = frm.livePanel();
        QCOMPARE(p->CheckBox1->text(), QStringLiteral("冷却风扇"));
        QCOMPARE(p->CheckBox8->text(), QStringLiteral("顶部加热器在底部"));
        QCOMPARE(p->Label12->text(), QStringLiteral("焊接与拆焊"));
        QCOMPARE(p->btnStart->text(), QStringLiteral("开始"));
        QCOMPARE(frm.pageControl()->tabText(0), QStringLiteral("参数设定"));
        // A dialog made now takes the language of the main window.
        TfrmSetCOM dialog(settingsFile(), &frm);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("设置"));

        // Back to English: the table's English text, not the designed one.
        frm.actions().actnEnglish->trigger();
        QCOMPARE(a.actnParamProtect->text(), QStringLiteral("Parameter list protection..."));
        QCOMPARE(p->CheckBox1->text(), QStringLiteral("Fan"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("setup"));
        // Switching to the language shown still runs the switch.
        frm.switchLanguage(Language::English);
        QCOMPARE(switched.size(), 3);
    }

    void livePanelShowsDecodedFrames_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<bool>("celsius");
        QTest::addColumn<bool>("desoldering");
        QTest::addColumn<bool>("running");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("tag");
        QTest::newRow("English, Celsius, soldering, idle") << false << true << false << false << "°C" << "Soldering"
                                                           << "Begin" << 1;
        QTest::newRow("English, Fahrenheit, desoldering, running") << false << false << true << true << "°F"
                                                                   << "Desoldering" << "Exit" << 0;
        QTest::newRow("Chinese, Celsius, desoldering, running") << true << true << true << true << "℃" << "拆焊"
                                                                << "退出" << 0;
        QTest::newRow("Chinese, Fahrenheit, soldering, idle") << true << false << false << false << "℉" << "焊接"
                                                              << "开始" << 1;
    }
    void livePanelShowsDecodedFrames()
    {
        QFETCH(bool, chinese);
        QFETCH(bool, celsius);
        QFETCH(bool, desoldering);
        QFETCH(bool, running);
        QFETCH(QString, unit);
        QFETCH(QString, kind);
        QFETCH(QString, button);
        QFETCH(int, tag);
        writeSetting("Option", "language", chinese ? "1" : "0");
        TfrmComm& frm = shownWindow();
        answerHello();
        // Fan on, pump off; bottom heater on, top off; bits 3..0 active low: 0b0101 =
        // inside yes, outside no, up yes, down no.
        receive(frame(231, 65535, celsius, desoldering, running, 0x25, 0x80, 7));
        LivePanel* p = frm.livePanel();
        QCOMPARE(p->labTc->text(), QStringLiteral("231"));
        QCOMPARE(p->Label40->text(), QStringLiteral("65535"));
        QCOMPARE(p->Label38->text(), unit);
        QCOMPARE(p->Label41->text(), unit);
        QCOMPARE(p->Label13->text(), kind);
        QCOMPARE(p->btnStart->text(), button);
        QCOMPARE(p->startTag(), tag);
        QCOMPARE(p->Label8->text(), QStringLiteral("7"));
        const bool expected[8] = {true, false, true, false, true, false, true, false};
        QCheckBox* boxes[8] = {p->CheckBox1, p->CheckBox2, p->CheckBox3, p->CheckBox4,
                               p->CheckBox5, p->CheckBox6, p->CheckBox7, p->CheckBox8};
        for (int i = 0; i < 8; ++i) {
            QVERIFY2(boxes[i]->isChecked() == expected[i], qPrintable(boxes[i]->objectName()));
            QVERIFY(!boxes[i]->isEnabled());
        }
    }

    void firstShowSaysHelloAndTheAnswerCompletesIt()
    {
        TfrmComm& frm = shownWindow();
        QVERIFY(frm.actions().actnEnglish->isChecked());
        QVERIFY(m_msg->isVisible());
        QCOMPARE(m_msg->text(), QStringLiteral("saying hello to MCU"));
        QVERIFY(!m_port.writes.isEmpty());
        QCOMPARE(m_port.writes.last(), QByteArray("\x55", 1));
        QVERIFY(frm.link().timerActive());
        // A new record window, as "New" makes it, receives the samples.
        QCOMPARE(frm.mdiArea()->subWindowList().size(), 1);
        QMdiSubWindow* sub = frm.mdiArea()->subWindowList().first();
        QCOMPARE(sub->windowTitle(), QStringLiteral("New file"));
        QVERIFY(sub->isMaximized());
        QVERIFY(frm.recordingTarget());
        QVERIFY(!frm.actions().newfile->isEnabled());

        answerHello();
        QVERIFY(!m_msg->isVisible());
        QCOMPARE(frm.statusPanelText(0), QStringLiteral("hello success!"));
        QVERIFY(frm.actions().actnComunica->isChecked());
    }

    void silentStationGivesUpWithMessageAndComDialog()
    {
        TfrmComm& frm = shownWindow();
        ModalWatcher watcher;
        bool dialogSeen = false;
        watcher.onDialog = [&](QDialog* d) {
            dialogSeen = qobject_cast<TfrmSetCOM*>(d) != nullptr;
            d->reject();
            return true;
        };
        // Nobody answers: supervision says hello every 300 ms and gives up after ten.
        for (int i = 0; i < 40 && frm.link().timerActive(); ++i) {
            m_clock.advance(310);
            frm.link().tick();
        }
        QVERIFY(!frm.link().timerActive());
        QTRY_VERIFY(dialogSeen);
        QCOMPARE(watcher.seen.value(0),
                 QStringLiteral("MCU don't exist!Please check the line of the MCU and power of the MCU."));
        QVERIFY(!frm.actions().actnComunica->isChecked());
        QVERIFY(!frm.link().communicationOn());
        QVERIFY(!m_msg->isVisible());
    }

    void comPortSettingReopensOrTellsTheStationFirst_data()
    {
        QTest::addColumn<bool>("alive");
        QTest::newRow("link not alive: reopened at once") << false;
        QTest::newRow("link alive: new rate sent, reopened after the answer") << true;
    }
    void comPortSettingReopensOrTellsTheStationFirst()
    {
        QFETCH(bool, alive);
        TfrmComm& frm = shownWindow();
        if (alive) {
            answerHello();
            receive(frame(25, 25, true, false, false, 0x0F, 0, 0));
        }
        ModalWatcher watcher;
        watcher.onDialog = [](QDialog* d) {
            auto* com = qobject_cast<TfrmSetCOM*>(d);
            if (!com)
                return false;
            com->ComboBox1->setCurrentIndex(2);
            com->ComboBox2->setCurrentIndex(0);
            com->accept();
            return true;
        };
        const int opens = m_port.openCount;
        m_port.writes.clear();
        frm.actions().N2->trigger();

        IniFile ini(settingsFile());
        QCOMPARE(ini.readInteger("Comm", "CommPort", -9), 2);
        QCOMPARE(ini.readInteger("Comm", "BAUTRATE", -9), 0);
        if (alive) {
            QCOMPARE(m_port.openCount, opens);
            QCOMPARE(m_port.writes.size(), 1);
            const QByteArray sent = m_port.writes.first();
            QCOMPARE(uint8_t(sent[7]), uint8_t(0x80));
            QCOMPARE(uint8_t(sent[8]), uint8_t(0x25));
            receive(frame(25, 25, true, false, false, 0x0F, 0, 0));
            QTRY_COMPARE(m_port.openCount, opens + 1);
        } else {
            QCOMPARE(m_port.openCount, opens + 1);
        }
        QCOMPARE(m_port.lastDevice, QStringLiteral("/dev/ttyS2"));
        QCOMPARE(m_port.lastBaud, 9600);
        QCOMPARE(frm.statusPanelText(2), QStringLiteral("com opened"));
    }

    void comPortMappedBySettingsFile()
    {
        writeSetting("Ports", "COM1", "/tmp/some-pty-link");
        makeWindow();
        QCOMPARE(m_port.lastDevice, QStringLiteral("/tmp/some-pty-link"));
    }

    void portThatFailsToOpenIsReportedByTheLanguageKey_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("text");
        QTest::newRow("language 0") << "0" << "Unable to open port com5";
        QTest::newRow("language 1") << "1" << "不能打开串口5";
        QTest::newRow("language missing") << QString() << "不能打开串口5";
    }
    void portThatFailsToOpenIsReportedByTheLanguageKey()
    {
        QFETCH(QString, language);
        QFETCH(QString, text);
        QFile::remove(settingsFile());
        writeSetting("Comm", "CommPort", "4");
        if (!language.isNull())
            writeSetting("Option", "language", language);
        m_port.failOpen = true;
        ModalWatcher watcher;
        makeWindow();
        QTRY_COMPARE(watcher.seen.value(0), text);
        QCOMPARE(m_frm->statusPanelText(2), QStringLiteral("com closed"));
    }

    void btnStartSendsBeginOrIsRefusedWhenLocked_data()
    {
        QTest::addColumn<bool>("unlocked");
        QTest::newRow("unlocked") << true;
        QTest::newRow("locked") << false;
    }
    void btnStartSendsBeginOrIsRefusedWhenLocked()
    {
        QFETCH(bool, unlocked);
        TfrmComm& frm = shownWindow();
        answerHello();
        receive(frame(25, 25, true, false, false, 0x0F, 0, 3));
        frm.link().setStationUnlocked(unlocked);
        m_port.writes.clear();
        ModalWatcher watcher;
        QTest::mouseClick(frm.livePanel()->btnStart, Qt::LeftButton);
        if (unlocked) {
            QCOMPARE(m_port.writes.size(), 1);
            QCOMPARE(uint8_t(m_port.writes.first()[1]) & 0x07, 0x06);
        } else {
            QVERIFY(m_port.writes.isEmpty());
            QTRY_COMPARE(watcher.seen.size(), 1);
            // Chinese in the English interface too.
            QCOMPARE(watcher.seen.first(), StationLink::sendCommandRefusedText());
        }
        QVERIFY(!frm.link().supervisionPaused());
    }

    void recordWindowMenusTakeTheirPlaceWhileActive()
    {
        TfrmComm& frm = shownWindow();
        frm.mdiArea()->closeAllSubWindows();
        auto* w = new MenuWindow;
        QMdiSubWindow* sub = frm.addRecordWindow(w);
        frm.mdiArea()->setActiveSubWindow(sub);
        QCOMPARE(menuTitles(frm.menuBar()),
                 (QStringList{"Record File", "Communication", "Record", "Analysis", "Others", "Window", "Help"}));
        QVERIFY(sub->isMaximized());
        sub->close();
        QTRY_COMPARE(menuTitles(frm.menuBar()), (QStringList{"File", "Communication", "Others", "Window", "Help"}));
    }

    void windowMenuListsAndTilesRecordWindows()
    {
        TfrmComm& frm = shownWindow();
        frm.mdiArea()->closeAllSubWindows();
        QList<QMdiSubWindow*> subs;
        for (const char* title : {"first", "second"}) {
            auto* w = new QWidget;
            w->setWindowTitle(QLatin1String(title));
            subs << frm.addRecordWindow(w);
        }
        QMenu* window = menuTitled(frm.menuBar(), "Window");
        emit window->aboutToShow();
        const QStringList items = entries(window);
        QCOMPARE(items.mid(3), (QStringList{"-", "&1 first", "&2 second"}));
        window->actions().at(4)->trigger();
        QCOMPARE(frm.mdiArea()->activeSubWindow(), subs[0]);

        frm.actions().actnTile->trigger();
        const int width = frm.mdiArea()->viewport()->width();
        QCOMPARE(subs[0]->geometry().width(), width);
        QCOMPARE(subs[1]->geometry().width(), width);
        QCOMPARE(subs[0]->geometry().top(), 0);
        QCOMPARE(subs[1]->geometry().top(), subs[0]->geometry().bottom() + 1);
    }

    void shutdownWritesItsKeysAndTheCommandBlocks()
    {
        TfrmComm& frm = shownWindow();
        frm.actions().actnChinese->trigger();
        frm.actions().menuQuickUp->trigger();
        frm.actions().actnLineW2->trigger();
        m_frm.reset();

        IniFile ini(settingsFile());
        QCOMPARE(ini.readInteger("Option", "language", -9), 1);
        QCOMPARE(ini.readInteger("Option", "LineWidth", -9), 2);
        QCOMPARE(ini.readInteger("Option", "QuickUpdate", -9), 1);
        QCOMPARE(ini.readInteger("Option", "CurrentLc", -9), -1);
        QVERIFY(ini.contains("Option", "User_Code"));
        QFile ssf(m_dir->filePath(QStringLiteral("data/stru.ssf")));
        QVERIFY(ssf.open(QIODevice::ReadOnly));
        const QByteArray bytes = ssf.readAll();
        QCOMPARE(bytes.size(), 100);
        QCOMPARE(uint8_t(bytes[0]), uint8_t(0xFF));
        QCOMPARE(uint8_t(bytes[1]) & 0x04, 0);
        QCOMPARE(uint8_t(bytes[7]), uint8_t(0x00));
        QCOMPARE(uint8_t(bytes[8]), uint8_t(0x4B));
        QCOMPARE(uint8_t(bytes[50]), uint8_t(0xFF));
        QCOMPARE(uint8_t(bytes[51]) & 0x04, 0x04);
    }

    void startUpTakesTheStoredSettings_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("lineWidth");
        QTest::addColumn<QString>("quickUpdate");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("checkedWidth");
        QTest::addColumn<int>("storedLanguage");
        QTest::addColumn<int>("storedWidth");
        QTest::newRow("no settings") << QString() << QString() << QString() << false << "actnLineW1" << 1 << 1;
        QTest::newRow("language 7, width 5") << "7" << "5" << "0" << true << "actnLineW1" << 0 << 1;
        QTest::newRow("English, Large, quick upload") << "0" << "3" << "1" << true << "actnLineW3" << 0 << 3;
    }
    void startUpTakesTheStoredSettings()
    {
        QFETCH(QString, language);
        QFETCH(QString, lineWidth);
        QFETCH(QString, quickUpdate);
        QFETCH(bool, english);
        QFETCH(QString, checkedWidth);
        QFETCH(int, storedLanguage);
        QFETCH(int, storedWidth);
        QFile::remove(settingsFile());
        if (!language.isNull())
            writeSetting("Option", "language", language);
        if (!lineWidth.isNull())
            writeSetting("Option", "LineWidth", lineWidth);
        if (!quickUpdate.isNull())
            writeSetting("Option", "QuickUpdate", quickUpdate);
        TfrmComm& frm = shownWindow();
        QCOMPARE(frm.actions().actnEnglish->isChecked(), english);
        QCOMPARE(frm.actions().actnChinese->isChecked(), !english);
        QVERIFY(frm.findChild<QAction*>(checkedWidth)->isChecked());
        QCOMPARE(frm.actions().menuQuickUp->isChecked(), quickUpdate == QLatin1String("1"));
        m_frm.reset();
        IniFile ini(settingsFile());
        QCOMPARE(ini.readInteger("Option", "language", -9), storedLanguage);
        QCOMPARE(ini.readInteger("Option", "LineWidth", -9), storedWidth);
    }

    void chartDoubleClickLeavesTheFrameToTheRecordWindows()
    {
        TfrmComm& frm = shownWindow();
        auto* child = qobject_cast<TfrmChild*>(frm.mdiArea()->subWindowList().value(0)->widget());
        QVERIFY(child);
        QVERIFY(frm.panelsVisible());
        // The two splitter bars go and come with the panels.
        const auto handlesVisible = [&frm] {
            auto* h = frm.findChild<QSplitter*>("Splitter2");
            auto* v = frm.findChild<QSplitter*>("Splitter1");
            return h->handle(1)->isVisible() && v->handle(1)->isVisible();
        };
        QVERIFY(handlesVisible());
        QTest::mouseDClick(child->chartView(), Qt::LeftButton);
        QVERIFY(!frm.panelsVisible());
        QVERIFY(!frm.pageControl()->isVisible());
        QVERIFY(!frm.livePanel()->isVisible());
        QTRY_VERIFY(!handlesVisible());
        QTest::mouseDClick(child->chartView(), Qt::LeftButton);
        QVERIFY(frm.panelsVisible());
        QVERIFY(frm.pageControl()->isVisible());
        QVERIFY(frm.livePanel()->isVisible());
        QTRY_VERIFY(handlesVisible());
    }

    void closeWhileRecordingLeavesEveryWindowOpen()
    {
        TfrmComm& frm = shownWindow();
        // Another window first, the window that records behind it.
        frm.mdiArea()->closeAllSubWindows();
        auto* other = new QWidget;
        frm.addRecordWindow(other);
        QPointer<QWidget> otherAlive(other);
        QVERIFY(frm.actions().newfile->isEnabled());
        frm.actions().newfile->trigger();
        QCOMPARE(frm.mdiArea()->subWindowList().size(), 2);
        QCOMPARE(frm.mdiArea()->subWindowList().last()->widget(), dynamic_cast<QWidget*>(frm.recordingTarget()));
        frm.actions().actnRecord->trigger();
        QVERIFY(frm.actions().actnRecord->isChecked());
        ModalWatcher watcher;
        QVERIFY(!frm.close());
        QTRY_COMPARE(watcher.seen.value(0), QStringLiteral("Can't close the child form,please stop recording first!"));
        QCOMPARE(frm.mdiArea()->subWindowList().size(), 2);
        QVERIFY(otherAlive);
        QVERIFY(m_port.isOpenNow);
    }

    void closeIsRefusedWhileARecordWindowRefuses()
    {
        TfrmComm& frm = shownWindow();
        struct Stubborn : QWidget {
            void closeEvent(QCloseEvent* e) override { e->ignore(); }
        };
        frm.addRecordWindow(new Stubborn);
        QVERIFY(!frm.close());
        QVERIFY(frm.isVisible());
        QVERIFY(m_port.isOpenNow);
    }

    void statusPanelsStayWhileHintsShow()
    {
        TfrmComm& frm = shownWindow();
        QCOMPARE(frm.statusPanelText(3), QStringLiteral("COM CRC Error Count:0"));
        QStatusTipEvent tip(QStringLiteral("communication on/off"));
        QApplication::sendEvent(&frm, &tip);
        QCOMPARE(frm.statusBar()->currentMessage(), QStringLiteral("communication on/off"));
        const auto panels = frm.statusBar()->findChildren<QLabel*>(QRegularExpression(QStringLiteral("^StatusPanel")));
        QCOMPARE(panels.size(), 4);
        for (QLabel* l : panels)
            QVERIFY2(l->isVisible(), qPrintable(l->objectName()));
    }

    void beginBeforeTheFirstStatusFrameIsRefused()
    {
        TfrmComm& frm = shownWindow();
        answerHello();
        ModalWatcher watcher;
        QTest::mouseClick(frm.livePanel()->btnStart, Qt::LeftButton);
        QTRY_COMPARE(watcher.seen.size(), 1);
        QCOMPARE(watcher.seen.first(),
                 QStringLiteral("The MCU has not answered yet. Please wait until communication is established."));
        QVERIFY(m_port.writes.isEmpty());
        QVERIFY(!frm.actions().actnRecord->isChecked());
    }

    void silentStationLeavesThePanelGreyUntilTheNextFrame()
    {
        TfrmComm& frm = shownWindow();
        answerHello();
        receive(frame(230, 120, true, false, true, 0x0F, 0xC0, 2));
        LivePanel* p = frm.livePanel();
        QCOMPARE(p->btnStart->text(), QStringLiteral("Exit"));
        QVERIFY(p->valuesCurrent());
        const QColor live = p->labTc->palette().color(QPalette::WindowText);
        ModalWatcher watcher;
        frm.link().setLastCommandTick(m_clock.now() - 5000);
        for (int i = 0; i < 60 && frm.link().timerActive(); ++i) {
            m_clock.advance(310);
            frm.link().tick();
        }
        QVERIFY(!frm.link().timerActive());
        QTRY_VERIFY(!watcher.seen.isEmpty());
        // The last values stay, greyed; the first panel no longer claims a working link.
        QCOMPARE(frm.statusPanelText(0), QStringLiteral("MCU not answering"));
        QVERIFY(!p->valuesCurrent());
        QCOMPARE(p->labTc->text(), QStringLiteral("230"));
        QVERIFY(p->labTc->palette().color(QPalette::WindowText) != live);
        QVERIFY(p->CheckBox1->palette().color(QPalette::Text) != live);
        QVERIFY(!p->btnStart->isEnabled());

        // Communication on again: the hello and the next frame make the panel live.
        frm.actions().actnComunica->trigger();
        m_clock.advance(400);
        frm.link().tick();
        answerHello();
        QCOMPARE(frm.statusPanelText(0), QStringLiteral("hello success!"));
        receive(frame(231, 121, true, false, false, 0x0F, 0, 2));
        QVERIFY(p->valuesCurrent());
        QCOMPARE(p->labTc->text(), QStringLiteral("231"));
        QCOMPARE(p->labTc->palette().color(QPalette::WindowText), live);
        QVERIFY(p->btnStart->isEnabled());
    }

    void lostPortIsOneMessageNamingThePort()
    {
        TfrmComm& frm = shownWindow();
        answerHello();
        receive(frame(25, 25, true, false, false, 0x0F, 0, 3));
        ModalWatcher watcher;
        watcher.onDialog = [&](QDialog* d) {
            d->reject();
            return true;
        };
        m_port.lose(QStringLiteral("No such device"));
        QTRY_COMPARE(watcher.seen.size(), 1);
        QCOMPARE(watcher.seen.first(),
                 QStringLiteral("The serial port COM1 (/dev/ttyS0) has gone away: No such device\n"
                                "The program reconnects as soon as the port is back."));
        QCOMPARE(frm.statusPanelText(2), QStringLiteral("com closed"));
        QCOMPARE(frm.statusPanelText(0), QStringLiteral("MCU not answering"));
        QVERIFY(!frm.livePanel()->valuesCurrent());
        QVERIFY(!frm.actions().actnComunica->isChecked());
        // Supervision does not pile the station-missing message and the COM dialog on it.
        m_clock.advance(10000);
        frm.link().tick();
        QVERIFY(frm.link().reopenTimer().isActive());
        // Back: reopened and greeted without a dialog.
        frm.link().retryLostPort();
        QCOMPARE(frm.statusPanelText(2), QStringLiteral("com opened"));
        QVERIFY(frm.actions().actnComunica->isChecked());
        QCOMPARE(m_port.writes.last(), QByteArray("\x55", 1));
        QVERIFY(m_msg->isVisible());
        answerHello();
        QCOMPARE(frm.statusPanelText(0), QStringLiteral("hello success!"));
        QCoreApplication::processEvents();
        QCOMPARE(watcher.seen.size(), 1);
    }

    // A message box of the shutdown (here: the settings file cannot be written) runs an event
    // loop; the link says nothing there, however long it stays open.
    void closedWindowSaysNothingOfTheLink()
    {
        TfrmComm& frm = shownWindow();
        answerHello();
        QVERIFY(frm.close());
        QVERIFY(!frm.link().timerActive());
        QVERIFY(!m_port.isOpenNow);
        QVERIFY(QFile::remove(settingsFile()));
        QVERIFY(QDir().mkpath(settingsFile()));
        ModalWatcher watcher;
        watcher.onDialog = [&](QDialog* d) {
            d->accept();
            return true;
        };
        frm.shutdown();
        m_clock.advance(20000);
        frm.link().tick();
        m_port.lose(QStringLiteral("gone"));
        QCoreApplication::processEvents();
        QCOMPARE(watcher.seen.size(), 1);
        QVERIFY(watcher.seen.first().contains(QStringLiteral("CommConfig.ini")));
        QVERIFY(!m_port.isOpenNow);
        QCOMPARE(m_port.writes.count(QByteArray("\x55", 1)), 0);
    }

    void firstStartRestoresTheBackupWhole()
    {
        IniFile pw(m_systemDir->filePath(QStringLiteral("IRpaswd.ini")));
        QVERIFY(pw.writeBool(QStringLiteral("IRPaswd"), QStringLiteral("inistoin"), true));
        const QByteArray backup = QByteArray("\x00\x00", 2);
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("ParamBAK")));
        {
            QFile f(m_dir->filePath(QStringLiteral("ParamBAK/model.irl")));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(backup);
            QFile m(m_dir->filePath(QStringLiteral("data/model.irl")));
            QVERIFY(m.open(QIODevice::WriteOnly));
            m.write("old table");
        }
        ModalWatcher watcher;
        shownWindow();
        QCOMPARE(watcher.seen.value(0),
                 QStringLiteral("The old Parameters backup file has been founded,would you like to Load it?"));
        QFile m(m_dir->filePath(QStringLiteral("data/model.irl")));
        QVERIFY(m.open(QIODevice::ReadOnly));
        QCOMPARE(m.readAll(), backup);
        // Nothing left beside it.
        QCOMPARE(QDir(m_dir->filePath(QStringLiteral("data"))).entryList({QStringLiteral("model.irl*")}, QDir::Files),
                 QStringList{QStringLiteral("model.irl")});
    }

    void startUpRemovesLeftoversOfInterruptedSaves()
    {
        const QString leftover = m_dir->filePath(QStringLiteral("data/model.irl.ZJWdUn"));
        const QString foreign = m_dir->filePath(QStringLiteral("data/notes.txt.ZJWdUn"));
        for (const QString& path : {leftover, foreign}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        makeWindow();
        QVERIFY(!QFile::exists(leftover));
        QVERIFY(QFile::exists(foreign));
    }
};

QTEST_MAIN(TestTfrmComm)
#include "test_tfrm_comm.moc"
