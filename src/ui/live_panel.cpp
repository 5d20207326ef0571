#include "ui/live_panel.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* namedLabel(const char* name, const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

QLabel* bigValue(const char* name, const QColor& colour, QWidget* parent)
{
    QLabel* l = namedLabel(name, QStringLiteral("400"), parent);
    QFont f = l->font();
    f.setPixelSize(36);
    f.setBold(true);
    l->setFont(f);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, colour);
    l->setPalette(pal);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(110);
    return l;
}

QLabel* unitLabel(const char* name, QWidget* parent)
{
    QLabel* l = namedLabel(name, QStringLiteral("°C"), parent);
    QFont f = l->font();
    f.setPixelSize(18);
    l->setFont(f);
    l->setMinimumWidth(28);
    return l;
}

} // namespace

LivePanel::LivePanel(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Panel1"));
    setFrameShape(QFrame::StyledPanel);

    Label2 = namedLabel("Label2", QStringLiteral("TC"), this);
    labTc = bigValue("labTc", QColor(Qt::red), this);
    Label38 = unitLabel("Label38", this);
    Label39 = namedLabel("Label39", QStringLiteral("Tb"), this);
    Label40 = bigValue("Label40", QColor(Qt::blue), this);
    Label41 = unitLabel("Label41", this);
    for (QLabel* l : {Label2, Label39}) {
        QFont f = l->font();
        f.setPixelSize(16);
        f.setBold(true);
        l->setFont(f);
    }

    auto makeBox = [this](const char* name) {
        auto* b = new QCheckBox(this);
        b->setObjectName(QLatin1String(name));
        // Indicators only: the station decides, the operator cannot. Disabled, but their
        // captions stay as legible as the other labels.
        b->setEnabled(false);
        QPalette pal = b->palette();
        pal.setColor(QPalette::Disabled, QPalette::WindowText, pal.color(QPalette::Active, QPalette::WindowText));
        pal.setColor(QPalette::Disabled, QPalette::Text, pal.color(QPalette::Active, QPalette::Text));
        b->setPalette(pal);
        return b;
    };
    CheckBox1 = makeBox("CheckBox1");
    CheckBox2 = makeBox("CheckBox2");
    CheckBox4 = makeBox("CheckBox4");
    CheckBox3 = makeBox("CheckBox3");
    CheckBox5 = makeBox("CheckBox5");
    CheckBox6 = makeBox("CheckBox6");
    CheckBox7 = makeBox("CheckBox7");
    CheckBox8 = makeBox("CheckBox8");

    Label7 = namedLabel("Label7", QString(), this);
    Label8 = namedLabel("Label8", QString(), this);
    Label12 = namedLabel("Label12", QString(), this);
    Label13 = namedLabel("Label13", QStringLiteral(" "), this);
    for (QLabel* l : {Label8, Label13}) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }

    btnStart = new QPushButton(this);
    btnStart->setObjectName(QStringLiteral("btnStart"));
    btnStart->setMinimumHeight(40);
    setStartButton(QString(), 1);

    auto* temps = new QGridLayout;
    temps->addWidget(Label2, 0, 0);
    temps->addWidget(labTc, 0, 1);
    temps->addWidget(Label38, 0, 2);
    temps->addWidget(Label39, 1, 0);
    temps->addWidget(Label40, 1, 1);
    temps->addWidget(Label41, 1, 2);
    temps->setColumnStretch(1, 1);

    auto* info = new QGridLayout;
    info->addWidget(Label7, 0, 0);
    info->addWidget(Label8, 0, 1);
    info->addWidget(Label12, 1, 0, 1, 2);
    info->addWidget(Label13, 2, 0, 1, 2);
    info->setColumnStretch(1, 1);

    auto* col = new QVBoxLayout(this);
    col->addLayout(temps);
    col->addSpacing(6);
    for (QCheckBox* b : {CheckBox1, CheckBox2, CheckBox4, CheckBox3, CheckBox5, CheckBox6, CheckBox7, CheckBox8})
        col->addWidget(b);
    col->addSpacing(6);
    col->addLayout(info);
    col->addStretch(1);
    col->addWidget(btnStart);

    setMinimumWidth(200);
    retranslate();
}

QList<QWidget*> LivePanel::valueWidgets() const
{
    return {labTc, Label38, Label40, Label41, CheckBox1, CheckBox2, CheckBox3, CheckBox4,
            CheckBox5, CheckBox6, CheckBox7, CheckBox8, Label8, Label13};
}

void LivePanel::setValuesCurrent(bool current)
{
    if (current == m_valuesCurrent)
        return;
    m_valuesCurrent = current;
    const QList<QWidget*> widgets = valueWidgets();
    if (!current) {
        m_currentPalettes.clear();
        for (QWidget* w : widgets) {
            m_currentPalettes << w->palette();
            QPalette pal = w->palette();
            // The panel's own disabled colour: the check boxes' palettes keep theirs legible.
            const QColor grey = palette().color(QPalette::Disabled, QPalette::WindowText);
            for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
                pal.setColor(g, QPalette::WindowText, grey);
                pal.setColor(g, QPalette::Text, grey);
            }
            w->setPalette(pal);
        }
    } else {
        for (int i = 0; i < widgets.size() && i < m_currentPalettes.size(); ++i)
            widgets[i]->setPalette(m_currentPalettes[i]);
        m_currentPalettes.clear();
    }
    // Begin or Exit cannot reach a station that does not answer.
    btnStart->setEnabled(current);
}

int LivePanel::startTag() const
{
    return btnStart->property("tag").toInt();
}

void LivePanel::setStartButton(const QString& caption, int tag)
{
    btnStart->setProperty("tag", tag);
    btnStart->setText(caption.isEmpty() ? (tag == 0 ? tr("Exit") : tr("Begin")) : caption);
}

void LivePanel::retranslate()
{
    CheckBox1->setText(tr("Fan"));
    CheckBox2->setText(tr("Vacuum-pump"));
    CheckBox4->setText(tr("Top-heater"));
    CheckBox3->setText(tr("Bottom-heater"));
    CheckBox5->setText(tr("Fan-inside"));
    CheckBox6->setText(tr("Fan-outside"));
    CheckBox7->setText(tr("Top Heater up"));
    CheckBox8->setText(tr("Top Heater down"));
    Label7->setText(tr("Flow"));
    Label12->setText(tr("Soldering or Desoldering"));
    // The button follows its tag, so a switch never shows "Begin" on a running process.
    // The other values (unit, soldering) take the new language with the next status frame.
    setStartButton(QString(), startTag());
}

void LivePanel::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::LanguageChange)
        retranslate();
    QFrame::changeEvent(e);
}
