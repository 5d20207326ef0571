// The protection passwords, the first start and Begin's login on the main window.

#include <memory>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "link/station_link.h"
#include "profiles/profile_table.h"
#include "shell/ini_file.h"
#include "support/fake_clock.h"
#include "support/fake_port.h"
#include "support/file_bytes.h"
#include "support/frames.h"
#include "ui/live_panel.h"
#include "ui/modal_watcher.h"
#include "ui/profile_page.h"
#include "ui/protection_password_dialog.h"
#include "ui/tfrm_comm.h"
#include "ui/tfrm_comm_actions.h"
#include "ui/tfrm_logon.h"
#include "ui/ui_language.h"
#include "users/operation_log.h"
#include "users/user_record.h"

// Clicks after the watcher's handler has returned: a message box the click opens is then
// answered by the watcher too (its timer does not fire inside its own handler).
inline void later(QAbstractButton* b)
{
    QTimer::singleShot(0, b, &QAbstractButton::click);
}

namespace {
const QString kRefusal = QStringLiteral("你没有登录，不能对MCU操作！提示: 选择菜单\"通讯\"-->\"登录\"进行登录.");

// Fills the first field of a protection window (and the confirmation when shown) and clicks
// its action button.
std::function<bool(QDialog*)> typePassword(const QString& text)
{
    return [text](QDialog* w) {
        auto* d = qobject_cast<ProtectionPasswordDialog*>(w);
        if (!d)
            return false;
        d->Edit1->setText(text);
        d->Edit2->setText(text);
        later(d->Button1);
        return true;
    };
}
} // namespace

class TestProtection : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QTemporaryDir> m_systemDir;
    FakePort m_port;
    FakeClock m_clock;

    QString passwordFile() const { return m_systemDir->filePath("IRpaswd.ini"); }
    void writePasswords(const QString& key, const QString& value)
    {
        IniFile pw(passwordFile());
        QVERIFY(pw.writeString("IRPaswd", key, value));
    }

    // The main window shown (first show done), with its first-show dialogs left to `watcher`.
    std::unique_ptr<TfrmComm> start()
    {
        auto frm = std::make_unique<TfrmComm>(ProgramPaths(m_dir->path()), &m_port, &m_clock);
        QSignalSpy shown(frm.get(), &TfrmComm::firstShowDone);
        frm->show();
        if (!shown.wait(10000))
            return nullptr;
        return frm;
    }
    // Hello answered and an idle station: the button shows Begin.
    void stationIdle()
    {
        m_port.inject(QByteArray("\x55", 1));
        StationStatus idle;
        idle.setCelsius(true);
        m_port.inject(wireFrame(idle));
        m_port.writes.clear();
    }
    bool beginSent() const
    {
        for (const QByteArray& w : m_port.writes) {
            if ((uint8_t(w[1]) & 0x07) == 0x06)
                return true;
        }
        return false;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QDir(m_dir->path()).mkpath("data");
        m_systemDir = std::make_unique<QTemporaryDir>();
        qputenv("TAMSEL_SYSTEM_DIR", m_systemDir->path().toLocal8Bit());
        IniFile settings(m_dir->filePath("data/CommConfig.ini"));
        QVERIFY(settings.writeInteger("Option", "language", 0));
        m_port = FakePort();
    }
    void cleanup() { UiLanguage::instance().apply(Language::English); }

    void storedLoginPasswordRefusesBeginUntilLogin()
    {
        writePasswords("inistoin", "0");
        writePasswords("Login", "Pw");
        auto frm = start();
        QVERIFY(frm);
        QVERIFY(!frm->link().stationUnlocked());
        stationIdle();
        ModalWatcher watcher;

        // The refusal is Chinese in the English interface too.
        QTest::mouseClick(frm->livePanel()->btnStart, Qt::LeftButton);
        QCOMPARE(watcher.seen, QStringList{kRefusal});
        QVERIFY(!beginSent());

        // A wrong letter case is refused; the right password unlocks for the run.
        int tries = 0;
        watcher.onDialog = [&](QDialog* w) {
            auto* d = qobject_cast<TfrmIRPassSet*>(w);
            if (!d || d->mode() != ProtectionPasswordDialog::LoginMode)
                return false;
            d->Edit1->setText(tries++ == 0 ? "pw" : "Pw");
            later(d->Button1);
            return true;
        };
        watcher.seen.clear();
        frm->actions().actnIRProtect->trigger();
        QCOMPARE(watcher.seen, (QStringList{"frmIRPassSet", "passwords aren't increct!", "frmIRPassSet", "have logined Success."}));
        QVERIFY(frm->link().stationUnlocked());
        QCOMPARE(IniFile(passwordFile()).readString("IRPaswd", "Login"), QStringLiteral("Pw"));

        QTest::mouseClick(frm->livePanel()->btnStart, Qt::LeftButton);
        QVERIFY(beginSent());
    }

    void settingLoginPasswordActsAtTheNextStart_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("message");
        QTest::newRow("set") << "Secret" << "You have setted login password successfully, and you can change mcu's parameters after login next time.";
        QTest::newRow("removed") << "" << "You have canceled the login password.";
    }
    void settingLoginPasswordActsAtTheNextStart()
    {
        QFETCH(QString, password);
        QFETCH(QString, message);
        writePasswords("inistoin", "1");
        writePasswords("Login", "");
        {
            // The first start offers the window in set mode with empty fields.
            ModalWatcher watcher;
            watcher.onDialog = [&](QDialog* w) {
                auto* d = qobject_cast<TfrmIRPassSet*>(w);
                if (!d || d->mode() != ProtectionPasswordDialog::SetMode || !d->Edit1->text().isEmpty())
                    return false;
                return typePassword(password)(w);
            };
            auto frm = start();
            QVERIFY(frm);
            QCOMPARE(watcher.seen, (QStringList{"frmIRPassSet", message}));
            QVERIFY(frm->link().stationUnlocked());
            IniFile pw(passwordFile());
            QCOMPARE(pw.readString("IRPaswd", "Login"), password);
            QCOMPARE(pw.readBool("IRPaswd", "inistoin", true), false);
        }
        // Next start: locked when a password was set, and no first-start window.
        ModalWatcher watcher;
        auto frm = start();
        QVERIFY(frm);
        QVERIFY(watcher.seen.isEmpty());
        QCOMPARE(frm->link().stationUnlocked(), password.isEmpty());
    }

    void cancelledFirstStartAsksNeverAgain()
    {
        // No password file at all, and a profile backup to offer.
        QDir(m_dir->path()).mkpath("ParamBAK");
        writeAll(m_dir->filePath("ParamBAK/model.irl"), QByteArray(2, '\0'));
        {
            ModalWatcher watcher;
            watcher.boxAnswer = QMessageBox::No;
            auto frm = start();
            QVERIFY(frm);
            QCOMPARE(watcher.seen, (QStringList{"frmIRPassSet",
                                                "The old Parameters backup file has been founded,would you like to Load it?"}));
        }
        const IniFile pw(passwordFile());
        QVERIFY(!pw.contains("IRPaswd", "Login"));
        QCOMPARE(pw.readBool("IRPaswd", "inistoin", true), false);
        ModalWatcher watcher;
        auto frm = start();
        QVERIFY(frm);
        QVERIFY(watcher.seen.isEmpty());
        QVERIFY(frm->link().stationUnlocked());
    }

    void parameterPasswordProtectsTheTableUntilUnlocked()
    {
        writePasswords("inistoin", "0");
        writePasswords("prameter protection list", "Abc");
        auto frm = start();
        QVERIFY(frm);
        QVERIFY(frm->parameterListLocked());
        QVERIFY(frm->profilePage()->table().isReadOnly());

        ModalWatcher watcher;
        watcher.onDialog = typePassword("Abc");
        frm->actions().actnParamProtect->trigger();
        QCOMPARE(watcher.seen, (QStringList{"frmParameterpass", "a correct password."}));
        QVERIFY(!frm->parameterListLocked());
        QVERIFY(!frm->profilePage()->table().isReadOnly());

        // Set mode now: removing the password changes the file only.
        watcher.seen.clear();
        watcher.onDialog = typePassword("");
        frm->actions().actnParamProtect->trigger();
        QCOMPARE(watcher.seen, (QStringList{"frmParameterpass", "You have canceled the parameters password."}));
        IniFile pw(passwordFile());
        QCOMPARE(pw.readString("IRPaswd", "prameter protection list"), QString());
        QVERIFY(readAll(passwordFile()).contains("inistoin2=0"));
    }

    void settingParameterPasswordLeavesTheTableEditable()
    {
        writePasswords("inistoin", "0");
        auto frm = start();
        QVERIFY(frm);
        ModalWatcher watcher;
        watcher.onDialog = [](QDialog* w) {
            // Cancelled: nothing stored, inistoin2 still written.
            w->reject();
            return true;
        };
        frm->actions().actnParamProtect->trigger();
        QVERIFY(readAll(passwordFile()).contains("inistoin2=0"));
        QVERIFY(!IniFile(passwordFile()).contains("IRPaswd", "prameter protection list"));

        watcher.onDialog = typePassword("New");
        frm->actions().actnParamProtect->trigger();
        QCOMPARE(watcher.seen.last(),
                 QStringLiteral("You have setted parameters password success，and can changed parameters after inputting password next."));
        QVERIFY(!frm->parameterListLocked());
        QVERIFY(!frm->profilePage()->table().isReadOnly());
        frm.reset();
        frm = start();
        QVERIFY(frm->profilePage()->table().isReadOnly());
    }

    void boardChangeWithLoginIsLogged()
    {
        writePasswords("inistoin", "0");
        {
            IniFile settings(m_dir->filePath("data/CommConfig.ini"));
            QVERIFY(settings.writeBool("Option", "ChangePCBMode", true));
        }
        QVERIFY(SaveUserList({UserRecord::made("E7", "pw", "Zhang", "QA", "")}, m_dir->path()));
        auto frm = start();
        QVERIFY(frm);
        stationIdle();
        ProfileTable& table = frm->profilePage()->table();
        const int a = table.appendRow();
        table.SetCell(1, a, "A");
        const int b = table.appendRow();
        table.SetCell(1, b, "B");
        table.MakeCurrent(b);
        frm->programSettings().currentLc = a - 1;
        frm->actions().menuQuickUp->setChecked(true);

        ModalWatcher watcher;
        bool cancel = true;
        watcher.onDialog = [&](QDialog* w) {
            auto* d = qobject_cast<TfrmLogon*>(w);
            if (!d)
                return false;
            if (d->Label7->text() != "Are you sure to exit the board\"A\"?" || cancel)
                return false;
            d->ComboBox1->setEditText("e7");
            d->Edit1->setText("pw");
            d->Edit4->setText("shift 2");
            later(d->Button1);
            return true;
        };
        // Cancelled: no entry, nothing sent.
        QTest::mouseClick(frm->livePanel()->btnStart, Qt::LeftButton);
        QVERIFY(!QFileInfo::exists(operationLogFile(m_dir->path())));
        QVERIFY(m_port.writes.isEmpty());

        cancel = false;
        QTest::mouseClick(frm->livePanel()->btnStart, Qt::LeftButton);
        QVERIFY(beginSent());
        QList<OperationRecord> log;
        QVERIFY(ReadOperationLog(operationLogFile(m_dir->path()), log));
        QCOMPARE(log.size(), 1);
        QCOMPARE(log[0].text(OperationRecord::EmployeeNo), QStringLiteral("e7"));
        QCOMPARE(log[0].text(OperationRecord::Name), QStringLiteral("Zhang"));
        QCOMPARE(log[0].text(OperationRecord::Remark), QStringLiteral("shift 2"));
        QCOMPARE(log[0].text(OperationRecord::OldProfile), QStringLiteral("A"));
        QCOMPARE(log[0].text(OperationRecord::NewProfile), QStringLiteral("B"));
        QCOMPARE(frm->programSettings().userCode, QStringLiteral("e7"));

        // The row already current: Begin again asks nothing and logs nothing.
        watcher.seen.clear();
        m_port.writes.clear();
        QTest::mouseClick(frm->livePanel()->btnStart, Qt::LeftButton);
        QVERIFY(watcher.seen.isEmpty());
        QVERIFY(ReadOperationLog(operationLogFile(m_dir->path()), log));
        QCOMPARE(log.size(), 1);
    }

    void unwritableLogAbandonsTheBoardChange()
    {
        writePasswords("inistoin", "0");
        QVERIFY(QDir(m_dir->path()).mkpath("data/OpRec.dat"));
        auto frm = start();
        QVERIFY(frm);
        stationIdle();
        ProfileTable& table = frm->profilePage()->table();
        table.SetCell(1, table.appendRow(), "A");
        const int b = table.appendRow();
        table.SetCell(1, b, "B");
        table.MakeCurrent(b);
        frm->programSettings().currentLc = -1;
        frm->actions().menuQuickUp->setChecked(true);
        ModalWatcher watcher;
        QTest::mouseClick(frm->livePanel()->btnStart, Qt::LeftButton);
        // The yes/no question (no board was current: empty quotes), then the file's message.
        QCOMPARE(watcher.seen.value(0), QStringLiteral("Are you sure to exit the board\"\"?"));
        QVERIFY(watcher.seen.value(1).contains("OpRec.dat"));
        QVERIFY(m_port.writes.isEmpty());
        QCOMPARE(frm->programSettings().currentLc, -1);
    }
};

QTEST_MAIN(TestProtection)
#include "test_protection.moc"
