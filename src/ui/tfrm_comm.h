#pragma once

#include <array>
#include <functional>
#include <memory>

#include <QMainWindow>
#include <QPointer>

#include "shell/language.h"
#include "shell/program_paths.h"
#include "shell/program_settings.h"
#include "ui/tfrm_msg.h"

class Clock;
class LivePanel;
class PortTransport;
struct ProfileFilePaths;
class ProfileLinkAccess;
class ProfilePage;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QSplitter;
class QTabWidget;
class QToolBar;
class RecordingTarget;
class RecordWindows;
class StationLink;
class TfrmCommActions;
class TfrmCommBeginHooks;
struct PanelState;
struct SerialSettings;

// The main window: a multiple-document frame with the live panel on the right, the three
// tab pages below the record windows, menus, toolbar and a four-panel status bar. It owns
// the station link and shows what the link reports.
//
// How other windows plug in:
// - The tab pages are empty containers: setPageWidget(ProfilesPage, w) etc.
// - Record windows go into mdiArea() through addRecordWindow(); a record window that
//   implements MergedMenus brings its File/Record/Analysis menus while it is active.
// - Actions whose behaviour lives elsewhere are in actions(); connect their `triggered`.
// - setRecordingTarget() names the record window that receives samples.
// - The life-cycle signals below run the steps that belong to other windows, in order.
class TfrmComm : public QMainWindow
{
    Q_OBJECT
public:
    enum Page { ProfilesPage = 0, OperatorInputPage = 1, ProcessValuesPage = 2 };

    // transport and clock: null for the program's serial port and tick counter; tests pass
    // fakes. Construction runs the start-up steps (settings, port, command blocks).
    explicit TfrmComm(const ProgramPaths& paths, PortTransport* transport = nullptr, const Clock* clock = nullptr,
                      QWidget* parent = nullptr);
    ~TfrmComm() override;

    static QIcon programIcon();

    // The status window shown while saying hello; created at program entry, after this one.
    void setStatusWindow(Tfrmmsg* statusWindow);
    Tfrmmsg* statusWindow() const { return m_statusWindow; }

    // Shutdown steps (profile table, settings kept at shutdown, command blocks). Runs once;
    // the destructor runs it when nobody did.
    void shutdown();

    // --- for the windows that plug in ---------------------------------------------------
    StationLink& link() { return *m_link; }
    TfrmCommActions& actions() { return *m_actions; }
    const ProgramPaths& paths() const { return m_paths; }
    ProgramSettings& programSettings() { return m_programSettings; }
    QMdiArea* mdiArea() const { return m_mdiArea; }
    QTabWidget* pageControl() const { return m_pageControl; }
    QWidget* page(Page p) const;
    void setPageWidget(Page p, QWidget* w);
    LivePanel* livePanel() const { return m_livePanel; }
    QToolBar* toolBar() const { return m_toolBar; }

    // Shows a record window maximised inside the frame; the frame owns it from then on.
    QMdiSubWindow* addRecordWindow(QWidget* w);
    RecordingTarget* recordingTarget() const { return m_recordingTarget; }
    void setRecordingTarget(RecordingTarget* target) { m_recordingTarget = target; }

    // The live panel and the tab area together (a double click on a chart toggles them).
    bool panelsVisible() const;
    void setPanelsVisible(bool on);

    // Status bar panels 0..3 (widths 300, 80, 76, 120).
    QString statusPanelText(int i) const;
    void setStatusPanelText(int i, const QString& text);

    // The record windows, the operator input page and the process-values table.
    RecordWindows* recordWindows() const { return m_recordWindows; }
    // The options dialog's parameter import ends the program: no record window refuses.
    void closeAfterParameterImport();

    // The "Profiles/Parameters" page with the profile table.
    ProfilePage* profilePage() const { return m_profilePage; }
    // ParameterListLocked: the protection windows set it; the table follows.
    void setParameterListLocked(bool locked);
    bool parameterListLocked() const { return m_parameterListLocked; }

    // What the login dialog returns when Begin changes the board under ChangePCBMode.
    struct OperatorLogin
    {
        QString employeeNumber;
        QString name;
        QString department;
        QString remark;
    };
    // The login dialog for a change of board: shows `question` as its board line, returns
    // false when not confirmed. Unset, a yes/no question stands in for it.
    using BoardChangeLogin = std::function<bool(const QString& question, OperatorLogin* login)>;
    void setBoardChangeLogin(BoardChangeLogin login) { m_boardChangeLogin = std::move(login); }
    // Writes the confirmed change to the operation log before the profile is sent; false
    // (after its message) abandons Begin.
    using BoardChangeRecorder =
        std::function<bool(const OperatorLogin& login, const QString& fromBoard, const QString& toBoard)>;
    void setBoardChangeRecorder(BoardChangeRecorder recorder) { m_boardChangeRecorder = std::move(recorder); }

    // The language command ("English" / "Chinese"); also run by the first show.
    void switchLanguage(Language lang);
    Language language() const;

    // The COM port setting command: dialog, then reopen or the baud-rate change.
    void comPortSetting();

    // data/CommConfig.ini as ReopenPort reads it.
    SerialSettings readSerialSettings() const;

signals:
    // First show, step 2a, while the first-start flag is set: the login password dialog.
    void firstStartLoginRequested();
    // First show, steps 3 and 4: load data/model.irl and preview the current row.
    void profileTableLoadRequested();
    // Language switch, after the main window's texts and check marks: the record windows,
    // the operator input page, the recording target's caption, the table headings and cells.
    void languageSwitched(Language lang);
    // Shutdown, step 1: save the profile table when SaveTableOnExit says so.
    void profileTableSaveRequested();
    // The first show has run to its end (hello said).
    void firstShowDone();
    // Begin's quick upload changed the board, confirmed by `login` (empty fields after a
    // yes/no question): the operation log records it.
    void boardChangeConfirmed(const TfrmComm::OperatorLogin& login, const QString& fromBoard,
                              const QString& toBoard);

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    // tfrm_comm.cpp: the frame
    void buildActionsAndMenus();
    void buildToolBar();
    void buildStatusBar();
    void buildCentre();
    void retranslateUi();
    void rebuildMenuBar();
    void fillWindowMenu();
    void tileHorizontally();
    void arrangeIcons();

    // tfrm_comm_link.cpp: the link shown and driven
    void wireLink();
    void showPanelState(const PanelState& state);
    void onCommunicationTriggered();
    void sayHello();
    void onGaveUp();
    void onPortLost(const QString& error);
    void updateLinkActionStates();

    // tfrm_comm_parts.cpp: the windows put on the frame
    void installParts();
    // tfrm_comm_records.cpp
    void installRecordWindows();
    // tfrm_comm_users.cpp: the protection passwords, the login and the operation log
    void installUsers();
    // Start-up step 4 for the profile page: unit texts and the table's protection.
    void profilePageStartUp();
    bool quickUploadStep();
    ProfileFilePaths profileFilePaths() const;

    // tfrm_comm_lifecycle.cpp
    void startUp();
    void firstShow();
    void offerParameterBackup();
    void openHelp();

    ProgramPaths m_paths;
    ProgramSettings m_programSettings;
    std::unique_ptr<PortTransport> m_ownTransport;
    std::unique_ptr<StationLink> m_link;
    TfrmCommActions* m_actions = nullptr;
    std::unique_ptr<TfrmCommBeginHooks> m_beginHooks;
    QPointer<Tfrmmsg> m_statusWindow;
    RecordingTarget* m_recordingTarget = nullptr;
    ProfilePage* m_profilePage = nullptr;
    RecordWindows* m_recordWindows = nullptr;
    bool m_closingAfterImport = false;
    // Shared only so its deleter comes from the one file that knows the type.
    std::shared_ptr<ProfileLinkAccess> m_profileAccess;
    bool m_parameterListLocked = false;
    BoardChangeLogin m_boardChangeLogin;
    BoardChangeRecorder m_boardChangeRecorder;

    QMenu* m_fileMenu = nullptr;
    QMenu* m_commMenu = nullptr;
    QMenu* m_othersMenu = nullptr;
    QMenu* m_languageMenu = nullptr;
    QMenu* m_windowMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    QToolBar* m_toolBar = nullptr;
    std::array<QLabel*, 4> m_statusPanels{};
    QSplitter* m_splitterV = nullptr; // record windows above, tab pages below
    QSplitter* m_splitterH = nullptr; // that column, then the live panel
    QMdiArea* m_mdiArea = nullptr;
    QTabWidget* m_pageControl = nullptr;
    std::array<QWidget*, 3> m_pages{};
    LivePanel* m_livePanel = nullptr;

    bool m_firstShown = false;
    bool m_shutDown = false;
    bool m_destroying = false;
    // The main window's close was accepted: the program is ending.
    bool m_closeAccepted = false;
};
