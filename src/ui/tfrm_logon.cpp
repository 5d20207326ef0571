#include "ui/tfrm_logon.h"

#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/settings.h"
#include "ui/tfrm_change_mm.h"
#include "ui/translated_message_box.h"
#include "ui/ui_language.h"
#include "ui/users_messages.h"

TfrmLogon::TfrmLogon(const QString& programDir, const QString& settingsFile, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_programDir(programDir)
    , m_settingsFile(settingsFile)
{
    setObjectName(QStringLiteral("frmLogon"));
    auto label = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        return l;
    };
    auto edit = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        return e;
    };
    Label1 = label("Label1");
    Label2 = label("Label2");
    Label3 = label("Label3");
    Label4 = label("Label4");
    Label5 = label("Label5");
    Label6 = label("Label6");
    Label6->setText(QStringLiteral("*"));
    Label6->setStyleSheet(QStringLiteral("color: red"));
    Label7 = label("Label7");
    Label7->setWordWrap(true);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setMinimumWidth(180);
    // The number stays as typed: leaving the box must not swap "e7" for the stored "E7".
    ComboBox1->completer()->setCaseSensitivity(Qt::CaseSensitive);
    Edit1 = edit("Edit1");
    Edit1->setEchoMode(QLineEdit::Password);
    Edit1->installEventFilter(this);
    Edit2 = edit("Edit2");
    Edit3 = edit("Edit3");
    Edit4 = edit("Edit4");
    Button1 = new QPushButton(this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(this);
    Button2->setObjectName(QStringLiteral("Button2"));
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(ComboBox1, &QComboBox::currentTextChanged, this, &TfrmLogon::showRecordOf);

    auto* grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(ComboBox1, 0, 1);
    grid->addWidget(Label6, 0, 2);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(Edit1, 1, 1);
    grid->addWidget(Label3, 2, 0);
    grid->addWidget(Edit2, 2, 1);
    grid->addWidget(Label4, 3, 0);
    grid->addWidget(Edit3, 3, 1);
    grid->addWidget(Label5, 4, 0);
    grid->addWidget(Edit4, 4, 1);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* col = new QVBoxLayout(this);
    col->addWidget(Label7);
    col->addLayout(grid);
    col->addLayout(buttons);
    setMinimumWidth(340);

    retranslate();
    ComboBox1->setFocus();
}

bool TfrmLogon::prepare()
{
    UsersFileError error;
    if (!LoadUserList(UserList(), m_programDir, &error)) {
        TranslatedMessageBox::error(this, UsersMessages::fileError(error));
        return false;
    }
    const QSignalBlocker block(ComboBox1);
    ComboBox1->clear();
    for (const UserRecord& r : UserList())
        ComboBox1->addItem(r.employeeNo);
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText(QString());
    if (!UserList().isEmpty()) {
        const int i = FindEmployee(UserList(), Settings(m_settingsFile).currUser());
        if (i >= 0) {
            ComboBox1->setCurrentIndex(i);
            showRecordOf(ComboBox1->currentText());
        }
    }
    return true;
}

void TfrmLogon::setMessage(const QString& text)
{
    Label7->setText(text);
}

QString TfrmLogon::employeeNo() const { return ComboBox1->currentText(); }
QString TfrmLogon::password() const { return Edit1->text(); }
QString TfrmLogon::name() const { return Edit2->text(); }
QString TfrmLogon::department() const { return Edit3->text(); }
QString TfrmLogon::remark() const { return Edit4->text(); }

void TfrmLogon::showRecordOf(const QString& employeeNo)
{
    const int i = FindEmployee(UserList(), employeeNo);
    if (i < 0)
        return;
    const UserRecord& r = UserList()[i];
    Edit2->setText(r.name);
    Edit3->setText(r.department);
    Edit4->setText(r.remark);
}

void TfrmLogon::message(const char* english, const char* chinese)
{
    TranslatedMessageBox::information(
        this, UiLanguage::instance().isEnglish() ? QString::fromUtf8(english) : QString::fromUtf8(chinese));
}

bool TfrmLogon::save()
{
    UsersFileError error;
    if (SaveUserList(UserList(), m_programDir, &error))
        return true;
    TranslatedMessageBox::error(this, UsersMessages::fileError(error));
    return false;
}

void TfrmLogon::accept()
{
    const QString typed = employeeNo();
    if (typed.trimmed().isEmpty()) {
        message("Employee No. must be inputed!", "请输入工号！");
        return;
    }
    TUserStruList& list = UserList();
    const int i = FindEmployee(list, typed);
    if (i >= 0) {
        if (!PasswordMatches(list[i], password())) {
            message("The password is incorrect!", "密码不正确！");
            return;
        }
        const UserRecord before = list[i];
        list[i].setRemark(remark());
        list[i].setName(name());
        list[i].setDepartment(department());
        if (!save()) {
            list[i] = before;
            return;
        }
    } else {
        // A first login adds the employee; the password is asked a second time.
        int result;
        QString confirmation;
        {
            TfrmChangeMm confirm(TfrmChangeMm::FirstUseMode, this);
            result = confirm.exec();
            confirmation = confirm.confirmation();
        }
        if (result == QDialog::Accepted && confirmation != password()) {
            message("passwords aren't same!", "两次输入的密码不一致！");
            return;
        }
        list.append(UserRecord::made(typed, password(), name(), department(), remark()));
        if (!save()) {
            list.removeLast();
            return;
        }
    }
    Settings settings(m_settingsFile);
    if (!settings.setCurrUser(typed))
        TranslatedMessageBox::error(this, settings.errorString());
    QDialog::accept();
}

void TfrmLogon::changePassword()
{
    TUserStruList& list = UserList();
    const int i = FindEmployee(list, employeeNo());
    if (i < 0) {
        message("Employee No. must be inputed!", "请输入工号！");
        return;
    }
    if (!PasswordMatches(list[i], password())) {
        message("The old password is incorrect!", "原密码不正确！");
        return;
    }
    QString fresh;
    {
        TfrmChangeMm change(TfrmChangeMm::ChangeMode, this);
        if (change.exec() != QDialog::Accepted)
            return;
        fresh = change.newPassword();
    }
    const UserRecord before = list[i];
    list[i].setPassword(fresh);
    if (!save()) {
        list[i] = before;
        return;
    }
    Edit1->setText(list[i].password);
}

bool TfrmLogon::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == Edit1 && e->type() == QEvent::MouseButtonDblClick) {
        changePassword();
        return true;
    }
    return QDialog::eventFilter(watched, e);
}

void TfrmLogon::retranslate()
{
    setWindowTitle(tr("Login"));
    Label1->setText(tr("Employee No."));
    Label2->setText(tr("Password"));
    Label3->setText(tr("Name"));
    Label4->setText(tr("Department"));
    Label5->setText(tr("Remark"));
    Edit1->setToolTip(tr("Double click to change password"));
    Button1->setText(tr("Ok"));
    Button2->setText(tr("Cancel"));
}

void TfrmLogon::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (QWidget* owner = parentWidget())
        move(owner->window()->geometry().center() - rect().center());
}

void TfrmLogon::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(e);
}
