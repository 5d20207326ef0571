// Start-up, first show, close and shutdown of the main window, in the program's order.

#include "ui/tfrm_comm.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>

#include "link/recording_target.h"
#include "link/serial_settings.h"
#include "link/station_link.h"
#include "profiles/profile_file.h"
#include "shell/language.h"
#include "shell/password_settings.h"
#include "shell/save_leftovers.h"
#include "shell/settings.h"
#include "ui/record_windows.h"
#include "ui/tfrm_comm_actions.h"
#include "ui/tfrm_msg.h"
#include "ui/translated_message_box.h"
#include "ui/ui_language.h"

namespace {
const QString CommandBlockFile = QStringLiteral("stru.ssf");
}

void TfrmComm::startUp()
{
    StationLink& link = *m_link;
    TfrmCommActions& a = *m_actions;

    // Temporaries of saves a kill interrupted; before any file is read.
    removeProgramSaveLeftovers(m_paths, Settings(m_paths).savePath());

    // 1, 2: no record window receives samples yet; the assembler starts empty.
    m_recordingTarget = nullptr;
    link.resetForStartup();

    // 3: the port, the sampling interval and ChangePCBMode.
    link.ReopenPort(readSerialSettings());

    // 4: the other settings read at start.
    {
        const Settings settings(m_paths);
        m_programSettings.readLinkSettings(settings);
        m_programSettings.readStartSettings(settings, systemDefaultLanguageId());
    }
    if (m_programSettings.lineWidth) {
        QAction* cmd[] = {a.actnLineW1, a.actnLineW2, a.actnLineW3};
        cmd[int(*m_programSettings.lineWidth) - 1]->trigger();
    }
    a.menuQuickUp->setChecked(m_programSettings.quickUpdate);
    link.setUnitTexts(UnitTexts{m_programSettings.celsiusText, m_programSettings.fahrenheitText});
    // The station is locked while a login password is stored (the password windows unlock
    // it); the profile table follows the parameter password.
    link.setStationUnlocked(PasswordSettings().login().isEmpty());
    profilePageStartUp();

    // 5..7: supervision state (done by resetForStartup), the first page active.
    m_pageControl->setCurrentIndex(ProfilesPage);

    // 8: the command blocks.
    QString error;
    if (!link.loadCommandBlocks(m_paths.dataFile(CommandBlockFile), &error))
        TranslatedMessageBox::error(this, error);

    // 9, 10: the empty preview frame is the profile page's; HeaderRefreshCount is 1.
}

void TfrmComm::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    if (m_firstShown)
        return;
    m_firstShown = true;
    // Once the window is on the screen, so the dialogs of the first show have it as parent.
    QTimer::singleShot(0, this, &TfrmComm::firstShow);
}

void TfrmComm::firstShow()
{
    // 1: the stored language.
    if (const auto lang = languageFromSetting(Settings(m_paths).language()))
        switchLanguage(*lang);

    // 2: first start: the login password dialog, then the offer of the parameter backup.
    if (PasswordSettings().inistoin()) {
        emit firstStartLoginRequested();
        offerParameterBackup();
    }

    // 3, 4: the profile table and its preview.
    emit profileTableLoadRequested();

    // 5: a new record window, as "New" does.
    if (m_actions->newfile->isEnabled())
        m_actions->newfile->trigger();
    // Recordings the program did not save when it last ended.
    m_recordWindows->offerJournals();

    // 6: the link starts.
    sayHello();
    emit firstShowDone();
}

void TfrmComm::offerParameterBackup()
{
    const QString backup = m_paths.paramBakFile(QStringLiteral("model.irl"));
    if (!QFile::exists(backup))
        return;
    const QString question = UiLanguage::instance().isEnglish()
        ? QStringLiteral("The old Parameters backup file has been founded,would you like to Load it?")
        : QStringLiteral("检测到旧的流程参数备份文件，是否要加载？");
    if (!TranslatedMessageBox::confirm(this, question))
        return;
    // A failed copy is not reported: the existing table is loaded instead. The copy replaces
    // data/model.irl only once it is complete, so a failure leaves the old file in place.
    ProfileFilePaths target;
    target.programDir = m_paths.programDir();
    copyParameterFile(backup, target);
}

void TfrmComm::openHelp()
{
    const QString name = UiLanguage::instance().isChinese() ? QStringLiteral("Tamselhelpcn.CHM")
                                                            : QStringLiteral("Tamselhelpen.CHM");
    // The result is not checked: a missing file or viewer is not reported.
    QDesktopServices::openUrl(QUrl::fromLocalFile(m_paths.dataFile(name)));
}

void TfrmComm::closeEvent(QCloseEvent* e)
{
    if (m_destroying) {
        e->accept();
        return;
    }
    // Every record window is asked; a recording one refuses and the program runs on. The
    // window that records is asked first, so a refusal leaves the others open as well.
    QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList();
    if (auto* target = dynamic_cast<QWidget*>(m_recordingTarget)) {
        for (int i = 0; i < windows.size(); ++i) {
            if (windows[i]->widget() == target) {
                windows.move(i, 0);
                break;
            }
        }
    }
    for (QMdiSubWindow* sub : windows) {
        if (!sub->close()) {
            e->ignore();
            return;
        }
    }
    // Supervision ends with the port: a message box of the shutdown steps runs an event loop,
    // and a tick there would say hello on the closed port, give up and open the COM port
    // dialog over the ending program.
    m_closeAccepted = true;
    m_link->closeForShutdown();
    if (m_statusWindow)
        m_statusWindow->hide();
    e->accept();
    // The main window is the program: the event loop ends with it.
    QCoreApplication::quit();
}

void TfrmComm::shutdown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    TfrmCommActions& a = *m_actions;

    // 1: the profile table, when SaveTableOnExit says so.
    emit profileTableSaveRequested();

    // 2: the settings kept at shutdown. A failed write is reported and ends the shutdown.
    Settings settings(m_paths);
    const Language checkedLanguage = a.actnEnglish->isChecked() ? Language::English : Language::Chinese;
    const LineWidth width = a.actnLineW2->isChecked() ? LineWidth::Medium
        : a.actnLineW3->isChecked()                   ? LineWidth::Large
                                                      : LineWidth::Small;
    if (!m_programSettings.writeAtShutdown(settings, checkedLanguage, width, a.menuQuickUp->isChecked())) {
        TranslatedMessageBox::error(this, settings.errorString());
        return;
    }

    // 3: the command blocks.
    QString error;
    if (!m_link->storeCommandBlocks(m_paths.dataFile(CommandBlockFile), &error))
        TranslatedMessageBox::error(this, error);
}
