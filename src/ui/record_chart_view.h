#pragma once

#include <optional>

#include <QImage>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include "records/chart_style.h"
#include "records/record_chart.h"

class QMenu;
class Recording;

// The chart's paint surface in a record window. It owns the 1024 x 768 chart image, which
// DrawChart fills completely; painting stretches the image onto the surface and adds the
// analysis cursor in the surface's own pixels. The cursor never goes into the image, which
// the printed report uses.
class RecordChartView : public QWidget
{
    Q_OBJECT
public:
    RecordChartView(const Recording& record, QWidget* parent = nullptr);

    // DrawChart: the whole image again, then presented.
    void redraw(float interval, const ChartStyle& style);

    const QImage& chartImage() const { return m_image; }
    int timeScale() const { return m_timeScale; }
    RecordChart::Cursor& analysisCursor() { return m_cursor; }
    const RecordChart::Cursor& analysisCursor() const { return m_cursor; }
    void setCursorOn(bool on);

    // The right button's menu; none while a zoom mode takes the right button.
    void setPopupMenu(QMenu* menu);
    QMenu* popupMenu() const;

    // The dotted rectangle of a zoom being dragged, in surface pixels; none to remove it.
    void setFocusRect(const std::optional<QRect>& rect);
    std::optional<QRect> focusRect() const { return m_focusRect; }

    QSize sizeHint() const override { return QSize(RecordChart::Width, RecordChart::Height); }

signals:
    void doubleClicked();
    // The mouse moved while the cursor is on: the chart wants a DrawChart.
    void cursorMoved();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    const Recording& m_record;
    QImage m_image;
    QImage m_buffer; // the presented part of the surface, before it goes on screen
    int m_timeScale = 4;
    float m_interval = 1.0f;
    ChartStyle m_style;
    RecordChart::Cursor m_cursor;
    QPointer<QMenu> m_popup;
    std::optional<QRect> m_focusRect;
};
