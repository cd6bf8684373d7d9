// The system calls through which the library creates, fills and names files and
// directories, and a fault-injection seam that tests use to make them fail.
//
// Internal to the library (not installed).  Every call behaves exactly like the
// system call of the same name (result, errno) unless a test has armed a fault
// plan with RCFaultScope; the unarmed cost is one atomic load.  A fault plan is
// process-wide: tests arm it around single-threaded work only.
#pragma once

#include <sys/types.h>

#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#pragma GCC visibility push(hidden)
namespace TFileOps {

/// The kinds of calls a fault plan counts; one bit each in a mask.
enum TOp : unsigned {
    kOpen,
    kWrite,
    kFsync,
    kRename,
    kRenameNoReplace,
    kLink,
    kMkdir,
    kFsyncDir,
    kOpCount
};
constexpr unsigned kAllOps = (1u << kOpCount) - 1;
constexpr unsigned Bit(TOp op) {
    return 1u << op;
}

int Open(const char* path, int flags, mode_t mode = 0);
/// openat(): `path` relative to the directory handle `dir` (AT_FDCWD: the current
/// directory).  Counted as kOpen.
int OpenAt(int dir, const char* path, int flags, mode_t mode = 0);
ssize_t Write(int fd, const void* data, std::size_t size);
int Fsync(int fd);
/// rename(): replaces an existing `to` (never following a link there).
int Rename(const char* from, const char* to);
/// renameat() within the directory handle `dir`.  Counted as kRename.
int RenameAt(int dir, const char* from, const char* to);
/// renameat2() with RENAME_NOREPLACE: fails with EEXIST when `to` exists; EINVAL,
/// ENOSYS or EOPNOTSUPP when the kernel or file system cannot do it.
int RenameNoReplace(const char* from, const char* to);
/// The same within the directory handle `dir`.
int RenameNoReplaceAt(int dir, const char* from, const char* to);
int Link(const char* from, const char* to);
/// linkat() within the directory handle `dir`, never following a link.
int LinkAt(int dir, const char* from, const char* to);
int Mkdir(const char* path, mode_t mode);
/// mkdirat() in the directory handle `dir`.  Counted as kMkdir.
int MkdirAt(int dir, const char* path, mode_t mode);
/// Opens the directory `path`, fsync()s it and closes it, so that the entries made,
/// renamed or removed in it survive a power loss.  One call; 0 or -1 with errno.
int FsyncDir(const char* path);
/// fsync() of an open directory handle.  Counted as kFsyncDir.
int FsyncDirFd(int dir);

/// What an armed fault plan does.  Calls are counted over the ops in `m_nOps`.
struct RSFaultPlan {
    /// The call (1-based) at which the fault happens; 0: never.
    std::uint64_t m_nAt = 0;
    /// The errno of the failing call.
    int m_nError = EIO;
    unsigned m_nOps = kAllOps;
    /// Every counted call after the m_nAt-th fails too (a disk that stays full).
    bool m_bSticky = false;
    /// Run instead of failing: the call itself then goes ahead (a test kills the
    /// process here, or runs a competing operation).
    std::function<void()> m_fnInstead;
    /// Per op: an errno with which every call fails, uncounted (0: none).  A file
    /// system without hard links or without RENAME_NOREPLACE.
    std::array<int, kOpCount> m_anAlways{};
};

/// Arms a fault plan for its lifetime (one at a time).
class RCFaultScope {
public:
    explicit RCFaultScope(RSFaultPlan plan);
    ~RCFaultScope();
    RCFaultScope(const RCFaultScope&) = delete;
    RCFaultScope& operator=(const RCFaultScope&) = delete;

    /// The counted calls so far.
    std::uint64_t Calls() const;
    /// True once the fault happened.
    bool Fired() const;

    struct RSArmed;

private:
    std::unique_ptr<RSArmed> m_pArmed;
};

}  // namespace TFileOps
#pragma GCC visibility pop
