#include "ssl2/base/TFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "ssl2/base/TException.h"
#include "ssl2/base/TFileOps.h"
#include "ssl2/base/TMessage.h"

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

// Length of a drive prefix such as "C:" (0 when there is none).
std::size_t DriveLength(const std::string& path) {
    const bool letter =
        !path.empty() && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    return (letter && path.size() >= 2 && path[1] == ':') ? 2 : 0;
}

// Position of the last component: after the last separator or the drive prefix.
std::size_t NameStart(const std::string& path) {
    const auto p = path.find_last_of("/\\");
    return p == std::string::npos ? DriveLength(path) : p + 1;
}

// Position of the extension's dot in the last component, or npos.
std::size_t ExtStart(const std::string& path) {
    const std::size_t name = NameStart(path);
    const auto dot = path.rfind('.');
    return (dot == std::string::npos || dot <= name) ? std::string::npos : dot;
}

[[noreturn]] void RaiseFor(std::uint32_t number, const TString& path, int error) {
    ThrowNewError(RMCBaseErrors(), number, path, TString(std::strerror(error)));
}

[[noreturn]] void RaiseFor(std::uint32_t number, const TString& path, const char* reason) {
    ThrowNewError(RMCBaseErrors(), number, path, reason);
}

// A descriptor closed on scope exit.
class ScopedFd {
public:
    explicit ScopedFd(int fd) : m_fd(fd) {}
    ~ScopedFd() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    ScopedFd(const ScopedFd&) = delete;
    ScopedFd& operator=(const ScopedFd&) = delete;
    int Get() const { return m_fd; }
    int Release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

bool HoldsNul(const TString& path) {
    return path.str().find('\0') != std::string::npos;
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = TFileOps::Write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

ssize_t ReadSome(int fd, char* data, std::size_t size) {
    ssize_t n;
    do {
        n = ::read(fd, data, size);
    } while (n < 0 && errno == EINTR);
    return n;
}

}  // namespace

// --- TFile: open and close ---------------------------------------------------------

TFile::TFile(const TString& path, unsigned mode) {
    Open(path, mode);
}

TFile::TFile(TFile&& other) noexcept
    : m_nFd(std::exchange(other.m_nFd, -1)),
      m_sPath(std::move(other.m_sPath)),
      m_aInput(std::move(other.m_aInput)),
      m_nInPos(std::exchange(other.m_nInPos, 0)),
      m_nInEnd(std::exchange(other.m_nInEnd, 0)),
      m_sOutput(std::move(other.m_sOutput)) {}

TFile& TFile::operator=(TFile&& other) noexcept {
    if (this != &other) {
        try {
            Close();
        } catch (const TException&) {
            ClearError();
        }
        m_nFd = std::exchange(other.m_nFd, -1);
        m_sPath = std::move(other.m_sPath);
        m_aInput = std::move(other.m_aInput);
        m_nInPos = std::exchange(other.m_nInPos, 0);
        m_nInEnd = std::exchange(other.m_nInEnd, 0);
        m_sOutput = std::move(other.m_sOutput);
    }
    return *this;
}

TFile::~TFile() {
    if (m_nFd < 0)
        return;
    if (!m_sOutput.empty())
        WriteAll(m_nFd, m_sOutput.data(), m_sOutput.size());
    ::close(m_nFd);
}

void TFile::Open(const TString& path, unsigned mode) {
    Close();
    const TString native = NativePath(path);
    int flags = O_CLOEXEC;
    switch (mode & kReadWrite) {
        case kWrite:
            flags |= O_WRONLY;
            break;
        case kReadWrite:
            flags |= O_RDWR;
            break;
        default:
            flags |= O_RDONLY;
            break;
    }
    const bool exclusive = (mode & kExclusive) != 0;
    if (mode & kCreateNew) {
        flags |= O_CREAT | O_EXCL;
    } else if (mode & (kCreateAlways | kOpenAlways)) {
        flags |= O_CREAT;
    }
    // An exclusive opener empties the file only once it holds the lock, so it never
    // destroys the contents of another holder.
    const bool truncate = (mode & kCreateAlways) && !(mode & kCreateNew);
    if (truncate && !exclusive)
        flags |= O_TRUNC;

    ScopedFd fd(TFileOps::Open(native.c_str(), flags, 0666));
    if (fd.Get() < 0)
        RaiseFor(RMCBaseErrors::kFileOpen, path, errno);
    struct stat info {};
    if (::fstat(fd.Get(), &info) == 0 && S_ISDIR(info.st_mode))
        RaiseFor(RMCBaseErrors::kFileOpen, path, EISDIR);
    if (exclusive && ::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK)
            RaiseFor(RMCBaseErrors::kFileOpen, path, "in use by another");
        RaiseFor(RMCBaseErrors::kFileOpen, path, errno);
    }
    if (truncate && exclusive && ::ftruncate(fd.Get(), 0) != 0)
        RaiseFor(RMCBaseErrors::kFileOpen, path, errno);
    m_nFd = fd.Release();
    m_sPath = path;
    m_nInPos = m_nInEnd = 0;
}

void TFile::Close() {
    if (m_nFd < 0)
        return;
    const bool written = m_sOutput.empty() || WriteAll(m_nFd, m_sOutput.data(), m_sOutput.size());
    const int error = errno;
    m_sOutput.clear();
    const bool closed = ::close(m_nFd) == 0;
    const int closeError = errno;
    m_nFd = -1;
    m_nInPos = m_nInEnd = 0;
    if (!written)
        Fail(RMCBaseErrors::kFileWrite, error);
    if (!closed)
        Fail(RMCBaseErrors::kFileWrite, closeError);
}

void TFile::Fail(std::uint32_t number, int error) const {
    RaiseFor(number, m_sPath, error);
}

// --- TFile: bytes and lines --------------------------------------------------------

void TFile::Flush() {
    if (m_sOutput.empty())
        return;
    if (!WriteAll(m_nFd, m_sOutput.data(), m_sOutput.size())) {
        const int error = errno;
        m_sOutput.clear();
        Fail(RMCBaseErrors::kFileWrite, error);
    }
    m_sOutput.clear();
}

void TFile::DropInput() {
    if (m_nInPos < m_nInEnd) {
        ::lseek(m_nFd, -static_cast<off_t>(m_nInEnd - m_nInPos), SEEK_CUR);
    }
    m_nInPos = m_nInEnd = 0;
}

std::uint32_t TFile::Fill() {
    if (m_nFd < 0)
        RaiseFor(RMCBaseErrors::kFileRead, m_sPath, "file is not open");
    Flush();
    if (m_aInput.size() < kBufferSize)
        m_aInput.resize(kBufferSize);
    const ssize_t n = ReadSome(m_nFd, m_aInput.data(), m_aInput.size());
    if (n < 0)
        Fail(RMCBaseErrors::kFileRead, errno);
    m_nInPos = 0;
    m_nInEnd = static_cast<std::size_t>(n);
    return static_cast<std::uint32_t>(n);
}

std::uint32_t TFile::Read(void* buffer, std::uint32_t size) {
    auto* out = static_cast<char*>(buffer);
    std::uint32_t done = 0;
    while (done < size) {
        if (m_nInPos == m_nInEnd && Fill() == 0)
            break;
        const std::size_t n = std::min<std::size_t>(size - done, m_nInEnd - m_nInPos);
        std::memcpy(out + done, m_aInput.data() + m_nInPos, n);
        m_nInPos += n;
        done += static_cast<std::uint32_t>(n);
    }
    return done;
}

void TFile::Write(const void* data, std::uint32_t size) {
    if (m_nFd < 0)
        RaiseFor(RMCBaseErrors::kFileWrite, m_sPath, "file is not open");
    DropInput();
    m_sOutput.append(static_cast<const char*>(data), size);
    if (m_sOutput.size() >= kBufferSize)
        Flush();
}

void TFile::Start() {
    if (m_nFd < 0)
        RaiseFor(RMCBaseErrors::kFileRead, m_sPath, "file is not open");
    Flush();
    m_nInPos = m_nInEnd = 0;
    if (::lseek(m_nFd, 0, SEEK_SET) < 0)
        Fail(RMCBaseErrors::kFileRead, errno);
}

void TFile::SetEndOfFile() {
    if (m_nFd < 0)
        RaiseFor(RMCBaseErrors::kFileWrite, m_sPath, "file is not open");
    Flush();
    DropInput();
    const off_t here = ::lseek(m_nFd, 0, SEEK_CUR);
    if (here < 0 || ::ftruncate(m_nFd, here) != 0)
        Fail(RMCBaseErrors::kFileWrite, errno);
}

int TFile::PeekByte(std::size_t ahead) {
    while (m_nInEnd - m_nInPos <= ahead) {
        if (m_nInPos == m_nInEnd) {
            if (Fill() == 0)
                return -1;
            continue;
        }
        // Keep the unread bytes and read more behind them.
        std::memmove(m_aInput.data(), m_aInput.data() + m_nInPos, m_nInEnd - m_nInPos);
        m_nInEnd -= m_nInPos;
        m_nInPos = 0;
        const ssize_t n = ReadSome(m_nFd, m_aInput.data() + m_nInEnd, m_aInput.size() - m_nInEnd);
        if (n < 0)
            Fail(RMCBaseErrors::kFileRead, errno);
        if (n == 0)
            return -1;
        m_nInEnd += static_cast<std::size_t>(n);
    }
    return static_cast<unsigned char>(m_aInput[m_nInPos + ahead]);
}

bool TFile::GetLine(TString& line, std::uint32_t maxLength) {
    if (maxLength == 0)
        maxLength = TString::kWholeText;
    if (PeekByte(0) < 0)
        return false;
    std::string bytes;
    for (int c = PeekByte(0); c >= 0; c = PeekByte(0)) {
        // The line end (LF, CR LF, or a CR at the end of the file) belongs to the
        // line even right after a full piece, so no empty piece follows.
        if (c == '\n') {
            ReadByte();
            break;
        }
        if (c == '\r') {
            const int next = PeekByte(1);
            if (next == '\n' || next < 0) {
                ReadByte();
                if (next == '\n')
                    ReadByte();
                break;
            }
        }
        if (bytes.size() >= maxLength)
            break;  // the rest of the line is the next piece
        bytes += static_cast<char>(ReadByte());
    }
    line = TString(std::move(bytes));
    return true;
}

void TFile::PutLine(const TString& line) {
    Write(line.c_str(), line.GetLength());
    Write("\r\n", 2);
}

// --- TFile: statics ----------------------------------------------------------------

TString TFile::NativePath(const TString& path) {
    std::string p = path.str();
    if (p.find('\0') != std::string::npos)
        RaiseFor(RMCBaseErrors::kFileOpen, path, "the name holds a NUL character");
    for (auto& c : p)
        if (c == '\\')
            c = '/';
    return TString(std::move(p));
}

bool TFile::Exist(const TString& path) {
    struct stat info {};
    if (HoldsNul(path))
        return false;
    return ::stat(NativePath(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool TFile::DirExist(const TString& path) {
    struct stat info {};
    if (HoldsNul(path))
        return false;
    return ::stat(NativePath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void TFile::Copy(const TString& source, const TString& target, bool failIfExists) {
    // Opened without blocking, so that a FIFO never hangs the copy.
    ScopedFd in(::open(NativePath(source).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (in.Get() < 0)
        RaiseFor(RMCBaseErrors::kFileOpen, source, errno);
    struct stat from {};
    if (::fstat(in.Get(), &from) != 0)
        RaiseFor(RMCBaseErrors::kFileRead, source, errno);
    if (S_ISDIR(from.st_mode))
        RaiseFor(RMCBaseErrors::kFileOpen, source, EISDIR);
    if (!S_ISREG(from.st_mode))
        RaiseFor(RMCBaseErrors::kFileOpen, source, "not a regular file");
    ::fcntl(in.Get(), F_SETFL, ::fcntl(in.Get(), F_GETFL) & ~O_NONBLOCK);

    const TString native = NativePath(target);
    // Emptying the target must never destroy the source: refuse a copy onto itself.
    struct stat to {};
    if (::stat(native.c_str(), &to) == 0 && to.st_dev == from.st_dev && to.st_ino == from.st_ino)
        RaiseFor(RMCBaseErrors::kFileWrite, target, "source and target are the same file");

    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (failIfExists ? O_EXCL : O_TRUNC);
    ScopedFd out(::open(native.c_str(), flags, from.st_mode & 0777));
    if (out.Get() < 0)
        RaiseFor(RMCBaseErrors::kFileOpen, target, errno);

    auto abandon = [&](std::uint32_t number, const TString& path, int error) {
        ::close(out.Release());
        ::unlink(native.c_str());
        RaiseFor(number, path, error);
    };
    std::vector<char> buffer(kBufferSize);
    for (;;) {
        const ssize_t n = ReadSome(in.Get(), buffer.data(), buffer.size());
        if (n < 0)
            abandon(RMCBaseErrors::kFileRead, source, errno);
        if (n == 0)
            break;
        if (!WriteAll(out.Get(), buffer.data(), static_cast<std::size_t>(n)))
            abandon(RMCBaseErrors::kFileWrite, target, errno);
    }
    if (::close(out.Release()) != 0) {
        const int error = errno;
        ::unlink(native.c_str());
        RaiseFor(RMCBaseErrors::kFileWrite, target, error);
    }
}

void TFile::Delete(const TString& path) {
    if (::unlink(NativePath(path).c_str()) != 0 && errno != ENOENT)
        ThrowLastError("delete", path);
}

void TFile::CreateCompleteDir(const TString& path) {
    std::string dir = NativePath(path).str();
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    auto fail = [&](int error) {
        ThrowNewError(RMCBaseErrors(), RMCBaseErrors::kSystemError, "create directory",
                      TString(std::strerror(error)), path);
    };
    // Each missing level in turn; one made meanwhile by another process is as good.
    for (std::size_t end = dir.find('/', 1);; end = dir.find('/', end + 1)) {
        const TString level(dir.substr(0, end));
        if (!DirExist(level) && TFileOps::Mkdir(level.c_str(), 0777) != 0) {
            const int error = errno;
            if (error != EEXIST || !DirExist(level))
                fail(error);
        }
        if (end == std::string::npos)
            break;
    }
}

TString TFile::GetTmpPath() {
    const char* dir = std::getenv("TMPDIR");
    std::string path = (dir && *dir) ? dir : "/tmp";
    if (path.back() != '/')
        path += '/';
    return TString(std::move(path));
}

TString TFile::GetTempFileNameA(const TString& directory, const TString& prefix,
                                unsigned int unique) {
    std::string path = NativePath(directory).str();
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += prefix.Left(3).str();
    if (unique != 0)
        return TString(path + TString::Format("%X.tmp", unique).str());
    path += "XXXXXX.tmp";
    const int fd = ::mkstemps(path.data(), 4);
    if (fd < 0)
        ThrowLastError("create temporary file", directory);
    ::close(fd);
    return TString(std::move(path));
}

TString TFile::GetFileExt(const TString& path) {
    const auto dot = ExtStart(path.str());
    return dot == std::string::npos ? TString() : TString(path.str().substr(dot));
}

TString TFile::GetFileName(const TString& path) {
    const std::string& p = path.str();
    const std::size_t start = NameStart(p);
    const auto dot = ExtStart(p);
    return TString(p.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
}

TString TFile::GetFileDir(const TString& path) {
    return path.Left(NameStart(path.str()));
}

// --- TUnicodeFile and TAutoFile ----------------------------------------------------

TUnicodeFile::TKennung TUnicodeFile::ReadKennung() {
    Start();
    unsigned char mark[3] = {};
    const std::uint32_t got = Read(mark, 3);
    std::uint32_t used = 0;
    if (got >= 3 && mark[0] == 0xEF && mark[1] == 0xBB && mark[2] == 0xBF) {
        m_nKennung = kUtf8;
        used = 3;
    } else if (got >= 2 && mark[0] == 0xFF && mark[1] == 0xFE) {
        m_nKennung = kUtf16LE;
        used = 2;
    } else if (got >= 2 && mark[0] == 0xFE && mark[1] == 0xFF) {
        m_nKennung = kUtf16BE;
        used = 2;
    } else {
        m_nKennung = kNoMark;
    }
    Start();
    Read(mark, used);
    return m_nKennung;
}

void TUnicodeFile::WriteKennung() {
    m_nKennung = kUtf16LE;
    Write("\xFF\xFE", 2);
}

bool TUnicodeFile::GetLine(TString& line, std::uint32_t maxLength) {
    if (maxLength == 0)
        maxLength = TString::kWholeText;
    const bool bigEndian = m_nKennung == kUtf16BE;
    // The code unit `ahead` units on, or -1 (a lone last byte is no code unit).
    auto peek = [&](std::size_t ahead) -> long {
        const int a = PeekByte(2 * ahead);
        const int b = PeekByte(2 * ahead + 1);
        if (a < 0 || b < 0)
            return -1;
        return bigEndian ? (a << 8) | b : (b << 8) | a;
    };
    auto skip = [&](std::size_t units) {
        for (std::size_t i = 0; i < 2 * units; ++i)
            ReadByte();
    };
    if (peek(0) < 0)
        return false;
    std::u16string units;
    for (long unit = peek(0); unit >= 0; unit = peek(0)) {
        if (unit == u'\n') {
            skip(1);
            break;
        }
        if (unit == u'\r') {
            const long next = peek(1);
            if (next == u'\n' || next < 0) {
                skip(next == u'\n' ? 2 : 1);
                break;
            }
        }
        if (units.size() >= maxLength)
            break;
        units += static_cast<char16_t>(unit);
        skip(1);
    }
    line = TString::FromUnicode(units);
    return true;
}

void TUnicodeFile::PutLine(const TString& line) {
    const bool bigEndian = m_nKennung == kUtf16BE;
    std::string bytes;
    for (char16_t unit : line.AsUnicode() + u"\r\n") {
        const char hi = static_cast<char>(unit >> 8), lo = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? hi : lo;
        bytes += bigEndian ? lo : hi;
    }
    Write(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

TAutoFile::TAutoFile(const TString& path, unsigned mode) {
    Open(path, mode);
}

void TAutoFile::Open(const TString& path, unsigned mode) {
    TFile::Open(path, mode);
    m_nKennung = kNoMark;
    if (mode & kRead)
        ReadKennung();
}

bool TAutoFile::GetLine(TString& line, std::uint32_t maxLength) {
    return IsUnicode() ? TUnicodeFile::GetLine(line, maxLength) : TFile::GetLine(line, maxLength);
}

void TAutoFile::PutLine(const TString& line) {
    if (IsUnicode()) {
        TUnicodeFile::PutLine(line);
    } else {
        TFile::PutLine(line);
    }
}

// --- TFileString -------------------------------------------------------------------

TFileString::TFileString(const TString& path) {
    const std::string& p = path.str();
    const std::size_t dirStart = DriveLength(p);
    const std::size_t nameStart = NameStart(p);
    const std::size_t ext = ExtStart(p);
    m_sDrive = TString(p.substr(0, dirStart));
    m_sDir = TString(p.substr(dirStart, nameStart - dirStart));
    m_sName = TString(
        p.substr(nameStart, ext == std::string::npos ? std::string::npos : ext - nameStart));
    m_sExt = ext == std::string::npos ? TString() : TString(p.substr(ext));
}
