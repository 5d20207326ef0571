// The login window, its password window and the two protection password windows, through
// their widgets.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "shell/ini_file.h"
#include "shell/settings.h"
#include "support/file_bytes.h"
#include "ui/modal_watcher.h"
#include "ui/protection_password_dialog.h"
#include "ui/tfrm_change_mm.h"
#include "ui/tfrm_logon.h"
#include "ui/ui_language.h"
#include "users/user_record.h"

// Clicks after the watcher's handler has returned: a message box the click opens is then
// answered by the watcher too (its timer does not fire inside its own handler).
inline void later(QAbstractButton* b)
{
    QTimer::singleShot(0, b, &QAbstractButton::click);
}

class TestUsersDialogs : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString settingsFile() const { return m_dir->filePath("data/CommConfig.ini"); }

    void storeUsers(const TUserStruList& list) { QVERIFY(SaveUserList(list, m_dir->path())); }
    TUserStruList storedUsers() const
    {
        TUserStruList list;
        LoadUserList(list, m_dir->path());
        return list;
    }

    // A login window filled as the operator would, then Ok clicked.
    struct Login
    {
        QString no, password, name, department, remark;
    };
    void fill(TfrmLogon& d, const Login& l)
    {
        d.ComboBox1->setEditText(l.no);
        d.Edit1->setText(l.password);
        d.Edit2->setText(l.name);
        d.Edit3->setText(l.department);
        d.Edit4->setText(l.remark);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QDir(m_dir->path()).mkpath("data");
    }
    void cleanup() { UiLanguage::instance().apply(Language::English); }

    void knownEmployeeLogsInWithOtherLetterCase()
    {
        storeUsers({UserRecord::made("A7", "Pw", "Old name", "QA", "r"), UserRecord::made("B8", "x", "Li", "", "")});
        QVERIFY(Settings(settingsFile()).setCurrUser("b8"));
        TfrmLogon d(m_dir->path(), settingsFile());
        QVERIFY(d.prepare());
        // CurrUser preselects its employee with the stored texts, the password empty.
        QCOMPARE(d.ComboBox1->count(), 2);
        QCOMPARE(d.ComboBox1->currentText(), QStringLiteral("B8"));
        QCOMPARE(d.Edit2->text(), QStringLiteral("Li"));
        QVERIFY(d.Edit1->text().isEmpty());
        QCOMPARE(d.Edit1->echoMode(), QLineEdit::Password);
        d.setMessage("Are you sure to exit the board\"X\"?");
        QCOMPARE(d.Label7->text(), QStringLiteral("Are you sure to exit the board\"X\"?"));
        d.show();

        // Typing another number shows its record.
        d.ComboBox1->setEditText("a7");
        QCOMPARE(d.Edit2->text(), QStringLiteral("Old name"));

        ModalWatcher watcher;
        d.Edit1->setText("pw");
        QTest::mouseClick(d.Button1, Qt::LeftButton);
        QCOMPARE(watcher.seen, QStringList{"The password is incorrect!"});
        QVERIFY(d.isVisible());
        QCOMPARE(d.Edit1->text(), QStringLiteral("pw"));

        d.Edit1->setText("Pw");
        d.Edit2->clear();
        d.Edit3->setText("Line 2");
        QTest::mouseClick(d.Button1, Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.employeeNo(), QStringLiteral("a7"));
        QCOMPARE(Settings(settingsFile()).currUser(), QStringLiteral("a7"));
        // The stored employee keeps its number; name, department and remark are the dialog's.
        QCOMPARE(storedUsers().value(0), UserRecord::made("A7", "Pw", "", "Line 2", "r"));
    }

    void emptyNumberIsRefused_data()
    {
        QTest::addColumn<bool>("english");
        QTest::newRow("English") << true;
        QTest::newRow("Chinese") << false;
    }
    void emptyNumberIsRefused()
    {
        QFETCH(bool, english);
        UiLanguage::instance().apply(english ? Language::English : Language::Chinese);
        TfrmLogon d(m_dir->path(), settingsFile());
        QVERIFY(d.prepare());
        QCOMPARE(d.windowTitle(), english ? QStringLiteral("Login") : QStringLiteral("登录"));
        QCOMPARE(d.Label1->text(), english ? QStringLiteral("Employee No.") : QStringLiteral("用户工号"));
        QCOMPARE(d.Button1->text(), english ? QStringLiteral("Ok") : QStringLiteral("确定"));
        QCOMPARE(d.Edit1->toolTip(), english ? QStringLiteral("Double click to change password") : QStringLiteral("双击修改密码"));
        d.show();
        ModalWatcher watcher;
        d.ComboBox1->setEditText("   ");
        QTest::mouseClick(d.Button1, Qt::LeftButton);
        QCOMPARE(watcher.seen, QStringList{english ? "Employee No. must be inputed!" : QStringLiteral("请输入工号！")});
        QVERIFY(d.isVisible());
        QVERIFY(!QFileInfo::exists(m_dir->filePath("UserList.dat")));
    }

    void firstLoginAddsTheEmployee_data()
    {
        QTest::addColumn<QString>("confirmation"); // typed into the first-use window
        QTest::addColumn<bool>("confirmed");       // Ok (true) or closed
        QTest::addColumn<bool>("added");
        QTest::newRow("confirmed") << "secret" << true << true;
        QTest::newRow("closed without confirming") << "" << false << true;
        QTest::newRow("different confirmation") << "other" << true << false;
    }
    void firstLoginAddsTheEmployee()
    {
        QFETCH(QString, confirmation);
        QFETCH(bool, confirmed);
        QFETCH(bool, added);
        storeUsers({UserRecord::made("A7", "Pw", "", "", "")});
        TfrmLogon d(m_dir->path(), settingsFile());
        QVERIFY(d.prepare());
        d.show();
        // A leading blank makes another employee.
        fill(d, {" A7", "secret", QStringLiteral("张三"), "QA", "a remark longer than sixty-four bytes is cut when it is stored.."});
        ModalWatcher watcher;
        watcher.onDialog = [&](QDialog* w) {
            auto* mm = qobject_cast<TfrmChangeMm*>(w);
            if (!mm)
                return false;
            // First use: the new password field is hidden and its label is the note.
            if (!mm->Edit1->isHidden() || mm->Label1->text() != "You use the soft for first-time,Please input password again")
                return false;
            mm->Edit2->setText(confirmation);
            if (confirmed)
                later(mm->Button1);
            else
                mm->reject();
            return true;
        };
        QTest::mouseClick(d.Button1, Qt::LeftButton);
        QCOMPARE(watcher.seen.value(0), QStringLiteral("frmChangeMm"));
        const TUserStruList users = storedUsers();
        if (!added) {
            QCOMPARE(watcher.seen.value(1), QStringLiteral("passwords aren't same!"));
            QVERIFY(d.isVisible());
            QCOMPARE(users.size(), 1);
            return;
        }
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(users.size(), 2);
        QCOMPARE(users[1], UserRecord::made(" A7", "secret", QStringLiteral("张三"), "QA",
                                            "a remark longer than sixty-four bytes is cut when it is stored.."));
        QCOMPARE(users[1].remark.size(), 64);
        // Settings values lose their surrounding blanks, as Windows INI files do.
        QCOMPARE(Settings(settingsFile()).currUser(), QStringLiteral("A7"));
    }

    void doubleClickChangesThePassword()
    {
        storeUsers({UserRecord::made("A7", "old", "", "", "")});
        TfrmLogon d(m_dir->path(), settingsFile());
        QVERIFY(d.prepare());
        d.show();
        d.ComboBox1->setEditText("A7");
        ModalWatcher watcher;
        int round = 0;
        watcher.onDialog = [&](QDialog* w) {
            auto* mm = qobject_cast<TfrmChangeMm*>(w);
            if (!mm || mm->Edit1->isHidden())
                return false;
            // First a mismatch (refused, the window stays), then two equal texts.
            mm->Edit1->setText("new");
            mm->Edit2->setText(round++ == 0 ? "New" : "new");
            later(mm->Button1);
            return true;
        };
        d.Edit1->setText("wrong");
        QTest::mouseDClick(d.Edit1, Qt::LeftButton);
        QCOMPARE(watcher.seen, QStringList{"The old password is incorrect!"});

        d.Edit1->setText("old");
        QTest::mouseDClick(d.Edit1, Qt::LeftButton);
        QCOMPARE(watcher.seen.mid(1), (QStringList{"frmChangeMm", "passwords aren't same!", "frmChangeMm"}));
        QCOMPARE(storedUsers().value(0).password, QStringLiteral("new"));
        QCOMPARE(d.Edit1->text(), QStringLiteral("new"));
    }

    void unreadableUserFileIsNotReplaced()
    {
        QVERIFY(QDir(m_dir->path()).mkdir("UserList.dat"));
        TfrmLogon d(m_dir->path(), settingsFile());
        ModalWatcher watcher;
        QVERIFY(!d.prepare());
        QCOMPARE(watcher.seen.size(), 1);
        QVERIFY(watcher.seen[0].contains("UserList.dat"));
    }

    void protectionWindowsByModeAndLanguage_data()
    {
        QTest::addColumn<bool>("parameter");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("setAction");
        QTest::addColumn<QString>("loginAction");
        QTest::newRow("login password, English") << false << true << "Tamsel Login password protection"
                                                 << "Changed login password" << "login";
        QTest::newRow("login password, Chinese") << false << false << QStringLiteral("Tamsel 登录密码")
                                                 << QStringLiteral("修改密码") << QStringLiteral("登录");
        QTest::newRow("parameter password, English") << true << true << "Parameter protection"
                                                     << "Changed login password" << "login";
        QTest::newRow("parameter password, Chinese") << true << false << QStringLiteral("参数密码保护")
                                                     << QStringLiteral("修改密码") << QStringLiteral("确定");
    }
    void protectionWindowsByModeAndLanguage()
    {
        QFETCH(bool, parameter);
        QFETCH(bool, english);
        QFETCH(QString, caption);
        QFETCH(QString, setAction);
        QFETCH(QString, loginAction);
        UiLanguage::instance().apply(english ? Language::English : Language::Chinese);
        auto make = [&](ProtectionPasswordDialog::Mode mode) -> std::unique_ptr<ProtectionPasswordDialog> {
            if (parameter)
                return std::make_unique<TfrmParameterpass>(mode, "Abc");
            return std::make_unique<TfrmIRPassSet>(mode, "Abc");
        };
        ModalWatcher watcher;

        // Set mode: both fields prefilled; two different texts are refused and emptied.
        auto set = make(ProtectionPasswordDialog::SetMode);
        QCOMPARE(set->windowTitle(), caption);
        QCOMPARE(set->Button1->text(), setAction);
        QCOMPARE(set->Edit1->text(), QStringLiteral("Abc"));
        QCOMPARE(set->Edit2->text(), QStringLiteral("Abc"));
        QCOMPARE(set->Edit2->echoMode(), QLineEdit::Password);
        set->show();
        set->Edit2->setText("Abd");
        QTest::mouseClick(set->Button1, Qt::LeftButton);
        QCOMPARE(watcher.seen.takeFirst(), english ? QStringLiteral("passwords aren't same!") : QStringLiteral("两次密码不一致，请重新输入！"));
        QVERIFY(set->isVisible());
        QVERIFY(set->Edit1->text().isEmpty() && set->Edit2->text().isEmpty());
        QTest::mouseClick(set->Button1, Qt::LeftButton); // both empty: equal, accepted
        QCOMPARE(set->result(), int(QDialog::Accepted));

        // Login mode: one empty field; letter case counts.
        auto login = make(ProtectionPasswordDialog::LoginMode);
        QCOMPARE(login->Button1->text(), loginAction);
        login->show();
        QVERIFY(!login->Edit2->isVisible());
        QVERIFY(login->Edit1->text().isEmpty());
        login->Edit1->setText("abc");
        QTest::mouseClick(login->Button1, Qt::LeftButton);
        QCOMPARE(watcher.seen.takeFirst(), english ? QStringLiteral("passwords aren't increct!")
                                                   : QStringLiteral("密码不正确，请重新输入！提示：密码对小写是敏感的。"));
        QVERIFY(login->isVisible());
        QVERIFY(login->Edit1->text().isEmpty());
        login->Edit1->setText("Abc");
        QTest::mouseClick(login->Button1, Qt::LeftButton);
        QCOMPARE(login->result(), int(QDialog::Accepted));
        QVERIFY(watcher.seen.isEmpty());
    }
};

QTEST_MAIN(TestUsersDialogs)
#include "test_users_dialogs.moc"
