// Copy cost of the statement values a job entry holds by value: the three pen
// tables (256 pens each) dominate an entry's size, so copying one must stay a flat
// copy without allocation.
#include <benchmark/benchmark.h>

#include <memory>

#include "ssl2/SSLStatements/SslHpglPens.h"
#include "ssl2/SSLStatements/SslStamp.h"

namespace {

void BM_CopyHpglPens(benchmark::State& state) {
    SslHpglPens pens;
    pens.SetColor(2, 5);
    for (auto _ : state) {
        SslHpglPens copy(pens);
        benchmark::DoNotOptimize(copy);
        benchmark::ClobberMemory();
    }
    state.counters["bytes"] = sizeof(SslHpglPens);
}
BENCHMARK(BM_CopyHpglPens);

void BM_AssignHpglPens(benchmark::State& state) {
    SslHpglPens pens;
    SslHpglPens target;
    pens.SetWidth(0.35, 10, 20);
    for (auto _ : state) {
        target = pens;
        benchmark::DoNotOptimize(target);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_AssignHpglPens);

void BM_ClonePenTable(benchmark::State& state) {
    const SslVicPens pens;
    for (auto _ : state) {
        const std::unique_ptr<SslStatement> clone(pens.Clone());
        benchmark::DoNotOptimize(clone.get());
    }
}
BENCHMARK(BM_ClonePenTable);

void BM_WritePenTable(benchmark::State& state) {
    SslHpglPens pens;
    pens.SetColor(2, 5);
    pens.SetWidth(0.5, 100, 120);
    for (auto _ : state)
        benchmark::DoNotOptimize(pens.ToString());
}
BENCHMARK(BM_WritePenTable);

void BM_CopyStampList(benchmark::State& state) {
    SslStamp stamps;
    for (int i = 0; i < 3; ++i)
        stamps.AddStamp(SslSingleStamp());
    for (auto _ : state) {
        SslStamp copy(stamps);
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_CopyStampList);

}  // namespace
