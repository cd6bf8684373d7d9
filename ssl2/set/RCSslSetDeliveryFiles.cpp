#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "ssl2/base/TException.h"
#include "ssl2/base/TFile.h"
#include "ssl2/base/TFileOps.h"
#include "ssl2/base/TMessage.h"
#include "ssl2/set/RCSslSetDelivery.h"

namespace SslDelivery {
namespace {

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

[[noreturn]] void Raise(std::uint32_t number, const TString& path, int error) {
    ThrowNewError(RMCBaseErrors(), number, path, TString(std::strerror(error)));
}

constexpr const char* kTempPrefix = ".ssl2-";
constexpr const char* kTempSuffix = ".tmp";
constexpr std::size_t kTempRandom = 8;

/// The kernel or file system cannot rename without replacing.
bool NoReplaceUnsupported(int error) {
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

/// The file system has no hard links (FAT, exFAT, many SMB mounts).
bool LinksUnsupported(int error) {
    return error == EPERM || error == ENOSYS || error == EOPNOTSUPP;
}

/// A file written under a temporary name in the directory of its target, then
/// given its final name; removed when destroyed before that.
class TempFile {
public:
    /// `mode`: the permissions it is created with (less the umask).
    explicit TempFile(const TString& target, mode_t mode = 0600) {
        const TString dir = TFile::GetFileDir(TFile::NativePath(target));
        thread_local std::mt19937_64 random(std::random_device{}());
        static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string name = kTempPrefix;
            for (std::size_t i = 0; i < kTempRandom; ++i)
                name += kDigits[random() % (sizeof kDigits - 1)];
            m_sPath = (dir.IsEmpty() ? std::string("./") : dir.str()) + name + kTempSuffix;
            m_nFd = TFileOps::Open(m_sPath.c_str(),
                                   O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
            if (m_nFd >= 0 || errno != EEXIST)
                break;
        }
        if (m_nFd < 0) {
            const int error = errno;
            m_sPath.clear();
            Raise(RMCBaseErrors::kFileOpen, target, error);
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        if (m_nFd >= 0)
            ::close(m_nFd);
        if (!m_sPath.empty())
            ::unlink(m_sPath.c_str());
    }

    int Fd() const { return m_nFd; }

    void Write(const char* data, std::size_t size, const TString& target) {
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

    /// Writes the contents through to the disk and closes the file, so that the
    /// final name never shows less than the whole file.
    void Finish(const TString& target) {
        if (TFileOps::Fsync(m_nFd) != 0)
            Raise(RMCBaseErrors::kFileWrite, target, errno);
        const int fd = std::exchange(m_nFd, -1);
        if (::close(fd) != 0)
            Raise(RMCBaseErrors::kFileWrite, target, errno);
    }

    /// Gives the finished file the name `target`.  With `replace` an existing entry
    /// there (file or link) is replaced; without it the file is kept for another
    /// try and the result is false when `target` exists.
    bool Commit(const TString& target, bool replace) {
        const std::string native = TFile::NativePath(target).str();
        if (replace) {
            if (TFileOps::Rename(m_sPath.c_str(), native.c_str()) != 0)
                Raise(RMCBaseErrors::kFileWrite, target, errno);
        } else if (!CommitNoReplace(native, target)) {
            return false;
        }
        m_sPath.clear();
        return true;
    }

private:
    // Without replacing, in the best way the file system offers: an atomic rename
    // that refuses an existing target; a hard link; or, with neither, an exclusive
    // create of the final name that reserves it, then a rename onto that.  The last
    // shows an empty file under the final name for a moment.
    bool CommitNoReplace(const std::string& native, const TString& target) {
        if (TFileOps::RenameNoReplace(m_sPath.c_str(), native.c_str()) == 0)
            return true;
        if (errno == EEXIST)
            return false;
        if (!NoReplaceUnsupported(errno))
            Raise(RMCBaseErrors::kFileWrite, target, errno);
        if (TFileOps::Link(m_sPath.c_str(), native.c_str()) == 0) {
            ::unlink(m_sPath.c_str());
            return true;
        }
        if (errno == EEXIST)
            return false;
        if (!LinksUnsupported(errno))
            Raise(RMCBaseErrors::kFileWrite, target, errno);
        const int placeholder = TFileOps::Open(
            native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (placeholder < 0) {
            if (errno == EEXIST)
                return false;
            Raise(RMCBaseErrors::kFileWrite, target, errno);
        }
        ::close(placeholder);
        if (TFileOps::Rename(m_sPath.c_str(), native.c_str()) != 0) {
            const int error = errno;
            ::unlink(native.c_str());
            Raise(RMCBaseErrors::kFileWrite, target, error);
        }
        return true;
    }

    std::string m_sPath;
    int m_nFd = -1;
};

/// The source of a copy, opened for reading: a regular file.
class SourceFile {
public:
    explicit SourceFile(const TString& source) : m_sPath(source) {
        m_nFd = TFileOps::Open(TFile::NativePath(source).c_str(), O_RDONLY | O_CLOEXEC);
        if (m_nFd < 0)
            Raise(RMCBaseErrors::kFileOpen, source, errno);
        struct stat info {};
        if (::fstat(m_nFd, &info) != 0)
            Raise(RMCBaseErrors::kFileRead, source, errno);
        if (!S_ISREG(info.st_mode))
            Raise(RMCBaseErrors::kFileOpen, source, S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
        m_nMode = info.st_mode & 0777;
    }
    SourceFile(const SourceFile&) = delete;
    SourceFile& operator=(const SourceFile&) = delete;
    ~SourceFile() { ::close(m_nFd); }

    /// Copies the whole file into `temp`, with the source's permissions.
    void CopyTo(TempFile& temp, const TString& target) {
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

private:
    TString m_sPath;
    int m_nFd = -1;
    mode_t m_nMode = 0644;
};

}  // namespace

TString SafeFileName(const TString& path) {
    const std::string& s = path.str();
    std::size_t end = s.size();
    std::size_t begin = end;
    while (begin > 0 && !IsSeparator(s[begin - 1]))
        --begin;
    TString name(s.substr(begin, end - begin));
    if (path.IsEmpty() || IsPlainName(name))
        return name;
    return TString("_");
}

bool IsPlainName(const TString& name) {
    if (name.IsEmpty() || name == "." || name == "..")
        return false;
    for (char c : name.str()) {
        if (IsSeparator(c))
            return false;
    }
    return true;
}

TString StripSeparators(const TString& directory) {
    std::string s = directory.str();
    while (s.size() > 1 && IsSeparator(s.back()))
        s.pop_back();
    return TString(std::move(s));
}

TString JoinPath(const TString& directory, const TString& name) {
    if (directory.IsEmpty())
        return name;
    TString dir = StripSeparators(directory);
    if (!IsSeparator(dir[dir.GetLength() - 1]))
        dir += '/';
    return dir + name;
}

TString ReplaceReservedChars(TString text) {
    std::string s = text.str();
    for (char& c : s) {
        if (std::strchr("/\\<>?\"|:", c) != nullptr && c != '\0')
            c = '_';
    }
    return TString(std::move(s));
}

TString MakeJobDirName(const TString& jobName, bool& changed) {
    const TString replaced = ReplaceReservedChars(jobName);
    TString name = replaced;
    name.StripTail(". ");
    if (name.IsEmpty())
        name = "JH_SET";
    changed = !(name == replaced);
    return name;
}

TString CollisionFreeName(const TString& directory, const TString& name) {
    auto taken = [&](const TString& candidate) {
        struct stat info {};
        return ::lstat(TFile::NativePath(JoinPath(directory, candidate)).c_str(), &info) == 0;
    };
    if (!taken(name))
        return name;
    TString rest = name;
    const TString token = rest.Token(".");
    for (unsigned long long counter = 1;; ++counter) {
        TString candidate = token + "_" + TString(static_cast<long long>(counter)) + rest;
        if (!taken(candidate))
            return candidate;
    }
}

bool IsTemporaryName(const TString& name) {
    const std::string& s = name.str();
    const std::size_t prefix = std::strlen(kTempPrefix), suffix = std::strlen(kTempSuffix);
    return s.size() == prefix + kTempRandom + suffix && s.compare(0, prefix, kTempPrefix) == 0 &&
           s.compare(s.size() - suffix, suffix, kTempSuffix) == 0;
}

bool WriteFileAtomically(const TString& path, std::string_view bytes, bool replace) {
    TempFile temp(path);
    ::fchmod(temp.Fd(), 0644);
    temp.Write(bytes.data(), bytes.size(), path);
    temp.Finish(path);
    return temp.Commit(path, replace);
}

bool CopyFileAtomically(const TString& source, const TString& target, bool replace) {
    SourceFile in(source);
    TempFile temp(target);
    in.CopyTo(temp, target);
    return temp.Commit(target, replace);
}

void ReplaceFileAtomically(const TString& path, std::string_view bytes) {
    struct stat old {};
    const bool keepMode =
        ::lstat(TFile::NativePath(path).c_str(), &old) == 0 && S_ISREG(old.st_mode);
    TempFile temp(path, keepMode ? 0600 : 0666);
    if (keepMode)
        ::fchmod(temp.Fd(), old.st_mode & 0777);
    temp.Write(bytes.data(), bytes.size(), path);
    temp.Finish(path);
    temp.Commit(path, true);
    SyncDirectory(TFile::GetFileDir(TFile::NativePath(path)));
}

void SyncDirectory(const TString& path) {
    const TString native = path.IsEmpty() ? TString(".") : TFile::NativePath(path);
    if (TFileOps::FsyncDir(native.c_str()) == 0)
        return;
    const int error = errno;
    if (error != EINVAL) {
        ThrowNewError(RMCBaseErrors(), RMCBaseErrors::kSystemError, "fsync",
                      TString(std::strerror(error)), path);
    }
}

void RCCreatedEntries::Remove() noexcept {
    for (auto it = m_Entries.rbegin(); it != m_Entries.rend(); ++it) {
        const std::string native = TFile::NativePath(it->first).str();
        if (it->second)
            ::rmdir(native.c_str());
        else
            ::unlink(native.c_str());
    }
    m_Entries.clear();
}

TString CopyFileUnderFreeName(const TString& source, const TString& directory,
                              const TString& name) {
    SourceFile in(source);
    TempFile temp(JoinPath(directory, name));
    in.CopyTo(temp, JoinPath(directory, name));
    // A name found free may be taken before the file gets it: then the next one.
    for (;;) {
        const TString free = CollisionFreeName(directory, name);
        if (temp.Commit(JoinPath(directory, free), false))
            return free;
    }
}

bool MakeNewDirectory(const TString& path) {
    const TString dir = StripSeparators(path);
    const TString parent = TFile::GetFileDir(dir);
    if (!parent.IsEmpty() && !TFile::DirExist(parent))
        TFile::CreateCompleteDir(parent);
    if (TFileOps::Mkdir(TFile::NativePath(dir).c_str(), 0777) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    ThrowNewError(RMCBaseErrors(), RMCBaseErrors::kSystemError, "create directory",
                  TString(std::strerror(errno)), path);
}

TString ClaimQueueDirectory(const TString& base, bool create) {
    TAnsiFile numberFile(JoinPath(base, "latest.num"),
                         TFile::kReadWrite | TFile::kOpenExisting | TFile::kExclusive);
    TString name;
    numberFile.GetLine(name, 260);
    std::uint32_t value = 0;
    if (!name.Value(value))
        value = 0;
    unsigned long long next = static_cast<unsigned long long>(value) + 1;
    TString formatted = TString::Format("%.8llu", next);
    // Passed over like an existing directory: a name that is not one plain entry
    // (empty, "..", a path), and any entry of that name, so that a stray file can
    // never make every later claim fail.
    auto taken = [&](const TString& candidate) {
        struct stat info {};
        return !IsPlainName(candidate) ||
               ::lstat(TFile::NativePath(JoinPath(base, candidate)).c_str(), &info) == 0;
    };
    while (taken(name)) {
        name = formatted;
        ++next;
        formatted = TString::Format("%.8llu", next);
    }
    numberFile.Start();
    numberFile.PutLine(formatted);
    numberFile.SetEndOfFile();
    // The directory is made while the number file is still held, so no claimant
    // sees the advanced number before the directory exists; a failure to make it
    // leaves the number advanced, so the queue goes on with the next one.
    const TString directory = JoinPath(base, name) + "/";
    if (create)
        TFile::CreateCompleteDir(directory);
    numberFile.Close();
    return directory;
}

}  // namespace SslDelivery
