// Benchmarks of gathering a job's files into one directory (RCSslSet::NormalizeSsl)
// at 1,000 and 10,000 file entries.  BM_NormalizeNames gathers files that all share
// one name (each in a directory of its own, so each gets a collision-free name:
// plan.plt, plan_1.plt, ...) next to the same job with unique names; us_per_file must
// be about the same for both and must not grow with the number of files.
// BM_NormalizePurge purges a directory that holds the job's files and as many files
// the job does not use (1,000, 10,000 and 30,000 of each): us_per_file must not grow
// with the count either.  The files
// live on /dev/shm when it is writable, so that the syncs of each copy do not hide
// the work of naming and matching.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "ssl2/set/RCSslSet.h"

namespace {

namespace fs = std::filesystem;

/// A scratch directory on /dev/shm (or the temporary directory), removed afterwards.
class ShmDir {
public:
    ShmDir() {
        const bool shm = ::access("/dev/shm", W_OK) == 0;
        std::string pattern =
            ((shm ? fs::path("/dev/shm") : fs::temp_directory_path()) / "ssl2bench-XXXXXX")
                .string();
        if (::mkdtemp(pattern.data()) != nullptr)
            m_Path = pattern;
    }
    ShmDir(const ShmDir&) = delete;
    ShmDir& operator=(const ShmDir&) = delete;
    ~ShmDir() {
        std::error_code ignored;
        fs::remove_all(m_Path, ignored);
    }
    const fs::path& Path() const { return m_Path; }

private:
    fs::path m_Path;
};

void WriteFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

/// A job of `files` file entries whose files lie in `dir`: under one shared name in
/// a directory each, or under unique names in one directory.
RCSslSet MakeJob(const fs::path& dir, int files, bool sharedName) {
    RCSslSet set;
    set.AddEntry(RCSslEntry(0));
    for (int i = 0; i < files; ++i) {
        const std::string number = std::to_string(i);
        const fs::path file =
            sharedName ? dir / number / "plan.plt" : dir / ("plan" + number + ".plt");
        WriteFile(file, number);
        RCSslEntry entry(1);
        entry.SetDirectory(file.parent_path().string());
        entry.SetName(file.filename().string());
        set.AddEntry(entry);
    }
    return set;
}

void SetPerFile(benchmark::State& state, int files) {
    state.counters["us_per_file"] = benchmark::Counter(
        static_cast<double>(files) * static_cast<double>(state.iterations()) / 1e6,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_NormalizeNames(benchmark::State& state) {
    const int files = static_cast<int>(state.range(0));
    const ShmDir dir;
    const RCSslSet job = MakeJob(dir.Path() / "in", files, state.range(1) != 0);
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(dir.Path() / "norm");
        RCSslSet set = job;
        state.ResumeTiming();
        benchmark::DoNotOptimize(RCSslSet::NormalizeSsl(&set, (dir.Path() / "norm").string(), 0));
    }
    SetPerFile(state, files);
}
BENCHMARK(BM_NormalizeNames)
    ->ArgNames({"files", "shared_name"})
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

void BM_NormalizePurge(benchmark::State& state) {
    const int files = static_cast<int>(state.range(0));
    const ShmDir dir;
    const RCSslSet job = MakeJob(dir.Path() / "norm", files, false);
    // Kept outside the loop, so that the previous round's set goes while the timer
    // is paused: only the purge is timed.
    RCSslSet set;
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < files; ++i)
            WriteFile(dir.Path() / "norm" / ("unused" + std::to_string(i) + ".plt"), "x");
        set = job;
        state.ResumeTiming();
        benchmark::DoNotOptimize(RCSslSet::NormalizeSsl(&set, (dir.Path() / "norm").string(), 1));
    }
    SetPerFile(state, files);
}
BENCHMARK(BM_NormalizePurge)
    ->ArgName("files")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(30000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

}  // namespace
