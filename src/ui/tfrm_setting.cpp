#include "ui/tfrm_setting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/option_settings.h"
#include "shell/settings.h"
#include "ui/translated_message_box.h"

TfrmSetting::TfrmSetting(const QString& settingsFile, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_settingsFile(settingsFile)
{
    setObjectName(QStringLiteral("frmSetting"));
    auto named = [](QWidget* w, const char* name) {
        w->setObjectName(QLatin1String(name));
        return w;
    };

    Label1 = new QLabel(this);
    named(Label1, "Label1");
    ComboBox1 = new QComboBox(this);
    named(ComboBox1, "ComboBox1");
    ComboBox1->addItems({QString(), QString()}); // texts follow the language
    Label2 = new QLabel(this);
    named(Label2, "Label2");
    ComboBox2 = new QComboBox(this);
    named(ComboBox2, "ComboBox2");
    for (int i = 0; i <= 9; ++i)
        ComboBox2->addItem(QString::number(i));
    Label3 = new QLabel(this);
    named(Label3, "Label3");
    ComboBox3 = new QComboBox(this);
    named(ComboBox3, "ComboBox3");
    ComboBox3->addItems(OptionSettings::samplingIntervalItems());
    Label4 = new QLabel(this);
    named(Label4, "Label4");
    Edit1 = new QLineEdit(this);
    named(Edit1, "Edit1");
    Edit1->setReadOnly(true);
    Edit1->setMinimumWidth(260);
    Button3 = new QPushButton(QStringLiteral("..."), this);
    named(Button3, "Button3");
    Button3->setFixedWidth(32);
    CheckBox1 = new QCheckBox(this);
    named(CheckBox1, "CheckBox1");
    Button4 = new QPushButton(this);
    named(Button4, "Button4");
    Button5 = new QPushButton(this);
    named(Button5, "Button5");
    Button6 = new QPushButton(this);
    named(Button6, "Button6");
    Button1 = new QPushButton(this);
    named(Button1, "Button1");
    Button1->setDefault(true);
    Button2 = new QPushButton(this);
    named(Button2, "Button2");

    connect(Button3, &QPushButton::clicked, this, &TfrmSetting::chooseSavePath);
    connect(Button4, &QPushButton::clicked, this, &TfrmSetting::importRequested);
    connect(Button5, &QPushButton::clicked, this, &TfrmSetting::exportRequested);
    connect(Button6, &QPushButton::clicked, this, &TfrmSetting::processWindowRequested);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(ComboBox1, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(ComboBox2, 1, 1);
    grid->addWidget(Label3, 2, 0);
    grid->addWidget(ComboBox3, 2, 1);
    grid->addWidget(Label4, 3, 0, 1, 2);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(Edit1, 1);
    pathRow->addWidget(Button3);
    grid->addLayout(pathRow, 4, 0, 1, 2);
    grid->addWidget(CheckBox1, 5, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    auto* tools = new QHBoxLayout;
    tools->addWidget(Button4);
    tools->addWidget(Button5);
    tools->addWidget(Button6);
    tools->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* col = new QVBoxLayout(this);
    col->addLayout(grid);
    col->addSpacing(8);
    col->addLayout(tools);
    col->addSpacing(8);
    col->addLayout(buttons);

    const Settings settings(m_settingsFile);
    CheckBox1->setChecked(settings.changePcbMode());
    Edit1->setText(settings.savePath());

    m_chooser = [](QWidget* p, const QString& start) {
        // Not read-only: the chooser may create a new folder.
        return QFileDialog::getExistingDirectory(p, QString(), start, QFileDialog::ShowDirsOnly);
    };

    retranslate();
    // Wide enough for the Chinese and the English texts alike.
    setFixedSize(sizeHint().expandedTo(QSize(400, 0)));
}

void TfrmSetting::fill(const StationView& view)
{
    // Without the link the station's sensor is unknown; IR is shown.
    ComboBox1->setCurrentIndex(view.irSensor || !view.communicationOn ? 1 : 0);
    ComboBox2->setCurrentIndex(view.flow >= 0 && view.flow < ComboBox2->count() ? view.flow : -1);
    ComboBox3->setCurrentIndex(OptionSettings::samplingIntervalIndex(view.samplingInterval));
    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(ComboBox1),
                       static_cast<QWidget*>(Label2), static_cast<QWidget*>(ComboBox2)})
        w->setEnabled(!view.running);
    Label3->setEnabled(!view.recording);
    ComboBox3->setEnabled(!view.recording);
}

bool TfrmSetting::irChosen() const
{
    return ComboBox1->currentIndex() == 1;
}

int TfrmSetting::flowChosen() const
{
    return ComboBox2->currentIndex();
}

QString TfrmSetting::intervalText() const
{
    return ComboBox3->currentIndex() < 0 ? QString() : ComboBox3->currentText();
}

QString TfrmSetting::savePathText() const
{
    return Edit1->text();
}

bool TfrmSetting::changePcbModeChosen() const
{
    return CheckBox1->isChecked();
}

void TfrmSetting::chooseSavePath()
{
    const QString dir = m_chooser ? m_chooser(this, Edit1->text()) : QString();
    if (!dir.isEmpty())
        Edit1->setText(OptionSettings::withSeparator(dir));
}

void TfrmSetting::accept()
{
    Settings settings(m_settingsFile);
    if (!OptionSettings::write(settings, changePcbModeChosen(), intervalText(), savePathText())) {
        TranslatedMessageBox::error(this, settings.errorString());
        return;
    }
    QDialog::accept();
}

void TfrmSetting::retranslate()
{
    setWindowTitle(tr("option"));
    Label1->setText(tr("Select Sensor"));
    ComboBox1->setItemText(0, tr("Thermocouple"));
    ComboBox1->setItemText(1, tr("IR"));
    Label2->setText(tr("Select Flow"));
    Label3->setText(tr("Sampling interval"));
    Label4->setText(tr("Save parameters Path"));
    CheckBox1->setText(tr("Employee No."));
    Button4->setText(tr("Import parameters"));
    Button5->setText(tr("Export operation record"));
    Button6->setText(tr("Process window..."));
    Button1->setText(tr("Ok"));
    Button2->setText(tr("Cancel"));
}

void TfrmSetting::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(e);
}
