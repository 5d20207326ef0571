#include "ui/chart_analysis_commands.h"

#include <QAction>

#include "records/chart_analysis.h"
#include "ui/record_chart_frame.h"
#include "ui/record_chart_view.h"
#include "ui/tfrm_child.h"
#include "ui/tfrm_comm_actions.h"

ChartAnalysisCommands::ChartAnalysisCommands(TfrmCommActions& actions, std::function<TfrmChild*()> activeWindow,
                                             std::function<bool()> anyWindow, QObject* parent)
    : QObject(parent)
    , m_actions(actions)
    , m_active(std::move(activeWindow))
    , m_anyWindow(std::move(anyWindow))
{
    TfrmCommActions& a = m_actions;
    connect(a.actnLineDot, &QAction::triggered, this, &ChartAnalysisCommands::switchCursor);
    connect(a.actnLineDot, &QAction::toggled, this, [this] { updateActionStates(); });
    connect(a.actnAddAnaly, &QAction::triggered, this, [this] {
        if (TfrmChild* w = m_active())
            w->AddAnalysisDot();
    });
    connect(a.actnErase, &QAction::triggered, this, [this] {
        if (TfrmChild* w = m_active())
            w->eraseLastAnalysisDot();
    });
    connect(a.actnAEraseall, &QAction::triggered, this, [this] {
        if (TfrmChild* w = m_active())
            w->eraseAllAnalysisDots();
    });
    connect(a.actnOrignalSize, &QAction::triggered, this, [this] {
        if (TfrmChild* w = m_active())
            w->chartFrame()->setOriginalSize();
    });
    connect(a.actnFitTo, &QAction::triggered, this, [this] {
        if (TfrmChild* w = m_active())
            w->chartFrame()->fitToWindow();
    });
    connect(a.actnManlZoom, &QAction::triggered, this, [this](bool on) {
        switchZoomMode(m_actions.actnManlZoom, m_actions.actnShitWindow, ChartAnalysis::ManualZoom, on);
    });
    connect(a.actnShitWindow, &QAction::triggered, this, [this](bool on) {
        switchZoomMode(m_actions.actnShitWindow, m_actions.actnManlZoom, ChartAnalysis::ZoomToRectangle, on);
    });
    updateActionStates();
}

void ChartAnalysisCommands::updateActionStates()
{
    TfrmCommActions& a = m_actions;
    const bool windows = m_anyWindow();
    for (QAction* act : {a.actnLineDot, a.actnOrignalSize, a.actnManlZoom, a.actnShitWindow, a.actnFitTo})
        act->setEnabled(windows);
    const bool cursor = a.actnLineDot->isChecked();
    for (QAction* act : {a.actnAddAnaly, a.actnErase, a.actnAEraseall})
        act->setEnabled(cursor);
}

void ChartAnalysisCommands::switchCursor(bool on)
{
    if (TfrmChild* w = m_active()) {
        w->chartView()->setCursorOn(on);
        w->DrawChart();
    }
}

void ChartAnalysisCommands::switchZoomMode(QAction* action, QAction* other, int mode, bool on)
{
    TfrmChild* w = m_active();
    if (!w) {
        // Nothing to zoom: the button stays as it was.
        action->setChecked(!on);
        return;
    }
    RecordChartFrame* frame = w->chartFrame();
    if (!on) {
        frame->resetZoomMode();
        return;
    }
    if (other->isChecked()) {
        frame->resetZoomMode();
        other->setChecked(false);
    }
    frame->setZoomMode(ChartAnalysis::ZoomMode(mode));
}
