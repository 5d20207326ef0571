#include <memory>

#include <QtTest>

#include "link/station_link.h"
#include "records/process_values_model.h"
#include "records/record_profile.h"
#include "records/recording.h"
#include "support/fake_clock.h"
#include "support/fake_port.h"
#include "support/fake_waits.h"
#include "support/frames.h"
#include "support/station_link_test_access.h"

namespace {

// The record window as the link sees it, over a real Recording.
class RecordingAdapter : public RecordingTarget
{
public:
    explicit RecordingAdapter(const StationLink*& link) : m_link(link) {}
    void setCelsius(bool c) override { record.setCelsius(c); }
    bool isActiveWindow() const override { return true; }
    void RefreshHeaderFromStation(const StationStatus& s) override { record.RefreshHeaderFromStation(s); }
    void ShowHeader() override {}
    void TakeSample(const StationStatus& s) override
    {
        record.TakeSample(s, m_link->samplingInterval());
        sampleTicks.append(nowAtSample ? nowAtSample() : 0);
    }

    Recording record;
    QList<uint32_t> sampleTicks;
    std::function<uint32_t()> nowAtSample;

private:
    const StationLink*& m_link;
};

StationStatus frame(uint16_t tc, uint8_t stateFlags = 0, uint8_t outputFlags = 0x0F)
{
    StationStatus s;
    s.setWord(StationStatus::Word::Tc, tc);
    s.setWord(StationStatus::Word::Tb, uint16_t(tc / 2));
    s.setByte(StationStatus::StateFlagsOffset, stateFlags);
    s.setByte(StationStatus::OutputFlagsOffset, outputFlags);
    s.setCelsius(true);
    return s;
}

} // namespace

class TestRecordingRun : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstSampleComesOneIntervalLaterAtTimeZero();
    void lateTicksCatchUpByWholeIntervals();
    void deleteRestartsAtZeroAndDropsTheDots();
    void recordingAgainKeepsTheDots();
    void overlayIsAnchoredOnlyWhereTheStepCodeChanges_data();
    void overlayIsAnchoredOnlyWhereTheStepCodeChanges();
    void sampleTakesTemperaturesAndFlags_data();
    void sampleTakesTemperaturesAndFlags();
    void headerTakesTheStationsProfile();
    void processTableGrowsRowByRow();

private:
    // The station answers every frame the link sends with `reply`.
    void tick(uint32_t ms);
    // A status frame arrives; the station keeps answering with it.
    void station(const StationStatus& s)
    {
        m_reply = s;
        m_port.inject(wireFrame(s));
    }
    void recordOn(float interval);

    FakePort m_port;
    FakeClock m_clock;
    FakeWaits m_waits;
    std::unique_ptr<StationLink> m_link;
    const StationLink* m_linkView = nullptr;
    std::unique_ptr<RecordingAdapter> m_target;
    StationStatus m_reply;
};

void TestRecordingRun::init()
{
    m_link = std::make_unique<StationLink>(m_port, m_clock);
    m_linkView = m_link.get();
    m_link->setWaits(&m_waits);
    m_target = std::make_unique<RecordingAdapter>(m_linkView);
    m_target->nowAtSample = [this] { return m_clock.now(); };
    m_target->record.isNewRecord = true;
    m_link->setRecordingTargetProvider([this]() -> RecordingTarget* { return m_target.get(); });
    m_link->resetForStartup();
    m_reply = frame(25);
    m_link->toggleCommunication();
    m_link->sayHello();
    m_port.inject(QByteArray("\x55", 1));
    m_port.writes.clear();
}

void TestRecordingRun::cleanup()
{
    m_link.reset();
    m_target.reset();
}

void TestRecordingRun::tick(uint32_t ms)
{
    m_clock.advance(ms);
    StationLinkTestAccess(*m_link).tick();
    if (!m_port.writes.isEmpty()) {
        m_port.writes.clear();
        m_port.inject(wireFrame(m_reply));
    }
}

void TestRecordingRun::recordOn(float interval)
{
    m_link->setSamplingInterval(interval);
    m_target->record.startRecording(m_link->statusImage(), interval);
    m_link->recordingSwitchedOn();
}

void TestRecordingRun::firstSampleComesOneIntervalLaterAtTimeZero()
{
    station(m_reply);
    const uint32_t start = m_clock.now();
    recordOn(0.5f);
    QCOMPARE(m_target->record.header.sampleInterval, 0.5f);
    for (int i = 0; i < 8; ++i)
        tick(60); // 480 ms: not yet
    QCOMPARE(m_target->record.samples.size(), 0);
    tick(60);
    QCOMPARE(m_target->record.samples.size(), 1);
    QCOMPARE(m_target->sampleTicks.first(), start + 540);
    QCOMPARE(m_target->record.samples[0].time, 0.0f);
    while (m_target->record.samples.size() < 4)
        tick(60);
    QCOMPARE(m_target->record.samples[1].time, 0.5f);
    QCOMPARE(m_target->record.samples[2].time, 1.0f);
    QCOMPARE(m_target->record.samples[3].time, 1.5f);
}

void TestRecordingRun::lateTicksCatchUpByWholeIntervals()
{
    station(m_reply);
    const uint32_t start = m_clock.now();
    recordOn(0.5f);
    // Deadlines start + 500, 1000, 1500, 2000; the first tick comes 1400 ms late.
    tick(1400);
    QCOMPARE(m_target->record.samples.size(), 1);
    tick(60);
    tick(60);
    QCOMPARE(m_target->record.samples.size(), 3); // at 1460 and 1520: the schedule is met
    tick(60);
    QCOMPARE(m_target->record.samples.size(), 3);
    QCOMPARE(StationLinkTestAccess(*m_link).nextSampleTick(), start + 2000);
    QCOMPARE(m_target->record.samples[2].time, 1.0f);
}

void TestRecordingRun::deleteRestartsAtZeroAndDropsTheDots()
{
    station(m_reply);
    recordOn(1.0f);
    m_target->record.dots.append({1, 25, 12});
    while (m_target->record.samples.size() < 3)
        tick(60);
    m_target->record.deleteRecording();
    QVERIFY(m_target->record.samples.isEmpty());
    QVERIFY(m_target->record.dots.isEmpty());
    while (m_target->record.samples.size() < 2)
        tick(60); // recording goes on
    QCOMPARE(m_target->record.samples[0].time, 0.0f);
    QCOMPARE(m_target->record.samples[1].time, 1.0f);
    QCOMPARE(m_target->record.samples[0].dT, 0.0f);
}

void TestRecordingRun::recordingAgainKeepsTheDots()
{
    station(m_reply);
    recordOn(1.0f);
    while (m_target->record.samples.size() < 3)
        tick(60);
    m_target->record.dots.append({2, 25, 12});
    m_link->setRecording(false);
    recordOn(1.5f);
    QVERIFY(m_target->record.samples.isEmpty());
    QCOMPARE(m_target->record.dots.size(), 1);
    QCOMPARE(m_target->record.header.sampleInterval, 1.5f);
    while (m_target->record.samples.size() < 2)
        tick(60);
    QCOMPARE(m_target->record.samples[1].time, 1.5f);
}

void TestRecordingRun::overlayIsAnchoredOnlyWhereTheStepCodeChanges_data()
{
    QTest::addColumn<int>("stepAtStart");
    QTest::addColumn<int>("stepLater");
    QTest::addColumn<int>("fromEntry");
    QTest::newRow("entering 0x2D") << 0x05 << 0x2D << 1;
    QTest::newRow("leaving 0x2D") << 0x2D << 0x2E << 0;
    // Fan and pump bits do not belong to the step code.
    QTest::newRow("entering, fan and pump on") << 0x05 << (0xC0 | 0x2D) << 1;
}

void TestRecordingRun::overlayIsAnchoredOnlyWhereTheStepCodeChanges()
{
    QFETCH(int, stepAtStart);
    QFETCH(int, stepLater);
    QFETCH(int, fromEntry);
    Recording& r = m_target->record;
    station(frame(100, uint8_t(stepAtStart)));
    recordOn(0.5f);
    QCOMPARE(r.inStep, stepAtStart == 0x2D);
    while (r.samples.size() < 3)
        tick(60);
    QCOMPARE(int(r.header.overlayOn), 0); // the state at the start is no anchor
    station(frame(150, uint8_t(stepLater)));
    while (r.samples.size() < 5)
        tick(60);
    QCOMPARE(int(r.header.overlayOn), 1);
    QCOMPARE(int(r.header.overlayFromEntry), fromEntry);
    QCOMPARE(r.header.overlayTime, r.samples[3].time);
    const float anchor = r.header.overlayTime;
    while (r.samples.size() < 7)
        tick(60);
    QCOMPARE(r.header.overlayTime, anchor); // no change, no new anchor
}

void TestRecordingRun::sampleTakesTemperaturesAndFlags_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("output");
    QTest::addColumn<QByteArray>("flags"); // fan pump bottom top inside outside up down
    QTest::newRow("all off") << 0x00 << 0x0F << QByteArray("\0\0\0\0\0\0\0\0", 8);
    QTest::newRow("outputs 0x00") << 0x00 << 0x00 << QByteArray("\0\0\0\0\1\1\1\1", 8);
    QTest::newRow("outputs 0x3F") << 0x00 << 0x3F << QByteArray("\0\0\1\1\0\0\0\0", 8);
    QTest::newRow("fan") << 0x80 << 0x0F << QByteArray("\1\0\0\0\0\0\0\0", 8);
    QTest::newRow("pump, bottom heater, fan outside") << 0x40 << 0x2B << QByteArray("\0\1\1\0\0\1\0\0", 8);
}

void TestRecordingRun::sampleTakesTemperaturesAndFlags()
{
    QFETCH(int, state);
    QFETCH(int, output);
    QFETCH(QByteArray, flags);
    Recording r;
    r.TakeSample(frame(200), 0.5f);
    StationStatus s = frame(65535, uint8_t(state), uint8_t(output));
    s.setWord(StationStatus::Word::Tb, 180);
    QVERIFY(r.TakeSample(s, 0.5f));
    const RecordSample& x = r.samples[1];
    QCOMPARE(x.tc, 65535.0f);
    QCOMPARE(x.tb, 180.0f);
    QCOMPARE(x.dT, 65335.0f);
    const uint8_t got[8] = {x.fan, x.pump, x.bottomHeater, x.topHeater, x.fanInside, x.fanOutside, x.topHeaterUp, x.topHeaterDown};
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(got), 8), flags);
}

void TestRecordingRun::headerTakesTheStationsProfile()
{
    using W = StationStatus::Word;
    StationStatus s;
    const std::pair<W, int> words[] = {{W::T1, 120}, {W::T2, 140}, {W::TL, 183}, {W::T3, 195}, {W::S1, 50},
                                       {W::T0, 100}, {W::TB, 150}, {W::S2, 45}, {W::S3, 40000}};
    for (const auto& [w, v] : words)
        s.setWord(w, uint16_t(v));
    s.setFlow(7);
    s.setDesoldering(true);
    s.setIrSensor(true);
    s.setCelsius(false);
    Recording r;
    r.RefreshHeaderFromStation(s);
    const RecordHeader& h = r.header;
    QCOMPARE(h.T1, 120.0f);
    QCOMPARE(h.T2, 140.0f);
    QCOMPARE(h.TL, 183.0f);
    QCOMPARE(h.T3, 195.0f);
    QCOMPARE(h.S1, 50.0f);
    QCOMPARE(h.T0, 100.0f);
    QCOMPARE(h.TB, 150.0f);
    QCOMPARE(h.S2, 45.0f);
    QCOMPARE(h.S3, 40000.0f); // unsigned
    QCOMPARE(int(h.Flow), 7);
    QCOMPARE(int(h.desoldering), 1);
    QCOMPARE(int(h.sensorIR), 1);
    QCOMPARE(int(h.celsius), 0);

    const ProfileParameters p = RecordProfile::parametersOf(h);
    QCOMPARE(p.T3, 195.0f);
    QVERIFY(p.desoldering && p.sensorIR && !p.celsius);
    Recording other;
    RecordProfile::applyParameters(other.header, p);
    QCOMPARE(RecordProfile::parametersOf(other.header).S3, 40000.0f);
    QCOMPARE(other.header.reserved, (std::array<uint8_t, 4>{}));
}

void TestRecordingRun::processTableGrowsRowByRow()
{
    ProcessValuesModel model;
    Recording r;
    r.TakeSample(frame(25, 0x80, 0x10), 0.5f);
    QVERIFY(model.extend(r.samples));
    QCOMPARE(model.rowCount(), 1);
    const auto cell = [&](int row, int col) { return model.data(model.index(row, col)).toString(); };
    QCOMPARE(cell(0, ProcessValuesModel::No), QStringLiteral("1"));
    QCOMPARE(cell(0, ProcessValuesModel::Time), QStringLiteral("0.0"));
    QCOMPARE(cell(0, ProcessValuesModel::Tc), QStringLiteral("25"));
    QCOMPARE(cell(0, ProcessValuesModel::Fan), QStringLiteral("ON"));
    QCOMPARE(cell(0, ProcessValuesModel::Pump), QStringLiteral("OFF"));
    QCOMPARE(cell(0, ProcessValuesModel::TopHeater), QStringLiteral("ON"));

    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    r.TakeSample(frame(65535), 0.5f);
    r.TakeSample(frame(5), 0.5f);
    QVERIFY(model.extend(r.samples));
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted.first().at(1).toInt(), 1);
    QCOMPARE(inserted.first().at(2).toInt(), 2);
    QCOMPARE(cell(2, ProcessValuesModel::Time), QStringLiteral("1.0"));
    QCOMPARE(cell(2, ProcessValuesModel::DTdt), QStringLiteral("-65530"));
    QVERIFY(!model.extend(r.samples));

    QCOMPARE(model.headerData(ProcessValuesModel::Time, Qt::Horizontal).toString(), QStringLiteral("time(s)"));
    model.setChinese(true);
    QCOMPARE(model.headerData(ProcessValuesModel::Time, Qt::Horizontal).toString(), QStringLiteral("时间(s)"));
    QCOMPARE(model.headerData(ProcessValuesModel::Tb, Qt::Horizontal).toString(), QStringLiteral("Tb"));
    model.clear();
    QCOMPARE(model.rowCount(), 0);
    model.fill(r.samples);
    QCOMPARE(model.rowCount(), 3);
}

QTEST_GUILESS_MAIN(TestRecordingRun)
#include "test_recording_run.moc"
