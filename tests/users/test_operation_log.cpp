#include <cstring>

#include <QtTest>

#include "support/file_bytes.h"
#include "users/operation_log.h"

namespace {

QByteArray field(const QByteArray& text)
{
    QByteArray f(64, '\0');
    f[0] = char(text.size());
    f.replace(1, text.size(), text);
    return f;
}

QByteArray entryBytes(double date, const QList<QByteArray>& texts)
{
    QByteArray e(8, '\0');
    std::memcpy(e.data(), &date, 8); // the machines we build on are little-endian
    for (const QByteArray& t : texts)
        e += field(t);
    Q_ASSERT(e.size() == 392);
    return e;
}

// 5 March 2024 is day 45356 after 30 December 1899.
constexpr double kMarch5 = 45356.0;

} // namespace

class TestOperationLog : public QObject
{
    Q_OBJECT
private slots:
    void appendWritesTheLayoutAndCutsTheRemark()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("data"));
        const QString log = operationLogFile(dir.path());
        QCOMPARE(log, dir.filePath("data/OpRec.dat"));

        const OperationTexts texts{"E7", QStringLiteral("张三"), "", QString(70, 'r'), "BoardA", "BoardB"};
        QVERIFY(AppendOperationRecord(log, texts, QDateTime(QDate(2024, 3, 5), QTime(14, 30))));
        const QByteArray first = entryBytes(kMarch5 + 14.5 / 24.0, {"E7", "\xD5\xC5\xC8\xFD", "", QByteArray(63, 'r'), "BoardA", "BoardB"});
        QCOMPARE(readAll(log), first);

        QVERIFY(AppendOperationRecord(log, {"", "", "", "", "", QStringLiteral("拆焊")}, QDateTime(QDate(2024, 3, 6), QTime(0, 0))));
        QCOMPARE(readAll(log), first + entryBytes(kMarch5 + 1, {"", "", "", "", "", "\xB2\xF0\xBA\xB8"}));
    }

    void storedEntriesAreKeptByteForByteAndAPartialEntryIsDropped()
    {
        QTemporaryDir dir;
        const QString log = dir.filePath("OpRec.dat");
        // Bytes after a text that a foreign writer left non-zero stay as they are.
        QByteArray old = entryBytes(kMarch5, {"1", "2", "3", "4", "5", "6"});
        old[8 + 5] = 'Z';
        writeAll(log, old + QByteArray(100, '\x7F'));

        QVERIFY(AppendOperationRecord(log, {"a", "", "", "", "", "b"}, QDateTime(QDate(2024, 3, 5), QTime(6, 0))));
        const QByteArray after = readAll(log);
        QCOMPARE(after.size(), 2 * 392);
        QCOMPARE(after.left(392), old);
        QCOMPARE(after.mid(392), entryBytes(kMarch5 + 0.25, {"a", "", "", "", "", "b"}));
    }

    void exportTextByLanguage()
    {
        QTemporaryDir dir;
        const QString log = dir.filePath("OpRec.dat");
        writeAll(log, entryBytes(kMarch5 + 14.5 / 24.0, {"E7", "\xD5\xC5\xC8\xFD", "QA", QByteArray(63, 'r'), "BoardA", "BoardB"})
                          + entryBytes(kMarch5 + 1, {"", "", "", "", "", "BoardC"}));
        const QString target = dir.filePath("out.xls");
        writeAll(target, "old content that is replaced");

        // The C locale (set for this test) writes "5 Mar 2024 14:30:00"; midnight has no time.
        QVERIFY(ExportOperationRecord(log, target, Language::English));
        const QByteArray lines = "5 Mar 2024 14:30:00\tE7\t\xD5\xC5\xC8\xFD\tQA\t" + QByteArray(63, 'r') + "\tBoardA\tBoardB\r\n"
                                 "6 Mar 2024\t\t\t\t\t\tBoardC\r\n";
        QCOMPARE(readAll(target), "DateTime\tEmployee No.\tName\tDepartment\tRemark\tOld PCB\tNew PCB\r\n" + lines);

        QVERIFY(ExportOperationRecord(log, target, Language::Chinese));
        QCOMPARE(readAll(target), QByteArray("\xC8\xD5\xC6\xDA\t\xB9\xA4\xBA\xC5\t\xD0\xD5\xC3\xFB\t\xB2\xBF\xC3\xC5\t"
                                             "\xB1\xB8\xD7\xA2\t\xBE\xC9\xC1\xF7\xB3\xCC\t\xD0\xC2\xC1\xF7\xB3\xCC\r\n")
                                      + lines);
        QCOMPARE(readAll(log).size(), 2 * 392);
    }

    void missingLogExportsTheHeadingOnly()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath("out.xls");
        QVERIFY(ExportOperationRecord(dir.filePath("OpRec.dat"), target, Language::English));
        QCOMPARE(readAll(target), QByteArray("DateTime\tEmployee No.\tName\tDepartment\tRemark\tOld PCB\tNew PCB\r\n"));
        QVERIFY(!QFileInfo::exists(dir.filePath("OpRec.dat")));
    }

    void unreadableLogOrTargetIsNamedAndNothingIsLost()
    {
        QTemporaryDir dir;
        const QString log = dir.filePath("OpRec.dat");
        QVERIFY(QDir(dir.path()).mkdir("OpRec.dat"));
        const QString target = dir.filePath("out.xls");
        writeAll(target, "keep");

        UsersFileError error;
        QVERIFY(!AppendOperationRecord(log, {}, &error));
        QVERIFY(error.englishMessage().contains("OpRec.dat"));
        QVERIFY(!ExportOperationRecord(log, target, Language::English, &error));
        QCOMPARE(error.kind, UsersFileError::ReadFailed);
        QCOMPARE(readAll(target), QByteArray("keep"));

        const QString goodLog = dir.filePath("good.dat");
        writeAll(goodLog, entryBytes(kMarch5, {"", "", "", "", "", ""}));
        QVERIFY(QDir(dir.path()).mkdir("target.xls"));
        QVERIFY(!ExportOperationRecord(goodLog, dir.filePath("target.xls"), Language::English, &error));
        QCOMPARE(error.kind, UsersFileError::WriteFailed);
        QVERIFY(error.englishMessage().contains("target.xls"));
    }

    void damageIsDescribedForTheTool_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("damage");
        const QByteArray good = entryBytes(kMarch5, {"a", "", "", "", "", ""});
        QByteArray longText = good;
        longText[8 + 64] = char(64);
        QByteArray nan = good;
        std::memset(nan.data(), 0xFF, 8);
        QTest::newRow("whole") << good << QString();
        QTest::newRow("trailing bytes") << good + "xyz" << "3 bytes after the last whole entry of 392 bytes";
        QTest::newRow("short") << QByteArray(391, '\0') << "391 bytes after the last whole entry of 392 bytes";
        QTest::newRow("length byte") << good + longText << "entry 2 has a text length of 64 bytes (at most 63)";
        QTest::newRow("date") << nan << "entry 1 has no valid date";
    }
    void damageIsDescribedForTheTool()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, damage);
        QTemporaryDir dir;
        writeAll(dir.filePath("OpRec.dat"), bytes);
        QList<OperationRecord> entries;
        QString found;
        QVERIFY(ReadOperationLog(dir.filePath("OpRec.dat"), entries, nullptr, &found));
        QCOMPARE(found, damage);
        QCOMPARE(entries.size(), int(bytes.size() / 392));
    }
};

QTEST_APPLESS_MAIN(TestOperationLog)
#include "test_operation_log.moc"
