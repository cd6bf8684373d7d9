#include "ssl2/base/TDirectory.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ostream>
#include <random>
#include <string_view>
#include <utility>
#include <vector>

#include "ssl2/base/TException.h"
#include "ssl2/base/TFile.h"
#include "ssl2/base/TFileOps.h"
#include "ssl2/base/TMessage.h"

namespace {

constexpr const char* kTempPrefix = ".ssl2-";
constexpr const char* kTempSuffix = ".tmp";
constexpr std::size_t kTempRandom = 8;

[[noreturn]] void Raise(std::uint32_t number, const TString& path, int error) {
    ThrowNewError(RMCBaseErrors(), number, path, TString(std::strerror(error)));
}

/// The kernel or file system cannot rename without replacing.
bool NoReplaceUnsupported(int error) {
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

/// The file system has no hard links (FAT, exFAT, many SMB mounts).
bool LinksUnsupported(int error) {
    return error == EPERM || error == ENOSYS || error == EOPNOTSUPP;
}

/// The name as the system calls take it: a NUL inside would cut it short there.
const char* EntryName(const TString& name, const TString& path) {
    if (name.str().find('\0') != std::string::npos)
        ThrowNewError(RMCBaseErrors(), RMCBaseErrors::kFileOpen, path,
                      "the name holds a NUL character");
    return name.c_str();
}

/// EntryName of an entry of `dir`, whose path is made only for the message.
const char* EntryName(const TString& name, const RCDirectory& dir) {
    return name.str().find('\0') == std::string::npos ? name.c_str()
                                                      : EntryName(name, dir.PathOf(name));
}

/// The type bits of the entry `name` of the directory `fd` itself, or of what a link
/// there leads to with `follow`; 0 when there is none.
mode_t EntryType(int fd, const char* name, bool follow = false) {
    struct stat info {};
    return ::fstatat(fd, name, &info, follow ? 0 : AT_SYMLINK_NOFOLLOW) == 0 ? info.st_mode & S_IFMT
                                                                             : 0;
}

}  // namespace

// --- RCDirectory -------------------------------------------------------------------

RCDirectory::RCDirectory(const TString& path) : m_sPath(path) {
    const TString native = path.IsEmpty() ? TString(".") : TFile::NativePath(path);
    m_nFd = TFileOps::Open(native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_nFd < 0)
        Raise(RMCBaseErrors::kFileOpen, path, errno);
}

RCDirectory::RCDirectory(const RCDirectory& parent, const TString& name)
    : m_sPath(parent.PathOf(name)) {
    m_nFd = TFileOps::OpenAt(parent.Fd(), EntryName(name, m_sPath),
                             O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (m_nFd < 0)
        Raise(RMCBaseErrors::kFileOpen, m_sPath, errno == ELOOP ? ENOTDIR : errno);
}

RCDirectory::RCDirectory(RCDirectory&& other) noexcept
    : m_nFd(std::exchange(other.m_nFd, -1)), m_sPath(std::move(other.m_sPath)) {}

RCDirectory::~RCDirectory() {
    if (m_nFd >= 0)
        ::close(m_nFd);
}

TString RCDirectory::PathOf(const TString& name) const {
    std::string path = m_sPath.str();
    if (!path.empty() && path.back() != '/' && path.back() != '\\')
        path += '/';
    return TString(path + name.str());
}

bool RCDirectory::Has(const TString& name) const {
    return EntryType(m_nFd, EntryName(name, *this)) != 0;
}

bool RCDirectory::HasFile(const TString& name) const {
    return EntryType(m_nFd, EntryName(name, *this)) == S_IFREG;
}

mode_t RCDirectory::TypeOf(const TString& name, bool follow) const {
    return EntryType(m_nFd, EntryName(name, *this), follow);
}

std::vector<RSDirEntry> RCDirectory::List() const {
    // Read through the handle itself (from its start), so that the list is of the
    // directory opened even when its path leads elsewhere by now.
    if (::lseek(m_nFd, 0, SEEK_SET) != 0)
        Raise(RMCBaseErrors::kFileRead, m_sPath, errno);
    std::vector<RSDirEntry> entries;
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        const ssize_t size = ::getdents64(m_nFd, buffer.data(), buffer.size());
        if (size < 0)
            Raise(RMCBaseErrors::kFileRead, m_sPath, errno);
        if (size == 0)
            return entries;
        for (ssize_t at = 0; at < size;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer.data() + at);
            at += entry->d_reclen;
            const std::string_view name(entry->d_name);
            if (name != "." && name != "..")
                entries.push_back({std::string(name), entry->d_type});
        }
    }
}

bool RCDirectory::MakeDirectory(const TString& name) const {
    if (TFileOps::MkdirAt(m_nFd, EntryName(name, *this), 0777) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    ThrowNewError(RMCBaseErrors(), RMCBaseErrors::kSystemError, "create directory",
                  TString(std::strerror(errno)), PathOf(name));
}

void RCDirectory::Remove(const TString& name, bool directory) const noexcept {
    if (name.str().find('\0') == std::string::npos)
        ::unlinkat(m_nFd, name.c_str(), directory ? AT_REMOVEDIR : 0);
}

void RCDirectory::Delete(const TString& name) const {
    if (::unlinkat(m_nFd, EntryName(name, *this), 0) != 0)
        ThrowLastError("delete", PathOf(name));
}

void RCDirectory::Sync() const {
    if (TFileOps::FsyncDirFd(m_nFd) == 0 || errno == EINVAL)
        return;
    ThrowNewError(RMCBaseErrors(), RMCBaseErrors::kSystemError, "fsync",
                  TString(std::strerror(errno)), m_sPath);
}

// --- RCTempFile --------------------------------------------------------------------

RCTempFile::RCTempFile(const RCDirectory& dir, mode_t mode) : m_Dir(dir) {
    thread_local std::mt19937_64 random(std::random_device{}());
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_sName = kTempPrefix;
        for (std::size_t i = 0; i < kTempRandom; ++i)
            m_sName += kDigits[random() % (sizeof kDigits - 1)];
        m_sName += kTempSuffix;
        m_nFd = TFileOps::OpenAt(dir.Fd(), m_sName.c_str(),
                                 O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (m_nFd >= 0 || errno != EEXIST)
            break;
    }
    if (m_nFd < 0) {
        const int error = errno;
        m_sName.clear();
        Raise(RMCBaseErrors::kFileOpen, dir.GetPath(), error);
    }
}

RCTempFile::~RCTempFile() {
    if (m_nFd >= 0)
        ::close(m_nFd);
    if (!m_sName.empty())
        ::unlinkat(m_Dir.Fd(), m_sName.c_str(), 0);
}

void RCTempFile::Write(const char* data, std::size_t size, const TString& target) {
    while (size > 0) {
        const ssize_t n = TFileOps::Write(m_nFd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            Raise(RMCBaseErrors::kFileWrite, target, n < 0 ? errno : EIO);
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

void RCTempFile::Finish(const TString& target) {
    if (TFileOps::Fsync(m_nFd) != 0)
        Raise(RMCBaseErrors::kFileWrite, target, errno);
    const int fd = std::exchange(m_nFd, -1);
    if (::close(fd) != 0)
        Raise(RMCBaseErrors::kFileWrite, target, errno);
}

bool RCTempFile::Commit(const TString& name, bool replace) {
    const TString target = m_Dir.PathOf(name);
    const std::string entry = EntryName(name, target);
    if (replace) {
        if (TFileOps::RenameAt(m_Dir.Fd(), m_sName.c_str(), entry.c_str()) != 0)
            Raise(RMCBaseErrors::kFileWrite, target, errno);
    } else if (!CommitNoReplace(entry, target)) {
        return false;
    }
    m_sName.clear();
    return true;
}

// Without replacing, in the best way the file system offers: an atomic rename that
// refuses an existing target; a hard link; or, with neither, an exclusive create of
// the final name that reserves it, then a rename onto that.  The last shows an empty
// file under the final name for a moment.
bool RCTempFile::CommitNoReplace(const std::string& name, const TString& target) {
    const int dir = m_Dir.Fd();
    if (TFileOps::RenameNoReplaceAt(dir, m_sName.c_str(), name.c_str()) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    if (!NoReplaceUnsupported(errno))
        Raise(RMCBaseErrors::kFileWrite, target, errno);
    if (TFileOps::LinkAt(dir, m_sName.c_str(), name.c_str()) == 0) {
        ::unlinkat(dir, m_sName.c_str(), 0);
        return true;
    }
    if (errno == EEXIST)
        return false;
    if (!LinksUnsupported(errno))
        Raise(RMCBaseErrors::kFileWrite, target, errno);
    const int placeholder = TFileOps::OpenAt(
        dir, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (placeholder < 0) {
        if (errno == EEXIST)
            return false;
        Raise(RMCBaseErrors::kFileWrite, target, errno);
    }
    ::close(placeholder);
    if (TFileOps::RenameAt(dir, m_sName.c_str(), name.c_str()) != 0) {
        const int error = errno;
        ::unlinkat(dir, name.c_str(), 0);
        Raise(RMCBaseErrors::kFileWrite, target, error);
    }
    return true;
}

// --- RCSourceFile ------------------------------------------------------------------

RCSourceFile::RCSourceFile(const TString& path) : m_sPath(path) {
    m_nFd = TFileOps::Open(TFile::NativePath(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_nFd < 0)
        Raise(RMCBaseErrors::kFileOpen, path, errno);
    struct stat info {};
    if (::fstat(m_nFd, &info) != 0)
        Raise(RMCBaseErrors::kFileRead, path, errno);
    if (!S_ISREG(info.st_mode))
        ThrowNewError(RMCBaseErrors(), RMCBaseErrors::kFileOpen, path, "not a regular file");
    ::fcntl(m_nFd, F_SETFL, ::fcntl(m_nFd, F_GETFL) & ~O_NONBLOCK);
    m_nMode = info.st_mode & 0777;
    m_nDev = info.st_dev;
    m_nIno = info.st_ino;
}

RCSourceFile::~RCSourceFile() {
    if (m_nFd >= 0)
        ::close(m_nFd);
}

void RCSourceFile::CopyTo(RCTempFile& temp, const TString& target) {
    ::fchmod(temp.Fd(), m_nMode);
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t n = ::read(m_nFd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            Raise(RMCBaseErrors::kFileRead, m_sPath, errno);
        if (n == 0)
            break;
        temp.Write(buffer.data(), static_cast<std::size_t>(n), target);
    }
    temp.Finish(target);
}

// --- TFile::ReplaceAtomically ------------------------------------------------------

void TFile::ReplaceAtomically(const TString& path, std::string_view bytes) {
    ReplaceAtomically(path, [bytes](std::ostream& out) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    });
}

void TFile::ReplaceAtomically(const TString& path,
                              const std::function<void(std::ostream&)>& write) {
    const TString native = NativePath(path);
    const RCDirectory dir(GetFileDir(native));
    const TString name = native.Mid(GetFileDir(native).GetLength());
    struct stat old {};
    const bool keepMode =
        ::fstatat(dir.Fd(), EntryName(name, path), &old, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(old.st_mode);
    RCTempFile temp(dir, keepMode ? 0600 : 0666);
    if (keepMode)
        ::fchmod(temp.Fd(), old.st_mode & 0777);
    TSinkBuffer buffer(
        [&temp, &path](const char* data, std::size_t size) { temp.Write(data, size, path); });
    std::ostream out(&buffer);
    out.exceptions(std::ios::badbit | std::ios::failbit);
    write(out);
    out.flush();
    temp.Finish(path);
    temp.Commit(name, true);
    dir.Sync();
}

// --- TSinkBuffer -----------------------------------------------------------------------

TSinkBuffer::TSinkBuffer(TSink sink) : m_Sink(std::move(sink)), m_aBuffer(std::size_t{1} << 16) {
    setp(m_aBuffer.data(), m_aBuffer.data() + m_aBuffer.size());
}

TSinkBuffer::int_type TSinkBuffer::overflow(int_type c) {
    sync();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int TSinkBuffer::sync() {
    // The buffer is emptied first, so that a sink that raises is not handed the same
    // bytes again by a later flush.
    const std::size_t size = static_cast<std::size_t>(pptr() - pbase());
    setp(m_aBuffer.data(), m_aBuffer.data() + m_aBuffer.size());
    if (size > 0)
        m_Sink(m_aBuffer.data(), size);
    return 0;
}

bool TFile::IsTemporaryName(const TString& name) {
    const std::string& s = name.str();
    const std::size_t prefix = std::strlen(kTempPrefix), suffix = std::strlen(kTempSuffix);
    return s.size() == prefix + kTempRandom + suffix && s.compare(0, prefix, kTempPrefix) == 0 &&
           s.compare(s.size() - suffix, suffix, kTempSuffix) == 0;
}
