// The COM port dialog: what it shows from the settings file and what OK writes back.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "shell/ini_file.h"
#include "ui/tfrm_set_com.h"

class TestTfrmSetCom : public QObject
{
    Q_OBJECT

    QString iniPath(const QTemporaryDir& dir) const { return dir.filePath(QStringLiteral("CommConfig.ini")); }

private slots:
    void showsAndWritesTheStoredChoice_data()
    {
        QTest::addColumn<QString>("commPort");
        QTest::addColumn<QString>("bautrate");
        QTest::addColumn<QString>("portShown");
        QTest::addColumn<QString>("baudShown");
        QTest::addColumn<int>("portWritten");
        QTest::addColumn<int>("baudWritten");
        QTest::newRow("no file: COM1, no rate") << QString() << QString() << "COM1" << "" << 0 << -1;
        QTest::newRow("COM5 at 9600") << "4" << "0" << "COM5" << "9600" << 4 << 0;
        QTest::newRow("COM16 at 19200") << "15" << "1" << "COM16" << "19200" << 15 << 1;
        QTest::newRow("port 20 and rate 3 select nothing") << "20" << "3" << "" << "" << -1 << -1;
    }
    void showsAndWritesTheStoredChoice()
    {
        QFETCH(QString, commPort);
        QFETCH(QString, bautrate);
        QFETCH(QString, portShown);
        QFETCH(QString, baudShown);
        QFETCH(int, portWritten);
        QFETCH(int, baudWritten);
        QTemporaryDir dir;
        {
            IniFile ini(iniPath(dir));
            if (!commPort.isNull())
                QVERIFY(ini.writeString("Comm", "CommPort", commPort));
            if (!bautrate.isNull())
                QVERIFY(ini.writeString("Comm", "BAUTRATE", bautrate));
        }
        TfrmSetCOM dialog(iniPath(dir));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("setup"));
        QCOMPARE(dialog.ComboBox1->count(), 16);
        QCOMPARE(dialog.ComboBox2->count(), 2);
        QCOMPARE(dialog.ComboBox1->currentText(), portShown);
        QCOMPARE(dialog.ComboBox2->currentText(), baudShown);
        QCOMPARE(dialog.baudChoice(), baudShown);

        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        IniFile ini(iniPath(dir));
        QCOMPARE(ini.readInteger("Comm", "CommPort", -9), portWritten);
        QCOMPARE(ini.readInteger("Comm", "BAUTRATE", -9), baudWritten);
    }

    void cancelWritesNothing()
    {
        QTemporaryDir dir;
        TfrmSetCOM dialog(iniPath(dir));
        dialog.ComboBox1->setCurrentIndex(3);
        dialog.reject();
        QVERIFY(!QFile::exists(iniPath(dir)));
    }

    void failedWriteKeepsTheDialogOpen()
    {
        QTemporaryDir dir;
        // The data folder is missing: the write fails, the box names the file.
        const QString path = dir.filePath(QStringLiteral("missing/CommConfig.ini"));
        TfrmSetCOM dialog(path);
        dialog.show();
        QString shown;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                shown = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text();
                box->reject();
            }
        });
        dialog.accept();
        QVERIFY(shown.contains(QStringLiteral("CommConfig.ini")));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestTfrmSetCom)
#include "test_tfrm_set_com.moc"
