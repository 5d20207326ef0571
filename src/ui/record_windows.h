#pragma once

#include <functional>

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTableView>

#include "records/chart_style.h"
#include "records/process_values_model.h"
#include "ui/operator_input_panel.h"
#include "ui/tfrm_child.h"

class ChartAnalysisCommands;
class QMdiArea;
class QMdiSubWindow;
class QWidget;
class RecordingTarget;
class ReportOutput;
class StationLink;
class TfrmCommActions;

// What the record windows need from the main window. The main window fills it once.
struct RecordWindowsContext
{
    TfrmCommActions* actions = nullptr;
    StationLink* link = nullptr;
    QMdiArea* mdiArea = nullptr;
    // Parent of the file dialogs and message boxes.
    QWidget* dialogParent = nullptr;
    // Shows a record window maximised in the frame, which owns it from then on.
    std::function<QMdiSubWindow*(QWidget*)> addRecordWindow;
    // The main window's recordingTarget, which the link samples into.
    std::function<void(RecordingTarget*)> setRecordingTarget;
    // The second status-bar panel ("recording..." while Record is on).
    std::function<void(const QString&)> setStatusText;
    // Brings the lower tab "Operator defined input" to the front (after Open).
    std::function<void()> showOperatorInputPage;
    // True while the program closes itself after a parameter import: no window refuses.
    std::function<bool()> closingAfterImport;
    // The record files' folder (".\file" under the current directory when empty).
    QString fileFolder;
    // Where the journals of unsaved recordings are kept; none are kept when empty.
    QString journalFolder;
};

// The record windows of the main window and the commands that make, open, record, delete,
// save and close them: it gives newfile, actn_Open, actnRecord, actnDeleRec, actnSave and
// actnSaveas their behaviour and enabled states, keeps the recording target, and owns the
// process-values table tsGrid1 and the "Operator defined input" page, which always show the
// active record window.
class RecordWindows : public QObject
{
    Q_OBJECT
public:
    enum class FileDialog { Open, Save };
    // Returns the chosen path, empty for Cancel. Tests replace the file dialogs with it.
    using FileChooser = std::function<QString(FileDialog kind, const QString& folder)>;

    explicit RecordWindows(const RecordWindowsContext& context, QObject* parent = nullptr);
    ~RecordWindows() override;

    // The two pages for the main window's lower tabs.
    OperatorInputPanel* operatorInputPanel() const { return m_panel; }
    QTableView* processValuesTable() const { return m_table; }
    ProcessValuesModel& processValuesModel() { return m_model; }

    TfrmChild* recordingTarget() const { return m_target; }
    TfrmChild* activeRecordWindow() const;
    QList<TfrmChild*> windows() const;

    // The commands; the actions call these. Each returns the window it made or acted on.
    TfrmChild* newRecord();                       // newfile
    TfrmChild* openRecord(const QString& path);   // actn_Open once a file is chosen
    void switchRecord(bool on);                   // actnRecord
    void deleteRecording();                       // actnDeleRec
    bool save();                                  // actnSave
    bool saveAs();                                // actnSaveas
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    // Preview, Print and Print... of the active window's report.
    ReportOutput& reportOutput() const { return *m_reports; }

    // The language switch: every record window redrawn, the header shown again, the
    // recording target's caption and the table headings in the new language.
    void applyLanguage();
    void updateActionStates();

    // --- for the record windows ---------------------------------------------------------
    TfrmCommActions& actions() const { return *m_context.actions; }
    float samplingInterval() const;
    ChartStyle chartStyle() const;
    double now() const;
    bool mayClose(TfrmChild* window);
    void recordWindowDestroyed(TfrmChild* window);
    void showHeaderOf(TfrmChild* window);
    void showNewSamples(TfrmChild* window);
    void recordingFull(TfrmChild* window);
    QString journalFolder() const { return m_context.journalFolder; }
    void journalFailed(TfrmChild* window, const QString& reason);

    // At start: every journal left over is offered as a record window, one by one
    // (record_journal_recovery.cpp). Returns the windows opened.
    QList<TfrmChild*> offerJournals();
    // Tests answer the offer instead of the operator.
    enum class JournalAnswer { Open, Keep, Discard };
    using JournalAsker = std::function<JournalAnswer(const QString& question)>;
    void setJournalAsker(JournalAsker asker) { m_askJournal = std::move(asker); }

private:
    TfrmChild* makeRecordWindow();
    void onActivated(QMdiSubWindow* sub);
    void recordOff();
    QString chooseFile(FileDialog kind);
    QString fileFolder() const;
    bool saveWindow(TfrmChild* window, const QString& path);
    bool offerSalvage(TfrmChild* window, const QString& path);

    RecordWindowsContext m_context;
    ProcessValuesModel m_model;
    QPointer<OperatorInputPanel> m_panel;
    QPointer<QTableView> m_table;
    QPointer<TfrmChild> m_target;
    QList<TfrmChild*> m_windows;
    bool m_saving = false;
    FileChooser m_chooseFile;
    JournalAsker m_askJournal;
    bool m_journalFailureShown = false;
    ChartAnalysisCommands* m_analysis = nullptr;
    ReportOutput* m_reports = nullptr;
};
