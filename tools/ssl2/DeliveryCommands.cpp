// ssl2 deliver, normalize and queue: the job and every file it names copied into
// directories, with a summary of what was copied, skipped and failed.
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <set>
#include <thread>

#include "tools/ssl2/Commands.h"
#include "tools/ssl2/ToolSupport.h"

namespace ssl2tool {

namespace fs = std::filesystem;

namespace {

/// Files at or above this count get a progress line (on a terminal only).
constexpr std::size_t kProgressThreshold = 10;

struct RSDeliveryOptions {
    std::string m_sTicket;
    std::string m_sDirectory;
    std::string m_sBase;
    std::string m_sSuffix;
    bool m_bOverwrite = false;
    bool m_bPurge = false;
    std::string m_sDialect = "5.0";
    std::uint32_t m_nResolution = kDefaultResolution;
};

/// Regular files in `dir` and, with `depth` 2, in its subdirectories.
std::size_t CountFiles(const fs::path& dir, int depth) {
    std::size_t count = 0;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec))
            ++count;
        else if (depth > 1 && it->is_directory(ec) && !it->is_symlink(ec))
            count += CountFiles(it->path(), depth - 1);
    }
    return count;
}

/// Prints "delivering: n/total files" on standard error while a delivery runs, by
/// watching the files appear under `dir`.  Silent unless standard error is a
/// terminal and the job is large.
class RCProgress {
public:
    RCProgress(fs::path dir, int depth, std::size_t total)
        : m_Dir(std::move(dir)), m_nDepth(depth), m_nTotal(total) {
        if (total < kProgressThreshold || ::isatty(STDERR_FILENO) == 0)
            return;
        m_nBefore = CountFiles(m_Dir, m_nDepth);
        m_Thread = std::thread([this] { Run(); });
    }
    ~RCProgress() {
        if (!m_Thread.joinable())
            return;
        {
            std::lock_guard<std::mutex> lock(m_Mutex);
            m_bStop = true;
        }
        m_Wake.notify_all();
        m_Thread.join();
        std::cerr << "\r\033[K" << std::flush;
    }
    RCProgress(const RCProgress&) = delete;
    RCProgress& operator=(const RCProgress&) = delete;

private:
    void Run() {
        std::unique_lock<std::mutex> lock(m_Mutex);
        do {
            const std::size_t now = CountFiles(m_Dir, m_nDepth);
            const std::size_t done = std::min(m_nTotal, now > m_nBefore ? now - m_nBefore : 0);
            std::cerr << "\rdelivering: " << done << '/' << m_nTotal << " files" << std::flush;
        } while (
            !m_Wake.wait_for(lock, std::chrono::milliseconds(200), [this] { return m_bStop; }));
    }

    fs::path m_Dir;
    int m_nDepth;
    std::size_t m_nTotal;
    std::size_t m_nBefore = 0;
    bool m_bStop = false;
    std::mutex m_Mutex;
    std::condition_variable m_Wake;
    std::thread m_Thread;
};

/// The files a delivery of `set` copies: printed files, support files, colour
/// profiles and stamp bitmaps.
std::size_t CountNamedFiles(const RCSslSet& set) {
    if (set.Size() == 0)
        return 0;
    std::size_t count = set.GetEntry(0).GetSupportFileCount();
    for (int i = 1; i < set.Size(); ++i) {
        const RCSslEntry& entry = set.GetEntry(i);
        count += entry.GetName().IsEmpty() ? 0 : 1;
        count += entry.GetPlotColorProfileName().IsEmpty() ? 0 : 1;
        count += entry.GetScanColorProfileName().IsEmpty() ? 0 : 1;
        for (std::uint32_t s = 0; s < entry.GetStampCount(); ++s)
            count += entry.GetStampBmp(s).IsEmpty() ? 0 : 1;
    }
    return count;
}

void RequireDirectory(const std::string& path) {
    std::error_code ec;
    if (!fs::is_directory(path, ec))
        ThrowIoError("not a directory", path, 0);
}

/// Prints the summary and the failures; the exit code: 1 when a copy failed.
TExitCode Summarise(const std::string& what, std::size_t copied, std::size_t named,
                    const std::vector<std::string>& failures) {
    const std::size_t failed = failures.size();
    const std::size_t skipped = named > copied + failed ? named - copied - failed : 0;
    for (const std::string& failure : failures)
        std::cerr << "ssl2: " << failure << '\n';
    std::cout << what << ": " << copied << " copied, " << skipped << " skipped, " << failed
              << " failed\n";
    return failed == 0 ? kExitOk : kExitInputErrors;
}

TExitCode RunDeliver(const RSDeliveryOptions& options) {
    RequireDirectory(options.m_sDirectory);
    if (!options.m_sBase.empty())
        RequireDirectory(options.m_sBase);
    RSLoadedTicket ticket = LoadTicket(options.m_sTicket, options.m_nResolution);
    RequireCleanTicket(ticket, std::cerr);

    const std::size_t named = CountNamedFiles(ticket.m_Set);
    const TString base = options.m_sBase;
    TString sslPath;
    RCSslSet delivered;
    std::uint32_t entries = 0;
    std::vector<std::string> failures;
    {
        RCToolLog log;
        {
            RCProgress progress(options.m_sBase.empty() ? options.m_sDirectory : options.m_sBase, 2,
                                named);
            entries = ticket.m_Set.PlotSsl(options.m_sDirectory, RCAccessSsl(), options.m_sSuffix,
                                           DialectFromText(options.m_sDialect), &sslPath,
                                           options.m_bOverwrite ? 1 : 0, &delivered,
                                           options.m_sBase.empty() ? nullptr : &base);
        }
        failures = log.Severe();
    }
    if (entries == 0) {
        // A job whose files could not all be copied gets no ticket: an input error.
        bool copyFailed = false;
        for (const std::string& failure : failures) {
            std::cerr << "ssl2: " << failure << '\n';
            copyFailed = copyFailed || failure.find("has an exception in") != std::string::npos;
        }
        throw RCToolError(options.m_sTicket + ": not delivered",
                          copyFailed ? kExitInputErrors : kExitUsage);
    }
    const TString jobDir = delivered.GetEntry(0).GetDirectory();
    std::cout << "ticket: " << ToUtf8(sslPath) << "\njob directory: " << ToUtf8(jobDir) << '\n';
    return Summarise("deliver", CountFiles(jobDir.str(), 1), named, failures);
}

TExitCode RunNormalize(const RSDeliveryOptions& options) {
    RequireDirectory(options.m_sDirectory);
    RSLoadedTicket ticket = LoadTicket(options.m_sTicket, options.m_nResolution);
    RequireCleanTicket(ticket, std::cerr);

    const std::size_t named =
        CountNamedFiles(ticket.m_Set) -
        (ticket.m_Set.Size() > 0 ? ticket.m_Set.GetEntry(0).GetSupportFileCount() : 0);
    const std::size_t before = CountFiles(options.m_sDirectory, 1);
    std::vector<std::string> failures;
    {
        RCToolLog log;
        RCProgress progress(options.m_sDirectory, 1, named);
        const TRCMultiObjectContainer<RCInfo> errors =
            RCSslSet::NormalizeSsl(&ticket.m_Set, options.m_sDirectory, options.m_bPurge ? 1 : 0);
        for (const RCInfo& error : errors)
            failures.push_back(ToUtf8(error.GetText()));
    }
    // The rewritten ticket goes beside the gathered files, under its own name, only
    // when every file it names is there.
    const std::size_t ticketFiles = failures.empty() ? 1 : 0;
    if (failures.empty()) {
        const std::string output =
            (fs::path(options.m_sDirectory) / fs::path(options.m_sTicket).filename()).string();
        WriteOutput(output,
                    ticket.m_Set.ToString(DialectFromText(options.m_sDialect)).AsFileBytes());
        std::cout << "ticket: " << output << '\n';
    }
    const std::size_t after = CountFiles(options.m_sDirectory, 1);
    // The ticket itself is not one of the job's files.
    const std::size_t copied = after > before + ticketFiles ? after - before - ticketFiles : 0;
    return Summarise("normalize", std::min(copied, named), named, failures);
}

/// The subdirectories of `dir`.
std::set<fs::path> Subdirectories(const fs::path& dir) {
    std::set<fs::path> found;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_directory(ec))
            found.insert(it->path());
    }
    return found;
}

TExitCode RunQueue(const RSDeliveryOptions& options) {
    RequireDirectory(options.m_sDirectory);
    // The queue's numbering file belongs to its consumer; it is never made here.
    if (!fs::is_regular_file(fs::path(options.m_sDirectory) / "latest.num"))
        ThrowIoError("not a queue directory (no \"latest.num\")", options.m_sDirectory, 0);
    RSLoadedTicket ticket = LoadTicket(options.m_sTicket, options.m_nResolution);
    RequireCleanTicket(ticket, std::cerr);
    const RCSslEntry& job = ticket.m_Set.GetEntry(0);
    if (job.GetPlotRaw() == 0) {
        throw RCToolError(options.m_sTicket + ": not a raw job (\"PlotRaw\" is off)",
                          kExitInputErrors);
    }
    const std::size_t named = job.GetSupportFileCount();
    std::vector<std::string> failures;
    std::uint32_t files = 0;
    const std::set<fs::path> before = Subdirectories(options.m_sDirectory);
    {
        RCToolLog log;
        RCProgress progress(options.m_sDirectory, 2, named);
        files = ticket.m_Set.PlotCopydockJob(options.m_sDirectory);
        failures = log.Severe();
    }
    if (files == 0 && !failures.empty()) {
        const bool noJobFile = failures.back().find("no job file") != std::string::npos;
        throw RCToolError(options.m_sTicket + ": not queued: " + failures.back(),
                          noJobFile ? kExitInputErrors : kExitUsage);
    }
    for (const fs::path& dir : Subdirectories(options.m_sDirectory)) {
        if (before.count(dir) == 0)
            std::cout << "queue directory: " << dir.string() << '\n';
    }
    std::cout << "queued " << files << (files == 1 ? " file entry" : " file entries") << '\n';
    return Summarise("queue", files == 0 ? 0 : named, named, {});
}

}  // namespace

void AddDeliveryCommands(CLI::App& app, int& status) {
    auto deliver = std::make_shared<RSDeliveryOptions>();
    CLI::App* sub = app.add_subcommand(
        "deliver",
        "Deliver a job: a job directory receives every file the ticket names, and the "
        "rewritten ticket is written into the target directory last.");
    sub->add_option("ticket", deliver->m_sTicket, "SSL ticket file")->required();
    sub->add_option("--to", deliver->m_sDirectory, "target directory of the ticket")->required();
    sub->add_option("--base", deliver->m_sBase,
                    "directory that receives the job directory (default: the target)");
    sub->add_option("--suffix", deliver->m_sSuffix, "suffix of the job directory's name");
    sub->add_flag("--overwrite", deliver->m_bOverwrite,
                  "reuse the job's directory and replace existing files");
    sub->add_option("--dialect", deliver->m_sDialect, "SSL dialect to write (default 5.0)")
        ->check(CLI::IsMember(DialectNames()));
    AddResolutionOption(*sub, deliver->m_nResolution);
    sub->callback([deliver, &status] { status = RunDeliver(*deliver); });

    auto normalize = std::make_shared<RSDeliveryOptions>();
    sub = app.add_subcommand(
        "normalize",
        "Gather the files of a job into one directory under collision-free names and write "
        "the ticket that points at them there.");
    sub->add_option("ticket", normalize->m_sTicket, "SSL ticket file")->required();
    sub->add_option("--dir", normalize->m_sDirectory, "the job directory")->required();
    sub->add_flag("--purge", normalize->m_bPurge,
                  "delete the files of the directory that the job does not use");
    AddResolutionOption(*sub, normalize->m_nResolution);
    sub->callback([normalize, &status] { status = RunNormalize(*normalize); });

    auto queue = std::make_shared<RSDeliveryOptions>();
    sub = app.add_subcommand(
        "queue",
        "Deliver a raw job (\"PlotRaw\" on) into the next numbered directory of a queue: the "
        "support files, the \".job\" file last.");
    sub->add_option("ticket", queue->m_sTicket, "SSL ticket file")->required();
    sub->add_option("--dir", queue->m_sDirectory, "the queue directory")->required();
    AddResolutionOption(*sub, queue->m_nResolution);
    sub->callback([queue, &status] { status = RunQueue(*queue); });
}

}  // namespace ssl2tool
