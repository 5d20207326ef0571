#include "ui/operator_input_panel.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "records/mini_profile.h"
#include "ui/profile_paint_box.h"
#include "ui/ui_language.h"

namespace {

QLineEdit* edit(const char* name, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    return e;
}

QComboBox* combo(const char* name, QWidget* parent)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->setEditable(false);
    return c;
}

// Fills a list in the current language and keeps the chosen entry.
void setItems(QComboBox* c, const QStringList& items)
{
    const QSignalBlocker block(c);
    const int index = c->currentIndex();
    c->clear();
    c->addItems(items);
    c->setCurrentIndex(index >= 0 && index < items.size() ? index : 0);
}

void choose(QComboBox* c, int index)
{
    c->setCurrentIndex(index >= 0 && index < c->count() ? index : -1);
}

} // namespace

OperatorInputPanel::OperatorInputPanel(QWidget* parent) : QWidget(parent)
{
    auto* grid = new QGridLayout;
    m_dateLabel = new QLabel(this);
    dateValue = new QLabel(this);
    dateValue->setObjectName(QStringLiteral("Label35"));
    m_operatorLabel = new QLabel(this);
    m_boardLabel = new QLabel(this);
    m_componentLabel = new QLabel(this);
    m_typeLabel = new QLabel(this);
    m_orientationLabel = new QLabel(this);
    m_shutterXLabel = new QLabel(this);
    m_shutterYLabel = new QLabel(this);
    m_headlineLabel = new QLabel(this);
    Edit3 = edit("Edit3", this);
    Edit2 = edit("Edit2", this);
    Edit1 = edit("Edit1", this);
    Edit4 = edit("Edit4", this);
    ComboBox1 = combo("ComboBox1", this);
    ComboBox2 = combo("ComboBox2", this);
    ComboBox3 = combo("ComboBox3", this);
    ComboBox4 = combo("ComboBox4", this);

    grid->addWidget(m_dateLabel, 0, 0);
    grid->addWidget(dateValue, 0, 1, 1, 3);
    grid->addWidget(m_headlineLabel, 1, 0);
    grid->addWidget(Edit4, 1, 1, 1, 3);
    grid->addWidget(m_operatorLabel, 2, 0);
    grid->addWidget(Edit3, 2, 1);
    grid->addWidget(m_typeLabel, 2, 2);
    grid->addWidget(ComboBox1, 2, 3);
    grid->addWidget(m_boardLabel, 3, 0);
    grid->addWidget(Edit2, 3, 1);
    grid->addWidget(m_orientationLabel, 3, 2);
    grid->addWidget(ComboBox2, 3, 3);
    grid->addWidget(m_componentLabel, 4, 0);
    grid->addWidget(Edit1, 4, 1);
    grid->addWidget(m_shutterXLabel, 4, 2);
    grid->addWidget(ComboBox3, 4, 3);
    grid->addWidget(m_shutterYLabel, 5, 2);
    grid->addWidget(ComboBox4, 5, 3);
    grid->setRowStretch(6, 1);

    parameterGroup = new QGroupBox(this);
    parameterGroup->setObjectName(QStringLiteral("GroupBox1"));
    auto* params = new QGridLayout(parameterGroup);
    for (int i = 0; i < 11; ++i) {
        auto* l = new QLabel(parameterGroup);
        m_parameterLabels.append(l);
        // Flow and sensor on their own lines, then the values in three columns.
        if (i < 2)
            params->addWidget(l, i, 0, 1, 3);
        else
            params->addWidget(l, 2 + (i - 2) / 3, (i - 2) % 3);
    }

    m_box = new ProfilePaintBox(QSize(242, 135), this);
    m_box->setObjectName(QStringLiteral("DBufPaintBox3"));
    m_box->setFixedSize(242, 135);

    auto* row = new QHBoxLayout(this);
    row->addLayout(grid, 3);
    row->addWidget(parameterGroup, 2);
    row->addWidget(m_box, 0, Qt::AlignTop);

    const auto text = [this](QLineEdit* e, OperatorField f) {
        connect(e, &QLineEdit::textChanged, this, [this, f] { emit fieldEdited(f); });
    };
    text(Edit3, OperatorField::Operator);
    text(Edit2, OperatorField::Board);
    text(Edit1, OperatorField::Component);
    text(Edit4, OperatorField::Headline);
    const auto list = [this](QComboBox* c, OperatorField f) {
        connect(c, &QComboBox::currentIndexChanged, this, [this, f] { emit fieldEdited(f); });
    };
    list(ComboBox1, OperatorField::ProfileType);
    list(ComboBox2, OperatorField::Orientation);
    list(ComboBox3, OperatorField::ShutterX);
    list(ComboBox4, OperatorField::ShutterY);

    QStringList shutters;
    for (int i = 0; i < 9; ++i)
        shutters << QStringLiteral("%1 * 10mm").arg(2.0 + 0.5 * i, 0, 'f', 1);
    setItems(ComboBox3, shutters);
    setItems(ComboBox4, shutters);
    retranslateUi();
}

OperatorInputs OperatorInputPanel::inputs() const
{
    OperatorInputs in;
    in.operatorName = Edit3->text();
    in.boardName = Edit2->text();
    in.componentName = Edit1->text();
    in.headline = Edit4->text();
    in.profileTypeIndex = ComboBox1->currentIndex() == 1 ? 1 : 0;
    in.orientation = qMax(0, ComboBox2->currentIndex());
    in.shutterX = qMax(0, ComboBox3->currentIndex());
    in.shutterY = qMax(0, ComboBox4->currentIndex());
    return in;
}

void OperatorInputPanel::showHeader(const HeaderDisplay& d)
{
    const QSignalBlocker b1(Edit1), b2(Edit2), b3(Edit3), b4(Edit4);
    const QSignalBlocker c1(ComboBox1), c2(ComboBox2), c3(ComboBox3), c4(ComboBox4);
    dateValue->setText(d.dateText);
    Edit3->setText(d.inputs.operatorName);
    Edit4->setText(d.inputs.headline);
    Edit2->setText(d.inputs.boardName);
    Edit1->setText(d.inputs.componentName);
    choose(ComboBox1, d.inputs.profileTypeIndex);
    choose(ComboBox2, d.inputs.orientation);
    choose(ComboBox3, d.inputs.shutterX);
    choose(ComboBox4, d.inputs.shutterY);
    const QString values[] = {d.flow, d.sensor, d.T1, d.T2, d.T3, d.TL, d.S1, d.S2, d.S3, d.T0, d.TB};
    for (int i = 0; i < m_parameterLabels.size(); ++i)
        m_parameterLabels[i]->setText(values[i]);
    setLabelColour(d.savedOrLoaded ? palette().color(QPalette::Active, QPalette::Highlight) : QColor(255, 0, 0));
}

void OperatorInputPanel::drawMiniProfile(const RecordHeader& header, const QString& unitText)
{
    DrawMiniProfile(m_box->image(), header, unitText);
    m_box->present();
}

void OperatorInputPanel::setLabelColour(const QColor& colour)
{
    QPalette p = parameterGroup->palette();
    p.setColor(QPalette::WindowText, colour);
    parameterGroup->setPalette(p);
    for (QLabel* l : m_parameterLabels)
        l->setPalette(p);
}

void OperatorInputPanel::retranslateUi()
{
    m_dateLabel->setText(tr("Date of record:"));
    m_headlineLabel->setText(tr("Headline"));
    m_operatorLabel->setText(tr("operator"));
    m_boardLabel->setText(tr("board"));
    m_componentLabel->setText(tr("component"));
    m_typeLabel->setText(tr("Profile type"));
    m_orientationLabel->setText(tr("Orientation"));
    m_shutterXLabel->setText(tr("ShutterX"));
    m_shutterYLabel->setText(tr("ShutterY"));
    parameterGroup->setTitle(tr("Actual IR Parameter"));
    setItems(ComboBox1, {tr("Soldering"), tr("Desoldering")});
    setItems(ComboBox2, {tr("left down"), tr("left up"), tr("right down"), tr("right up")});
}

void OperatorInputPanel::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(e);
}
