// ssl2 deliver, normalize and queue: the job and every file it names copied into
// directories, with a summary of what was copied, skipped and failed.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <set>

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
    bool m_bDryRun = false;
    double m_dWait = 10.0;
    std::string m_sDialect = "5.0";
    std::uint32_t m_nResolution = kDefaultResolution;
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

/// What the library reported about each file of one operation: the counts of the
/// summary, the failures, the names it used, and a progress line on standard
/// error while it runs (on a terminal, for large jobs).  Deletions and the steps of
/// a dry run are listed on standard output as they are reported.
class RCFileTally {
public:
    RCFileTally(RCSslSet& set, std::size_t total)
        : m_Set(set),
          m_nTotal(total),
          m_bProgress(total >= kProgressThreshold && ::isatty(STDERR_FILENO) != 0) {
        m_Set.SetFileReporter([this](const RSFileReport& report) { Add(report); });
    }
    ~RCFileTally() {
        m_Set.SetFileReporter({});
        if (m_bShown)
            std::cerr << "\r\033[K" << std::flush;
    }
    RCFileTally(const RCFileTally&) = delete;
    RCFileTally& operator=(const RCFileTally&) = delete;

    std::size_t Failed() const { return m_aFailures.size(); }
    /// True when a file was named by its final name in `names`.
    bool Uses(const std::string& name) const { return m_Used.count(name) != 0; }

    /// Prints the failures and the summary line; the exit code: 1 when a file
    /// failed.
    TExitCode Summarise(const std::string& what, bool dryRun = false) const {
        for (const std::string& failure : m_aFailures)
            std::cerr << "ssl2: " << failure << '\n';
        std::cout << what << ": ";
        if (dryRun)
            std::cout << "dry run, nothing changed: " << m_nPlanned << " planned, ";
        std::cout << m_nCopied << " copied, " << m_nSkipped << " skipped, " << m_aFailures.size()
                  << " failed";
        if (m_nDeleted != 0)
            std::cout << ", " << m_nDeleted << " deleted";
        std::cout << '\n';
        return m_aFailures.empty() ? kExitOk : kExitInputErrors;
    }

private:
    void Add(const RSFileReport& report) {
        const std::string target = ToUtf8(report.m_sTarget);
        switch (report.m_nOutcome) {
            case RSFileReport::kCopied:
                ++m_nCopied;
                break;
            case RSFileReport::kSkipped:
                ++m_nSkipped;
                break;
            case RSFileReport::kFailed:
                m_aFailures.push_back(
                    (report.m_sSource.IsEmpty() ? target : ToUtf8(report.m_sSource)) + ": " +
                    ToUtf8(report.m_sReason));
                break;
            case RSFileReport::kDeleted:
                ++m_nDeleted;
                Show("deleted: " + target);
                break;
            case RSFileReport::kPlanned:
                ++m_nPlanned;
                Show(ToUtf8(report.m_sReason) + ": " +
                     (report.m_sSource.IsEmpty() ? std::string()
                                                 : ToUtf8(report.m_sSource) + " -> ") +
                     target);
                break;
        }
        if (report.m_nOutcome == RSFileReport::kCopied ||
            report.m_nOutcome == RSFileReport::kSkipped)
            m_Used.insert(fs::path(target).filename().string());
        ++m_nDone;
        if (m_bProgress) {
            const auto now = std::chrono::steady_clock::now();
            if (now - m_Shown >= std::chrono::milliseconds(100) || m_nDone == m_nTotal) {
                std::cerr << "\rdelivering: " << std::min(m_nDone, m_nTotal) << '/' << m_nTotal
                          << " files" << std::flush;
                m_Shown = now;
                m_bShown = true;
            }
        }
    }
    void Show(const std::string& line) {
        if (m_bShown)
            std::cerr << "\r\033[K" << std::flush;
        std::cout << line << '\n';
    }

    RCSslSet& m_Set;
    std::size_t m_nTotal;
    bool m_bProgress;
    bool m_bShown = false;
    std::chrono::steady_clock::time_point m_Shown{};
    std::size_t m_nDone = 0;
    std::size_t m_nCopied = 0, m_nSkipped = 0, m_nDeleted = 0, m_nPlanned = 0;
    std::vector<std::string> m_aFailures;
    std::set<std::string> m_Used;
};

void RequireDirectory(const std::string& path) {
    std::error_code ec;
    if (!fs::is_directory(path, ec))
        ThrowIoError("not a directory", path, 0);
}

TExitCode RunDeliver(const RSDeliveryOptions& options) {
    RequireDirectory(options.m_sDirectory);
    if (!options.m_sBase.empty())
        RequireDirectory(options.m_sBase);
    RSLoadedTicket ticket = LoadTicket(options.m_sTicket, options.m_nResolution);
    RequireCleanTicket(ticket, std::cerr);

    const TString base = options.m_sBase;
    TString sslPath;
    RCSslSet delivered;
    std::uint32_t entries = 0;
    std::vector<std::string> severe;
    RCFileTally tally(ticket.m_Set, CountNamedFiles(ticket.m_Set));
    {
        RCToolLog log;
        ticket.m_Set.SetDryRun(options.m_bDryRun);
        entries = ticket.m_Set.PlotSsl(options.m_sDirectory, RCAccessSsl(), options.m_sSuffix,
                                       DialectFromText(options.m_sDialect), &sslPath,
                                       options.m_bOverwrite ? 1 : 0, &delivered,
                                       options.m_sBase.empty() ? nullptr : &base);
        severe = log.Severe();
    }
    if (entries == 0) {
        // A job whose files could not all be copied gets no ticket: an input error.
        // Otherwise the directories could not be used.
        tally.Summarise("deliver", options.m_bDryRun);
        if (tally.Failed() == 0) {
            for (const std::string& message : severe)
                std::cerr << "ssl2: " << message << '\n';
        }
        throw RCToolError(options.m_sTicket + ": not delivered",
                          tally.Failed() != 0 ? kExitInputErrors : kExitUsage);
    }
    const TString jobDir = delivered.GetEntry(0).GetDirectory();
    std::cout << (options.m_bDryRun ? "ticket (not written): " : "ticket: ") << ToUtf8(sslPath)
              << "\njob directory: " << ToUtf8(jobDir) << '\n';
    return tally.Summarise("deliver", options.m_bDryRun);
}

/// The name of the normalised ticket in the directory: the ticket's own, unless a
/// gathered file has it (then the first free "name_N.ext").
std::string NormalizedTicketName(const std::string& ticket, const RCFileTally& tally) {
    const fs::path name = fs::path(ticket).filename();
    std::string candidate = name.string();
    for (int n = 1; tally.Uses(candidate); ++n)
        candidate = name.stem().string() + "_" + std::to_string(n) + name.extension().string();
    return candidate;
}

TExitCode RunNormalize(const RSDeliveryOptions& options) {
    RequireDirectory(options.m_sDirectory);
    RSLoadedTicket ticket = LoadTicket(options.m_sTicket, options.m_nResolution);
    RequireCleanTicket(ticket, std::cerr);

    const std::size_t named =
        CountNamedFiles(ticket.m_Set) -
        (ticket.m_Set.Size() > 0 ? ticket.m_Set.GetEntry(0).GetSupportFileCount() : 0);
    RCFileTally tally(ticket.m_Set, named);
    std::size_t errors = 0;
    {
        RCToolLog log;
        ticket.m_Set.SetDryRun(options.m_bDryRun);
        errors =
            RCSslSet::NormalizeSsl(&ticket.m_Set, options.m_sDirectory, options.m_bPurge ? 1 : 0)
                .size();
        if (errors > tally.Failed()) {
            for (const std::string& message : log.Severe())
                std::cerr << "ssl2: " << message << '\n';
        }
    }
    // The rewritten ticket goes beside the gathered files, under its own name
    // (never over one of them), only when every file it names is there.
    if (errors == 0 && !options.m_bDryRun) {
        const std::string output =
            (fs::path(options.m_sDirectory) / NormalizedTicketName(options.m_sTicket, tally))
                .string();
        WriteOutput(output,
                    ticket.m_Set.ToString(DialectFromText(options.m_sDialect)).AsFileBytes());
        std::cout << "ticket: " << output << '\n';
    }
    const TExitCode code = tally.Summarise("normalize", options.m_bDryRun);
    return errors != 0 ? kExitInputErrors : code;
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
    bool jobFile = false;
    for (std::uint32_t f = 0; f < job.GetSupportFileCount(); ++f)
        jobFile = jobFile || TFileString(job.GetSupportFile(f)).GetExt() == ".job";
    if (!jobFile) {
        throw RCToolError(options.m_sTicket + ": not queued: the job names no \".job\" file",
                          kExitInputErrors);
    }
    RCFileTally tally(ticket.m_Set, job.GetSupportFileCount());
    TString queueDir;
    std::uint32_t files = 0;
    std::vector<std::string> severe;
    {
        RCToolLog log;
        files = ticket.m_Set.PlotCopydockJob(options.m_sDirectory, &queueDir, options.m_dWait);
        severe = log.Severe();
    }
    if (files == 0) {
        tally.Summarise("queue");
        throw RCToolError(options.m_sTicket + ": not queued" +
                              (severe.empty() ? std::string() : ": " + severe.back()),
                          tally.Failed() != 0 ? kExitInputErrors : kExitUsage);
    }
    std::cout << "queue directory: " << ToUtf8(queueDir) << '\n';
    std::cout << "queued " << files << (files == 1 ? " file entry" : " file entries") << '\n';
    return tally.Summarise("queue");
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
    sub->add_flag("--dry-run", deliver->m_bDryRun,
                  "print what would be copied and replaced; change nothing");
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
                  "after a complete gathering, delete (and list) the files of the directory that "
                  "the job does not use; never the ticket itself");
    sub->add_flag("--dry-run", normalize->m_bDryRun,
                  "print what would be copied and deleted; change nothing");
    AddResolutionOption(*sub, normalize->m_nResolution);
    sub->callback([normalize, &status] { status = RunNormalize(*normalize); });

    auto queue = std::make_shared<RSDeliveryOptions>();
    sub = app.add_subcommand(
        "queue",
        "Deliver a raw job (\"PlotRaw\" on) into the next numbered directory of a queue: the "
        "support files, the \".job\" file last.");
    sub->add_option("ticket", queue->m_sTicket, "SSL ticket file")->required();
    sub->add_option("--dir", queue->m_sDirectory, "the queue directory")->required();
    sub->add_option("--wait", queue->m_dWait,
                    "seconds to wait for another producer's hold on the queue (default 10)")
        ->check(CLI::NonNegativeNumber);
    AddResolutionOption(*sub, queue->m_nResolution);
    sub->callback([queue, &status] { status = RunQueue(*queue); });
}

}  // namespace ssl2tool
