#pragma once

#include <QPoint>
#include <QPointer>
#include <QScrollArea>

#include "records/chart_analysis.h"

class QMenu;
class Recording;
class RecordChartView;

// A record window's client area: a scrolling frame with a panel that carries the chart's
// paint surface. Normally the panel fills the frame ("Fit to window"); the zooms give it a
// fixed size and the frame scrolls. The mouse on the chart pans in no zoom mode, zooms by
// clicks in manual zoom, and zooms to a dragged rectangle in the third mode.
class RecordChartFrame : public QScrollArea
{
    Q_OBJECT
public:
    RecordChartFrame(const Recording& record, QWidget* parent = nullptr);
    ~RecordChartFrame() override;

    RecordChartView* chartView() const { return m_view; }
    QWidget* panel() const { return m_panel; }

    ChartAnalysis::ZoomMode zoomMode() const { return m_zoomMode; }
    // Enters a zoom mode: the panel keeps its present size and stops following the frame,
    // the mode's mouse cursor, and no context menu (the right button zooms out).
    void setZoomMode(ChartAnalysis::ZoomMode mode);
    // Back to no zoom mode: context menu and default cursor again; the panel keeps its size.
    void resetZoomMode();

    bool fitsWindow() const { return widgetResizable(); }
    void fitToWindow();                  // actnFitTo
    void setOriginalSize();              // actnOrignalSize: 1024 x 768
    void setPanelSize(const QSize& size); // a fixed size; the frame scrolls

    // The chart's right-button menu, shown while no zoom mode is on.
    void setPopupMenu(QMenu* menu);
    bool panning() const { return m_panning; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void mousePress(QMouseEvent* e);
    void mouseMove(QMouseEvent* e);
    void mouseRelease(QMouseEvent* e);
    void stopFitting();
    void endPan();

    QWidget* m_panel = nullptr;
    RecordChartView* m_view = nullptr;
    QPointer<QMenu> m_popup;
    ChartAnalysis::ZoomMode m_zoomMode = ChartAnalysis::Pan;
    bool m_panning = false;
    QPoint m_dragStart;
    QPoint m_dragPanelPos;
    QPoint m_dragScroll;
    QPoint m_zoomStart;
};
