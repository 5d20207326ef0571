#include <QtTest>

#include <QDir>
#include <QTemporaryDir>

#include "desoldering_process.h"
#include "records/record_journal.h"
#include "support/file_bytes.h"

namespace {

// CRC-32 bit by bit, apart from the program's table.
uint32_t crc32(const QByteArray& bytes)
{
    uint32_t c = 0xFFFFFFFFu;
    for (char ch : bytes) {
        c ^= uint8_t(ch);
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
    }
    return ~c;
}

QByteArray le32(uint32_t v)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = char(v >> (8 * i));
    return b;
}

QByteArray entry(char kind, const QByteArray& payload)
{
    QByteArray e;
    e += kind;
    e += char(payload.size() & 0xFF);
    e += char(payload.size() >> 8);
    e += payload;
    return e + le32(crc32(e));
}

void compareRecords(const Recording& a, const Recording& b)
{
    QVERIFY(a.header == b.header);
    QCOMPARE(a.samples.size(), b.samples.size());
    QVERIFY(a.samples == b.samples);
    QVERIFY(a.dots == b.dots);
}

} // namespace

class TestRecordJournal : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString folder() const { return m_dir.filePath(QStringLiteral("journal")); }

private slots:
    void init()
    {
        QDir(folder()).removeRecursively();
    }

    // Byte for byte: the magic, then each entry as kind, u16 length, payload, CRC-32.
    void entriesFollowTheLayout()
    {
        Recording r = DesolderingProcess::make(2, 1.0f);
        RecordJournal journal;
        QVERIFY(journal.start(folder(), r));
        QVERIFY(journal.path().endsWith(QStringLiteral(".tjn")));
        r.dots.append({1, 150, 90});
        r.TakeSample(StationStatus(), 1.0f);
        QVERIFY(journal.update(r));

        QByteArray header(213, '\0');
        r.header.write(reinterpret_cast<uint8_t*>(header.data()));
        QByteArray expected = QByteArray("TJNL\x01\x00\x00\x00", 8) + entry('H', header);
        for (int i = 0; i < 2; ++i) {
            QByteArray s = le32(uint32_t(i)) + QByteArray(24, '\0');
            r.samples[i].write(reinterpret_cast<uint8_t*>(s.data()) + 4);
            expected += entry('S', s);
        }
        QByteArray dots("\x01\x00", 2);
        dots += QByteArray(12, '\0');
        r.dots[0].write(reinterpret_cast<uint8_t*>(dots.data()) + 2);
        QByteArray s = le32(2) + QByteArray(24, '\0');
        r.samples[2].write(reinterpret_cast<uint8_t*>(s.data()) + 4);
        expected += entry('D', dots) + entry('S', s);
        QCOMPARE(readAll(journal.path()), expected);
        QCOMPARE(RecordJournal::entry(RecordJournal::DotsEntry, dots), entry('D', dots));
    }

    void recordReadBackWithLaterHeaderAndDots()
    {
        Recording r = DesolderingProcess::make(10, 0.5f);
        RecordJournal journal;
        QVERIFY(journal.start(folder(), r));
        r.header.operatorName = "Li";
        r.dots = {{2, 100, 80}, {4, 120, 90}};
        QVERIFY(journal.update(r));
        r.dots.removeFirst();
        for (int i = 0; i < 5; ++i)
            r.TakeSample(StationStatus(), 0.5f);
        QVERIFY(journal.update(r));
        RecordJournal::Contents c;
        QVERIFY(RecordJournal::readFile(journal.path(), c));
        compareRecords(c.record, r);
        QVERIFY(!c.torn);
        QVERIFY(!c.record.isNewRecord);
        QVERIFY(c.record.fileName.isEmpty());
        QCOMPARE(RecordJournal::pending(folder()), QStringList{journal.path()});
        journal.discard();
        QVERIFY(RecordJournal::pending(folder()).isEmpty());
    }

    // A torn or damaged last entry costs that entry only, wherever the write stopped.
    void tornLastEntryIsDropped()
    {
        Recording r = DesolderingProcess::make(3, 1.0f);
        RecordJournal journal;
        QVERIFY(journal.start(folder(), r));
        const QByteArray whole = readAll(journal.path());
        const qsizetype lastStart = whole.size() - (3 + 28 + 4); // the last sample entry
        for (qsizetype cut = lastStart; cut < whole.size(); ++cut) {
            RecordJournal::Contents c;
            QVERIFY(RecordJournal::decode(whole.left(cut), c));
            QCOMPARE(c.record.samples.size(), 2);
            QCOMPARE(c.torn, cut > lastStart);
        }
        for (qsizetype at = lastStart; at < whole.size(); ++at) {
            QByteArray damaged = whole;
            damaged[at] = char(damaged[at] ^ 0x10);
            RecordJournal::Contents c;
            QVERIFY(RecordJournal::decode(damaged, c));
            QCOMPARE(c.record.samples.size(), 2);
            QVERIFY(c.torn);
        }
    }

    void notAJournal_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("magic only") << QByteArray("TJNL\x01\x00\x00\x00", 8);
        QTest::newRow("record file") << QByteArray(217, '\0');
        QTest::newRow("sample before header")
            << QByteArray("TJNL\x01\x00\x00\x00", 8) + entry('S', le32(0) + QByteArray(24, '\0'));
    }
    void notAJournal()
    {
        QFETCH(QByteArray, bytes);
        RecordJournal::Contents c;
        QVERIFY(!RecordJournal::decode(bytes, c));
    }

    // The largest recording the program makes comes back exactly as the window held it.
    void fullRecordingRecovered()
    {
        Recording r = DesolderingProcess::make(Recording::MaxSamples, 0.5f);
        r.dots = {{10, 1, 2}, {20, 3, 4}, {30, 5, 6}, {40, 7, 8}};
        RecordJournal journal;
        QVERIFY(journal.start(folder(), Recording()));
        for (int i = 0; i < 100; ++i) {
            Recording part = r;
            part.samples = r.samples.mid(0, (i + 1) * r.samples.size() / 100);
            QVERIFY(journal.update(part));
        }
        RecordJournal::Contents c;
        QVERIFY(RecordJournal::readFile(journal.path(), c));
        QCOMPARE(c.record.samples.size(), Recording::MaxSamples);
        compareRecords(c.record, r);
    }

    void unwritableFolderIsReported()
    {
        writeAll(m_dir.filePath(QStringLiteral("file-not-folder")), "x");
        RecordJournal journal;
        QString error;
        QVERIFY(!journal.start(m_dir.filePath(QStringLiteral("file-not-folder")), Recording(), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!journal.isOpen());
        QVERIFY(journal.update(Recording()));
    }
};

QTEST_GUILESS_MAIN(TestRecordJournal)
#include "test_record_journal.moc"
