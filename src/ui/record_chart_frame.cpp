#include "ui/record_chart_frame.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QVBoxLayout>

#include "ui/record_chart_view.h"

using namespace ChartAnalysis;

RecordChartFrame::RecordChartFrame(const Recording& record, QWidget* parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("ScrollBox1"));
    setFrameShape(QFrame::NoFrame);
    m_panel = new QWidget;
    m_panel->setObjectName(QStringLiteral("Panel1"));
    auto* layout = new QVBoxLayout(m_panel);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new RecordChartView(record, m_panel);
    layout->addWidget(m_view);
    setWidget(m_panel);
    setWidgetResizable(true);
    m_view->installEventFilter(this);
}

RecordChartFrame::~RecordChartFrame()
{
    endPan();
}

void RecordChartFrame::setPopupMenu(QMenu* menu)
{
    m_popup = menu;
    m_view->setPopupMenu(m_zoomMode == Pan ? menu : nullptr);
}

void RecordChartFrame::stopFitting()
{
    if (!widgetResizable())
        return;
    const QSize keep = m_panel->size();
    setWidgetResizable(false);
    m_panel->resize(keep);
}

void RecordChartFrame::setPanelSize(const QSize& size)
{
    stopFitting();
    m_panel->resize(size);
}

void RecordChartFrame::fitToWindow()
{
    setWidgetResizable(true);
}

void RecordChartFrame::setOriginalSize()
{
    setPanelSize(QSize(RecordChart::Width, RecordChart::Height));
}

void RecordChartFrame::setZoomMode(ZoomMode mode)
{
    if (mode == Pan) {
        resetZoomMode();
        return;
    }
    endPan();
    m_zoomMode = mode;
    m_view->setCursor(mode == ManualZoom ? Qt::SizeAllCursor : Qt::DragMoveCursor);
    stopFitting();
    m_view->setPopupMenu(nullptr);
}

void RecordChartFrame::resetZoomMode()
{
    m_view->setPopupMenu(m_popup);
    m_view->unsetCursor();
    m_view->setFocusRect(std::nullopt);
    m_zoomMode = Pan;
}

bool RecordChartFrame::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == m_view) {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
            mousePress(static_cast<QMouseEvent*>(e));
            break;
        case QEvent::MouseMove:
            mouseMove(static_cast<QMouseEvent*>(e));
            break;
        case QEvent::MouseButtonRelease:
            mouseRelease(static_cast<QMouseEvent*>(e));
            break;
        default:
            break;
        }
    }
    return QScrollArea::eventFilter(watched, e);
}

void RecordChartFrame::mousePress(QMouseEvent* e)
{
    const QPoint at = e->position().toPoint();
    switch (m_zoomMode) {
    case ManualZoom:
        if (e->button() == Qt::LeftButton || e->button() == Qt::RightButton) {
            const int width = manualZoomWidth(m_panel->width(), e->button() == Qt::LeftButton);
            setPanelSize(panelSizeFor(width));
        }
        break;
    case ZoomToRectangle:
        if (e->button() == Qt::LeftButton)
            m_zoomStart = at;
        break;
    case Pan:
        if (e->button() == Qt::LeftButton && !m_panning) {
            m_panning = true;
            QApplication::setOverrideCursor(Qt::ClosedHandCursor);
        }
        m_dragStart = at;
        m_dragPanelPos = m_panel->pos();
        m_dragScroll = QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
        break;
    }
}

void RecordChartFrame::mouseMove(QMouseEvent* e)
{
    const QPoint at = e->position().toPoint();
    if (m_zoomMode == ZoomToRectangle) {
        if (e->buttons() == Qt::LeftButton && e->modifiers() == Qt::NoModifier)
            m_view->setFocusRect(QRect(m_zoomStart, at));
    } else if (m_zoomMode == Pan && m_panning) {
        const QPoint panelPos = m_panel->pos();
        // The mouse position moves with the panel; its own movement is taken out.
        verticalScrollBar()->setValue(panScroll(m_dragScroll.y(), at.y(), m_dragStart.y(), m_dragPanelPos.y(), panelPos.y()));
        horizontalScrollBar()->setValue(panScroll(m_dragScroll.x(), at.x(), m_dragStart.x(), m_dragPanelPos.x(), panelPos.x()));
    }
}

void RecordChartFrame::mouseRelease(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    if (m_zoomMode != ZoomToRectangle) {
        endPan();
        return;
    }
    m_view->setFocusRect(std::nullopt);
    stopFitting();
    const std::optional<RectangleZoom> z = zoomToRectangle(m_view->size(), m_zoomStart, e->position().toPoint());
    if (!z)
        return;
    setPanelSize(z->panel);
    horizontalScrollBar()->setValue(scrollTo(horizontalScrollBar()->maximum(), z->fx));
    verticalScrollBar()->setValue(scrollTo(verticalScrollBar()->maximum(), z->fy));
}

void RecordChartFrame::endPan()
{
    if (!m_panning)
        return;
    m_panning = false;
    QApplication::restoreOverrideCursor();
}
