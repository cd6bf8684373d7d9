// Benchmarks of the job entry: copying one entry (a job set holds entries by
// value and the reader makes every file entry as a copy of the job entry) and
// writing one file entry in dialect "5.0".  The size of an entry is reported as
// the counter "sizeof".
#include <benchmark/benchmark.h>

#include "ssl2/entry/RCSslEntry.h"
#include "tests/support/EntryTestData.h"

namespace {

RCSslEntry FilledFileEntry() {
    RCSslEntry entry(1);
    ssl2_test::FillEveryStatement(entry);
    return entry;
}

void BM_EntryCopyConstruct(benchmark::State& state) {
    const RCSslEntry source = FilledFileEntry();
    for (auto _ : state) {
        RCSslEntry copy(source);
        benchmark::DoNotOptimize(&copy);
    }
    state.counters["sizeof"] = sizeof(RCSslEntry);
}
BENCHMARK(BM_EntryCopyConstruct);

void BM_EntryFlaggedCopy(benchmark::State& state) {
    RCSslEntry job(0);
    ssl2_test::FillEveryStatement(job);
    for (auto _ : state) {
        RCSslEntry file(job, 1);
        benchmark::DoNotOptimize(&file);
    }
}
BENCHMARK(BM_EntryFlaggedCopy);

void BM_EntryWriteFile50(benchmark::State& state) {
    const RCSslEntry entry = FilledFileEntry();
    const RCAccessSsl access;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const TString text = entry.ToString(access, SslStatement::kVersion50, 0);
        bytes = text.GetLength();
        benchmark::DoNotOptimize(text.c_str());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_EntryWriteFile50);

}  // namespace
