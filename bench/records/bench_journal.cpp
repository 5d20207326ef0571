// The journal is written on the UI thread at every sample, so its cost per sample (the
// disk syncs of its own thread included) must stay far below a sampling tick; recovering a
// full journal at start must not keep the operator waiting.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include "records/desoldering_process.h"
#include "records/record_journal.h"

namespace {

void journalOneSample(benchmark::State& state)
{
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-journal-XXXXXX"));
    const Recording full = DesolderingProcess::make(Recording::MaxSamples, 0.5f);
    Recording r = full;
    r.samples.clear();
    RecordJournal journal;
    journal.start(dir.path(), r);
    qsizetype next = 0;
    for (auto _ : state) {
        if (next == full.samples.size()) {
            state.PauseTiming();
            r.samples.clear();
            journal.start(dir.path(), r);
            next = 0;
            state.ResumeTiming();
        }
        r.samples.append(full.samples[next++]);
        benchmark::DoNotOptimize(journal.update(r));
    }
    journal.discard();
}
BENCHMARK(journalOneSample)->Unit(benchmark::kMicrosecond)->MinTime(3.0);

void recoverFullJournal(benchmark::State& state)
{
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-journal-XXXXXX"));
    RecordJournal journal;
    journal.start(dir.path(), DesolderingProcess::make(Recording::MaxSamples, 0.5f));
    for (auto _ : state) {
        RecordJournal::Contents c;
        benchmark::DoNotOptimize(RecordJournal::readFile(journal.path(), c));
        if (c.record.samples.size() != Recording::MaxSamples)
            state.SkipWithError("not every sample came back");
    }
}
BENCHMARK(recoverFullJournal)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
