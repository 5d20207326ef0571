#include "ui/protection_password_dialog.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/translated_message_box.h"
#include "ui/ui_language.h"

ProtectionPasswordDialog::ProtectionPasswordDialog(Mode mode, const QString& stored, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_mode(mode)
    , m_stored(stored)
{
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setWordWrap(true);
    Label3->setFixedWidth(300);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    for (QLineEdit* e : {Edit1, Edit2})
        e->setEchoMode(QLineEdit::Password);
    Button1 = new QPushButton(this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(this);
    Button2->setObjectName(QStringLiteral("Button2"));
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(Edit2, 1, 1);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* col = new QVBoxLayout(this);
    col->addLayout(grid);
    col->addWidget(Label3);
    col->addLayout(buttons);

    if (m_mode == SetMode) {
        Edit1->setText(stored);
        Edit2->setText(stored);
    } else {
        Label2->hide();
        Edit2->hide();
    }
    Edit1->setFocus();
}

void ProtectionPasswordDialog::finishConstruction()
{
    retranslate();
    Button1->setText(m_mode == SetMode ? tr("Changed login password") : loginModeAction());
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QString ProtectionPasswordDialog::password() const
{
    return Edit1->text();
}

void ProtectionPasswordDialog::accept()
{
    const bool english = UiLanguage::instance().isEnglish();
    if (m_mode == SetMode) {
        if (Edit1->text() != Edit2->text()) {
            TranslatedMessageBox::information(
                this, english ? QStringLiteral("passwords aren't same!") : QStringLiteral("两次密码不一致，请重新输入！"));
            Edit1->clear();
            Edit2->clear();
            Edit1->setFocus();
            return;
        }
    } else if (Edit1->text() != m_stored) {
        TranslatedMessageBox::information(this, english ? QStringLiteral("passwords aren't increct!")
                                                        : QStringLiteral("密码不正确，请重新输入！提示：密码对小写是敏感的。"));
        Edit1->clear();
        Edit1->setFocus();
        return;
    }
    QDialog::accept();
}

void ProtectionPasswordDialog::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    // Centred on the main window.
    if (QWidget* owner = parentWidget())
        move(owner->window()->geometry().center() - rect().center());
}

void ProtectionPasswordDialog::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::LanguageChange) {
        retranslate();
        Button1->setText(m_mode == SetMode ? tr("Changed login password") : loginModeAction());
    }
    QDialog::changeEvent(e);
}

TfrmIRPassSet::TfrmIRPassSet(Mode mode, const QString& stored, QWidget* parent)
    : ProtectionPasswordDialog(mode, stored, parent)
{
    setObjectName(QStringLiteral("frmIRPassSet"));
    finishConstruction();
}

void TfrmIRPassSet::retranslate()
{
    setWindowTitle(tr("Tamsel Login password protection"));
    Label1->setText(tr("Password input:"));
    Label2->setText(tr("Password confirmation:"));
    Label3->setText(tr("Note:\nThe password can also set who will operate the IR rework system. If you want to cancel "
                       "this password, you can set it empty."));
    Button2->setText(tr("cancel"));
}

QString TfrmIRPassSet::loginModeAction() const
{
    return tr("login");
}

TfrmParameterpass::TfrmParameterpass(Mode mode, const QString& stored, QWidget* parent)
    : ProtectionPasswordDialog(mode, stored, parent)
{
    setObjectName(QStringLiteral("frmParameterpass"));
    finishConstruction();
}

void TfrmParameterpass::retranslate()
{
    setWindowTitle(tr("Parameter protection"));
    Label1->setText(tr("Password input:"));
    Label2->setText(tr("Password confirmation:"));
    Label3->setText(tr("Note:\nAs password alphanumeric characters of any length are allowed.If you want to cancel the "
                       "password, you can let it empty."));
    Button2->setText(tr("cancel"));
}

QString TfrmParameterpass::loginModeAction() const
{
    return tr("login");
}
