// The fault injector: seeded, and every fault it makes is one the program's receive path
// must cope with.

#include <QTest>

#include "fault_injector.h"
#include "link/frame_assembler.h"
#include "station_model.h"

namespace {

QByteArray statusBytes()
{
    const StationStatus s = StationModel().status();
    return QByteArray(reinterpret_cast<const char*>(s.data()), StationStatus::FrameSize);
}

} // namespace

class TestStationFaults : public QObject
{
    Q_OBJECT

private slots:
    void sameSeedMakesTheSameFaults()
    {
        FaultInjector a(42);
        FaultInjector b(42);
        for (FaultInjector* f : {&a, &b}) {
            f->setDropProbability(0.1);
            f->setCorruptProbability(0.3);
            f->setNoiseProbability(0.3);
        }
        QByteArray outA;
        QByteArray outB;
        FaultInjector::FrameFaults ignored;
        for (int i = 0; i < 200; ++i) {
            outA += a.shapeFrame(statusBytes(), &ignored);
            outB += b.shapeFrame(statusBytes(), &ignored);
        }
        QCOMPARE(outA, outB);
        QVERIFY(outA.size() < 200 * 50);
    }

    void noFaultsByDefault()
    {
        FaultInjector f(7);
        FaultInjector::FrameFaults faults;
        QCOMPARE(f.shapeFrame(statusBytes(), &faults), statusBytes());
        QVERIFY(!faults.corrupted && !faults.noise && faults.lostBytes == 0);
        int lost = -1;
        QCOMPARE(f.shapeHello(&lost), QByteArray(1, char(0x55)));
        QCOMPARE(lost, 0);
    }

    void dropLosesAboutItsShareOfBytes()
    {
        FaultInjector f(3);
        f.setDropProbability(0.25);
        int lost = 0;
        for (int i = 0; i < 400; ++i) {
            FaultInjector::FrameFaults faults;
            const QByteArray out = f.shapeFrame(statusBytes(), &faults);
            QCOMPARE(out.size() + faults.lostBytes, 50);
            lost += faults.lostBytes;
        }
        QVERIFY2(lost > 4000 && lost < 6000, qPrintable(QString::number(lost)));
    }

    void corruptAndNoiseAreWhatTheReceiverExpects()
    {
        FaultInjector f(11);
        f.setCorruptProbability(0.5);
        f.setNoiseProbability(0.5);
        FrameAssembler assembler;
        int good = 0;
        assembler.setGoodFrameHandler([&](const StationStatus&) { ++good; });
        int corrupted = 0;
        for (int i = 0; i < 300; ++i) {
            FaultInjector::FrameFaults faults;
            const QByteArray out = f.shapeFrame(statusBytes(), &faults);
            QCOMPARE(out.size(), faults.noise ? 51 : 50);
            if (faults.noise) {
                // A stray byte is never mistaken for a lead byte or a hello answer.
                QVERIFY(uint8_t(out[0]) != 0xFF && uint8_t(out[0]) != 0x55);
            }
            corrupted += faults.corrupted;
            assembler.feed(reinterpret_cast<const uint8_t*>(out.constData()), out.size());
        }
        QVERIFY(corrupted > 100 && corrupted < 200);
        QCOMPARE(assembler.crcErrorCount(), corrupted);
        QCOMPARE(good, 300 - corrupted);
    }
};

QTEST_GUILESS_MAIN(TestStationFaults)
#include "test_station_faults.moc"
