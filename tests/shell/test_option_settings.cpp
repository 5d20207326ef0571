// What the options dialog shows from the sampling interval and what its OK writes.

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "shell/ini_file.h"
#include "shell/option_settings.h"
#include "shell/settings.h"
#include "support/file_bytes.h"

class TestOptionSettings : public QObject
{
    Q_OBJECT
private slots:
    void intervalItemMatchesTheNumberAsWritten_data()
    {
        QTest::addColumn<float>("seconds");
        QTest::addColumn<int>("index");
        QTest::newRow("0.5") << 0.5f << 0;
        QTest::newRow("1.0 is \"1\"") << 1.0f << 1;
        QTest::newRow("2.5") << 2.5f << 4;
        QTest::newRow("5") << 5.0f << 9;
        QTest::newRow("0.7 matches none") << 0.7f << -1;
        QTest::newRow("10 matches none") << 10.0f << -1;
    }
    void intervalItemMatchesTheNumberAsWritten()
    {
        QFETCH(float, seconds);
        QFETCH(int, index);
        QCOMPARE(OptionSettings::samplingIntervalItems().size(), 10);
        QCOMPARE(OptionSettings::samplingIntervalIndex(seconds), index);
    }

    // A hand-edited intrals below half a second would poll without pause and stamp every
    // sample with time 0.
    void intervalBelowHalfASecondReadsAsHalf_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<double>("read");
        QTest::newRow("0") << QByteArray("0") << 0.5;
        QTest::newRow("0.2") << QByteArray("0.2") << 0.5;
        QTest::newRow("negative") << QByteArray("-3") << 0.5;
        QTest::newRow("0.5 itself") << QByteArray("0.5") << 0.5;
        QTest::newRow("0.7 kept") << QByteArray("0.7") << 0.7;
        QTest::newRow("2 kept") << QByteArray("2") << 2.0;
        QTest::newRow("empty: default") << QByteArray("") << 1.0;
        QTest::newRow("not a number: default") << QByteArray("fast") << 1.0;
    }
    void intervalBelowHalfASecondReadsAsHalf()
    {
        QFETCH(QByteArray, stored);
        QFETCH(double, read);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("CommConfig.ini"));
        writeAll(path, "[Option]\nintrals=" + stored + "\n");
        QCOMPARE(Settings(path).intrals(), read);
    }

    void intervalTextReadAsNumber()
    {
        QCOMPARE(OptionSettings::samplingIntervalFromText(QStringLiteral("1.5")), std::optional<float>(1.5f));
        QCOMPARE(OptionSettings::samplingIntervalFromText(QStringLiteral("0")), std::optional<float>(0.5f));
        QVERIFY(!OptionSettings::samplingIntervalFromText(QString()).has_value());
        QVERIFY(!OptionSettings::samplingIntervalFromText(QStringLiteral("x")).has_value());
    }

    void okWritesItsThreeKeysAndKeepsTheRest_data()
    {
        QTest::addColumn<QString>("pathText");
        QTest::addColumn<QString>("interval");
        QTest::addColumn<bool>("login");
        QTest::addColumn<QString>("stored");
        const QString sep = QDir::separator();
        QTest::newRow("existing folder gets its separator") << "@/backup" << "2" << true << "@/backup" + sep;
        QTest::newRow("separator already there") << "@/backup" + sep << "0.5" << false << "@/backup" + sep;
        QTest::newRow("missing folder as it is") << "@/nowhere" << "5" << false << "@/nowhere";
        QTest::newRow("empty path, empty interval") << "" << "" << true << "";
    }
    void okWritesItsThreeKeysAndKeepsTheRest()
    {
        QFETCH(QString, pathText);
        QFETCH(QString, interval);
        QFETCH(bool, login);
        QFETCH(QString, stored);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("backup")));
        const QString base = QDir::toNativeSeparators(dir.path());
        pathText.replace(QLatin1Char('@'), base);
        stored.replace(QLatin1Char('@'), base);
        const QString path = dir.filePath(QStringLiteral("CommConfig.ini"));
        writeAll(path, "[Comm]\nCommPort=2\n; kept\n[Option]\nlanguage=0\nintrals=1\n");

        Settings settings(path);
        QVERIFY(OptionSettings::write(settings, login, interval, pathText));
        const QByteArray expected = "[Comm]\nCommPort=2\n; kept\n[Option]\nlanguage=0\nintrals=" + interval.toLatin1()
            + "\nChangePCBMode=" + (login ? "1" : "0") + "\nsavePath=" + stored.toLocal8Bit() + "\n";
        QCOMPARE(readAll(path), expected);
    }

    void failedWriteStopsAtTheFirstKey()
    {
        QTemporaryDir dir;
        Settings settings(dir.filePath(QStringLiteral("missing/CommConfig.ini")));
        QVERIFY(!OptionSettings::write(settings, true, QStringLiteral("1"), QString()));
        QVERIFY(settings.errorString().contains(QStringLiteral("CommConfig.ini")));
    }

    void chosenDirectoryEndsWithTheSeparator()
    {
        const QString sep = QDir::separator();
        QCOMPARE(OptionSettings::withSeparator(QStringLiteral("/a/b")), QDir::toNativeSeparators("/a/b") + sep);
        QCOMPARE(OptionSettings::withSeparator(QStringLiteral("/a/b/")), QDir::toNativeSeparators("/a/b/"));
        QCOMPARE(OptionSettings::withSeparator(QString()), QString());
    }
};

QTEST_MAIN(TestOptionSettings)
#include "test_option_settings.moc"
