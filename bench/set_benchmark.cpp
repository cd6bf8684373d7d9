// Benchmarks of the SSL reader and writer: the 20-file example ticket and
// generated tickets of 10 to 100,000 files.  Throughput is reported as bytes and
// tickets per second, us_per_entry is the CPU time per file entry (it must not grow
// with the number of files), peak_rss_MB is the process's peak resident memory
// after the runs; the parsed entries are released outside the timed region, and
// BM_ParseAndReleaseGenerated times both.  BM_ReparseExample20IntoOneSet reads into
// one reused set.
// BM_CountLinesGenerated reads the same bytes and counts their
// lines: the physical reference a parse is measured against.  BM_ParseTwoTickets
// parses two 1,000-file tickets one after the other (threads:1) or each on its own
// thread (threads:2), as wall-clock time.  Its control is cpu_per_wall, the CPU
// seconds of the process per wall second: about 1 for threads:1 and 2 for threads:2
// when the parses run in parallel.  A threads:2 figure well under 2 means the machine
// did not give the process two cores, and then its time says nothing about parallelism.
// BM_HeldBytesPerEntry reports the heap bytes a parsed set holds per file entry
// (bytes_per_entry) of the generated ticket (ticket:0), a varied one (ticket:1) and
// the generated one as the writer writes it (ticket:2), and the growth of the peak
// resident memory per file entry during the first parse of the process
// (peak_bytes_per_entry).  BM_ParseWrittenGenerated parses the written ticket,
// against BM_ParseGenerated of the same files.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_util.h"
#include "ssl2/base/TFile.h"
#include "ssl2/layout/SslPreview.h"
#include "ssl2/set/RCSslSet.h"

namespace {

/// A realistic ticket of `files` files: job settings with an address and a stamp,
/// then per file name, directory, emulation, size, pens, file information and every
/// fourth file a fold.  `job` names the job, so that two tickets differ.
std::string GenerateTicket(int files, const std::string& job = "noname") {
    std::string t;
    t += "BeginJob \"" + job + "\" Version \"3.0.001\"\r\n";
    t += "JobName \"Generated job\"\r\nAccount \"4711\"\r\nCustomer \"Bench GmbH\"\r\n";
    t += "SetCopies 2\r\nJobCollate on\r\nJobPriority high\r\nUnits mm\r\n";
    t += "Address \"Site\"\r\n\t+ Type delivery\r\n\t+ City \"Hamburg\"\r\n";
    t += "Stamp Text \"COPY\"\r\n\t+ Position ur\r\n";
    t += "SupportFile \"/srv/support/pens.ctb\"\r\n";
    for (int i = 1; i <= files; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "sheet-%06d.plt", i);
        t += "BeginOutput\r\nDirectory \"/srv/plot/in/generated\"\r\nName \"";
        t += name;
        t += "\"\r\nFileEmulation hpgl\r\nCopies " + std::to_string(1 + i % 3) + "\r\n";
        t += (i % 2 != 0) ? "OutputSize a1\r\n" : "OutputSize Window 841.0 594.0 mm\r\n";
        t += "Rotate 90\r\nFileInfo 0x26CD 0x36DB 0x190 0x190 0x1 0x1 pcm_1bit\r\n";
        t += "HpglPens Number 1 Width 0.25 Color 1\r\n\t+ Number 2 - 7 Width 0.35 Color 2\r\n";
        if (i % 4 == 0)
            t += "Fold Prg 3 Tray 1 Option 0\r\n";
        t += "EndOutput\r\n";
    }
    t += "EndJob\r\n";
    return t;
}

/// A ticket of about 380 bytes per file as a plot room gets them: a few projects'
/// directories, names of their own (every other one with the drawing it came from),
/// mixed emulations, sizes, media and page ranges, two pen tables, file information
/// of a few scanners, folds and comments.
std::string GenerateVariedTicket(int files) {
    static const char* const kEmulations[] = {"hpgl", "PDF", "TIFF", "hpgl", "PS"};
    static const char* const kSizes[] = {"a0", "a1", "a2", "a3", "Window 900.0 1189.0 mm"};
    static const char* const kScans[] = {"0x26CD 0x36DB 0x190 0x190 0x1 0x1 pcm_1bit",
                                         "0x1B5A 0x26CD 0x12C 0x12C 0x1 0x2 pcm_8bit",
                                         "0x3A20 0x5220 0x258 0x258 0x2 0x1 pcm_1bit"};
    static const char* const kComments[] = {"for the site meeting, checked by the office",
                                            "revised after review, replaces the last issue",
                                            "preliminary, not for construction"};
    std::string t = GenerateTicket(0);
    t.erase(t.rfind("EndJob"));
    for (int i = 1; i <= files; ++i) {
        const int project = i / 700 % 15;
        const char discipline = "ASME"[i % 4];
        char head[300];
        std::snprintf(head, sizeof head,
                      "BeginOutput\r\nDirectory \"/srv/plot/in/harbour/project-%02d/%s\"\r\n"
                      "Name \"P%02d-%c-%06d-rev%d.plt\"\r\nFileEmulation %s\r\n",
                      project, (i % 3 == 0) ? "structure" : "architecture", project, discipline, i,
                      i % 5, kEmulations[i % 5]);
        t += head;
        if (i % 2 == 0) {
            std::snprintf(head, sizeof head, "OrigName \"P%02d-%c-%06d.dwg\"\r\n", project,
                          discipline, i);
            t += head;
        }
        t += "Copies " + std::to_string(1 + i % 3) + "\r\nOutputSize " + kSizes[i % 5] + "\r\n";
        t += (i % 7 == 0) ? "Rotate 0\r\nMediaType film\r\n" : "Rotate 90\r\nMediaType paper\r\n";
        t += std::string("FileInfo ") + kScans[i % 3] + "\r\n";
        if (i % 5 == 0 || i % 5 == 3)
            t += (i % 2 == 0)
                     ? "HpglPens Number 1 Width 0.25 Color 1\r\n\t+ Number 2 - 7 Width 0.35\r\n"
                     : "HpglPens Number 1 Width 0.18 Color 1\r\n\t+ Number 2 - 9 Width 0.5\r\n";
        if (i % 5 == 1)
            t += "PageRange \"1-" + std::to_string(1 + i % 12) + "\"\r\n";
        if (i % 4 == 0)
            t += "Fold Prg 3 Tray 1 Option 0\r\n";
        t += std::string("Comment \"") + kComments[i % 3] +
             "\"\r\nDeleteFileAfterProcessing off\r\n";
        t += "EndOutput\r\n";
    }
    t += "EndJob\r\n";
    return t;
}

std::string TempTicket(const std::string& text, const std::string& label) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("ssl2-bench-" + label + "-" + std::to_string(::getpid()) + ".ssl");
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
}

void ReportPeakMemory(benchmark::State& state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

/// Parses `path` into an empty set per iteration.  With `timeRelease` the set's
/// entries are released inside the timed region as well, otherwise outside it.
void Parse(benchmark::State& state, const std::string& path, std::size_t bytes, int entries,
           bool timeRelease = false) {
    RCSslSet set;
    set.SetDiagnosticHandler([](const RSSslDiagnostic&) {});
    for (auto _ : state) {
        const int n = set.ParseSsl(path, 300);
        if (n != entries)
            state.SkipWithError("unexpected entry count");
        benchmark::DoNotOptimize(n);
        if (!timeRelease)
            state.PauseTiming();
        set.ReduceToDefaultEntry();
        set.RemoveEntry(0);
        if (!timeRelease)
            state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
    // Seconds per iteration divided by entries per iteration, in microseconds.
    state.counters["us_per_entry"] =
        benchmark::Counter(entries * 1e-6, benchmark::Counter::kIsIterationInvariantRate |
                                               benchmark::Counter::kInvert);
    ReportPeakMemory(state);
}

std::size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

/// The ticket `kind` of `files` files: 0 the generated one, 1 the varied one, 2 the
/// generated one as the writer writes it (every statement, "5.0").
std::string TicketOfKind(int kind, int files) {
    if (kind == 1)
        return GenerateVariedTicket(files);
    const std::string text = GenerateTicket(files);
    if (kind == 0)
        return text;
    RCSslSet set;
    set.SetDiagnosticHandler([](const RSSslDiagnostic&) {});
    set.ParseSslText(TString(text), "generated", 300);
    return set.ToString(SslStatement::kVersion50).str();
}

void BM_HeldBytesPerEntry(benchmark::State& state) {
    constexpr int kFiles = 10000;
    const std::string text = TicketOfKind(static_cast<int>(state.range(0)), kFiles);
    const std::string path = TempTicket(text, "held");
    // The peak grows only in the first parse of the process (this benchmark runs
    // first): keep that figure.
    static double peakPerEntry = -1;
    double heldPerEntry = 0;
    for (auto _ : state) {
        const double peakBefore = ssl2bench::PeakResidentBytes();
        const std::size_t before = HeapInUse();
        RCSslSet set;
        set.SetDiagnosticHandler([](const RSSslDiagnostic&) {});
        if (set.ParseSsl(path, 300) != kFiles + 1)
            state.SkipWithError("unexpected entry count");
        heldPerEntry = static_cast<double>(HeapInUse() - before) / kFiles;
        if (peakPerEntry < 0)
            peakPerEntry = (ssl2bench::PeakResidentBytes() - peakBefore) / kFiles;
    }
    std::filesystem::remove(path);
    state.counters["bytes_per_entry"] = heldPerEntry;
    state.counters["ticket_bytes_per_entry"] = static_cast<double>(text.size()) / kFiles;
    if (state.range(0) == 0)
        state.counters["peak_bytes_per_entry"] = peakPerEntry;
}
BENCHMARK(BM_HeldBytesPerEntry)
    ->ArgName("ticket")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void BM_ParseExample20(benchmark::State& state) {
    const std::string path = std::string(SSL2_SOURCE_DIR) + "/examples/tickets/twenty_files.ssl";
    Parse(state, path, std::filesystem::file_size(path), 21);
}
BENCHMARK(BM_ParseExample20)->Unit(benchmark::kMicrosecond);

/// A server that reuses one set: the 20-file example read again and again into the
/// same set, after range(0) earlier reads.  Time per parse and the written size of
/// the job entry (job_entry_bytes) must not depend on the number of earlier reads.
void BM_ReparseExample20IntoOneSet(benchmark::State& state) {
    const std::string path = std::string(SSL2_SOURCE_DIR) + "/examples/tickets/twenty_files.ssl";
    RCSslSet set;
    set.SetDiagnosticHandler([](const RSSslDiagnostic&) {});
    for (std::int64_t i = 0; i < state.range(0); ++i)
        set.ParseSsl(path, 300);
    for (auto _ : state) {
        const int n = set.ParseSsl(path, 300);
        if (n != 21)
            state.SkipWithError("unexpected entry count");
        benchmark::DoNotOptimize(n);
    }
    state.counters["job_entry_bytes"] = static_cast<double>(
        set.GetEntry(0).ToString(RCAccessSsl(), SslStatement::kVersion50, 0).GetLength());
    ReportPeakMemory(state);
}
BENCHMARK(BM_ReparseExample20IntoOneSet)->Arg(0)->Arg(1200)->Unit(benchmark::kMicrosecond);

void BM_ParseGenerated(benchmark::State& state) {
    const int files = static_cast<int>(state.range(0));
    const std::string text = GenerateTicket(files);
    const std::string path = TempTicket(text, std::to_string(files));
    Parse(state, path, text.size(), files + 1);
    std::filesystem::remove(path);
}
BENCHMARK(BM_ParseGenerated)->RangeMultiplier(10)->Range(10, 100000)->Unit(benchmark::kMillisecond);

/// The generated ticket as the writer writes it ("5.0", every statement): what
/// checking a ticket ssl2 wrote costs, against BM_ParseGenerated of the same files.
void BM_ParseWrittenGenerated(benchmark::State& state) {
    const int files = static_cast<int>(state.range(0));
    const std::string text = TicketOfKind(2, files);
    const std::string path = TempTicket(text, "written" + std::to_string(files));
    Parse(state, path, text.size(), files + 1);
    std::filesystem::remove(path);
}
BENCHMARK(BM_ParseWrittenGenerated)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

/// The same parse with the release of the parsed entries timed as well: what one job
/// costs a server that reads a ticket and drops it again.
void BM_ParseAndReleaseGenerated(benchmark::State& state) {
    const int files = static_cast<int>(state.range(0));
    const std::string text = GenerateTicket(files);
    const std::string path = TempTicket(text, "release" + std::to_string(files));
    Parse(state, path, text.size(), files + 1, true);
    std::filesystem::remove(path);
}
BENCHMARK(BM_ParseAndReleaseGenerated)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_CountLinesGenerated(benchmark::State& state) {
    const int files = static_cast<int>(state.range(0));
    const std::string text = GenerateTicket(files);
    const std::string path = TempTicket(text, "lines" + std::to_string(files));
    for (auto _ : state) {
        const ssl2bench::LineCount count = ssl2bench::CountLines(path);
        benchmark::DoNotOptimize(count);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    std::filesystem::remove(path);
}
BENCHMARK(BM_CountLinesGenerated)
    ->RangeMultiplier(10)
    ->Range(10, 100000)
    ->Unit(benchmark::kMillisecond);

/// CPU seconds this process has used so far, all threads together.
double ProcessCpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void BM_ParseTwoTickets(benchmark::State& state) {
    constexpr int kFiles = 1000;
    const std::string first = TempTicket(GenerateTicket(kFiles, "first"), "first");
    const std::string second = TempTicket(GenerateTicket(kFiles, "second"), "second");
    const auto parse = [](const std::string& path) {
        RCSslSet set;
        set.SetDiagnosticHandler([](const RSSslDiagnostic&) {});
        return set.ParseSsl(path, 300);
    };
    const bool parallel = state.range(0) == 2;
    const double cpuBefore = ProcessCpuSeconds();
    const auto wallBefore = std::chrono::steady_clock::now();
    for (auto _ : state) {
        int entries = 0;
        if (parallel) {
            int other = 0;
            std::thread thread([&] { other = parse(second); });
            entries = parse(first);
            thread.join();
            entries += other;
        } else {
            entries = parse(first) + parse(second);
        }
        if (entries != 2 * (kFiles + 1))
            state.SkipWithError("unexpected entry count");
    }
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wallBefore;
    state.counters["cpu_per_wall"] = (ProcessCpuSeconds() - cpuBefore) / wall.count();
    std::filesystem::remove(first);
    std::filesystem::remove(second);
}
BENCHMARK(BM_ParseTwoTickets)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

/// The generated ticket of `files` files, read into `set` outside the timed region.
void ReadGenerated(RCSslSet& set, int files, const char* tag) {
    const std::string path = TempTicket(GenerateTicket(files), tag);
    set.SetDiagnosticHandler([](const RSSslDiagnostic&) {});
    set.ParseSsl(path, 300);
    std::filesystem::remove(path);
}

void BM_WriteGenerated(benchmark::State& state) {
    RCSslSet set;
    ReadGenerated(set, static_cast<int>(state.range(0)), "write");
    std::size_t bytes = 0;
    for (auto _ : state) {
        const TString text = set.ToString(SslStatement::kVersion50);
        bytes = text.GetLength();
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_WriteGenerated)->Arg(20)->Arg(10000)->Unit(benchmark::kMillisecond);

// The preview page of a generated ticket (layouts, drawings, roll overview), streamed
// to a sink that counts its bytes, as the tool streams it to a file: page_MB is its
// size, peak_rss_MB the process's peak resident memory.
void BM_PreviewGenerated(benchmark::State& state) {
    RCSslSet set;
    ReadGenerated(set, static_cast<int>(state.range(0)), "preview");
    std::size_t bytes = 0;
    TSinkBuffer counter([&bytes](const char*, std::size_t size) { bytes += size; });
    std::ostream page(&counter);
    for (auto _ : state) {
        bytes = 0;
        SslPreviewHtml(page, set, nullptr, "generated.ssl");
        page.flush();
    }
    state.counters["page_MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["peak_rss_MB"] = ssl2bench::PeakResidentBytes() / 1e6;
}
BENCHMARK(BM_PreviewGenerated)->Arg(20)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
