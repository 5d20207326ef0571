#include "ui/record_chart_view.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "records/recording.h"

RecordChartView::RecordChartView(const Recording& record, QWidget* parent)
    : QWidget(parent)
    , m_record(record)
    , m_image(RecordChart::newImage())
{
    setObjectName(QStringLiteral("DBufPaintBox1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void RecordChartView::redraw(float interval, const ChartStyle& style)
{
    m_interval = interval;
    m_style = style;
    m_timeScale = RecordChart::DrawChart(m_image, m_record, interval, style);
    // The cursor's values are those of this redraw, before it is presented.
    if (m_cursor.on)
        RecordChart::placeCursor(m_cursor, size(), m_record, m_interval, m_timeScale);
    update();
}

void RecordChartView::setCursorOn(bool on)
{
    m_cursor.on = on;
    update();
}

void RecordChartView::setPopupMenu(QMenu* menu)
{
    m_popup = menu;
}

QMenu* RecordChartView::popupMenu() const
{
    return m_popup;
}

void RecordChartView::setFocusRect(const std::optional<QRect>& rect)
{
    m_focusRect = rect;
    update();
}

void RecordChartView::paintEvent(QPaintEvent* e)
{
    // A zoomed surface is mostly outside the frame: only what is exposed gets pixels. They
    // are made in an image of their own and copied one to one, so the window's clip cannot
    // change how the chart is stretched.
    const QRect area = RecordChart::presentedArea(e->rect(), size());
    if (area.isEmpty())
        return;
    if (m_buffer.width() < area.width() || m_buffer.height() < area.height())
        m_buffer = QImage(area.size().expandedTo(m_buffer.size()), QImage::Format_RGB32);
    {
        QPainter b(&m_buffer);
        b.setFont(font());
        b.translate(-area.topLeft());
        RecordChart::PresentChart(b, size(), m_image, m_record, m_interval, m_timeScale, m_cursor, m_style, area);
        if (m_focusRect) {
            // Inverted, so the rectangle shows on any colour of the chart.
            b.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            b.setPen(QPen(Qt::white, 1, Qt::DotLine));
            b.setBrush(Qt::NoBrush);
            b.drawRect(m_focusRect->normalized());
        }
    }
    QPainter p(this);
    p.drawImage(area.topLeft(), m_buffer, QRect(QPoint(0, 0), area.size()));
}

void RecordChartView::mouseMoveEvent(QMouseEvent* e)
{
    m_cursor.mouseX = int(e->position().x());
    if (m_cursor.on)
        emit cursorMoved();
    QWidget::mouseMoveEvent(e);
}

void RecordChartView::mouseDoubleClickEvent(QMouseEvent* e)
{
    emit doubleClicked();
    QWidget::mouseDoubleClickEvent(e);
}

void RecordChartView::contextMenuEvent(QContextMenuEvent* e)
{
    // In a zoom mode the right button zooms; no menu then.
    if (m_popup)
        m_popup->exec(e->globalPos());
    e->accept();
}
