// The "Process figures" page and the process window dialog, through their real widgets.

#include <memory>

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "link/station_link.h"
#include "records/record_file.h"
#include "shell/ini_file.h"
#include "support/fake_clock.h"
#include "support/fake_port.h"
#include "support/fake_waits.h"
#include "support/file_bytes.h"
#include "ui/figures_panel.h"
#include "ui/modal_watcher.h"
#include "ui/record_windows.h"
#include "ui/tfrm_child.h"
#include "ui/tfrm_comm.h"
#include "ui/tfrm_msg.h"
#include "ui/tfrm_process_window.h"
#include "ui/ui_language.h"

namespace {

StationStatus frame(double tc, double tb)
{
    StationStatus s;
    s.setWord(StationStatus::Word::Tc, uint16_t(tc));
    s.setWord(StationStatus::Word::Tb, uint16_t(tb));
    s.setCelsius(true);
    return s;
}

// At 1 s per sample: 2 °C/s up to 245 at 110 s, then 4 °C/s down. Above 217 °C from 96 s
// to 117 s: 21 s, too short for the lead-free window.
double run(int i)
{
    return i <= 110 ? 25 + 2 * i : 245 - 4 * (i - 110);
}

} // namespace

class TestFiguresPanel : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QTemporaryDir> m_systemDir;
    FakePort m_port;
    FakeClock m_clock;
    FakeWaits m_waits;
    std::unique_ptr<TfrmComm> m_frm;
    std::unique_ptr<Tfrmmsg> m_msg;

    QString settingsFile() const { return m_dir->filePath(QStringLiteral("data/CommConfig.ini")); }

    TfrmComm& shownWindow()
    {
        m_frm = std::make_unique<TfrmComm>(ProgramPaths(m_dir->path()), &m_port, &m_clock);
        m_frm->link().setWaits(&m_waits);
        m_msg = std::make_unique<Tfrmmsg>();
        m_frm->setStatusWindow(m_msg.get());
        m_frm->show();
        QSignalSpy done(m_frm.get(), &TfrmComm::firstShowDone);
        if (!done.wait(5000))
            qFatal("first show did not finish");
        return *m_frm;
    }

    FiguresPanel* panelOf(TfrmComm& frm)
    {
        auto* panel = frm.findChild<FiguresPanel*>(QStringLiteral("FiguresPanel"));
        if (panel)
            frm.pageControl()->setCurrentWidget(panel);
        return panel;
    }

    static QString cell(FiguresPanel* p, int row, int column) { return p->table()->item(row, column)->text(); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QDir(m_dir->path()).mkpath(QStringLiteral("data"));
        m_systemDir = std::make_unique<QTemporaryDir>();
        qputenv("TAMSEL_SYSTEM_DIR", m_systemDir->path().toLocal8Bit());
        IniFile pw(m_systemDir->filePath(QStringLiteral("IRpaswd.ini")));
        QVERIFY(pw.writeBool(QStringLiteral("IRPaswd"), QStringLiteral("inistoin"), false));
        IniFile ini(settingsFile());
        QVERIFY(ini.writeString(QStringLiteral("Option"), QStringLiteral("language"), QStringLiteral("0")));
        m_port = FakePort();
    }
    void cleanup()
    {
        m_frm.reset();
        m_msg.reset();
        UiLanguage::instance().apply(Language::English);
    }

    void followsTheRecordingLiveAndTheActiveWindow()
    {
        TfrmComm& frm = shownWindow();
        FiguresPanel* panel = panelOf(frm);
        QVERIFY(panel);
        QTabWidget* tabs = frm.pageControl();
        QCOMPARE(tabs->indexOf(panel), TfrmComm::ProcessValuesPage + 1);
        QCOMPARE(tabs->tabText(tabs->indexOf(panel)), QStringLiteral("Process figures"));

        TfrmChild* target = frm.recordWindows()->recordingTarget();
        QVERIFY(target);
        target->TakeSample(frame(run(0), 30));
        QTRY_COMPARE(panel->verdictLabel()->text(), QStringLiteral("Verdict: none"));
        QCOMPARE(cell(panel, 0, FiguresPanel::TcColumn), QString());

        for (int i = 1; i <= 130; ++i)
            target->TakeSample(frame(run(i), 30 + i / 2));
        QTRY_COMPARE(cell(panel, 0, FiguresPanel::TcColumn), QStringLiteral("245.0 \u00B0C"));
        QCOMPARE(cell(panel, 0, FiguresPanel::FigureColumn), QStringLiteral("Peak"));
        QCOMPARE(cell(panel, 0, FiguresPanel::LimitsColumn), QStringLiteral("235.0 - 250.0 \u00B0C"));
        QCOMPARE(cell(panel, 0, FiguresPanel::MarkColumn), QStringLiteral("Pass"));
        QCOMPARE(cell(panel, 1, FiguresPanel::TcColumn), QStringLiteral("110.0 s")); // time of peak
        QCOMPARE(cell(panel, 3, FiguresPanel::TcColumn), QStringLiteral("21.0 s"));
        QCOMPARE(cell(panel, 3, FiguresPanel::MarkColumn), QStringLiteral("Fail"));
        QCOMPARE(cell(panel, 4, FiguresPanel::TcColumn), QStringLiteral("2.00 \u00B0C/s"));
        QCOMPARE(cell(panel, 4, FiguresPanel::LimitsColumn), QStringLiteral("<= 3.00 \u00B0C/s"));
        QCOMPARE(cell(panel, 5, FiguresPanel::TcColumn), QStringLiteral("4.00 \u00B0C/s"));
        QCOMPARE(panel->verdictLabel()->text(), QStringLiteral("Verdict: Fail"));
        QVERIFY(panel->findChild<QLabel*>(QStringLiteral("labFigureBasis"))->text().contains(QStringLiteral("217.0")));

        // A record opened from a file becomes the active window: its figures are shown.
        Recording stored;
        for (int i = 0; i < 5; ++i) {
            RecordSample s;
            s.time = float(i);
            s.tc = float(100 + i);
            s.tb = 50;
            stored.samples.append(s);
        }
        QString error;
        const QString path = m_dir->filePath(QStringLiteral("stored.sld"));
        QVERIFY(SaveRecord(stored, path, OperatorInputs(), 45000, &error));
        TfrmChild* opened = frm.recordWindows()->openRecord(path);
        QVERIFY(opened);
        frm.pageControl()->setCurrentWidget(panel);
        QTRY_COMPARE(cell(panel, 0, FiguresPanel::TcColumn), QStringLiteral("104.0 \u00B0C"));
        // And the recording's again once its window is active.
        frm.mdiArea()->setActiveSubWindow(target->subWindow());
        QTRY_COMPARE(cell(panel, 0, FiguresPanel::TcColumn), QStringLiteral("245.0 \u00B0C"));
        // Delete empties them.
        frm.recordWindows()->deleteRecording();
        QTRY_COMPARE(cell(panel, 0, FiguresPanel::TcColumn), QString());

        // Chinese: the page, the verdict and the unit follow.
        for (int i = 0; i <= 130; ++i)
            target->TakeSample(frame(run(i), 30 + i / 2));
        frm.switchLanguage(Language::Chinese);
        QTRY_COMPARE(cell(panel, 0, FiguresPanel::TcColumn), QStringLiteral("245.0 \u2103"));
        QCOMPARE(tabs->tabText(tabs->indexOf(panel)), QStringLiteral("工艺数据"));
        QCOMPARE(cell(panel, 0, FiguresPanel::FigureColumn), QStringLiteral("峰值温度"));
        QCOMPARE(panel->verdictLabel()->text(), QStringLiteral("结论: 不合格"));
    }

    void windowDialogFromThePageChangesTheLimits()
    {
        TfrmComm& frm = shownWindow();
        FiguresPanel* panel = panelOf(frm);
        TfrmChild* target = frm.recordWindows()->recordingTarget();
        for (int i = 0; i <= 130; ++i)
            target->TakeSample(frame(run(i), 30 + i / 2));
        QTRY_COMPARE(cell(panel, 3, FiguresPanel::MarkColumn), QStringLiteral("Fail"));

        ModalWatcher watcher;
        watcher.onDialog = [](QDialog* d) {
            auto* w = qobject_cast<TfrmProcessWindow*>(d);
            if (!w)
                return false;
            w->findChild<QLineEdit*>(QStringLiteral("editTimeAboveLiquidusMin"))->setText(QStringLiteral("20"));
            w->accept();
            return true;
        };
        QTest::mouseClick(panel->processWindowButton(), Qt::LeftButton);
        QCOMPARE(watcher.seen.value(0), QStringLiteral("frmProcessWindow"));
        QCOMPARE(cell(panel, 3, FiguresPanel::LimitsColumn), QStringLiteral("20.0 - 150.0 s"));
        QCOMPARE(cell(panel, 3, FiguresPanel::MarkColumn), QStringLiteral("Pass"));
        QCOMPARE(IniFile(settingsFile()).readFloat(QStringLiteral("ProcessWindow"), QStringLiteral("TimeAboveLiquidusMin"), 0), 20.0);

        // A hand edit that cannot be used: the defaults judge, and the page says why.
        IniFile ini(settingsFile());
        QVERIFY(ini.writeString(QStringLiteral("ProcessWindow"), QStringLiteral("PeakMin"), QStringLiteral("300")));
        target->TakeSample(frame(run(131), 95));
        QTRY_COMPARE(cell(panel, 3, FiguresPanel::LimitsColumn), QStringLiteral("60.0 - 150.0 s"));
        QCOMPARE(cell(panel, 0, FiguresPanel::LimitsColumn), QStringLiteral("235.0 - 250.0 \u00B0C"));
        QVERIFY(panel->findChild<QLabel*>(QStringLiteral("labFigureBasis"))
                    ->text()
                    .contains(QStringLiteral("A minimum must not be above its maximum.")));
    }

    void dialogShowsWritesAndRefuses()
    {
        IniFile ini(settingsFile());
        QVERIFY(ini.writeString(QStringLiteral("ProcessWindow"), QStringLiteral("PeakMin"), QStringLiteral("230")));
        QVERIFY(ini.writeString(QStringLiteral("ProcessWindow"), QStringLiteral("PeakMax"), QString()));
        const QByteArray before = readAll(settingsFile());

        {
            TfrmProcessWindow dialog(settingsFile());
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Process window"));
            QCOMPARE(dialog.minEdits[size_t(ProcessFigure::Peak)]->text(), QStringLiteral("230"));
            QCOMPARE(dialog.maxEdits[size_t(ProcessFigure::Peak)]->text(), QString());
            QCOMPARE(dialog.maxEdits[size_t(ProcessFigure::HeatingRate)]->text(), QStringLiteral("3"));
            QCOMPARE(dialog.liquidusEdit->text(), QStringLiteral("217"));

            // Wrong values typed: a message, the dialog stays, nothing is written.
            dialog.maxEdits[size_t(ProcessFigure::Peak)]->setText(QStringLiteral("hot"));
            ModalWatcher watcher;
            dialog.accept();
            QCOMPARE(watcher.seen.value(0), QStringLiteral("\"Peak\" is not a number: hot"));
            dialog.maxEdits[size_t(ProcessFigure::Peak)]->setText(QStringLiteral("220"));
            dialog.accept();
            QCOMPARE(watcher.seen.value(1), QStringLiteral("A minimum must not be above its maximum."));
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QCOMPARE(readAll(settingsFile()), before);

            dialog.maxEdits[size_t(ProcessFigure::Peak)]->setText(QStringLiteral("245.5"));
            dialog.minEdits[size_t(ProcessFigure::SoakTime)]->clear();
            dialog.accept();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        ProcessWindow expected;
        expected.limit(ProcessFigure::Peak) = {230.0, 245.5};
        expected.limit(ProcessFigure::SoakTime).min.reset();
        QCOMPARE(ProcessWindow::read(IniFile(settingsFile())), expected);

        // Cancel writes nothing; an unwritable file keeps the dialog open with the reason.
        const QByteArray written = readAll(settingsFile());
        {
            TfrmProcessWindow dialog(settingsFile());
            dialog.liquidusEdit->setText(QStringLiteral("183"));
            dialog.reject();
        }
        QCOMPARE(readAll(settingsFile()), written);
        TfrmProcessWindow lost(m_dir->filePath(QStringLiteral("missing/CommConfig.ini")));
        ModalWatcher watcher;
        lost.accept();
        QVERIFY(watcher.seen.value(0).contains(QStringLiteral("CommConfig.ini")));
        QCOMPARE(lost.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestFiguresPanel)
#include "test_figures_panel.moc"
