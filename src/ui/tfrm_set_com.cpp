#include "ui/tfrm_set_com.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "shell/settings.h"
#include "ui/translated_message_box.h"

namespace {
constexpr int PortCount = 16;
}

TfrmSetCOM::TfrmSetCOM(const QString& settingsFile, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint)
    , m_settingsFile(settingsFile)
{
    setObjectName(QStringLiteral("frmSetCOM"));

    m_group = new QGroupBox(this);
    m_group->setObjectName(QStringLiteral("GroupBox1"));
    m_portLabel = new QLabel(m_group);
    m_portLabel->setObjectName(QStringLiteral("Label1"));
    m_baudLabel = new QLabel(m_group);
    m_baudLabel->setObjectName(QStringLiteral("Label2"));

    ComboBox1 = new QComboBox(m_group);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    for (int i = 0; i < PortCount; ++i)
        ComboBox1->addItem(Settings::portName(i));
    ComboBox2 = new QComboBox(m_group);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->addItems({QStringLiteral("9600"), QStringLiteral("19200")});

    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("Button1"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(QStringLiteral("Button2"));
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout(m_group);
    grid->addWidget(m_portLabel, 0, 0);
    grid->addWidget(ComboBox1, 0, 1);
    grid->addWidget(m_baudLabel, 1, 0);
    grid->addWidget(ComboBox2, 1, 1);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* col = new QVBoxLayout(this);
    col->addWidget(m_group);
    col->addLayout(buttons);

    // An index outside a list selects nothing.
    const Settings settings(m_settingsFile);
    const int port = settings.commPort();
    ComboBox1->setCurrentIndex(port >= 0 && port < ComboBox1->count() ? port : -1);
    const int baud = settings.bautrate();
    ComboBox2->setCurrentIndex(baud >= 0 && baud < ComboBox2->count() ? baud : -1);

    retranslate();
    setFixedSize(sizeHint().expandedTo(QSize(260, 0)));
}

QString TfrmSetCOM::baudChoice() const
{
    return ComboBox2->currentIndex() < 0 ? QString() : ComboBox2->currentText();
}

void TfrmSetCOM::accept()
{
    Settings settings(m_settingsFile);
    // Written before the dialog closes; the command reads them back for the reopen.
    if (!settings.setCommPort(ComboBox1->currentIndex()) || !settings.setBautrate(ComboBox2->currentIndex())) {
        TranslatedMessageBox::error(this, settings.errorString());
        return;
    }
    QDialog::accept();
}

void TfrmSetCOM::retranslate()
{
    setWindowTitle(tr("setup"));
    m_group->setTitle(tr("COM port settings"));
    m_portLabel->setText(tr("port:"));
    m_baudLabel->setText(tr("baud rate:"));
    m_ok->setText(tr("Ok"));
    m_cancel->setText(tr("Cancel"));
}

void TfrmSetCOM::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    // Centred on the screen, not on its owner.
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void TfrmSetCOM::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(e);
}
