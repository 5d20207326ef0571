// The protection passwords and the board-change login against tamsel-station: a stored
// login password keeps Begin from the station until "IR protection" unlocks it, and a
// board change under "Employee No." is logged with the operator who logged in.

#include <memory>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "profiles/profile_table.h"
#include "shell/ini_file.h"
#include "station_process.h"
#include "ui/live_panel.h"
#include "ui/modal_watcher.h"
#include "ui/profile_page.h"
#include "ui/protection_password_dialog.h"
#include "ui/tfrm_comm.h"
#include "ui/tfrm_comm_actions.h"
#include "ui/tfrm_logon.h"
#include "ui/tfrm_msg.h"
#include "users/operation_log.h"
#include "users/user_record.h"

// Clicks after the watcher's handler has returned: a message box the click opens is then
// answered by the watcher too (its timer does not fire inside its own handler).
inline void later(QAbstractButton* b)
{
    QTimer::singleShot(0, b, &QAbstractButton::click);
}

class TestProtectionStation : public QObject
{
    Q_OBJECT

private slots:
    void loginUnlocksBeginAndBoardChangeIsLogged()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath(QStringLiteral("COM1"));
        StationProcess station({QStringLiteral("--link"), link, QStringLiteral("--speed"), QStringLiteral("50")});
        QVERIFY(station.started());
        QTRY_VERIFY_WITH_TIMEOUT(!station.path().isEmpty(), 10000);

        const QString program = dir.filePath(QStringLiteral("program"));
        QDir().mkpath(program + QStringLiteral("/data"));
        {
            IniFile ini(program + QStringLiteral("/data/CommConfig.ini"));
            QVERIFY(ini.writeString("Ports", "COM1", link));
            QVERIFY(ini.writeInteger("Option", "language", 0));
            QVERIFY(ini.writeBool("Option", "ChangePCBMode", true));
        }
        QTemporaryDir systemDir;
        qputenv("TAMSEL_SYSTEM_DIR", systemDir.path().toLocal8Bit());
        {
            IniFile pw(systemDir.filePath(QStringLiteral("IRpaswd.ini")));
            QVERIFY(pw.writeBool("IRPaswd", "inistoin", false));
            QVERIFY(pw.writeString("IRPaswd", "Login", "Station1"));
        }
        QVERIFY(SaveUserList({UserRecord::made("E7", "pw", "Zhang", "QA", "")}, program));

        auto frm = std::make_unique<TfrmComm>(ProgramPaths(program));
        Tfrmmsg msg;
        frm->setStatusWindow(&msg);
        frm->show();
        QTRY_COMPARE_WITH_TIMEOUT(frm->statusPanelText(0), QStringLiteral("hello success!"), 10000);
        LivePanel* p = frm->livePanel();
        QTRY_COMPARE_WITH_TIMEOUT(p->btnStart->text(), QStringLiteral("Begin"), 10000);

        // Locked: Begin is refused in Chinese and the station starts nothing.
        ModalWatcher watcher;
        QTest::mouseClick(p->btnStart, Qt::LeftButton);
        QCOMPARE(watcher.seen.value(0),
                 QStringLiteral("你没有登录，不能对MCU操作！提示: 选择菜单\"通讯\"-->\"登录\"进行登录."));
        QTRY_VERIFY_WITH_TIMEOUT(station.count(QStringLiteral("poll flow=0")) >= 3, 10000);
        QCOMPARE(station.count(QStringLiteral("start flow=0")), 0);

        // "IR protection" with the password, then Begin starts the process.
        watcher.onDialog = [](QDialog* w) {
            auto* d = qobject_cast<TfrmIRPassSet*>(w);
            if (!d)
                return false;
            d->Edit1->setText(QStringLiteral("Station1"));
            later(d->Button1);
            return true;
        };
        frm->actions().actnIRProtect->trigger();
        QCOMPARE(watcher.seen.last(), QStringLiteral("have logined Success."));
        QTest::mouseClick(p->btnStart, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(station.count(QStringLiteral("start flow=0")) == 1, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(p->btnStart->text(), QStringLiteral("Exit"), 10000);
        QTest::mouseClick(p->btnStart, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(station.count(QStringLiteral("stop")) >= 1, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(p->btnStart->text(), QStringLiteral("Begin"), 10000);

        // A board change with "Employee No." on: the login, one log entry, the profile written
        // to the station, then the process.
        ProfileTable& table = frm->profilePage()->table();
        const int a = table.appendRow();
        table.SetCell(1, a, QStringLiteral("Board A"));
        const int b = table.appendRow();
        table.SetCell(1, b, QStringLiteral("Board B"));
        table.MakeCurrent(b);
        frm->programSettings().currentLc = a - 1;
        frm->actions().menuQuickUp->setChecked(true);
        watcher.onDialog = [](QDialog* w) {
            auto* d = qobject_cast<TfrmLogon*>(w);
            if (!d)
                return false;
            d->ComboBox1->setEditText(QStringLiteral("E7"));
            d->Edit1->setText(QStringLiteral("pw"));
            d->Edit4->setText(QStringLiteral("night shift"));
            later(d->Button1);
            return true;
        };
        const int writesBefore = station.count(QStringLiteral("write run=00"));
        QTest::mouseClick(p->btnStart, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(station.count(QStringLiteral("start flow=0")) == 2, 10000);
        QVERIFY(station.count(QStringLiteral("write run=00")) > writesBefore);

        QList<OperationRecord> log;
        QVERIFY(ReadOperationLog(operationLogFile(program), log));
        QCOMPARE(log.size(), 1);
        QCOMPARE(log[0].text(OperationRecord::EmployeeNo), QStringLiteral("E7"));
        QCOMPARE(log[0].text(OperationRecord::Name), QStringLiteral("Zhang"));
        QCOMPARE(log[0].text(OperationRecord::Department), QStringLiteral("QA"));
        QCOMPARE(log[0].text(OperationRecord::Remark), QStringLiteral("night shift"));
        QCOMPARE(log[0].text(OperationRecord::OldProfile), QStringLiteral("Board A"));
        QCOMPARE(log[0].text(OperationRecord::NewProfile), QStringLiteral("Board B"));
        frm.reset();
    }
};

QTEST_MAIN(TestProtectionStation)
#include "test_protection_station.moc"
