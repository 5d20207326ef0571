#include "ui/profile_paint_box.h"

#include <QPainter>
#include <QResizeEvent>

ProfilePaintBox::ProfilePaintBox(const QSize& designSize, QWidget* parent)
    : QWidget(parent)
    , m_designSize(designSize)
    , m_image(designSize, QImage::Format_RGB32)
{
    m_image.fill(Qt::black);
    resize(designSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ProfilePaintBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, m_image);
}

void ProfilePaintBox::resizeEvent(QResizeEvent* e)
{
    const QSize size = e->size().expandedTo(QSize(1, 1));
    if (size == m_image.size())
        return;
    QImage resized(size, QImage::Format_RGB32);
    resized.fill(Qt::black);
    {
        QPainter p(&resized);
        p.drawImage(0, 0, m_image);
    }
    m_image = resized;
}
