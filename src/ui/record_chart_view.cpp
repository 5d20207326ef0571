#include "ui/record_chart_view.h"

#include <QMouseEvent>
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
    update();
}

void RecordChartView::setCursorOn(bool on)
{
    m_cursor.on = on;
    update();
}

void RecordChartView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    RecordChart::PresentChart(p, size(), m_image, m_record, m_interval, m_timeScale, m_cursor, m_style);
}

void RecordChartView::mouseMoveEvent(QMouseEvent* e)
{
    m_cursor.x = int(e->position().x());
    if (m_cursor.on)
        update();
    QWidget::mouseMoveEvent(e);
}

void RecordChartView::mouseDoubleClickEvent(QMouseEvent* e)
{
    emit doubleClicked();
    QWidget::mouseDoubleClickEvent(e);
}
