#include <cstring>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "support/file_bytes.h"
#include "users/operation_log.h"

namespace {

QByteArray entryBytes(double date, const QList<QByteArray>& texts)
{
    QByteArray e(8, '\0');
    std::memcpy(e.data(), &date, 8);
    for (const QByteArray& t : texts) {
        QByteArray f(64, '\0');
        f[0] = char(t.size());
        f.replace(1, t.size(), t);
        e += f;
    }
    return e;
}

} // namespace

class TestOplogExport : public QObject
{
    Q_OBJECT

    struct Run
    {
        int exitCode;
        QByteArray out;
        QByteArray err;
    };
    Run run(const QStringList& args)
    {
        QProcess p;
        p.start(QStringLiteral(TAMSEL_BIN_DIR "/tamsel-export"), QStringList{QStringLiteral("oplog")} + args);
        if (!p.waitForFinished(60000))
            return {-1, {}, {}};
        return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
    }

    QTemporaryDir m_dir;
    QString m_log;

private slots:
    void initTestCase()
    {
        m_log = m_dir.filePath("OpRec.dat");
        writeAll(m_log, entryBytes(45356.0 + 14.5 / 24.0, {"E7", "\xD5\xC5\xC8\xFD", "QA", "say \"hi\", ok", "A", "B"})
                            + entryBytes(45357.0, {"", "", "", "", "B", "C"}));
    }

    void tsvIsTheOptionsDialogsExport_data()
    {
        QTest::addColumn<QStringList>("lang");
        QTest::addColumn<bool>("chinese");
        QTest::newRow("default English") << QStringList{} << false;
        QTest::newRow("Chinese") << QStringList{"--lang", "zh"} << true;
    }
    void tsvIsTheOptionsDialogsExport()
    {
        QFETCH(QStringList, lang);
        QFETCH(bool, chinese);
        const Run r = run(QStringList{m_log, "--tsv"} + lang);
        QCOMPARE(r.exitCode, 0);
        const QString target = m_dir.filePath("dialog.xls");
        QVERIFY(ExportOperationRecord(m_log, target, chinese ? Language::Chinese : Language::English));
        QCOMPARE(r.out, readAll(target));
    }

    void jsonAndCsvAreUtf8()
    {
        Run r = run({m_log, "--json"});
        QCOMPARE(r.exitCode, 0);
        const QJsonArray rows = QJsonDocument::fromJson(r.out).array();
        QCOMPARE(rows.size(), 2);
        const QJsonObject first = rows[0].toObject();
        QCOMPARE(first.value("date").toString(), QStringLiteral("2024-03-05T14:30:00"));
        QCOMPARE(first.value("name").toString(), QStringLiteral("张三"));
        QCOMPARE(first.value("remark").toString(), QStringLiteral("say \"hi\", ok"));
        QCOMPARE(rows[1].toObject().value("employee_no").toString(), QString());
        QCOMPARE(rows[1].toObject().value("new_profile").toString(), QStringLiteral("C"));

        r = run({m_log, "--csv"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QStringLiteral("DateTime,Employee No.,Name,Department,Remark,Old PCB,New PCB\n"
                                       "2024-03-05T14:30:00,E7,张三,QA,\"say \"\"hi\"\", ok\",A,B\n"
                                       "2024-03-06T00:00:00,,,,,B,C\n").toUtf8());
    }

    void missingOrDamagedLogFails_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << QByteArray() << "does not exist";
        QTest::newRow("partial entry") << QByteArray(400, '\0') << "is damaged: 8 bytes after the last whole entry";
    }
    void missingOrDamagedLogFails()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        const QString path = m_dir.filePath("other.dat");
        QFile::remove(path);
        if (!bytes.isEmpty())
            writeAll(path, bytes);
        const Run r = run({path, "--tsv"});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(message.toUtf8()), r.err.constData());
        QVERIFY(r.out.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestOplogExport)
#include "test_oplog_export.moc"
