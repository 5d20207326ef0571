#include <QtTest>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "shell/ini_file.h"
#include "support/file_bytes.h"
#include "support/file_size_limit.h"

class TestIniFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;

    IniFile* openWith(const QByteArray& bytes)
    {
        writeAll(m_path, bytes);
        return new IniFile(m_path);
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("CommConfig.ini"));
        QFile::remove(m_path);
    }

    void missingFileGivesEveryDefault()
    {
        const IniFile ini(m_dir.filePath(QStringLiteral("none.ini")));
        QVERIFY(!ini.contains(QStringLiteral("Option"), QStringLiteral("language")));
        QCOMPARE(ini.readInteger(QStringLiteral("Option"), QStringLiteral("language"), 7), 7);
        QCOMPARE(ini.readFloat(QStringLiteral("Option"), QStringLiteral("intrals"), 1.5), 1.5);
        QCOMPARE(ini.readBool(QStringLiteral("Option"), QStringLiteral("QuickUpdate"), true), true);
        QCOMPARE(ini.readString(QStringLiteral("Option"), QStringLiteral("savePath"), QStringLiteral("d")),
                 QStringLiteral("d"));
        QCOMPARE(ini.readBytes(QStringLiteral("Option"), QStringLiteral("savePath"), "x"), QByteArray("x"));
    }

    // The value after "k=" against what readInteger(..., 42) gives.
    void integerConversion_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << QByteArray("12") << 12;
        QTest::newRow("negative") << QByteArray("-1") << -1;
        QTest::newRow("plus sign") << QByteArray("+5") << 5;
        QTest::newRow("blanks around") << QByteArray(" 7\t ") << 7;
        QTest::newRow("hex 0x") << QByteArray("0x10") << 16;
        QTest::newRow("hex 0X") << QByteArray("0X1f") << 31;
        QTest::newRow("hex dollar") << QByteArray("$1F") << 31;
        QTest::newRow("hex all ones is -1") << QByteArray("0xFFFFFFFF") << -1;
        QTest::newRow("trailing letters") << QByteArray("12abc") << 42;
        QTest::newRow("blank inside") << QByteArray("1 2") << 42;
        QTest::newRow("empty") << QByteArray("") << 42;
        QTest::newRow("bare 0x") << QByteArray("0x") << 42;
        QTest::newRow("signed hex") << QByteArray("-0x10") << 42;
        QTest::newRow("real") << QByteArray("1.5") << 42;
        QTest::newRow("beyond 32 bits") << QByteArray("2147483648") << 42;
        QTest::newRow("lowest 32 bits") << QByteArray("-2147483648") << INT_MIN;
        QTest::newRow("word") << QByteArray("true") << 42;
    }
    void integerConversion()
    {
        QFETCH(QByteArray, value);
        QFETCH(int, expected);
        std::unique_ptr<IniFile> ini(openWith("[S]\nk=" + value + "\n"));
        QCOMPARE(ini->readInteger(QStringLiteral("S"), QStringLiteral("k"), 42), expected);
    }

    void booleanIsAnyNonZeroInteger_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("defaultValue");
        QTest::addColumn<bool>("expected");
        QTest::newRow("1") << QByteArray("1") << false << true;
        QTest::newRow("0") << QByteArray("0") << true << false;
        QTest::newRow("2") << QByteArray("2") << false << true;
        QTest::newRow("-1") << QByteArray("-1") << false << true;
        QTest::newRow("word true keeps default false") << QByteArray("true") << false << false;
        QTest::newRow("empty keeps default true") << QByteArray("") << true << true;
    }
    void booleanIsAnyNonZeroInteger()
    {
        QFETCH(QByteArray, value);
        QFETCH(bool, defaultValue);
        QFETCH(bool, expected);
        std::unique_ptr<IniFile> ini(openWith("[S]\nb=" + value + "\n"));
        QCOMPARE(ini->readBool(QStringLiteral("S"), QStringLiteral("b"), defaultValue), expected);
    }

    void realConversion_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<double>("expected");
        QTest::newRow("half") << QByteArray("0.5") << 0.5;
        QTest::newRow("whole") << QByteArray("1") << 1.0;
        QTest::newRow("blanks") << QByteArray(" 2.5 ") << 2.5;
        QTest::newRow("empty") << QByteArray("") << 9.0;
        QTest::newRow("word") << QByteArray("fast") << 9.0;
        QTest::newRow("trailing unit") << QByteArray("0.5s") << 9.0;
        QTest::newRow("not a number") << QByteArray("nan") << 9.0;
        QTest::newRow("infinite") << QByteArray("inf") << 9.0;
        // A comma is the decimal separator only where the system locale says so.
        const bool commaLocale = QLocale::system().decimalPoint() == QStringLiteral(",");
        QTest::newRow("comma") << QByteArray("1,5") << (commaLocale ? 1.5 : 9.0);
    }
    void realConversion()
    {
        QFETCH(QByteArray, value);
        QFETCH(double, expected);
        std::unique_ptr<IniFile> ini(openWith("[Option]\nintrals=" + value + "\n"));
        QCOMPARE(ini->readFloat(QStringLiteral("Option"), QStringLiteral("intrals"), 9.0), expected);
    }

    void namesAreCaseInsensitive()
    {
        std::unique_ptr<IniFile> ini(openWith("[option]\nLANGUAGE=0\n"));
        QCOMPARE(ini->readInteger(QStringLiteral("Option"), QStringLiteral("language"), 1), 0);
        QVERIFY(ini->writeInteger(QStringLiteral("OPTION"), QStringLiteral("Language"), 1));
        // The existing line is changed in place, spelling and all; no second section appears.
        QCOMPARE(readAll(m_path), QByteArray("[option]\nLANGUAGE=1\n"));
    }

    void keysWithBlanks()
    {
        std::unique_ptr<IniFile> ini(openWith("[IRPaswd]\n  prameter protection list = abc  \n"));
        QCOMPARE(ini->readString(QStringLiteral("IRPaswd"), QStringLiteral("prameter protection list")),
                 QStringLiteral("abc"));
        QVERIFY(ini->writeString(QStringLiteral("IRPaswd"), QStringLiteral("prameter protection list"),
                                 QStringLiteral("x y")));
        QCOMPARE(readAll(m_path), QByteArray("[IRPaswd]\n  prameter protection list = x y\n"));
        const IniFile again(m_path);
        QCOMPARE(again.readString(QStringLiteral("irpaswd"), QStringLiteral("Prameter Protection List")),
                 QStringLiteral("x y"));
    }

    void valuesAreRawBytesTextIsGbk()
    {
        std::unique_ptr<IniFile> ini(openWith(QByteArray()));
        QVERIFY(ini->writeString(QStringLiteral("Option"), QStringLiteral("User_Code"), QStringLiteral("拆焊")));
        QVERIFY(readAll(m_path).contains("User_Code=\xB2\xF0\xBA\xB8"));
        QVERIFY(ini->writeBytes(QStringLiteral("2052"), QStringLiteral("sheshi"), "\xB0\x43"));
        const IniFile again(m_path);
        QCOMPARE(again.readString(QStringLiteral("Option"), QStringLiteral("User_Code")), QStringLiteral("拆焊"));
        QCOMPARE(again.readBytes(QStringLiteral("2052"), QStringLiteral("sheshi")), QByteArray("\xB0\x43"));
    }

    // A file as the field has them: CRLF, comments, blank lines, a line that is neither a
    // section nor a key, a section given twice, GBK bytes, no line break at the end.
    void otherLinesKeptByteForByte_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("expected");

        const QByteArray head = "; Tamsel settings \xB2\xF0\xBA\xB8\r\n"
                                "\r\n"
                                "[Comm]\r\n"
                                "CommPort = 2\r\n"
                                "# kept\r\n"
                                "BAUTRATE=1\r\n"
                                "this line means nothing\r\n"
                                "\r\n";
        const QByteArray tail = "[Option]\r\n"
                                "language=0\r\n"
                                "   \t\r\n"
                                "[2052]\r\n"
                                "sheshi=\xB0\x43\r\n"
                                "[comm]\r\n"
                                "Extra=5";
        QTest::newRow("replace a value")
            << "Comm" << "CommPort" << QByteArray("7") << QByteArray(head).replace("CommPort = 2", "CommPort = 7") + tail;
        QTest::newRow("key in the section's second part")
            << "Comm" << "extra" << QByteArray("6") << head + QByteArray(tail).replace("Extra=5", "Extra=6");
        QTest::newRow("new key after the section's last key")
            << "Comm" << "New" << QByteArray("1")
            << QByteArray(head).replace("BAUTRATE=1\r\n", "BAUTRATE=1\r\nNew=1\r\n") + tail;
        QTest::newRow("new key before the next section")
            << "2052" << "huashi" << QByteArray("F")
            << head + QByteArray(tail).replace("sheshi=\xB0\x43\r\n", "sheshi=\xB0\x43\r\nhuashi=F\r\n");
        QTest::newRow("new section")
            << "Ports" << "COM1" << QByteArray("/dev/pts/3") << head + tail + "\r\n[Ports]\r\nCOM1=/dev/pts/3\r\n";
    }
    void otherLinesKeptByteForByte()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, expected);
        const QByteArray original = "; Tamsel settings \xB2\xF0\xBA\xB8\r\n\r\n[Comm]\r\nCommPort = 2\r\n# kept\r\n"
                                    "BAUTRATE=1\r\nthis line means nothing\r\n\r\n[Option]\r\nlanguage=0\r\n   \t\r\n"
                                    "[2052]\r\nsheshi=\xB0\x43\r\n[comm]\r\nExtra=5";
        std::unique_ptr<IniFile> ini(openWith(original));
        QVERIFY2(ini->writeBytes(section, key, value), qPrintable(ini->errorString()));
        QCOMPARE(readAll(m_path), expected);
        // The parser agrees with the editor about where the value went.
        QCOMPARE(IniFile(m_path).readBytes(section, key), value);
    }

    void keyGivenTwiceReadsAndWritesTheFirst()
    {
        std::unique_ptr<IniFile> ini(openWith("[S]\nk=1\nk=2\n"));
        QCOMPARE(ini->readInteger(QStringLiteral("S"), QStringLiteral("k"), 0), 1);
        QVERIFY(ini->writeInteger(QStringLiteral("S"), QStringLiteral("k"), 3));
        QCOMPARE(readAll(m_path), QByteArray("[S]\nk=3\nk=2\n"));
    }

    void newFileGetsSectionAndKey()
    {
        IniFile ini(m_path);
        QVERIFY(ini.writeBool(QStringLiteral("Option"), QStringLiteral("QuickUpdate"), true));
        QVERIFY(ini.writeFloat(QStringLiteral("Option"), QStringLiteral("intrals"), 0.5));
        QVERIFY(ini.writeFloat(QStringLiteral("Option"), QStringLiteral("x"), 1.0));
#ifdef Q_OS_WIN
        QCOMPARE(readAll(m_path), QByteArray("[Option]\r\nQuickUpdate=1\r\nintrals=0.5\r\nx=1\r\n"));
#else
        QCOMPARE(readAll(m_path), QByteArray("[Option]\nQuickUpdate=1\nintrals=0.5\nx=1\n"));
#endif
        QCOMPARE(ini.readFloat(QStringLiteral("Option"), QStringLiteral("intrals"), 1.0), 0.5);
    }

    void newKeyAfterALastLineWithoutLineBreak()
    {
        std::unique_ptr<IniFile> ini(openWith("[S]\r\nk=1"));
        QVERIFY(ini->writeInteger(QStringLiteral("S"), QStringLiteral("n"), 2));
        QCOMPARE(readAll(m_path), QByteArray("[S]\r\nk=1\r\nn=2"));
    }

    // Each write starts from the file on disk, so two users of the file don't undo each other.
    void writeKeepsWhatAnotherUserWrote()
    {
        IniFile first(m_path);
        IniFile second(m_path);
        QVERIFY(first.writeInteger(QStringLiteral("Option"), QStringLiteral("a"), 1));
        QVERIFY(second.writeInteger(QStringLiteral("Option"), QStringLiteral("b"), 2));
        const IniFile check(m_path);
        QCOMPARE(check.readInteger(QStringLiteral("Option"), QStringLiteral("a"), 0), 1);
        QCOMPARE(check.readInteger(QStringLiteral("Option"), QStringLiteral("b"), 0), 2);
    }

    // A line break inside a value or a name would add lines of its own to the file.
    void lineBreakInValueOrNameIsRefused_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("value") << "Option" << "savePath" << "/tmp/a\n[Comm]\nCommPort=9";
        QTest::newRow("carriage return") << "Option" << "savePath" << "a\rb";
        QTest::newRow("key with =") << "Option" << "a=b" << "1";
        QTest::newRow("empty key") << "Option" << " " << "1";
        QTest::newRow("section with ]") << "Op]tion" << "a" << "1";
    }
    void lineBreakInValueOrNameIsRefused()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        const QByteArray original = "[Option]\nsavePath=/old/\n";
        std::unique_ptr<IniFile> ini(openWith(original));
        QVERIFY(!ini->writeString(section, key, value));
        QVERIFY(ini->errorString().contains(QDir::toNativeSeparators(m_path)));
        QCOMPARE(readAll(m_path), original);
        QCOMPARE(ini->readString(QStringLiteral("Option"), QStringLiteral("savePath")), QStringLiteral("/old/"));
    }

    void failedWriteInMissingDirectory()
    {
        const QString path = m_dir.filePath(QStringLiteral("data/CommConfig.ini"));
        IniFile ini(path);
        QVERIFY(!ini.writeInteger(QStringLiteral("Option"), QStringLiteral("language"), 0));
        QVERIFY2(ini.errorString().contains(QDir::toNativeSeparators(path)), qPrintable(ini.errorString()));
        QVERIFY(!ini.errorReason().isEmpty());
        QVERIFY(ini.errorString().contains(ini.errorReason()));
        QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("data"))));
    }

#ifdef Q_OS_UNIX
    void failedWriteInReadOnlyDirectoryKeepsOldFile()
    {
        const QString dir = m_dir.filePath(QStringLiteral("ro"));
        QVERIFY(QDir().mkpath(dir));
        const QString path = dir + QStringLiteral("/CommConfig.ini");
        const QByteArray original = "; mine\n[Option]\nlanguage=1\n";
        writeAll(path, original);
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner);
        const auto restore = qScopeGuard([&] { QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
        if (access(dir.toLocal8Bit().constData(), W_OK) == 0)
            QSKIP("this user writes into read-only directories; the file size limit test covers the case");

        IniFile ini(path);
        QVERIFY(!ini.writeInteger(QStringLiteral("Option"), QStringLiteral("language"), 0));
        QVERIFY2(ini.errorString().contains(path), qPrintable(ini.errorString()));
        QVERIFY(!ini.errorReason().isEmpty());
        QCOMPARE(readAll(path), original);
        QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("CommConfig.ini")});
        QCOMPARE(ini.readInteger(QStringLiteral("Option"), QStringLiteral("language"), 7), 1);
    }

    // A write that stops half way (disk full; here the process's file size limit, which
    // holds for every user) must not replace the file with the half that got written.
    void shortWriteKeepsOldFile()
    {
        const QByteArray original = "[Option]\nlanguage=1\n";
        writeAll(m_path, original);
        IniFile ini(m_path);

        const bool written = withFileSizeLimit(8, [&] {
            return ini.writeString(QStringLiteral("Option"), QStringLiteral("savePath"),
                                   QStringLiteral("/a/rather/long/directory/name/"));
        });

        QVERIFY(!written);
        QVERIFY2(ini.errorString().contains(m_path), qPrintable(ini.errorString()));
        QVERIFY2(ini.errorReason().contains(QStringLiteral("large"), Qt::CaseInsensitive),
                 qPrintable(ini.errorReason()));
        QCOMPARE(readAll(m_path), original);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("CommConfig.ini")});
    }
#endif

    void damagedFileReadsWhatItCanAndLosesNothing()
    {
        const QByteArray original = QByteArray("[Option]\nlanguage=0\n") + QByteArray(2, '\0')
            + QByteArray("garbage\xFF\xFE\n[Comm\nCommPort=3\n");
        std::unique_ptr<IniFile> ini(openWith(original));
        QCOMPARE(ini->readInteger(QStringLiteral("Option"), QStringLiteral("language"), 1), 0);
        // "[Comm" is no section heading: CommPort still belongs to Option.
        QCOMPARE(ini->readInteger(QStringLiteral("Comm"), QStringLiteral("CommPort"), -5), -5);
        QVERIFY(ini->writeInteger(QStringLiteral("Comm"), QStringLiteral("CommPort"), 4));
        QCOMPARE(readAll(m_path), original + "[Comm]\nCommPort=4\n");
        QCOMPARE(IniFile(m_path).readInteger(QStringLiteral("Comm"), QStringLiteral("CommPort"), -5), 4);
    }

    // Files whose first line a line scanner and an INI reader easily take differently.
    void writesStickInOddFiles_data()
    {
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF[Option]\r\nlanguage=0\r\n")
                                         << QByteArray("\xEF\xBB\xBF[Option]\r\nlanguage=1\r\n");
        QTest::newRow("byte-order mark only") << QByteArray("\xEF\xBB\xBF")
                                              << QByteArray("\xEF\xBB\xBF[Option]\nlanguage=1\n");
        QTest::newRow("[ left open, key below") << QByteArray("[Option]\n[\nlanguage=0\n")
                                               << QByteArray("[Option]\n[\nlanguage=1\n");
        QTest::newRow("[x left open") << QByteArray("[Option]\nlanguage=0\n[x\n")
                                      << QByteArray("[Option]\nlanguage=1\n[x\n");
        QTest::newRow("Latin-1 letters differ in case") << QByteArray("[\xC0]\nlanguage=0\n")
                                                        << QByteArray("[\xC0]\nlanguage=0\n[Option]\nlanguage=1\n");
    }

    void writesStickInOddFiles()
    {
        QFETCH(QByteArray, original);
        QFETCH(QByteArray, expected);
        std::unique_ptr<IniFile> ini(openWith(original));
        QVERIFY(ini->writeInteger(QStringLiteral("Option"), QStringLiteral("language"), 1));
        QCOMPARE(readAll(m_path), expected);
        QCOMPARE(IniFile(m_path).readInteger(QStringLiteral("Option"), QStringLiteral("language"), 7), 1);
    }

    void valueWithBlanksAroundIsRefused()
    {
        IniFile ini(m_path);
        QVERIFY(!ini.writeBytes(QStringLiteral("Option"), QStringLiteral("savePath"), " /x"));
        QVERIFY(!ini.writeBytes(QStringLiteral("Option"), QStringLiteral("savePath"), "/x\t"));
        QVERIFY(!QFile::exists(m_path));
        QVERIFY(ini.writeBytes(QStringLiteral("Option"), QStringLiteral("savePath"), "/a b/"));
        QCOMPARE(IniFile(m_path).readBytes(QStringLiteral("Option"), QStringLiteral("savePath")), QByteArray("/a b/"));
    }

    // On arbitrary files: after a write that reports success, the key reads back as written
    // and every other key as before.
    void writeThenReadAgreeOnArbitraryFiles()
    {
        static const char* const pieces[] = {"[", "]", "=", ";", "#", " ", "\t", "\r", "\n", "\r\n",
                                             "\0", "\xEF\xBB\xBF", "\xC0", "\xE0", "a", "A", "b", "k",
                                             "K", "j", "x", "1", "[a]", "[b]", "k=", "j ="};
        const QList<QByteArray> sections = {"a", "A", "b", "\xC0", "\xE0", "a b"};
        const QList<QByteArray> keys = {"k", "K", "j", "k j", "\xC0", "x"};
        const QList<QByteArray> values = {"", "1", "v w", "[a]", "=", ";x", "\xEF\xBB\xBF", "\xE0"};
        QRandomGenerator rng(15);
        const auto piece = [&] {
            const int i = rng.bounded(int(std::size(pieces)));
            return i == 10 ? QByteArray(1, '\0') : QByteArray(pieces[i]);
        };
        const auto readEverything = [&](const IniFile& ini) {
            QList<QByteArray> all;
            for (const QByteArray& s : sections)
                for (const QByteArray& k : keys)
                    all << (ini.contains(QString::fromLatin1(s), QString::fromLatin1(k))
                                ? ini.readBytes(QString::fromLatin1(s), QString::fromLatin1(k)) : QByteArray("<none>"));
            return all;
        };
        int written = 0;
        for (int round = 0; round < 300; ++round) {
            QByteArray original;
            const int n = rng.bounded(30);
            for (int i = 0; i < n; ++i)
                original += piece();
            writeAll(m_path, original);
            IniFile ini(m_path);
            const QList<QByteArray> before = readEverything(ini);
            const int si = rng.bounded(sections.size());
            const int ki = rng.bounded(keys.size());
            const QByteArray value = values[rng.bounded(values.size())];
            if (!ini.writeBytes(QString::fromLatin1(sections[si]), QString::fromLatin1(keys[ki]), value))
                continue;
            ++written;
            const QList<QByteArray> after = readEverything(IniFile(m_path));
            for (int s = 0; s < sections.size(); ++s) {
                for (int k = 0; k < keys.size(); ++k) {
                    // Names are the same without case for ASCII letters only.
                    const bool same = sections[s].toLower() == sections[si].toLower()
                        && keys[k].toLower() == keys[ki].toLower();
                    const int i = s * keys.size() + k;
                    QVERIFY2(after[i] == (same ? value : before[i]),
                             qPrintable(QStringLiteral("file %1, wrote [%2] %3=%4, read [%5] %6: %7 (before %8)")
                                            .arg(QString::fromLatin1(original.toHex(' ')), QString::fromLatin1(sections[si]),
                                                 QString::fromLatin1(keys[ki]), QString::fromLatin1(value),
                                                 QString::fromLatin1(sections[s]), QString::fromLatin1(keys[k]),
                                                 QString::fromLatin1(after[i]), QString::fromLatin1(before[i]))));
                }
            }
        }
        QVERIFY(written > 150);
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "test_ini_file.moc"
