// File helpers of job delivery, normalisation and queue directories.
//
// RCSslSet::PlotSsl, NormalizeSsl, SslCopyFile, GetNextCopydockJobDir and
// PlotCopydockJob build on these: safe composition of paths from names a ticket
// supplies, the job-name rules of a delivery directory, collision-free names,
// files that appear atomically (written under a temporary name in the target
// directory, then renamed) through directory handles (TDirectory.h), the per-file
// gathering with its reports, and the claim of a queue directory under an
// exclusive lock on the queue's numbering file.
//
// Paths may use '/' or '\' as separators; paths composed here use '/'.  Errors are
// raised as library errors (TException, pending error set).  The free functions
// are thread-safe; the classes are used by one thread at a time.
//
//   RCDirectory job(jobPath);
//   RCFileGatherer files(&job, false, false, reporter, nullptr);
//   entry.SetName(files.Gather(source, SslDelivery::SafeFileName(ticketName)));
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "ssl2/base/TDirectory.h"
#include "ssl2/base/TFile.h"
#include "ssl2/base/TString.h"
#include "ssl2/set/SslFileReport.h"

// Internal to the library: hidden from the shared library's exports.
#pragma GCC visibility push(hidden)
namespace SslDelivery {

/// The last component of `path` (either separator), so that the result names an
/// entry of the directory it is joined to: "_" when that component is empty, "."
/// or ".."; "" only for an empty `path`.
TString SafeFileName(const TString& path);

/// True when `name` can be used as one entry of a directory: non-empty, no
/// separator of either kind, not "." or "..".
bool IsPlainName(const TString& name);

/// `directory` without trailing separators (a bare "/" stays).
TString StripSeparators(const TString& directory);

/// `directory` + '/' + `name`; `name` alone when `directory` is empty.
TString JoinPath(const TString& directory, const TString& name);

/// Every character of / \ < > ? " | : and every line break or NUL replaced by '_'.
TString ReplaceReservedChars(TString text);

/// The directory name made of a job name: reserved characters replaced, trailing
/// dots and blanks removed, "JH_SET" when nothing remains.  `changed` tells whether
/// the stripping changed the name (the replacement alone does not count).
TString MakeJobDirName(const TString& jobName, bool& changed);

/// Collision-free names in one directory during one run: a wanted name when
/// neither the directory nor this run holds it, otherwise the first free
/// token + "_" + counter + rest (token: the text before the first dot, rest: from
/// that dot on; counter 1, 2, ...).  The counter resumes per token and rest, so n
/// files of one name cost n probes, not n squared; the first free candidate is the
/// same, since only this run adds files.  Not thread-safe.
class RCFreeNames {
public:
    /// Names in `dir`; with null, only the names this run took count as used (a
    /// directory not made yet).
    explicit RCFreeNames(const RCDirectory* dir) : m_pDir(dir) {}
    /// The name the next file wanting `name` gets; it is taken for this run.
    TString Take(const TString& name);
    /// True when this run took `name`.
    bool Taken(const TString& name) const { return m_Taken.count(name.str()) != 0; }

private:
    bool Free(const TString& name) const {
        return !Taken(name) && (m_pDir == nullptr || !m_pDir->Has(name));
    }

    const RCDirectory* m_pDir;
    std::unordered_set<std::string> m_Taken;
    std::unordered_map<std::string, unsigned long long> m_Counters;
};

/// Writes `bytes` as the file `name` of `dir` so that the file appears complete or
/// not at all: a temporary file in `dir` is written, synced and renamed onto
/// `name`.  It gets 0666 less the umask.  With `replace` an existing file or link
/// there is replaced, never written through; without it an existing entry (even a
/// dangling link) stays untouched and the result is false.  This works on file
/// systems without hard links.  Other failures raise; no temporary file is left.
bool WriteFileAtomically(const RCDirectory& dir, const TString& name, std::string_view bytes,
                         bool replace);
/// The same for a path: its directory is opened for this one file.
bool WriteFileAtomically(const TString& path, std::string_view bytes, bool replace = true);

/// Copies `source` (a regular file, opened without blocking) to the file `name` of
/// `dir` the same way, with the source's permissions.
bool CopyFileAtomically(RCSourceFile& source, const RCDirectory& dir, const TString& name,
                        bool replace);
bool CopyFileAtomically(const TString& source, const TString& target, bool replace);

/// Syncs the directory `path`, so that the entries renamed into it survive a power
/// loss ("" is the current directory); raises when that fails.  A file system that
/// cannot sync a directory (EINVAL) counts as synced.
void SyncDirectory(const TString& path);

/// The entries one delivery added to its target directories, so that a delivery
/// that fails can take back exactly those and nothing that was there before: the
/// files it gave a name that was free, the directories it made.  The directories
/// named must outlive this record.  Not thread-safe.
class RCCreatedEntries {
public:
    void AddFile(const RCDirectory& dir, const TString& name) {
        m_Entries.push_back({&dir, name, false});
    }
    void AddDirectory(const RCDirectory& parent, const TString& name) {
        m_Entries.push_back({&parent, name, true});
    }
    /// Removes the noted entries, newest first: a file (or a link put in its place)
    /// is unlinked itself, never followed; a directory is removed only when empty.
    /// What cannot be removed stays.
    void Remove() noexcept;

private:
    struct RSEntry {
        const RCDirectory* m_pDir;
        TString m_sName;
        bool m_bDirectory;
    };
    std::vector<RSEntry> m_Entries;
};

/// The files one operation copies into one directory: each source once, two
/// different sources never under one name, every outcome reported.  Not
/// thread-safe; `dir`, `reporter` and `created` must outlive it.
class RCFileGatherer {
public:
    /// `dir` null: a dry run into a directory not made yet.  With `replace` (a
    /// reused directory), what the directory holds under a name is replaced and
    /// only the names this run gave count as taken; otherwise a name the directory
    /// holds is passed over for a free one.  With `dryRun`
    /// nothing is written: each file is reported as planned.  `created` (if any)
    /// notes the files given a name that was free.
    RCFileGatherer(const RCDirectory* dir, bool replace, bool dryRun, const TFileReporter& reporter,
                   RCCreatedEntries* created);

    /// Copies `source` (as the ticket names it; UNC-mapped for the copy) into the
    /// directory under `wanted` or, when a different file has that name, under a
    /// free name; the same source wanted under one name twice is copied once
    /// (reported as skipped).  Returns the name.  A failure is reported and raised.
    TString Gather(const TString& source, const TString& wanted);
    /// Reports a file that is not copied.
    void Skip(const TString& source, const TString& target, const TString& reason) const;

private:
    void Report(RSFileReport::TOutcome outcome, const TString& source, const TString& target,
                const TString& reason) const;
    TString Target(const TString& name) const;

    const RCDirectory* m_pDir;
    bool m_bReplace;
    bool m_bDryRun;
    const TFileReporter& m_Reporter;
    RCCreatedEntries* m_pCreated;
    RCFreeNames m_Names;
    /// (wanted name, device, inode) of each file copied -> the name it got.
    std::map<std::tuple<std::string, dev_t, ino_t>, TString> m_Sources;
};

/// True for the names files have while they are written (TFile::IsTemporaryName).
inline bool IsTemporaryName(const TString& name) {
    return TFile::IsTemporaryName(name);
}

/// How long a queue claimant waits for the numbering file by default.
inline constexpr double kQueueWaitSeconds = 10.0;

/// Claims the next numbered directory of the queue `base` (see
/// RCSslSet::GetNextCopydockJobDir): "latest.num" is held under an exclusive lock
/// for the whole read-increment-write; a claimant that finds it held waits for it
/// up to `waitSeconds`, then fails.  The counter is 64-bit and only grows.  Returns
/// the name of the directory (made when `create`).
TString ClaimQueueEntry(const RCDirectory& base, bool create, double waitSeconds);
/// The same by path: returns base + name + '/'.
TString ClaimQueueDirectory(const TString& base, bool create,
                            double waitSeconds = kQueueWaitSeconds);

}  // namespace SslDelivery
#pragma GCC visibility pop
