// Begin with "Quick upload" checked and another profile row selected: the question, then
// the row and the start command. (Kept apart from the link's header: the profile headers
// bring a UnitTexts of their own.)

#include <memory>

#include <QAction>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "profiles/profile_table.h"
#include "shell/ini_file.h"
#include "support/fake_clock.h"
#include "support/fake_port.h"
#include "support/frames.h"
#include "ui/live_panel.h"
#include "ui/modal_watcher.h"
#include "ui/profile_page.h"
#include "ui/tfrm_comm.h"
#include "ui/tfrm_comm_actions.h"

class TestQuickUpload : public QObject
{
    Q_OBJECT
private slots:
    void asksBeforeChangingTheBoard_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("No: nothing sent") << false;
        QTest::newRow("Yes: row uploaded, then Begin") << true;
    }
    void asksBeforeChangingTheBoard()
    {
        QFETCH(bool, yes);
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(QStringLiteral("data"));
        QTemporaryDir systemDir;
        qputenv("TAMSEL_SYSTEM_DIR", systemDir.path().toLocal8Bit());
        {
            IniFile pw(systemDir.filePath(QStringLiteral("IRpaswd.ini")));
            QVERIFY(pw.writeBool("IRPaswd", "inistoin", false));
            IniFile settings(dir.filePath(QStringLiteral("data/CommConfig.ini")));
            QVERIFY(settings.writeInteger("Option", "language", 0));
        }
        FakePort port;
        FakeClock clock;
        TfrmComm frm(ProgramPaths(dir.path()), &port, &clock);
        QSignalSpy shown(&frm, &TfrmComm::firstShowDone);
        frm.show();
        QVERIFY(shown.wait(5000));
        port.inject(QByteArray("\x55", 1));
        StationStatus idle;
        idle.setCelsius(true);
        port.inject(wireFrame(idle));

        ProfileTable& table = frm.profilePage()->table();
        // Behind the rows a first start without data/model.irl brings.
        const int a = table.appendRow();
        table.SetCell(1, a, QStringLiteral("A"));
        const int b = table.appendRow();
        table.SetCell(1, b, QStringLiteral("B"));
        table.MakeCurrent(b);
        frm.programSettings().currentLc = a - 1;
        frm.actions().menuQuickUp->setChecked(true);
        port.writes.clear();
        QSignalSpy changed(&frm, &TfrmComm::boardChangeConfirmed);

        ModalWatcher watcher;
        watcher.boxAnswer = yes ? QMessageBox::Yes : QMessageBox::No;
        QTest::mouseClick(frm.livePanel()->btnStart, Qt::LeftButton);
        QCOMPARE(watcher.seen.value(0), QStringLiteral("Are you sure to exit the board\"A\"?"));
        if (!yes) {
            QVERIFY(port.writes.isEmpty());
            QCOMPARE(frm.programSettings().currentLc, a - 1);
            QCOMPARE(changed.size(), 0);
            return;
        }
        // The profile row (write request, run bits 0, 0), then Begin (1, 1, 0).
        QVERIFY(port.writes.size() >= 2);
        QCOMPARE(uint8_t(port.writes.first()[1]) & 0x07, 0x04);
        QCOMPARE(uint8_t(port.writes.last()[1]) & 0x07, 0x06);
        QCOMPARE(frm.programSettings().currentLc, b - 1);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.first().at(1).toString(), QStringLiteral("A"));
        QCOMPARE(changed.first().at(2).toString(), QStringLiteral("B"));
    }
};

QTEST_MAIN(TestQuickUpload)
#include "test_quick_upload.moc"
