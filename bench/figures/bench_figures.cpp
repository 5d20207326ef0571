// The figures panel recomputes a record's figures after every sample, so one computation
// over a full record (65535 samples) has to stay far below the shortest sampling interval.
#include <benchmark/benchmark.h>

#include <cmath>

#include "records/desoldering_process.h"
#include "records/process_figures.h"

namespace {

// Every sample a fresh reading: a noisy run up and down, over and over.
Recording everySampleFresh(int count)
{
    Recording r;
    for (int i = 0; i < count; ++i) {
        RecordSample s;
        s.time = float(i * 0.5);
        s.tc = float(std::lround(130 + 110 * std::sin(i / 300.0) + (i % 7) - 3));
        s.tb = float(std::lround(100 + 60 * std::sin(i / 400.0) + (i % 5)));
        r.samples.append(s);
    }
    return r;
}

void figuresAndVerdict(benchmark::State& state, const Recording& r)
{
    const ProcessWindow window;
    for (auto _ : state) {
        const ProcessFigures f = ProcessFigures::of(r.samples, r.header, window);
        const ProcessJudgement j = ProcessJudgement::of(f, window);
        benchmark::DoNotOptimize(j.verdict);
    }
    state.counters["samples"] = double(r.samples.size());
}

void figuresOfADesolderingRun(benchmark::State& state)
{
    figuresAndVerdict(state, DesolderingProcess::make(int(state.range(0)), 0.5f));
}
BENCHMARK(figuresOfADesolderingRun)->Arg(1000)->Arg(65535)->Unit(benchmark::kMillisecond);

void figuresWithEverySampleFresh(benchmark::State& state)
{
    figuresAndVerdict(state, everySampleFresh(int(state.range(0))));
}
BENCHMARK(figuresWithEverySampleFresh)->Arg(65535)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
