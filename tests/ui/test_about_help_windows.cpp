// The about box, the help command and the Window menu's arrangements, through real widgets.

#include <memory>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "shell/ini_file.h"
#include "support/fake_clock.h"
#include "support/fake_port.h"
#include "support/fake_waits.h"
#include "link/station_link.h"
#include "ui/main_window_fixture.h"
#include "ui/modal_watcher.h"
#include "ui/tabout.h"
#include "ui/tfrm_comm.h"
#include "ui/tfrm_comm_actions.h"
#include "ui/tfrm_msg.h"
#include "ui/ui_language.h"

class TestAboutHelpWindows : public QObject, protected MainWindowFixture
{
    Q_OBJECT


private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void aboutBoxReadsTheVersionInBothLanguages_data()
    {
        QTest::addColumn<Language>("lang");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("close");
        QTest::newRow("English") << Language::English << "About" << "Close";
        QTest::newRow("Chinese") << Language::Chinese << "关于" << "关闭";
    }
    void aboutBoxReadsTheVersionInBothLanguages()
    {
        QFETCH(Language, lang);
        QFETCH(QString, caption);
        QFETCH(QString, close);
        QVERIFY(UiLanguage::instance().apply(lang));
        Tabout box;
        QCOMPARE(box.windowTitle(), caption);
        QCOMPARE(box.findChild<QPushButton*>(QStringLiteral("Button1"))->text(), close);
        QCOMPARE(box.versionText(), QStringLiteral("Ver 2.14"));
        QCOMPARE(box.findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("Tamsel"));
        QVERIFY(!box.findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().isNull());
        QVERIFY(!(box.windowFlags() & Qt::WindowCloseButtonHint));
        QCOMPARE(box.minimumSize(), box.maximumSize());
        QCOMPARE(box.strip()->height(), 5);
    }

    void aboutBoxClosesOnlyThroughItsButton()
    {
        Tabout box;
        box.show();
        box.activateWindow();
        QTRY_VERIFY_WITH_TIMEOUT(box.strip()->isRunning(), 5000);
        QTest::keyClick(&box, Qt::Key_Escape);
        box.reject();
        QVERIFY(box.isVisible());
        QSignalSpy finished(&box, &QDialog::finished);
        box.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Rejected));
        QVERIFY(!box.isVisible());
        QVERIFY(!box.strip()->isRunning());
    }

    void aboutCommandShowsTheBoxModally()
    {
        TfrmComm& frm = shownWindow();
        ModalWatcher watcher;
        QString version;
        watcher.onDialog = [&](QDialog* d) {
            auto* box = qobject_cast<Tabout*>(d);
            if (!box)
                return false;
            version = box->versionText();
            box->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
            return true;
        };
        frm.actions().actnAbout->trigger();
        QCOMPARE(watcher.seen, QStringList{QStringLiteral("about")});
        QCOMPARE(version, QStringLiteral("Ver 2.14"));
    }

    void helpOpensTheDocumentOfTheLanguage_data()
    {
        QTest::addColumn<Language>("lang");
        QTest::addColumn<bool>("chmPresent");
        QTest::addColumn<QString>("expected");
        QTest::newRow("English, site help") << Language::English << true << "data/Tamselhelpen.CHM";
        QTest::newRow("Chinese, site help") << Language::Chinese << true << "data/Tamselhelpcn.CHM";
        QTest::newRow("English, guide") << Language::English << false << "data/help/en/index.html";
        QTest::newRow("Chinese, guide") << Language::Chinese << false << "data/help/zh/index.html";
    }
    void helpOpensTheDocumentOfTheLanguage()
    {
        QFETCH(Language, lang);
        QFETCH(bool, chmPresent);
        QFETCH(QString, expected);
        if (chmPresent) {
            for (const char* name : {"data/Tamselhelpen.CHM", "data/Tamselhelpcn.CHM"}) {
                QFile f(m_dir->filePath(QLatin1String(name)));
                QVERIFY(f.open(QIODevice::WriteOnly));
            }
        }
        TfrmComm& frm = shownWindow();
        frm.switchLanguage(lang);
        QList<QUrl> opened;
        frm.setDocumentOpener([&](const QUrl& url) { opened << url; });
        frm.actions().actnHelp->trigger();
        QCOMPARE(opened.size(), 1);
        QCOMPARE(QDir::cleanPath(opened.at(0).toLocalFile()), QDir::cleanPath(m_dir->filePath(expected)));
    }

    void windowCommandsArrangeThreeRecordWindows()
    {
        TfrmComm& frm = shownWindow();
        QMdiArea* area = frm.mdiArea();
        // The first show opened one record window; two more beside it.
        frm.addRecordWindow(new QWidget);
        frm.addRecordWindow(new QWidget);
        QList<QMdiSubWindow*> subs = area->subWindowList();
        QCOMPARE(subs.size(), 3);
        const QRect client = area->viewport()->rect();

        frm.actions().actnTile->trigger();
        const int h = client.height() / 3;
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(subs.at(i)->geometry(), QRect(0, i * h, client.width(), h));
            QVERIFY(!subs.at(i)->isMaximized());
        }

        frm.actions().actnCascade->trigger();
        QVERIFY(subs.at(0)->pos() != subs.at(1)->pos());
        QVERIFY(subs.at(1)->x() > subs.at(0)->x() && subs.at(1)->y() > subs.at(0)->y());

        for (QMdiSubWindow* s : subs)
            s->showMinimized();
        frm.actions().actnArrangeIcons->trigger();
        QCOMPARE(subs.at(0)->geometry().bottom(), client.bottom());
        QCOMPARE(subs.at(1)->y(), subs.at(0)->y());
        QCOMPARE(subs.at(1)->x(), subs.at(0)->geometry().right() + 1);
    }
};

QTEST_MAIN(TestAboutHelpWindows)
#include "test_about_help_windows.moc"
