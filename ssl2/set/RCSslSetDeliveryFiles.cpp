#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ssl2/base/TException.h"
#include "ssl2/base/TFile.h"
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

/// Closes a descriptor and removes a temporary file unless released.
class TempFile {
public:
    explicit TempFile(const TString& target) {
        const TString dir = TFile::GetFileDir(target);
        m_sPath = (dir.IsEmpty() ? std::string("./") : dir.str()) + ".ssl2-XXXXXX.tmp";
        m_nFd = ::mkostemps(m_sPath.data(), 4, O_CLOEXEC);
        if (m_nFd < 0)
            Raise(RMCBaseErrors::kFileOpen, target, errno);
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
            const ssize_t n = ::write(m_nFd, data, size);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                Raise(RMCBaseErrors::kFileWrite, target, n < 0 ? errno : EIO);
            data += n;
            size -= static_cast<std::size_t>(n);
        }
    }

    /// Closes the file and gives it the name `target`.
    void Commit(const TString& target, bool replace) {
        const int fd = m_nFd;
        m_nFd = -1;
        if (::close(fd) != 0)
            Raise(RMCBaseErrors::kFileWrite, target, errno);
        const std::string native = TFile::NativePath(target).str();
        if (replace) {
            if (::rename(m_sPath.c_str(), native.c_str()) != 0)
                Raise(RMCBaseErrors::kFileWrite, target, errno);
        } else {
            // link() never replaces and never follows a link at the target.
            if (::link(m_sPath.c_str(), native.c_str()) != 0)
                Raise(RMCBaseErrors::kFileWrite, target, errno);
            ::unlink(m_sPath.c_str());
        }
        m_sPath.clear();
    }

private:
    std::string m_sPath;
    int m_nFd = -1;
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

void WriteFileAtomically(const TString& path, std::string_view bytes) {
    TempFile temp(path);
    ::fchmod(temp.Fd(), 0644);
    temp.Write(bytes.data(), bytes.size(), path);
    temp.Commit(path, true);
}

void CopyFileAtomically(const TString& source, const TString& target, bool replace) {
    const int in = ::open(TFile::NativePath(source).c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        Raise(RMCBaseErrors::kFileOpen, source, errno);
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closeIn{in};
    struct stat from {};
    if (::fstat(in, &from) != 0)
        Raise(RMCBaseErrors::kFileRead, source, errno);
    if (!S_ISREG(from.st_mode))
        Raise(RMCBaseErrors::kFileOpen, source, S_ISDIR(from.st_mode) ? EISDIR : EINVAL);

    TempFile temp(target);
    ::fchmod(temp.Fd(), from.st_mode & 0777);
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            Raise(RMCBaseErrors::kFileRead, source, errno);
        if (n == 0)
            break;
        temp.Write(buffer.data(), static_cast<std::size_t>(n), target);
    }
    temp.Commit(target, replace);
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
