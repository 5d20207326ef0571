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
