#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "desoldering_process.h"
#include "records/record_file.h"
#include "records/record_journal.h"

class TestRecordExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void jsonNamesEveryHeaderField();
    void csvHasAHeadingAndOneLinePerSample();
    void damagedFileFailsWithAMessage();
    void cutFileIsSalvagedOnlyWhenAsked();
    void journalRecoveredIntoARecordFile();
    void pdfIsTheReportOfEitherLanguage();
    void pdfFailuresExitWithAMessage();

private:
    int run(const QStringList& args, QByteArray* out, QByteArray* err = nullptr);
    QTemporaryDir m_dir;
    QString m_file;
};

void TestRecordExport::initTestCase()
{
    Recording r = DesolderingProcess::make(5, 0.5f);
    r.dots.append({1, 26, 25});
    OperatorInputs in;
    in.operatorName = QStringLiteral("张三");
    in.headline = QStringLiteral("say \"hi\"");
    in.profileTypeIndex = 1;
    m_file = m_dir.filePath("run.sld");
    QString error;
    QVERIFY(SaveRecord(r, m_file, in, 45000.25, &error));
}

int TestRecordExport::run(const QStringList& args, QByteArray* out, QByteArray* err)
{
    QProcess p;
    p.start(QStringLiteral(TAMSEL_BIN_DIR "/tamsel-export"), args);
    if (!p.waitForFinished(30000))
        return -1;
    *out = p.readAllStandardOutput();
    if (err)
        *err = p.readAllStandardError();
    return p.exitCode();
}

void TestRecordExport::jsonNamesEveryHeaderField()
{
    QByteArray out;
    QCOMPARE(run({"record", m_file, "--json"}, &out), 0);
    QJsonParseError perr;
    const QJsonObject doc = QJsonDocument::fromJson(out, &perr).object();
    QCOMPARE(perr.error, QJsonParseError::NoError);
    const QJsonObject h = doc.value("header").toObject();
    const char* names[] = {"version", "overlayOn", "overlayFromEntry", "overlayTime", "recordDate", "operatorName",
                           "boardName", "componentName", "desoldering", "reservedText", "Orientation", "ShutterX",
                           "ShutterY", "Flow", "T2", "sensorIR", "T1", "T3", "TL", "S1", "S2", "S3", "celsius",
                           "headline", "T0", "TB", "sampleInterval", "reserved"};
    for (const char* n : names)
        QVERIFY2(h.contains(QLatin1String(n)), n);
    QCOMPARE(h.size(), int(std::size(names)));
    QCOMPARE(h.value("version").toString(), QStringLiteral("2.1"));
    QCOMPARE(h.value("operatorName").toString(), QStringLiteral("张三"));
    QCOMPARE(h.value("headline").toString(), QStringLiteral("say \"hi\""));
    QCOMPARE(h.value("recordDate").toDouble(), 45000.25);
    QCOMPARE(h.value("T3").toDouble(), 230.0);
    QCOMPARE(h.value("sampleInterval").toDouble(), 0.5);
    const QJsonArray samples = doc.value("samples").toArray();
    QCOMPARE(samples.size(), 5);
    QCOMPARE(samples[4].toObject().value("time").toDouble(), 2.0);
    QCOMPARE(samples[4].toObject().value("bottomHeater").toInt(), 1);
    QCOMPARE(doc.value("dots").toArray().size(), 1);
    QCOMPARE(doc.value("dots").toArray()[0].toObject().value("tc").toDouble(), 26.0);
}

void TestRecordExport::csvHasAHeadingAndOneLinePerSample()
{
    QByteArray out;
    QCOMPARE(run({"record", "--csv", m_file}, &out), 0);
    const QList<QByteArray> lines = out.trimmed().split('\n');
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines[0], QByteArray("time,tc,tb,dT,fan,pump,bottomHeater,topHeater,fanInside,fanOutside,topHeaterUp,topHeaterDown"));
    QCOMPARE(lines[2], QByteArray("0.5,26,26,1,0,0,1,0,1,0,0,1"));
}

void TestRecordExport::damagedFileFailsWithAMessage()
{
    QFile f(m_dir.filePath("cut.sld"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(100, '\x03'));
    f.close();
    QByteArray out, err;
    QCOMPARE(run({"record", f.fileName(), "--json"}, &out, &err), 1);
    QVERIFY(out.isEmpty());
    QVERIFY(err.contains("file error!"));
    QCOMPARE(run({"record", m_dir.filePath("none.sld"), "--csv"}, &out, &err), 1);
    QVERIFY(err.contains("none.sld"));
}

void TestRecordExport::cutFileIsSalvagedOnlyWhenAsked()
{
    QFile whole(m_file);
    QVERIFY(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    QFile f(m_dir.filePath("cut-in-sample.sld"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes.left(215 + 2 * 24 + 7)); // two whole samples of five
    f.close();
    QByteArray out, err;
    QCOMPARE(run({"record", f.fileName(), "--csv"}, &out, &err), 1);
    QVERIFY(err.contains("file error!"));
    QCOMPARE(run({"record", f.fileName(), "--csv", "--salvage"}, &out, &err), 0);
    QCOMPARE(out.count('\n'), 1 + 2);
    QVERIFY2(err.contains("2 of 5 samples and 0 of ? dots"), err.constData());
    QCOMPARE(run({"record", m_dir.filePath("none.sld"), "--csv", "--salvage"}, &out, &err), 1);
}

void TestRecordExport::journalRecoveredIntoARecordFile()
{
    Recording r = DesolderingProcess::make(40, 0.5f);
    r.dots = {{3, 30, 20}};
    const QString folder = m_dir.filePath("journal");
    QString journalPath;
    {
        RecordJournal j;
        QVERIFY(j.start(folder, r));
        journalPath = j.path();
    }
    const QString out = m_dir.filePath("recovered.sld");
    QByteArray stdOut, err;
    QCOMPARE(run({"recover", journalPath, out}, &stdOut, &err), 0);
    Recording back;
    QVERIFY(LoadRecord(back, out));
    QCOMPARE(back.samples, r.samples);
    QCOMPARE(back.dots, r.dots);
    QVERIFY(back.header == r.header);
    // Never over an existing file, and a file that is no journal fails.
    QCOMPARE(run({"recover", journalPath, out}, &stdOut, &err), 1);
    QCOMPARE(run({"recover", m_file, m_dir.filePath("x.sld")}, &stdOut, &err), 1);
    QVERIFY(!QFile::exists(m_dir.filePath("x.sld")));
}

namespace {

QString pdfText(const QString& path)
{
    QProcess p;
    p.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")), {path, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

void TestRecordExport::pdfIsTheReportOfEitherLanguage()
{
    QByteArray out, err;
    const QString en = m_dir.filePath("en.pdf");
    QCOMPARE(run({"record", m_file, "--pdf", en}, &out, &err), 0);
    QVERIFY2(pdfText(en).contains(QStringLiteral("Desoldering")), err.constData());
    const QString zh = m_dir.filePath("zh.pdf");
    QCOMPARE(run({"record", "--lang", "zh", m_file, "--pdf", zh}, &out, &err), 0);
    QVERIFY(pdfText(zh).contains(QStringLiteral("拆焊")));
    QVERIFY(pdfText(zh).contains(QStringLiteral("张三")));

    QFile own(m_dir.filePath("own.frf"));
    QVERIFY(own.open(QIODevice::WriteOnly));
    own.write("<p>Checked: [p3] at [c1] s</p>");
    own.close();
    const QString custom = m_dir.filePath("own.pdf");
    QCOMPARE(run({"record", m_file, "--pdf", custom, "--template", own.fileName()}, &out, &err), 0);
    QCOMPARE(pdfText(custom).simplified(), QStringLiteral("Checked: 张三 at 1 s"));
}

void TestRecordExport::pdfFailuresExitWithAMessage()
{
    QByteArray out, err;
    const QString target = m_dir.filePath("no/such/folder/r.pdf");
    QCOMPARE(run({"record", m_file, "--pdf", target}, &out, &err), 1);
    QVERIFY(err.contains("no/such/folder/r.pdf"));
    QCOMPARE(run({"record", m_file, "--pdf", m_dir.filePath("t.pdf"), "--template", m_dir.filePath("none.frf")}, &out, &err), 1);
    QVERIFY(err.contains("none.frf"));
    QVERIFY(!QFile::exists(m_dir.filePath("t.pdf")));
    QCOMPARE(run({"record", m_dir.filePath("none.sld"), "--pdf", m_dir.filePath("t.pdf")}, &out, &err), 1);
    QVERIFY(err.contains("file error!"));
    QCOMPARE(run({"record", m_file, "--pdf", m_dir.filePath("t.pdf"), "--lang", "fr"}, &out, &err), 2);
    QCOMPARE(run({"record", m_file, "--pdf"}, &out, &err), 2);
    QCOMPARE(run({"record", m_file, "--json", "--lang", "zh"}, &out, &err), 2);
}

QTEST_GUILESS_MAIN(TestRecordExport)
#include "test_record_export.moc"
