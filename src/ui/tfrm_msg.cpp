#include "ui/tfrm_msg.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>

// A looping 16 x 16 animation of eight frames; it runs only while it is shown.
class BusyIndicator : public QWidget
{
public:
    explicit BusyIndicator(QWidget* parent) : QWidget(parent)
    {
        setFixedSize(16, 16);
        m_timer.setInterval(100);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            m_frame = (m_frame + 1) % 8;
            update();
        });
    }

protected:
    void showEvent(QShowEvent*) override { m_timer.start(); }
    void hideEvent(QHideEvent*) override { m_timer.stop(); }
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        // Eight dots on a circle; the current one brightest, the ones behind it fading.
        for (int i = 0; i < 8; ++i) {
            const int age = (m_frame - i + 8) % 8;
            QColor c(Qt::white);
            c.setAlphaF(1.0 - age * 0.11);
            p.setPen(Qt::NoPen);
            p.setBrush(c);
            p.save();
            p.translate(8, 8);
            p.rotate(i * 45.0);
            p.drawEllipse(QPointF(0, -5.5), 1.7, 1.7);
            p.restore();
        }
    }

private:
    QTimer m_timer;
    int m_frame = 0;
};

Tfrmmsg::Tfrmmsg(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmmsg"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(214, 33);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0, 0, 255));
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);

    m_label = new QLabel(QStringLiteral("saying hello to MCU..."), this);
    m_label->setObjectName(QStringLiteral("Label1"));
    QFont f;
    f.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("Noto Sans CJK SC")});
    f.setPixelSize(12);
    m_label->setFont(f);
    m_busy = new BusyIndicator(this);
    m_busy->setObjectName(QStringLiteral("Animate1"));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 0, 8, 0);
    row->addWidget(m_label, 1);
    row->addWidget(m_busy);
}

QString Tfrmmsg::text() const
{
    return m_label->text();
}

void Tfrmmsg::setText(const QString& text)
{
    m_label->setText(text);
}

void Tfrmmsg::showCentredOver(QWidget* over)
{
    QRect area;
    if (over && over->isVisible())
        area = over->frameGeometry();
    else if (QScreen* s = QGuiApplication::primaryScreen())
        area = s->availableGeometry();
    if (area.isValid())
        move(area.center() - QPoint(width() / 2, height() / 2));
    show();
    raise();
}
