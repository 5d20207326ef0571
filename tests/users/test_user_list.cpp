#include <QtTest>

#include "support/file_bytes.h"
#include "users/user_record.h"

namespace {

// One field of the user file: length byte, text, zeros up to 1 + capacity bytes.
QByteArray field(const QByteArray& text, int capacity)
{
    QByteArray f(1 + capacity, '\0');
    f[0] = char(text.size());
    f.replace(1, text.size(), text);
    return f;
}

QByteArray userBytes(const QByteArray& no, const QByteArray& pw, const QByteArray& name, const QByteArray& dept,
                     const QByteArray& remark)
{
    QByteArray r = field(no, 16) + field(pw, 16) + field(name, 16) + field(dept, 32) + field(remark, 64);
    Q_ASSERT(r.size() == 149);
    return r;
}

} // namespace

class TestUserList : public QObject
{
    Q_OBJECT
private slots:
    void threeHundredBytesGiveTwoRecordsAndSaveDropsTheRest()
    {
        QTemporaryDir dir;
        const QByteArray first = userBytes("A7", "Secret", "\xD5\xC5\xC8\xFD", "QA", "night shift");
        const QByteArray second = userBytes("b8", "", "Li", "", "");
        writeAll(dir.filePath("UserList.dat"), first + second + QByteArray("\x01\x02", 2));

        TUserStruList list{UserRecord::made("stale", "", "", "", "")};
        QVERIFY(LoadUserList(list, dir.path()));
        QCOMPARE(list.size(), 2);
        QCOMPARE(list[0], UserRecord::made("A7", "Secret", QStringLiteral("张三"), "QA", "night shift"));
        QCOMPARE(list[1].employeeNo, QStringLiteral("b8"));
        QCOMPARE(list[1].name, QStringLiteral("Li"));

        QVERIFY(SaveUserList(list, dir.path()));
        QCOMPARE(readAll(dir.filePath("UserList.dat")), first + second);
    }

    void missingFileIsAnEmptyListAndEmptyListAnEmptyFile()
    {
        QTemporaryDir dir;
        TUserStruList list{UserRecord::made("x", "", "", "", "")};
        QVERIFY(LoadUserList(list, dir.path()));
        QVERIFY(list.isEmpty());
        QVERIFY(SaveUserList(list, dir.path()));
        QVERIFY(QFileInfo::exists(dir.filePath("UserList.dat")));
        QCOMPARE(readAll(dir.filePath("UserList.dat")).size(), 0);
    }

    void textsAreCutToTheirBytesNeverInsideACharacter()
    {
        // 17 bytes of employee number, a 20-byte password, "a" + eight Chinese characters
        // (17 bytes) as name, 40 bytes of department, a remark of 33 Chinese characters.
        const UserRecord r = UserRecord::made("EMP-123456789012X", "0123456789abcdefGHIJ",
                                              QStringLiteral("a张张张张张张张张"), QString(40, 'd'),
                                              QString(33, QChar(0x5F20)));
        QByteArray bytes(149, '\xEE');
        r.toBytes(reinterpret_cast<uint8_t*>(bytes.data()));
        QByteArray zhang7, zhang32;
        for (int i = 0; i < 7; ++i)
            zhang7 += "\xD5\xC5";
        for (int i = 0; i < 32; ++i)
            zhang32 += "\xD5\xC5";
        QCOMPARE(bytes, userBytes("EMP-123456789012", "0123456789abcdef", "a" + zhang7, QByteArray(32, 'd'), zhang32));
        QCOMPARE(r.password, QStringLiteral("0123456789abcdef"));
        // Only the first 16 bytes of the long password match now.
        QVERIFY(!PasswordMatches(r, "0123456789abcdefGHIJ"));
        QVERIFY(PasswordMatches(r, "0123456789abcdef"));
    }

    void lookupIgnoresLetterCaseButNotBlanks_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("found");
        QTest::newRow("as stored") << "Ab7" << 1;
        QTest::newRow("other case") << "aB7" << 1;
        QTest::newRow("first match in file order") << "X" << 0;
        QTest::newRow("leading blank is another employee") << " Ab7" << -1;
        QTest::newRow("trailing blank is another employee") << "Ab7 " << -1;
        QTest::newRow("chinese") << QStringLiteral("工号1") << 3;
        QTest::newRow("unknown") << "Ab8" << -1;
    }
    void lookupIgnoresLetterCaseButNotBlanks()
    {
        QFETCH(QString, typed);
        QFETCH(int, found);
        const TUserStruList list{UserRecord::made("x", "", "", "", ""), UserRecord::made("Ab7", "", "", "", ""),
                                 UserRecord::made("X", "", "", "", ""),
                                 UserRecord::made(QStringLiteral("工号1"), "", "", "", "")};
        QCOMPARE(FindEmployee(list, typed), found);
    }

    void passwordsCompareLetterCase()
    {
        const UserRecord r = UserRecord::made("7", "PassWord", "", "", "");
        QVERIFY(PasswordMatches(r, "PassWord"));
        QVERIFY(!PasswordMatches(r, "password"));
        QVERIFY(!PasswordMatches(r, "PassWord "));
    }

    void unreadableOrUnwritableFileIsNamedAndKept()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("UserList.dat"));
        TUserStruList list{UserRecord::made("x", "", "", "", "")};
        UsersFileError error;
        QVERIFY(!LoadUserList(list, dir.path(), &error));
        QVERIFY(list.isEmpty());
        QCOMPARE(error.kind, UsersFileError::ReadFailed);
        QVERIFY(error.englishMessage().contains("UserList.dat"));

        error = {};
        QVERIFY(!SaveUserList({UserRecord::made("y", "", "", "", "")}, dir.path(), &error));
        QCOMPARE(error.kind, UsersFileError::WriteFailed);
        QVERIFY(QFileInfo(dir.filePath("UserList.dat")).isDir());

        // A save into a missing directory fails and leaves nothing behind.
        error = {};
        QVERIFY(!SaveUserList(list, dir.filePath("nowhere"), &error));
        QVERIFY(error.englishMessage().contains("UserList.dat"));
    }
};

QTEST_APPLESS_MAIN(TestUserList)
#include "test_user_list.moc"
