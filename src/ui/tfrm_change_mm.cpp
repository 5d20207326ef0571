#include "ui/tfrm_change_mm.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/translated_message_box.h"
#include "ui/ui_language.h"

TfrmChangeMm::TfrmChangeMm(Mode mode, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_mode(mode)
{
    setObjectName(QStringLiteral("frmChangeMm"));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit1->setEchoMode(QLineEdit::Password);
    Edit2->setEchoMode(QLineEdit::Password);
    Button1 = new QPushButton(this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(this);
    Button2->setObjectName(QStringLiteral("Button2"));
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout;
    if (m_mode == FirstUseMode) {
        // The label becomes a note over the one field left.
        Edit1->hide();
        Label1->setWordWrap(true);
        Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        // 289 wide; as tall as its two lines need in fonts larger than the designed one.
        Label1->setFixedWidth(289);
        Label1->setMinimumHeight(24);
        grid->addWidget(Label1, 0, 0, 1, 2);
    } else {
        grid->addWidget(Label1, 0, 0);
        grid->addWidget(Edit1, 0, 1);
    }
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(Edit2, 1, 1);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* col = new QVBoxLayout(this);
    col->addLayout(grid);
    col->addLayout(buttons);
    col->setSizeConstraint(QLayout::SetFixedSize);

    retranslate();
    (m_mode == FirstUseMode ? Edit2 : Edit1)->setFocus();
}

QString TfrmChangeMm::newPassword() const
{
    return Edit1->text();
}

QString TfrmChangeMm::confirmation() const
{
    return Edit2->text();
}

void TfrmChangeMm::accept()
{
    if (m_mode == ChangeMode && Edit1->text() != Edit2->text()) {
        TranslatedMessageBox::information(this, UiLanguage::instance().isEnglish() ? QStringLiteral("passwords aren't same!")
                                                                                 : QStringLiteral("两次输入的密码不一致！"));
        return;
    }
    QDialog::accept();
}

void TfrmChangeMm::retranslate()
{
    setWindowTitle(tr("Password", "window caption"));
    Label1->setText(m_mode == FirstUseMode ? tr("You use the soft for first-time,Please input password again") : tr("Password", "new password"));
    Label2->setText(tr("Password confirmation:"));
    Button1->setText(tr("Ok"));
    Button2->setText(tr("Cancel"));
}

void TfrmChangeMm::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(e);
}
