// The record windows on the main window's frame: the MDI area, the "Operator defined
// input" and "Process values" pages.

#include "ui/tfrm_comm.h"

#include <QMdiArea>
#include <QTabWidget>

#include "ui/figures_panel.h"
#include "ui/record_chart_view.h"
#include "ui/record_windows.h"

void TfrmComm::installRecordWindows()
{
    RecordWindowsContext c;
    c.actions = m_actions;
    c.link = m_link.get();
    c.mdiArea = m_mdiArea;
    c.dialogParent = this;
    c.addRecordWindow = [this](QWidget* w) {
        // A double click on a chart leaves the whole frame to the record windows, the next
        // brings the panels back.
        if (auto* child = qobject_cast<TfrmChild*>(w))
            connect(child->chartView(), &RecordChartView::doubleClicked, this,
                    [this] { setPanelsVisible(!panelsVisible()); });
        return addRecordWindow(w);
    };
    c.setRecordingTarget = [this](RecordingTarget* t) { m_recordingTarget = t; };
    c.setStatusText = [this](const QString& text) { setStatusPanelText(1, text); };
    c.showOperatorInputPage = [this] { m_pageControl->setCurrentIndex(OperatorInputPage); };
    c.closingAfterImport = [this] { return m_closingAfterImport; };
    c.journalFolder = m_paths.programFile(QStringLiteral("journal"));
    m_recordWindows = new RecordWindows(c, this);
    setPageWidget(OperatorInputPage, m_recordWindows->operatorInputPanel());
    setPageWidget(ProcessValuesPage, m_recordWindows->processValuesTable());
    // "Process figures", the page after "Process values": the active record's figures.
    (new FiguresPanel(*m_recordWindows, m_mdiArea, m_paths.settingsFile()))->addToTabs(m_pageControl);
}

void TfrmComm::closeAfterParameterImport()
{
    m_closingAfterImport = true;
    close();
}
