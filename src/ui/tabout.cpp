#include "ui/tabout.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/tfrm_comm.h"

namespace {
constexpr int StripHeight = 5;
constexpr int StripStepMs = 40;
constexpr qreal StripStep = 0.05;
} // namespace

FlashColor::FlashColor(QWidget* parent)
    : QWidget(parent)
    , m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("FlashColor1"));
    setFixedHeight(StripHeight);
    m_timer->setInterval(StripStepMs);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_phase += StripStep;
        if (m_phase > 2)
            m_phase -= 2;
        update();
    });
}

void FlashColor::setColors(const QColor& first, const QColor& second)
{
    m_first = first;
    m_second = second;
    update();
}

void FlashColor::start()
{
    m_timer->start();
}

void FlashColor::stop()
{
    m_timer->stop();
}

bool FlashColor::isRunning() const
{
    return m_timer->isActive();
}

void FlashColor::paintEvent(QPaintEvent*)
{
    // The second colour sweeps in from the left, then the first sweeps back over it.
    QPainter p(this);
    const qreal sweep = m_phase <= 1 ? m_phase : 2 - m_phase;
    const int split = qRound(width() * sweep);
    p.fillRect(QRect(0, 0, split, height()), m_second);
    p.fillRect(QRect(split, 0, width() - split, height()), m_first);
}

Tabout::Tabout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("about"));
    setModal(true);

    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("Image1"));
    m_icon->setPixmap(TfrmComm::programIcon().pixmap(48, 48));
    m_name = new QLabel(QStringLiteral("Tamsel"), this);
    m_name->setObjectName(QStringLiteral("Label1"));
    QFont big = m_name->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    m_name->setFont(big);
    m_version = new QLabel(this);
    m_version->setObjectName(QStringLiteral("Label2"));
    m_strip = new FlashColor(this);
    m_strip->setColors(QColor(0, 0, 128), Qt::white);
    m_close = new QPushButton(this);
    m_close->setObjectName(QStringLiteral("Button1"));
    m_close->setAutoDefault(false);
    connect(m_close, &QPushButton::clicked, this, &Tabout::closeBox);

    auto* top = new QHBoxLayout;
    top->addWidget(m_icon, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->addWidget(m_name);
    texts->addWidget(m_version);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    auto* col = new QVBoxLayout(this);
    col->addLayout(top);
    col->addWidget(m_strip);
    col->addLayout(buttons);

    retranslate();
    // The version is set after the language, so it reads the same in both.
    m_version->setText(QStringLiteral("Ver 2.14"));
    setFixedSize(sizeHint().expandedTo(QSize(300, 0)));
}

QString Tabout::versionText() const
{
    return m_version->text();
}

void Tabout::showAbout(QWidget* owner)
{
    Tabout box(owner);
    if (owner) {
        const QRect frame = owner->frameGeometry();
        box.move(frame.center() - box.rect().center());
    }
    box.exec();
}

void Tabout::retranslate()
{
    setWindowTitle(tr("About"));
    m_close->setText(tr("Close"));
}

void Tabout::closeBox()
{
    if (m_closing)
        return;
    m_closing = true;
    m_strip->stop();
    // Steps of the strip already queued are served before the box goes, 100 ms in all.
    QApplication::processEvents();
    for (int i = 0; i < 10; ++i) {
        QThread::msleep(10);
        QApplication::processEvents();
    }
    done(QDialog::Rejected);
}

void Tabout::reject()
{
    // Escape and the window system's close request are ignored: only the button closes.
    if (m_closing)
        QDialog::reject();
}

void Tabout::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

bool Tabout::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        m_strip->start();
    else if (e->type() == QEvent::WindowDeactivate)
        m_strip->stop();
    return QDialog::event(e);
}

void Tabout::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(e);
}
