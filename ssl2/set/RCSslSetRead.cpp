// RCSslSet: reading SSL files (ParseSsl, the UTF-16 pre-pass, SslParseFunction).
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "ssl2/base/ILog.h"
#include "ssl2/base/TException.h"
#include "ssl2/parsers/Ssl.tab.h"
#include "ssl2/set/RCSslSet.h"
#include "ssl2/set/SslParseContext.h"

namespace {

using FilePtr = std::unique_ptr<FILE, int (*)(FILE*)>;

enum class TEncoding { kAnsi, kUtf16Le, kUtf16Be };

/// The encoding of `path` by its byte-order mark; raises the system error when the
/// file cannot be opened.
TEncoding ExamineFile(const std::string& path) {
    FilePtr file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file)
        ThrowLastError("open", path);
    unsigned char mark[2] = {0, 0};
    if (std::fread(mark, 1, 2, file.get()) == 2) {
        if (mark[0] == 0xFF && mark[1] == 0xFE)
            return TEncoding::kUtf16Le;
        if (mark[0] == 0xFE && mark[1] == 0xFF)
            return TEncoding::kUtf16Be;
    }
    return TEncoding::kAnsi;
}

bool HasUnicodeMark(const std::string& bytes) {
    return bytes.size() >= 2 && ((static_cast<unsigned char>(bytes[0]) == 0xFF &&
                                  static_cast<unsigned char>(bytes[1]) == 0xFE) ||
                                 (static_cast<unsigned char>(bytes[0]) == 0xFE &&
                                  static_cast<unsigned char>(bytes[1]) == 0xFF));
}

/// The 8-bit text the scanner reads for UTF-16 `bytes` (with byte-order mark): the
/// whole text escaped with '#', every line end as it was (a line break inside a
/// plotter settings string is part of its value).
std::string EscapeUnicodeText(const std::string& bytes) {
    if (bytes.size() < 2)
        return {};
    const bool bigEndian = static_cast<unsigned char>(bytes[0]) == 0xFE;
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back(
            static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
    }
    return TString::FromUnicode(units).SaveAsAnsi('#');
}

/// The encoding of an 8-bit input: UTF-8 when it starts with the UTF-8 byte-order
/// mark or is valid UTF-8 throughout, Windows-1252 otherwise.
ssl2::internal::TInputEncoding EightBitEncoding(std::string_view bytes) {
    const bool utf8 = bytes.starts_with("\xEF\xBB\xBF") || TString::IsUtf8(bytes);
    return utf8 ? ssl2::internal::TInputEncoding::kUtf8
                : ssl2::internal::TInputEncoding::kWindows1252;
}

void LogException(const char* where) {
    SslLog(1, "set", TString(where) + GetErrorString());
    ClearError();
}

/// Removes a temporary file when it goes out of scope.
class RCTemporaryFile {
public:
    explicit RCTemporaryFile(TString path) : m_sPath(std::move(path)) {}
    ~RCTemporaryFile() {
        if (!m_sPath.IsEmpty())
            std::remove(m_sPath.c_str());
    }
    RCTemporaryFile(const RCTemporaryFile&) = delete;
    RCTemporaryFile& operator=(const RCTemporaryFile&) = delete;

private:
    TString m_sPath;
};

/// The whole input.  The scanner reads it in place, so a long token is never read
/// again when more input arrives (reading block by block rescans a token at every
/// block); the NUL a std::string keeps after its last byte is the scanner's end mark.
std::string ReadScanBuffer(FILE* input) {
    // Longest input the reader takes.
    constexpr std::size_t kMaxInput = static_cast<std::size_t>(std::numeric_limits<int>::max()) - 2;
    // Read straight into the buffer, sized by the file when it is a regular one (the
    // stream's own buffer would only add a copy).
    std::setvbuf(input, nullptr, _IONBF, 0);
    std::size_t expected = 0;
    struct stat status {};
    if (::fstat(::fileno(input), &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0)
        expected = static_cast<std::size_t>(status.st_size);
    // One byte more than the file holds, so that its end is seen without growing.
    std::string bytes(expected > 0 ? expected + 1 : 0, '\0');
    std::size_t used = 0;
    for (;;) {
        if (used == bytes.size())
            bytes.resize(std::max<std::size_t>(65536, 2 * used));
        const std::size_t read = std::fread(bytes.data() + used, 1, bytes.size() - used, input);
        used += read;
        if (used > kMaxInput)
            ssl2::internal::SslScannerFailure("fatal error - scanner input buffer overflow");
        if (read == 0)
            break;
    }
    if (std::ferror(input))
        ssl2::internal::SslScannerFailure("input in flex scanner failed");
    bytes.resize(used);
    return bytes;
}

}  // namespace

int SslParseFunction(const char* path, RCSslSet* set) {
    SslLog(4, "set", "SslParseFunction Begin");
    FilePtr input(std::fopen(path, "r"), &std::fclose);
    if (!input) {
        SslLog(2, "set", "SslParseFunction  ERROR!");
        return 1;
    }
    SslParseStream(input.get(), set);
    SslLog(4, "set", "SslParseFunction End");
    return 0;
}

void SslParseStream(std::FILE* input, RCSslSet* set) {
    std::string buffer;
    std::exception_ptr readFailure;
    std::string readFailureText;
    try {
        buffer = ReadScanBuffer(input);
    } catch (const std::runtime_error& failure) {
        readFailureText = failure.what();
        readFailure = std::current_exception();
    }
    const ssl2::internal::TInputEncoding encoding =
        set->m_bParseNoReEscape ? EightBitEncoding(buffer)
                                : ssl2::internal::TInputEncoding::kEscapedUtf16;
    // At most two readings of the buffer: the second when a `Units` statement came
    // after lengths of the job statements (SslParseContext::m_nReadAgainInUnit).
    std::optional<std::uint32_t> jobUnit;
    std::size_t reported = 0;
    for (int reading = 0; reading < 2; ++reading) {
        ssl2::internal::SslParseContext context(
            *set, set->m_sLastParsedFilename, encoding,
            set->m_DiagnosticHandler ? &set->m_DiagnosticHandler : nullptr,
            set->m_nParseResolution);
        if (jobUnit)
            context.ReadAgain(*jobUnit, reported);
        if (readFailure) {
            context.ReportFailure(readFailureText.c_str());
            context.m_pFailure = readFailure;
        } else {
            // The scanner never writes to its input, so a second reading scans the
            // same bytes.
            ssl2::internal::SslScanStart(context.m_Scan, buffer.data(),
                                         buffer.data() + buffer.size());
            SslYyparse(&context);
        }
        if (context.m_pFailure) {
            try {
                std::rethrow_exception(context.m_pFailure);
            } catch (...) {
                RethrowAsLibraryError();
            }
        }
        if (context.m_nReadAgainInUnit && reading == 0) {
            jobUnit = context.m_nReadAgainInUnit;
            reported = context.Reported();
            set->AddEntry(std::move(context.m_DefaultEntry));
            continue;
        }
        if (!context.m_bInputDone)
            SslLog(1, "set", "InFile open after yyparse");
        break;
    }
}

TString RCSslSet::TransferUnicodeToAnsi(const TString& fileName) {
    std::string temporary;
    try {
        std::error_code error;
        std::filesystem::path directory = std::filesystem::temp_directory_path(error);
        if (error)
            directory = "/tmp";
        std::string pattern = (directory / "VEMXXXXXX").string();
        const int descriptor = mkstemp(pattern.data());
        if (descriptor < 0)
            ThrowLastError("mkstemp", pattern);
        temporary = pattern;
        FilePtr output(fdopen(descriptor, "wb"), &std::fclose);
        if (!output) {
            ::close(descriptor);
            ThrowLastError("fdopen", temporary);
        }

        std::ifstream input(fileName.str(), std::ios::binary);
        if (!input)
            ThrowLastError("open", fileName);
        const std::string text =
            EscapeUnicodeText(std::string((std::istreambuf_iterator<char>(input)), {}));
        if (std::fwrite(text.data(), 1, text.size(), output.get()) != text.size())
            ThrowLastError("fwrite", temporary);
        if (std::fclose(output.release()) != 0)
            ThrowLastError("fclose", temporary);
        return TString(temporary);
    } catch (const std::exception&) {
        if (!temporary.empty())
            std::remove(temporary.c_str());
        ClearError();
        return TString();
    }
}

int RCSslSet::ParseSsl(const TString& fileName, std::uint32_t resolution) {
    m_sLastParsedFilename = fileName;
    m_bParsedTilEnd = 0;
    ReduceToDefaultEntry();

    std::string path = fileName.str();
    bool unicode = false;
    try {
        unicode = ExamineFile(path) != TEncoding::kAnsi;
    } catch (const std::exception&) {
        LogException("RCSslSet::ParseSsl got an Exception from inFile.Open():");
        return -1;
    }

    TString temporary;
    if (unicode) {
        try {
            temporary = TransferUnicodeToAnsi(fileName);
        } catch (const std::exception&) {
            LogException("RCSslSet::ParseSsl got an Exception from TransferUnicodeToAnsi():");
            return -1;
        }
        path = temporary.str();
    }
    RCTemporaryFile removeLater(temporary);

    // The scanner and grammar keep all their state in the parse's own context, so
    // parses of different sets run in parallel without the process-wide lock.
    try {
        m_bParseNoReEscape = !unicode;
        m_staticNoReEscape = !unicode;
        m_nParseResolution = resolution;
        SslParseFunction(path.c_str(), this);
    } catch (const std::exception&) {
        LogException("RCSslSet::ParseSsl got an Exception from SslParseFunction():");
        return -1;
    }

    // The reader stores millimetres; this converts only a starting entry that no
    // job replaced.
    ConvertToMm(resolution);
    SetOrdinals(1);
    return Size();
}

int RCSslSet::ParseSslBuffer(const void* data, std::size_t size, const TString& name,
                             std::uint32_t resolution) {
    m_sLastParsedFilename = name;
    m_bParsedTilEnd = 0;
    ReduceToDefaultEntry();

    std::string bytes(static_cast<const char*>(data), size);
    const bool unicode = HasUnicodeMark(bytes);
    if (unicode)
        bytes = EscapeUnicodeText(bytes);
    try {
        FilePtr input(fmemopen(bytes.data(), bytes.size(), "r"), &std::fclose);
        if (!input)
            ThrowLastError("fmemopen", name);
        m_bParseNoReEscape = !unicode;
        m_staticNoReEscape = !unicode;
        m_nParseResolution = resolution;
        SslParseStream(input.get(), this);
    } catch (const std::exception&) {
        LogException("RCSslSet::ParseSslBuffer got an Exception from SslParseStream():");
        return -1;
    }

    // The reader stores millimetres; this converts only a starting entry that no
    // job replaced.
    ConvertToMm(resolution);
    SetOrdinals(1);
    return Size();
}

int RCSslSet::ParseSslText(const TString& text, const TString& name, std::uint32_t resolution) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text.AsUnicode()) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return ParseSslBuffer(bytes.data(), bytes.size(), name, resolution);
}
