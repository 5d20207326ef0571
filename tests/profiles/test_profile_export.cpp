#include <QtTest>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "irl_bytes.h"

using namespace IrlBytes;

class TestProfileExport : public QObject
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
        p.start(QStringLiteral(TAMSEL_BIN_DIR "/tamsel-export"), QStringList{ QStringLiteral("profiles") } + args);
        if (!p.waitForFinished(60000))
            return { -1, {}, {} };
        return { p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError() };
    }

    QTemporaryDir m_dir;

private slots:
    void jsonHasEveryColumnByHeading()
    {
        Record a = sampleChinese();
        a.board = "say \"hi\", ok";
        const QString path = m_dir.filePath(QStringLiteral("model.irl"));
        QVERIFY(writeFile(path, file({ a, sampleEnglish() })));
        const Run r = run({ path, QStringLiteral("--json") });
        QCOMPARE(r.exitCode, 0);
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QJsonArray rows = doc.array();
        QCOMPARE(rows.size(), 2);
        const QJsonObject first = rows.at(0).toObject();
        QCOMPARE(first.size(), 21);
        QCOMPARE(first.value("board").toString(), QStringLiteral("say \"hi\", ok"));
        QCOMPARE(first.value("type").toString(), QStringLiteral("拆焊"));
        QCOMPARE(first.value("unit").toString(), QStringLiteral("℃"));
        QCOMPARE(first.value("S1").toDouble(), 50.0);
        QCOMPARE(first.value("T2").toDouble(), 140.0);
        QCOMPARE(first.value("Shutter Y").toString(), QStringLiteral("5.5*10mm"));
        QCOMPARE(first.value("orientation").toString(), QStringLiteral("left up"));
        QCOMPARE(first.value("K4").toDouble(), 63.0);
        QCOMPARE(rows.at(1).toObject().value("board").toString(), QStringLiteral("主板"));
        // Columns in table order.
        QVERIFY(r.out.indexOf("\"board\"") < r.out.indexOf("\"component\""));
        QVERIFY(r.out.indexOf("\"S3\"") < r.out.indexOf("\"sensor\""));
    }

    void csvHasAHeadingLine()
    {
        Record a = sampleChinese();
        a.board = "say \"hi\", ok";
        const QString path = m_dir.filePath(QStringLiteral("csv.irl"));
        QVERIFY(writeFile(path, file({ a })));
        const Run r = run({ path, QStringLiteral("--csv") });
        QCOMPARE(r.exitCode, 0);
        const QStringList lines = QString::fromUtf8(r.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.at(0), QStringLiteral("board,component,type,T0,TB,T1,S1,T2,TL,S2,T3,S3,sensor,unit,"
                                             "orientation,Shutter X,Shutter Y,K1,K2,K3,K4"));
        QCOMPARE(lines.at(1), QStringLiteral("\"say \"\"hi\"\", ok\",BGA U7,拆焊,100,150,120,50,140,183,45,195,15,"
                                             "IR,℃,left up,2.5*10mm,5.5*10mm,0,0,128,63"));
    }

    void emptyFile()
    {
        const QString path = m_dir.filePath(QStringLiteral("empty.irl"));
        QVERIFY(writeFile(path, QByteArray(2, '\0')));
        const Run r = run({ path, QStringLiteral("--json") });
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(QJsonDocument::fromJson(r.out).array().size(), 0);
    }

    void damagedOrMissingFileFails_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("create");
        QTest::newRow("count larger than the data") << "damaged.irl" << true;
        QTest::newRow("missing") << "missing.irl" << false;
    }
    void damagedOrMissingFileFails()
    {
        QFETCH(QString, name);
        QFETCH(bool, create);
        const QString path = m_dir.filePath(name);
        if (create)
            QVERIFY(writeFile(path, file({ sampleChinese() }, 3)));
        const Run r = run({ path, QStringLiteral("--csv") });
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.out.isEmpty());
        QVERIFY(QString::fromUtf8(r.err).contains(name));
    }

    void usage()
    {
        QCOMPARE(run({ QStringLiteral("x.irl") }).exitCode, 2);
    }
};

QTEST_GUILESS_MAIN(TestProfileExport)
#include "test_profile_export.moc"
