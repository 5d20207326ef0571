#include <QtTest>

#include "link/frame_assembler.h"
#include "link/frame_transmitter.h"
#include "support/fake_clock.h"
#include "support/fake_transport.h"
#include "support/frames.h"

namespace {
StationStatus sampleStatus(uint16_t tc)
{
    StationStatus s;
    s.setWord(StationStatus::Word::Tc, tc);
    s.setWord(StationStatus::Word::Tb, 80);
    s.setFlow(3);
    return s;
}

struct Collector
{
    QList<StationStatus> frames;
    QList<int> errors;
    void attach(FrameAssembler& a)
    {
        a.setGoodFrameHandler([this](const StationStatus& f) { frames.append(f); });
        a.setCrcErrorHandler([this](int n) { errors.append(n); });
    }
};

void feed(FrameAssembler& a, const QByteArray& bytes)
{
    a.feed(reinterpret_cast<const uint8_t*>(bytes.constData()), int(bytes.size()));
}
} // namespace

class TestFramePath : public QObject
{
    Q_OBJECT
private slots:
    void leadingGarbageIsSkipped()
    {
        FrameAssembler a;
        Collector c;
        c.attach(a);
        feed(a, QByteArray("\x01\x55\x00\x7F", 4) + wireFrame(sampleStatus(123)));
        QCOMPARE(c.frames.size(), 1);
        QCOMPARE(c.frames[0].tc(), uint16_t(123));
        QCOMPARE(c.frames[0].storedChecksum(), c.frames[0].computedChecksum());
        QVERIFY(c.errors.isEmpty());
    }

    void payloadFfDoesNotRestartFrame()
    {
        StationStatus s = sampleStatus(200);
        s.setByte(10, 0xFF);
        FrameAssembler a;
        Collector c;
        c.attach(a);
        feed(a, wireFrame(s));
        QCOMPARE(c.frames.size(), 1);
        QCOMPARE(c.frames[0].byte(10), uint8_t(0xFF));
    }

    void chunkingDoesNotMatter_data()
    {
        QTest::addColumn<int>("chunk");
        QTest::newRow("byte by byte") << 1;
        QTest::newRow("7 bytes") << 7;
        QTest::newRow("49 bytes") << 49;
        QTest::newRow("both frames at once") << 100;
    }
    void chunkingDoesNotMatter()
    {
        QFETCH(int, chunk);
        const QByteArray stream = wireFrame(sampleStatus(1)) + wireFrame(sampleStatus(2));
        FrameAssembler a;
        Collector c;
        c.attach(a);
        for (int i = 0; i < stream.size(); i += chunk)
            feed(a, stream.mid(i, chunk));
        QCOMPARE(c.frames.size(), 2);
        QCOMPARE(c.frames[0].tc(), uint16_t(1));
        QCOMPARE(c.frames[1].tc(), uint16_t(2));
    }

    void byteSwappedChecksumIsCounted()
    {
        QByteArray frame = wireFrame(sampleStatus(55));
        QVERIFY(frame[48] != frame[49]);
        std::swap(frame[48], frame[49]);
        FrameAssembler a;
        Collector c;
        c.attach(a);
        QCOMPARE(a.crcErrorText(), QStringLiteral("COM CRC Error Count:0"));
        feed(a, frame);
        QVERIFY(c.frames.isEmpty());
        QCOMPARE(c.errors, QList<int>{1});
        QCOMPARE(a.crcErrorText(), QStringLiteral("COM CRC Error Count:1"));
        // The stream resynchronises on the next lead byte.
        feed(a, wireFrame(sampleStatus(56)));
        QCOMPARE(c.frames.size(), 1);
    }

    void lostByteCostsOneFrame()
    {
        QByteArray damaged = wireFrame(sampleStatus(10));
        damaged.remove(20, 1);
        FrameAssembler a;
        Collector c;
        c.attach(a);
        // The damaged frame borrows the next lead byte; the frame after that arrives intact.
        feed(a, damaged + wireFrame(sampleStatus(11)) + wireFrame(sampleStatus(12)));
        QCOMPARE(c.errors.size(), 1);
        QCOMPARE(c.frames.size(), 1);
        QCOMPARE(c.frames[0].tc(), uint16_t(12));
    }

    // Receive events at given times (ms after the previous one) through the quiet-gap rule:
    // which frames come through and how often a checksum error is counted.
    void quietGapEndsTheAnswer_data()
    {
        QTest::addColumn<int>("baud");
        QTest::addColumn<QList<int>>("gaps");
        QTest::addColumn<QList<QByteArray>>("events");
        QTest::addColumn<QList<int>>("goodTc");
        QTest::addColumn<int>("errors");

        const QByteArray a = wireFrame(sampleStatus(1));
        const QByteArray b = wireFrame(sampleStatus(2));
        const QByteArray c = wireFrame(sampleStatus(3));
        QByteArray lostPayload = a;
        lostPayload.remove(20, 1);
        QByteArray lostLead = a;
        lostLead.remove(0, 1);
        StationStatus withFf = sampleStatus(1);
        withFf.setByte(30, 0xFF);
        QByteArray lostLeadFfInside = wireFrame(withFf);
        lostLeadFfInside.remove(0, 1);
        QByteArray corrupt = a;
        corrupt[48] = char(corrupt[48] ^ 0x5A);
        const QByteArray stray("\x01", 1);
        const QByteArray helloAnswer("\x55", 1);

        // A poll every 500 ms, each answered at once.
        QTest::newRow("lost payload byte costs its own answer only")
            << 9600 << QList<int>{0, 500, 500} << QList<QByteArray>{lostPayload, b, c} << QList<int>{2, 3} << 1;
        QTest::newRow("lost lead byte is counted once")
            << 9600 << QList<int>{0, 500, 500} << QList<QByteArray>{lostLead, b, c} << QList<int>{2, 3} << 1;
        QTest::newRow("lost lead byte, a payload 0xFF opens a frame")
            << 9600 << QList<int>{0, 500, 500} << QList<QByteArray>{lostLeadFfInside, b, c} << QList<int>{2, 3} << 1;
        QTest::newRow("bad checksum is counted once")
            << 9600 << QList<int>{0, 500, 500} << QList<QByteArray>{corrupt, b, c} << QList<int>{2, 3} << 1;
        QTest::newRow("two damaged answers in a row, two errors")
            << 9600 << QList<int>{0, 500, 500} << QList<QByteArray>{lostPayload, lostLead, c} << QList<int>{3} << 2;
        QTest::newRow("hello answer and noise are no errors")
            << 9600 << QList<int>{0, 300, 500} << QList<QByteArray>{helloAnswer, stray + a, b} << QList<int>{1, 2} << 0;
        // A frame split over two events stays one frame while the pause fits within the
        // time a whole frame takes on the line: 52 ms at 9600 baud, 26 ms at 19200.
        QTest::newRow("9600: split frame, 52 ms apart")
            << 9600 << QList<int>{0, 52, 500} << QList<QByteArray>{a.left(20), a.mid(20), b} << QList<int>{1, 2} << 0;
        QTest::newRow("9600: 53 ms of quiet drop the part")
            << 9600 << QList<int>{0, 53, 500} << QList<QByteArray>{a.left(20), c, b} << QList<int>{3, 2} << 1;
        QTest::newRow("19200: split frame, 26 ms apart")
            << 19200 << QList<int>{0, 26, 500} << QList<QByteArray>{a.left(20), a.mid(20), b} << QList<int>{1, 2} << 0;
        QTest::newRow("19200: 27 ms of quiet drop the part")
            << 19200 << QList<int>{0, 27, 500} << QList<QByteArray>{a.left(20), c, b} << QList<int>{3, 2} << 1;
    }
    void quietGapEndsTheAnswer()
    {
        QFETCH(int, baud);
        QFETCH(QList<int>, gaps);
        QFETCH(QList<QByteArray>, events);
        QFETCH(QList<int>, goodTc);
        QFETCH(int, errors);

        FrameAssembler a;
        a.setQuietLimitMs(FrameAssembler::frameTimeMs(baud));
        Collector c;
        c.attach(a);
        FakeClock clock;
        for (int i = 0; i < events.size(); ++i) {
            clock.advance(uint32_t(gaps[i]));
            a.beginEvent(clock.now());
            feed(a, events[i]);
        }
        // The last answer is judged when the next one comes.
        clock.advance(500);
        a.beginEvent(clock.now());

        QList<int> tcs;
        for (const StationStatus& f : c.frames)
            tcs << f.tc();
        QCOMPARE(tcs, goodTc);
        QCOMPARE(a.crcErrorCount(), errors);
        // Every error is shown once, counting up.
        QCOMPARE(c.errors.size(), errors);
    }

    void frameTimeAtTheLineRates()
    {
        QCOMPARE(FrameAssembler::frameTimeMs(9600), 52u);
        QCOMPARE(FrameAssembler::frameTimeMs(19200), 26u);
    }

    void sendFrameSealsChecksumAndKeepsImage()
    {
        FakeTransport t;
        FakeClock clock;
        FrameTransmitter tx(t, clock);
        tx.setCommunicationOn(true);
        StationStatus image = sampleStatus(300);
        image.setByte(0, 0xFF);
        image.setByte(48, 0xAA);
        image.setByte(49, 0xBB);
        const StationStatus before = image;
        tx.SendFrame(image);
        QCOMPARE(t.writes.size(), 1);
        QCOMPARE(t.writes[0], wireFrame(image));
        QVERIFY(image == before);
        QVERIFY(tx.awaitingReply());
        QCOMPARE(tx.lastTransmitTick(), clock.now());
    }

    void communicationOffSendsNothing()
    {
        FakeTransport t;
        FakeClock clock;
        FrameTransmitter tx(t, clock);
        tx.setLastTransmitTick(5);
        tx.SendFrame(sampleStatus(1));
        tx.SendHello();
        QVERIFY(t.writes.isEmpty());
        QVERIFY(!tx.awaitingReply());
        QCOMPARE(tx.lastTransmitTick(), uint32_t(5));
        QCOMPARE(tx.helloCount(), uint8_t(1)); // counted all the same
    }

    void closedPortStillArmsSupervision()
    {
        FakeTransport t;
        t.open = false;
        FakeClock clock;
        FrameTransmitter tx(t, clock);
        tx.setCommunicationOn(true);
        tx.SendFrame(sampleStatus(1));
        QVERIFY(t.writes.isEmpty());
        QVERIFY(tx.awaitingReply());
        QCOMPARE(tx.lastTransmitTick(), clock.now());
    }

    void failedWriteIsReportedAndLeavesNoTrace()
    {
        FakeTransport t;
        t.failWrites = true;
        FakeClock clock;
        FrameTransmitter tx(t, clock);
        tx.setCommunicationOn(true);
        QString reported;
        tx.setWriteErrorHandler([&](const QString& e) { reported = e; });
        tx.SendHello();
        QCOMPARE(reported, QStringLiteral("Write failed"));
        QVERIFY(!tx.awaitingReply());
    }

    void helloIsOneByteAndCountWraps()
    {
        FakeTransport t;
        FakeClock clock;
        FrameTransmitter tx(t, clock);
        tx.setCommunicationOn(true);
        for (int i = 0; i < 256; ++i)
            tx.SendHello();
        QCOMPARE(tx.helloCount(), uint8_t(0));
        QCOMPARE(t.writes.size(), 256);
        QCOMPARE(t.writes[0], QByteArray("\x55", 1));
    }
};

QTEST_APPLESS_MAIN(TestFramePath)
#include "test_frame_path.moc"
