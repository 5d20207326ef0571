#pragma once

#include <QImage>
#include <QWidget>

#include "records/chart_style.h"
#include "records/record_chart.h"

class Recording;

// The chart's paint surface in a record window. It owns the 1024 x 768 chart image, which
// DrawChart fills completely; painting stretches the image onto the surface and adds the
// analysis cursor in the surface's own pixels.
class RecordChartView : public QWidget
{
    Q_OBJECT
public:
    RecordChartView(const Recording& record, QWidget* parent = nullptr);

    // DrawChart: the whole image again, then presented.
    void redraw(float interval, const ChartStyle& style);

    const QImage& chartImage() const { return m_image; }
    int timeScale() const { return m_timeScale; }
    RecordChart::Cursor& cursor() { return m_cursor; }
    void setCursorOn(bool on);

    QSize sizeHint() const override { return QSize(RecordChart::Width, RecordChart::Height); }

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    const Recording& m_record;
    QImage m_image;
    int m_timeScale = 4;
    float m_interval = 1.0f;
    ChartStyle m_style;
    RecordChart::Cursor m_cursor;
};
