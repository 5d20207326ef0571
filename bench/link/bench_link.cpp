// Frames per second through the receive path: assembler, checksum, status decoder.

#include <random>

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "link/frame_assembler.h"
#include "link/recording_target.h"
#include "link/station_link.h"
#include "link/status_decoder.h"
#include "support/fake_clock.h"
#include "support/fake_port.h"
#include "support/frames.h"

namespace {
constexpr int StreamFrames = 10000;

// Good frames with a damaged one (a lost byte or a flipped bit) in every eight, and noise
// between some of them, cut into receive events of varying size.
QList<QByteArray> makeStream(int* goodFrames)
{
    std::mt19937 rng(1234);
    QByteArray stream;
    *goodFrames = 0;
    for (int i = 0; i < StreamFrames; ++i) {
        StationStatus s;
        s.setWord(StationStatus::Word::Tc, uint16_t(20 + i % 400));
        s.setWord(StationStatus::Word::Tb, uint16_t(25 + i % 300));
        s.setByte(StationStatus::OutputFlagsOffset, uint8_t(rng()));
        s.setByte(StationStatus::StateFlagsOffset, uint8_t(rng()));
        s.setByte(StationStatus::ControlFlagsOffset, uint8_t(rng() & 0x0F));
        s.setCelsius(i % 2);
        s.setFlow(uint8_t(i % 10));
        QByteArray frame = wireFrame(s);
        switch (i % 8) {
        case 3:
            frame.remove(int(rng() % 49) + 1, 1);
            break;
        case 6:
            frame[int(rng() % 47) + 1] = char(frame[int(rng() % 47) + 1] ^ 0x10);
            break;
        default:
            ++*goodFrames;
        }
        if (i % 5 == 0)
            stream.append("\x01\x02\x03", 3);
        stream.append(frame);
    }
    QList<QByteArray> events;
    for (qsizetype pos = 0; pos < stream.size();) {
        const qsizetype n = qMin<qsizetype>(qsizetype(1 + rng() % 200), stream.size() - pos);
        events.append(stream.mid(pos, n));
        pos += n;
    }
    return events;
}

void BM_AssemblerAndDecoder(benchmark::State& state)
{
    int good = 0;
    const QList<QByteArray> events = makeStream(&good);
    FrameAssembler assembler;
    const UnitTexts units;
    int decoded = 0;
    assembler.setGoodFrameHandler([&](const StationStatus& f) {
        PanelState p = decodePanelState(f, (decoded & 1) ? Language::English : Language::Chinese, units);
        benchmark::DoNotOptimize(p);
        ++decoded;
    });
    for (auto _ : state) {
        for (const QByteArray& e : events)
            assembler.feed(reinterpret_cast<const uint8_t*>(e.constData()), int(e.size()));
    }
    state.counters["frames/s"] =
        benchmark::Counter(double(StreamFrames) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["good"] = double(decoded) / double(state.iterations());
}
BENCHMARK(BM_AssemblerAndDecoder)->Unit(benchmark::kMillisecond);

// The whole receive path of the program: StationLink with a record window refreshed.
struct Target : RecordingTarget
{
    void setCelsius(bool) override {}
    bool isActiveWindow() const override { return true; }
    void RefreshHeaderFromStation(const StationStatus&) override {}
    void ShowHeader() override {}
    void TakeSample(const StationStatus&) override {}
};

void BM_StationLinkReceive(benchmark::State& state)
{
    int good = 0;
    const QList<QByteArray> events = makeStream(&good);
    FakePort port;
    FakeClock clock;
    Target target;
    StationLink link(port, clock);
    link.setRecordingTargetProvider([&]() -> RecordingTarget* { return &target; });
    link.toggleCommunication();
    link.PauseSupervision();
    int decoded = 0;
    QObject::connect(&link, &StationLink::panelStateDecoded, [&](const PanelState&) { ++decoded; });
    for (auto _ : state) {
        for (const QByteArray& e : events)
            link.receive(e);
    }
    state.counters["frames/s"] =
        benchmark::Counter(double(StreamFrames) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["good"] = double(decoded) / double(state.iterations());
}
BENCHMARK(BM_StationLinkReceive)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
