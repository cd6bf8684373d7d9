// File helpers of job delivery, normalisation and queue directories.
//
// RCSslSet::PlotSsl, NormalizeSsl, SslCopyFile, GetNextCopydockJobDir and
// PlotCopydockJob build on these: safe composition of paths from names a ticket
// supplies, the job-name rules of a delivery directory, collision-free names,
// files that appear atomically (written under a temporary name in the target
// directory, then renamed), and the claim of a queue directory under an exclusive
// lock on the queue's numbering file.
//
// Paths may use '/' or '\' as separators; paths composed here use '/'.  Errors are
// raised as library errors (TException, pending error set).  All functions are
// thread-safe; they keep no state.
//
//   TString dst = SslDelivery::JoinPath(jobDir, SslDelivery::SafeFileName(ticketName));
//   SslDelivery::CopyFileAtomically(src, dst, true);
#pragma once

#include <string_view>
#include <utility>
#include <vector>

#include "ssl2/base/TString.h"

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

/// Every character of / \ < > ? " | : replaced by '_'.
TString ReplaceReservedChars(TString text);

/// The directory name made of a job name: reserved characters replaced, trailing
/// dots and blanks removed, "JH_SET" when nothing remains.  `changed` tells whether
/// the stripping changed the name (the replacement alone does not count).
TString MakeJobDirName(const TString& jobName, bool& changed);

/// `name` when `directory` holds no entry of that name; otherwise the first of
/// token + "_" + counter + rest (token: the text before the first dot, rest: from
/// that dot on; counter 1, 2, ...) that is free.
TString CollisionFreeName(const TString& directory, const TString& name);

/// Writes `bytes` to `path` so that the file appears complete or not at all: a
/// temporary file in the same directory is written, synced and renamed onto `path`.
/// With `replace` an existing file or link there is replaced, never written
/// through; without it an existing entry (even a dangling link) stays untouched and
/// the result is false.  This works on file systems without hard links.  Other
/// failures raise; no temporary file is left behind.
bool WriteFileAtomically(const TString& path, std::string_view bytes, bool replace = true);

/// Copies the file `source` to `target` the same way.
bool CopyFileAtomically(const TString& source, const TString& target, bool replace);

/// Writes `bytes` to `path` like WriteFileAtomically with `replace`, then syncs the
/// directory, so that after a crash or a power loss `path` holds either the old
/// file or the whole new one.  The new file keeps the permissions of a regular file
/// it replaces; otherwise it gets those of a newly created file (0666 less the
/// umask).  A failure raises; up to the rename the old file is untouched.
void ReplaceFileAtomically(const TString& path, std::string_view bytes);

/// Syncs the directory `path`, so that the entries renamed into it survive a power
/// loss ("" is the current directory); raises when that fails.  A file system that
/// cannot sync a directory (EINVAL) counts as synced.
void SyncDirectory(const TString& path);

/// The entries one delivery added to its target directories, so that a delivery
/// that fails can take back exactly those and nothing that was there before: the
/// files it gave a name that was free, the directories it made.  Not thread-safe.
class RCCreatedEntries {
public:
    void AddFile(const TString& path) { m_Entries.emplace_back(path, false); }
    void AddDirectory(const TString& path) { m_Entries.emplace_back(path, true); }
    /// Removes the noted entries, newest first: a file (or a link put in its place)
    /// is unlinked itself, never followed; a directory is removed only when empty.
    /// What cannot be removed stays.
    void Remove() noexcept;

private:
    std::vector<std::pair<TString, bool>> m_Entries;  ///< path, is a directory
};

/// Copies `source` into `directory` under CollisionFreeName(directory, name), taken
/// without a race against other writers; returns the name it got.
TString CopyFileUnderFreeName(const TString& source, const TString& directory, const TString& name);

/// Makes the directory `path` (and missing parents); false when `path` existed
/// already, so that concurrent callers can tell which of them made it.
bool MakeNewDirectory(const TString& path);

/// True for the names files have while they are written, before they appear under
/// their final names.  Left over only by a process that was killed; readers of a
/// delivery ignore them.
bool IsTemporaryName(const TString& name);

/// Claims the next numbered directory of the queue in `base` (see
/// RCSslSet::GetNextCopydockJobDir): "latest.num" is held under an exclusive lock
/// for the whole read-increment-write; a claimant that finds it held fails at once.
/// Returns base + name + '/' (the directory made when `create`), "" when none.
TString ClaimQueueDirectory(const TString& base, bool create);

}  // namespace SslDelivery
#pragma GCC visibility pop
