#pragma once

#include <QPointer>
#include <QWidget>

#include "link/recording_target.h"
#include "records/record_journal.h"
#include "records/recording.h"
#include "records/report_engine.h"
#include "ui/merged_menus.h"

class QAction;
class QMdiSubWindow;
class QMenu;
class RecordChartFrame;
class RecordChartView;
class RecordWindows;

// The record window: one recording (samples, header, analysis dots) and its chart, inside a
// sub-window of the main window's frame. The window that New made can be the recording
// target, which the link samples into. While the window is active its File, Record and
// Analysis menus stand in the main window's menu bar.
class TfrmChild : public QWidget, public RecordingTarget, public MergedMenus
{
    Q_OBJECT
public:
    explicit TfrmChild(RecordWindows& windows, QWidget* parent = nullptr);
    ~TfrmChild() override;

    Recording& record() { return m_record; }
    const Recording& record() const { return m_record; }
    RecordChartView* chartView() const { return m_chart; }
    RecordChartFrame* chartFrame() const { return m_frame; }
    QAction* closeAction() const { return m_close; }
    QMdiSubWindow* subWindow() const;
    // The window's report component: it keeps the last template it loaded.
    ReportEngine& reportEngine() { return m_report; }

    // RecordingTarget
    void setCelsius(bool celsius) override { m_record.setCelsius(celsius); }
    bool isActiveWindow() const override;
    void RefreshHeaderFromStation(const StationStatus& status) override { m_record.RefreshHeaderFromStation(status); }
    void ShowHeader() override;
    void TakeSample(const StationStatus& status) override;

    // MergedMenus
    QMenu* fileMenu() const override { return m_fileMenu; }
    QMenu* recordMenu() const override { return m_recordMenu; }
    QMenu* analysisMenu() const override { return m_analysisMenu; }

    // DrawChart with the program's current interval, line width and language.
    void DrawChart();
    // The analysis dots: the cursor's last values kept as a dot (at most four), the last
    // one or all of them erased; each then redraws the chart.
    void AddAnalysisDot();
    void eraseLastAnalysisDot();
    void eraseAllAnalysisDots();
    // The caption of the window that records: "New file" in the interface language.
    void setNewFileCaption();
    // Closes the sub-window, which asks this window first.
    void requestClose();

    // The journal that keeps this window's unsaved recording safe from a crash
    // (tfrm_child_journal.cpp). Started when Record is switched on; fed after every sample and
    // every change of dots or header; removed when the record is saved or discarded.
    void startJournal();
    void journalChanges();
    void discardJournal();
    // A window opened from a journal left over: the journal goes once the record is saved.
    void adoptJournal(const QString& path) { m_adoptedJournal = path; }
    QString journalPath() const;

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void buildMenus();
    void retranslateUi();

    QPointer<RecordWindows> m_windows;
    Recording m_record;
    RecordChartFrame* m_frame = nullptr;
    RecordChartView* m_chart = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_recordMenu = nullptr;
    QMenu* m_analysisMenu = nullptr;
    QMenu* m_lineMenu = nullptr;
    QMenu* m_popupMenu = nullptr;
    QMenu* m_popupLineMenu = nullptr;
    QAction* m_close = nullptr;
    RecordJournal m_journal;
    QString m_adoptedJournal;
    ReportEngine m_report;
};
