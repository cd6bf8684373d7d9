#include "ssl2/base/TFileOps.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>

namespace TFileOps {

struct RCFaultScope::RSArmed {
    RSFaultPlan m_Plan;
    std::atomic<std::uint64_t> m_nCalls{0};
    std::atomic<bool> m_bFired{false};
};

namespace {

using RSArmed = RCFaultScope::RSArmed;

std::atomic<RSArmed*> g_pArmed{nullptr};

/// 0 when the call goes ahead, otherwise the errno it fails with.
int Fault(TOp op) {
    RSArmed* armed = g_pArmed.load(std::memory_order_acquire);
    if (armed == nullptr)
        return 0;
    const RSFaultPlan& plan = armed->m_Plan;
    if (plan.m_anAlways[op] != 0)
        return plan.m_anAlways[op];
    if (!(plan.m_nOps & Bit(op)) || plan.m_nAt == 0)
        return 0;
    const std::uint64_t call = ++armed->m_nCalls;
    if (call < plan.m_nAt || (call > plan.m_nAt && !plan.m_bSticky))
        return 0;
    armed->m_bFired = true;
    if (plan.m_fnInstead) {
        if (call == plan.m_nAt)
            plan.m_fnInstead();
        return 0;
    }
    return plan.m_nError;
}

template <class Call>
auto Checked(TOp op, Call call) -> decltype(call()) {
    if (const int error = Fault(op)) {
        errno = error;
        return -1;
    }
    return call();
}

}  // namespace

int Open(const char* path, int flags, mode_t mode) {
    return OpenAt(AT_FDCWD, path, flags, mode);
}

int OpenAt(int dir, const char* path, int flags, mode_t mode) {
    return Checked(kOpen, [&] { return ::openat(dir, path, flags, mode); });
}

ssize_t Write(int fd, const void* data, std::size_t size) {
    return Checked(kWrite, [&] { return ::write(fd, data, size); });
}

int Fsync(int fd) {
    return Checked(kFsync, [&] { return ::fsync(fd); });
}

int Rename(const char* from, const char* to) {
    return RenameAt(AT_FDCWD, from, to);
}

int RenameAt(int dir, const char* from, const char* to) {
    return Checked(kRename, [&] { return ::renameat(dir, from, dir, to); });
}

int RenameNoReplace(const char* from, const char* to) {
    return RenameNoReplaceAt(AT_FDCWD, from, to);
}

int RenameNoReplaceAt(int dir, const char* from, const char* to) {
    return Checked(kRenameNoReplace,
                   [&] { return ::renameat2(dir, from, dir, to, RENAME_NOREPLACE); });
}

int Link(const char* from, const char* to) {
    return LinkAt(AT_FDCWD, from, to);
}

int LinkAt(int dir, const char* from, const char* to) {
    return Checked(kLink, [&] { return ::linkat(dir, from, dir, to, 0); });
}

int Mkdir(const char* path, mode_t mode) {
    return MkdirAt(AT_FDCWD, path, mode);
}

int MkdirAt(int dir, const char* path, mode_t mode) {
    return Checked(kMkdir, [&] { return ::mkdirat(dir, path, mode); });
}

int FsyncDir(const char* path) {
    return Checked(kFsyncDir, [&] {
        const int fd = ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return -1;
        const int result = ::fsync(fd);
        const int error = errno;
        ::close(fd);
        errno = error;
        return result;
    });
}

int FsyncDirFd(int dir) {
    return Checked(kFsyncDir, [&] { return ::fsync(dir); });
}

RCFaultScope::RCFaultScope(RSFaultPlan plan) : m_pArmed(std::make_unique<RSArmed>()) {
    m_pArmed->m_Plan = std::move(plan);
    g_pArmed.store(m_pArmed.get(), std::memory_order_release);
}

RCFaultScope::~RCFaultScope() {
    g_pArmed.store(nullptr, std::memory_order_release);
}

std::uint64_t RCFaultScope::Calls() const {
    return m_pArmed->m_nCalls.load();
}

bool RCFaultScope::Fired() const {
    return m_pArmed->m_bFired.load();
}

}  // namespace TFileOps
