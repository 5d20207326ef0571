#pragma once

#include <QImage>
#include <QWidget>

// A double-buffered paint box: all drawing goes into the box's own image, and a paint
// request only copies that image to the screen at (0, 0). The image is black when the box is
// made and is resized, not redrawn, when the box is resized (what was drawn stays at the
// top left, new space is black).
class ProfilePaintBox : public QWidget
{
    Q_OBJECT
public:
    explicit ProfilePaintBox(const QSize& designSize, QWidget* parent = nullptr);

    QImage& image() { return m_image; }
    const QImage& image() const { return m_image; }
    // Shows the image as it is now.
    void present() { update(); }

    QSize sizeHint() const override { return m_designSize; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    QSize m_designSize;
    QImage m_image;
};
