#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "record_bytes.h"
#include "records/record_file.h"
#include "support/file_bytes.h"

using namespace RecordBytes;

Q_DECLARE_METATYPE(RecordFile::HeaderVariant)

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

OperatorInputs someInputs()
{
    OperatorInputs in;
    in.operatorName = QStringLiteral("Li");
    in.boardName = QStringLiteral("Main board");
    in.componentName = QStringLiteral("QFP100");
    in.headline = QStringLiteral("Second pass");
    in.profileTypeIndex = 1;
    in.orientation = 3;
    in.shutterX = 8;
    in.shutterY = 0;
    return in;
}

} // namespace

class TestRecordFile : public QObject
{
    Q_OBJECT

private slots:
    void readsEveryHeaderVariant_data();
    void readsEveryHeaderVariant();
    void version214IsKeptAsRead();
    void writesTheLayoutByteForByte();
    void fileSizesForOneSampleAndForAnEmptyRecord();
    void damagedFilesLoadNothing_data();
    void damagedFilesLoadNothing();
    void olderFilesWithoutSamplesOpen();
    void textsAreCutToTheirCapacity();
    void saveAfterLoadWritesTheCurrentVersion();
    void failedWriteReportsThePlatformError();
    void aFullRecordingStopsAndStillSaves();
    void cutFilesGiveBackWhatTheyHold_data();
    void cutFilesGiveBackWhatTheyHold();

private:
    QTemporaryDir m_dir;
};

void TestRecordFile::readsEveryHeaderVariant_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<RecordFile::HeaderVariant>("variant");
    QTest::addColumn<int>("overlayOn");
    QTest::newRow("2.1") << current() << RecordFile::HeaderVariant::Current << 1;
    QTest::newRow("2.0") << (QByteArray("\x03" "2.0", 4) + body()) << RecordFile::HeaderVariant::Version20 << 0;
    QTest::newRow("unversioned") << body() << RecordFile::HeaderVariant::Unversioned << 0;
}

void TestRecordFile::readsEveryHeaderVariant()
{
    QFETCH(QByteArray, header);
    QFETCH(RecordFile::HeaderVariant, variant);
    QFETCH(int, overlayOn);

    Recording r;
    RecordFile::HeaderVariant seen;
    QVERIFY(RecordFile::decode(header + tail(), r, &seen));
    QCOMPARE(seen, variant);
    const RecordHeader& h = r.header;
    QCOMPARE(int(h.overlayOn), overlayOn);
    QCOMPARE(h.recordDate, 45000.5);
    QCOMPARE(h.operatorName, QByteArray("Zhang"));
    QCOMPARE(h.boardName, QByteArray("PCB-7"));
    QCOMPARE(h.componentName, QByteArray("BGA256"));
    QCOMPARE(int(h.desoldering), 1);
    QCOMPARE(h.reservedText, QByteArray("abc"));
    QCOMPARE(int(h.Orientation), 2);
    QCOMPARE(int(h.ShutterX), 5);
    QCOMPARE(int(h.ShutterY), 7);
    QCOMPARE(int(h.Flow), 3);
    QCOMPARE(h.T2, 140.0f);
    QCOMPARE(int(h.sensorIR), 1);
    QCOMPARE(h.T1, 120.0f);
    QCOMPARE(h.T3, 195.0f);
    QCOMPARE(h.TL, 183.0f);
    QCOMPARE(h.S1, 50.0f);
    QCOMPARE(h.S2, 45.0f);
    QCOMPARE(h.S3, 15.0f);
    QCOMPARE(int(h.celsius), 1);
    QCOMPARE(h.headline, QByteArray("Rework of U3"));
    QCOMPARE(h.T0, 100.0f);
    QCOMPARE(h.TB, 150.0f);
    QCOMPARE(h.sampleInterval, 0.5f);

    QCOMPARE(r.samples.size(), 2);
    QCOMPARE(r.samples[1].time, 0.5f);
    QCOMPARE(r.samples[1].tc, 27.0f);
    QCOMPARE(r.samples[1].tb, 31.0f);
    QCOMPARE(r.samples[1].dT, 2.0f);
    QCOMPARE(int(r.samples[0].fan), 1);
    QCOMPARE(int(r.samples[0].pump), 0);
    QCOMPARE(int(r.samples[1].topHeaterDown), 1);
    QCOMPARE(r.dots.size(), 1);
    QCOMPARE(r.dots[0].tb, 30.0f);
}

void TestRecordFile::version214IsKeptAsRead()
{
    const QByteArray header = current(QByteArray("\x04" "2.14", 5));
    const QByteArray file = header + tail();
    Recording r;
    RecordFile::HeaderVariant seen;
    QVERIFY(RecordFile::decode(file, r, &seen));
    QCOMPARE(seen, RecordFile::HeaderVariant::Current);
    QCOMPARE(r.header.version, QByteArray("2.14"));
    QCOMPARE(r.header.operatorName, QByteArray("Zhang"));
    // Written again without collecting, the record is the file it came from.
    QCOMPARE(RecordFile::encode(r), file);
}

void TestRecordFile::writesTheLayoutByteForByte()
{
    Recording r;
    QVERIFY(RecordFile::decode(current() + tail(), r));
    QCOMPARE(RecordFile::encode(r), current() + tail());

    // From fields set in code: the same bytes as built from the layout.
    Recording made;
    RecordHeader& h = made.header;
    h.overlayOn = 1;
    h.overlayFromEntry = 1;
    h.overlayTime = 42.5f;
    h.recordDate = 45000.5;
    h.operatorName = "Zhang";
    h.boardName = "PCB-7";
    h.componentName = "BGA256";
    h.desoldering = 1;
    h.reservedText = "abc";
    h.Orientation = 2;
    h.ShutterX = 5;
    h.ShutterY = 7;
    h.Flow = 3;
    h.T2 = 140;
    h.sensorIR = 1;
    h.T1 = 120;
    h.T3 = 195;
    h.TL = 183;
    h.S1 = 50;
    h.S2 = 45;
    h.S3 = 15;
    h.celsius = 1;
    h.headline = "Rework of U3";
    h.T0 = 100;
    h.TB = 150;
    h.sampleInterval = 0.5f;
    h.reserved = {9, 0, 0, 4};
    made.samples = r.samples;
    made.dots = r.dots;
    QCOMPARE(RecordFile::encode(made), current() + tail());
}

void TestRecordFile::fileSizesForOneSampleAndForAnEmptyRecord()
{
    Recording empty(45000.0);
    const QString emptyPath = m_dir.filePath("empty.sld");
    QString error;
    QVERIFY(SaveRecord(empty, emptyPath, OperatorInputs(), 45001.0, &error));
    const QByteArray bytes = readFile(emptyPath);
    QCOMPARE(bytes.size(), 217);
    QCOMPARE(bytes.left(4), QByteArray("\x03" "2.1", 4));
    QCOMPARE(bytes.mid(213), QByteArray(4, '\0'));

    Recording one;
    StationStatus s;
    s.setWord(StationStatus::Word::Tc, 25);
    QVERIFY(one.TakeSample(s, 1.0f));
    const QString onePath = m_dir.filePath("one.sld");
    QVERIFY(SaveRecord(one, onePath, OperatorInputs(), 45001.0, &error));
    QCOMPARE(readFile(onePath).size(), 241);
}

void TestRecordFile::damagedFilesLoadNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = current() + tail();
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("shorter than a header") << good.left(212);
    QTest::newRow("no sample count") << good.left(214);
    QTest::newRow("count promises more samples") << good.left(213 + 2 + 24 + 10);
    QTest::newRow("no dot count") << good.left(213 + 2 + 48 + 1);
    QTest::newRow("dots cut off") << good.left(good.size() - 1);
    QTest::newRow("2.0 cut in its samples") << (QByteArray("\x03" "2.0", 4) + body() + tail()).left(203 + 2 + 30);
    QByteArray huge = current();
    QByteArray count(2, '\0');
    putU16(count, 0, 0xFFFF);
    QTest::newRow("65535 samples promised, none there") << (huge + count);
}

void TestRecordFile::damagedFilesLoadNothing()
{
    QFETCH(QByteArray, bytes);
    const QString path = m_dir.filePath("damaged.sld");
    QVERIFY(writeFile(path, bytes));
    Recording r(123.0);
    r.samples.append(RecordSample());
    r.dots.append(AnalysisDot());
    r.header.operatorName = "before";
    QVERIFY(!LoadRecord(r, path));
    QVERIFY(r.samples.isEmpty());
    QVERIFY(r.dots.isEmpty());
    QCOMPARE(r.header.operatorName, QByteArray("before"));
    QCOMPARE(r.header.recordDate, 123.0);
    QCOMPARE(recordFileErrorText(), QStringLiteral("file error!"));
}

void TestRecordFile::olderFilesWithoutSamplesOpen()
{
    // 203 and 207 bytes: complete files of the older layouts, shorter than a current header.
    for (const QByteArray& file : {body() + QByteArray(4, '\0'), QByteArray("\x03" "2.0", 4) + body() + QByteArray(4, '\0')}) {
        Recording r;
        QVERIFY(RecordFile::decode(file, r));
        QCOMPARE(r.header.boardName, QByteArray("PCB-7"));
        QVERIFY(r.samples.isEmpty());
    }
    QVERIFY(!LoadRecord(*std::make_unique<Recording>(), m_dir.filePath("missing.sld")));
}

void TestRecordFile::textsAreCutToTheirCapacity()
{
    OperatorInputs in;
    in.operatorName = QStringLiteral("ABCDEFGHIJKLMNOPQRSTU"); // 21 characters
    in.boardName = QString(11, QChar(0x62C6));                  // 拆 x 11: 22 bytes in GBK
    in.componentName = QStringLiteral("x") + QString(10, QChar(0x62C6));
    in.headline = QString(80, QLatin1Char('h'));
    Recording r;
    r.CollectHeader(in, 1.0);
    QCOMPARE(r.header.operatorName, QByteArray("ABCDEFGHIJKLMNOPQRST"));
    QCOMPARE(r.header.boardName.size(), 20);
    QCOMPARE(RecordHeader::text(r.header.boardName), QString(10, QChar(0x62C6)));
    // Never half a character: 1 + 9 x 2 bytes fit, the tenth would need byte 21.
    QCOMPARE(r.header.componentName.size(), 19);
    QCOMPARE(r.header.headline.size(), 70);
    uint8_t bytes[RecordHeader::Size];
    r.header.write(bytes);
    QCOMPARE(int(bytes[18]), 20);
    QCOMPARE(int(bytes[126]), 70);
}

void TestRecordFile::saveAfterLoadWritesTheCurrentVersion()
{
    const QString path = m_dir.filePath("old.sld");
    QVERIFY(writeFile(path, QByteArray("\x03" "2.0", 4) + body() + tail()));
    Recording r;
    QVERIFY(LoadRecord(r, path));
    QCOMPARE(r.fileName, path);

    const QString again = m_dir.filePath("again.sld");
    QString error;
    QVERIFY(SaveRecord(r, again, someInputs(), 46000.25, &error));
    QCOMPARE(r.fileName, again);
    const QByteArray bytes = readFile(again);
    QCOMPARE(bytes.left(4), QByteArray("\x03" "2.1", 4));
    QCOMPARE(int(bytes[4]), 0); // no overlay in older files

    Recording back;
    QVERIFY(LoadRecord(back, again));
    QCOMPARE(back.header.recordDate, 46000.25);
    QCOMPARE(back.header.operatorName, QByteArray("Li"));
    QCOMPARE(back.header.boardName, QByteArray("Main board"));
    QCOMPARE(back.header.headline, QByteArray("Second pass"));
    QCOMPARE(int(back.header.desoldering), 1);
    QCOMPARE(int(back.header.Orientation), 3);
    QCOMPARE(int(back.header.ShutterX), 8);
    QCOMPARE(back.header.T3, 195.0f); // station values stay as they were
    QCOMPARE(back.header.reservedText, QByteArray("abc"));
    QCOMPARE(back.samples, r.samples);
    QCOMPARE(back.dots, r.dots);
}

void TestRecordFile::failedWriteReportsThePlatformError()
{
    const QString blocker = m_dir.filePath("plainfile");
    QVERIFY(writeFile(blocker, "x"));
    Recording r;
    QString error;
    QVERIFY(!SaveRecord(r, blocker + "/inside.sld", OperatorInputs(), 1.0, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(readFile(blocker), QByteArray("x"));
}

void TestRecordFile::aFullRecordingStopsAndStillSaves()
{
    Recording r;
    r.samples.resize(Recording::MaxSamples - 1);
    StationStatus s;
    s.setWord(StationStatus::Word::Tc, 99);
    QVERIFY(!r.isFull());
    QVERIFY(r.TakeSample(s, 0.5f));
    QVERIFY(r.isFull());
    QVERIFY(!r.TakeSample(s, 0.5f));
    QCOMPARE(r.samples.size(), 65535);
    QCOMPARE(r.samples.last().tc, 99.0f);

    const QString path = m_dir.filePath("full.sld");
    QString error;
    QVERIFY(SaveRecord(r, path, OperatorInputs(), 1.0, &error));
    Recording back;
    QVERIFY(LoadRecord(back, path));
    QCOMPARE(back.samples.size(), 65535);
    QCOMPARE(back.samples.last().tc, 99.0f);

    // A count that would not fit is never written.
    r.samples.append(RecordSample());
    QVERIFY(!SaveRecord(r, path, OperatorInputs(), 2.0, &error));
    QVERIFY(!error.isEmpty());
    Recording still;
    QVERIFY(LoadRecord(still, path));
    QCOMPARE(still.samples.size(), 65535);
}

void TestRecordFile::cutFilesGiveBackWhatTheyHold_data()
{
    QTest::addColumn<int>("cut");
    QTest::addColumn<bool>("salvaged");
    QTest::addColumn<int>("samplesPromised");
    QTest::addColumn<int>("samples");
    QTest::addColumn<int>("dotsPromised");
    QTest::addColumn<int>("dots");
    // 3 samples and 2 dots: header 0..212, count 213, samples 215, dot count 287, dots 289.
    QTest::newRow("inside the header") << 100 << false << 0 << 0 << 0 << 0;
    QTest::newRow("one byte short of the header") << 212 << false << 0 << 0 << 0 << 0;
    QTest::newRow("after the header") << 213 << true << -1 << 0 << -1 << 0;
    QTest::newRow("inside the sample count") << 214 << true << -1 << 0 << -1 << 0;
    QTest::newRow("after the sample count") << 215 << true << 3 << 0 << -1 << 0;
    QTest::newRow("inside the second sample") << 215 + 24 + 10 << true << 3 << 1 << -1 << 0;
    QTest::newRow("after the last sample") << 287 << true << 3 << 3 << -1 << 0;
    QTest::newRow("inside the dot count") << 288 << true << 3 << 3 << -1 << 0;
    QTest::newRow("inside the second dot") << 289 + 12 + 5 << true << 3 << 3 << 2 << 1;
    QTest::newRow("one byte short") << 312 << true << 3 << 3 << 2 << 1;
    QTest::newRow("whole file") << 313 << false << 0 << 0 << 0 << 0;
}

void TestRecordFile::cutFilesGiveBackWhatTheyHold()
{
    QFETCH(int, cut);
    QFETCH(bool, salvaged);
    Recording r;
    for (int i = 0; i < 3; ++i)
        r.TakeSample(StationStatus(), 1.0f);
    r.samples[1].tc = 150;
    r.samples[2].tc = 180;
    r.dots = {{1, 150, 0}, {2, 180, 0}};
    r.header.operatorName = "Sun";
    const QByteArray whole = RecordFile::encode(r);
    QCOMPARE(whole.size(), 313);

    Recording got;
    RecordFile::Salvage info;
    QCOMPARE(RecordFile::salvage(whole.left(cut), got, &info), salvaged);
    if (!salvaged)
        return;
    QTEST(info.samplesPromised, "samplesPromised");
    QTEST(info.samplesRead, "samples");
    QTEST(info.dotsPromised, "dotsPromised");
    QTEST(info.dotsRead, "dots");
    QCOMPARE(got.header.operatorName, QByteArray("Sun"));
    QCOMPARE(got.samples, r.samples.mid(0, info.samplesRead));
    QCOMPARE(got.dots, r.dots.mid(0, info.dotsRead));

    // From a file: an unsaved record; the damaged file stays as it was.
    const QString path = QDir(QDir::tempPath()).filePath(QStringLiteral("tamsel-cut-%1.sld").arg(cut));
    writeAll(path, whole.left(cut));
    Recording fromFile;
    QVERIFY(!LoadRecord(fromFile, path));
    QVERIFY(SalvageRecord(fromFile, path));
    QVERIFY(fromFile.fileName.isEmpty());
    QVERIFY(!fromFile.savedOrLoaded);
    QCOMPARE(fromFile.samples.size(), info.samplesRead);
    QCOMPARE(readAll(path), whole.left(cut));
    QFile::remove(path);
}

QTEST_GUILESS_MAIN(TestRecordFile)
#include "test_record_file.moc"
