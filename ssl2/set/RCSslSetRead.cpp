// RCSslSet: reading SSL files (ParseSsl, the UTF-16 pre-pass, SslParseFunction).
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

namespace ssl2::internal {

namespace {

// Longest input the reader takes.
constexpr std::size_t kMaxInput = static_cast<std::size_t>(std::numeric_limits<int>::max()) - 2;
// Bytes read at a time into the window of a regular file.
constexpr std::size_t kBlock = 256u << 10;

bool IsUtf8Mark(std::string_view bytes) {
    return bytes.starts_with("\xEF\xBB\xBF");
}

/// Where the last character of `bytes` that may be cut short starts: the lead byte of
/// a UTF-8 sequence that needs more bytes than follow it, else the end.
std::size_t CompleteUtf8End(std::string_view bytes) {
    for (std::size_t back = 1; back <= 3 && back <= bytes.size(); ++back) {
        const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((byte & 0xC0) == 0x80)
            continue;
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? bytes.size() - back : bytes.size();
    }
    return bytes.size();
}

/// Reads what fits into `room` bytes at `into`; raises a reader failure when reading
/// fails or the input grows longer than the reader takes.
std::size_t ReadInto(std::FILE* file, char* into, std::size_t room, std::size_t& total) {
    const std::size_t read = std::fread(into, 1, room, file);
    total += read;
    if (total > kMaxInput)
        SslScannerFailure("fatal error - scanner input buffer overflow");
    if (read < room && std::ferror(file))
        SslScannerFailure("input in flex scanner failed");
    return read;
}

}  // namespace

SslScanInput::SslScanInput(std::FILE* file) : m_pFile(file) {
    // Read straight into the window (the stream's own buffer would only add a copy).
    std::setvbuf(file, nullptr, _IONBF, 0);
    struct stat status {};
    if (::fstat(::fileno(file), &status) == 0 && S_ISREG(status.st_mode)) {
        m_nStart = std::ftell(file);
        m_bWindowed = m_nStart >= 0;
    }
    if (m_bWindowed) {
        m_Window.assign(kBlock, '\0');
        return;
    }
    std::size_t used = 0;
    for (;;) {
        m_Window.resize(std::max<std::size_t>(65536, 2 * used));
        const std::size_t room = m_Window.size() - used;
        const std::size_t read = ReadInto(file, m_Window.data() + used, room, m_nRead);
        used += read;
        if (read < room)
            break;
    }
    m_Window.resize(used);
}

TInputEncoding SslScanInput::EightBitEncoding() {
    bool utf8 = true;
    if (!m_bWindowed) {
        utf8 = IsUtf8Mark(m_Window) || TString::IsUtf8(m_Window);
    } else {
        // Block by block; a character cut by a block's end is checked with the next.
        std::size_t carried = 0;
        std::size_t total = 0;
        for (bool first = true; utf8; first = false) {
            const std::size_t room = m_Window.size() - carried;
            const std::size_t read = ReadInto(m_pFile, m_Window.data() + carried, room, total);
            const std::string_view bytes(m_Window.data(), carried + read);
            if (first && IsUtf8Mark(bytes))
                break;
            const std::size_t end = read < room ? bytes.size() : CompleteUtf8End(bytes);
            utf8 = TString::IsUtf8(bytes.substr(0, end));
            carried = bytes.size() - end;
            std::copy(bytes.begin() + static_cast<std::ptrdiff_t>(end), bytes.end(),
                      m_Window.begin());
            if (read < room)
                break;
        }
    }
    return utf8 ? TInputEncoding::kUtf8 : TInputEncoding::kWindows1252;
}

void SslScanInput::Start(SslScanState& state) {
    if (m_bWindowed) {
        if (std::fseek(m_pFile, m_nStart, SEEK_SET) != 0)
            SslScannerFailure("input in flex scanner failed");
        m_nRead = 0;
        m_bAtEnd = false;
        // Empty: the first token fills it.
        m_Window[0] = '\0';
        SslScanStart(state, m_Window.data(), m_Window.data());
    } else {
        SslScanStart(state, m_Window.data(), m_Window.data() + m_Window.size());
    }
    state.input = this;
}

bool SslScanInput::Fill(SslScanState& state) {
    if (!Refillable())
        return false;
    const auto keep = static_cast<std::size_t>(state.limit - state.token);
    // Offsets from the token; positions before it belong to earlier tokens and are
    // never used again.
    const auto offset = [&state](const unsigned char* at) {
        return at < state.token ? 0 : static_cast<std::size_t>(at - state.token);
    };
    const std::size_t cursor = offset(state.cursor);
    const std::size_t marker = offset(state.marker);
    const std::size_t contextMarker = offset(state.contextMarker);
    // The window doubles while a token fills half of it, so a long token is moved a
    // bounded number of times.
    if (keep > m_Window.size() / 2) {
        std::string wider(2 * m_Window.size(), '\0');
        std::memcpy(wider.data(), state.token, keep);
        m_Window.swap(wider);
    } else {
        std::memmove(m_Window.data(), state.token, keep);
    }
    const auto* const begin = reinterpret_cast<const unsigned char*>(m_Window.data());
    state.token = begin;
    state.cursor = begin + cursor;
    state.marker = begin + marker;
    state.contextMarker = begin + contextMarker;
    // The last byte of the window stays free for the end mark.
    const std::size_t room = m_Window.size() - 1 - keep;
    const std::size_t read = ReadInto(m_pFile, m_Window.data() + keep, room, m_nRead);
    m_Window[keep + read] = '\0';
    state.limit = begin + keep + read;
    m_bAtEnd = read == 0;
    return read > 0;
}

}  // namespace ssl2::internal

void SslParseStream(std::FILE* input, RCSslSet* set) {
    std::optional<ssl2::internal::SslScanInput> source;
    ssl2::internal::TInputEncoding encoding = ssl2::internal::TInputEncoding::kEscapedUtf16;
    std::exception_ptr readFailure;
    std::string readFailureText;
    try {
        source.emplace(input);
        if (set->m_bParseNoReEscape)
            encoding = source->EightBitEncoding();
    } catch (const std::runtime_error& failure) {
        readFailureText = failure.what();
        readFailure = std::current_exception();
    }
    // At most two readings of the input: the second when a `Units` statement came
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
        if (!readFailure) {
            try {
                source->Start(context.m_Scan);
            } catch (const std::runtime_error& failure) {
                readFailureText = failure.what();
                readFailure = std::current_exception();
            }
        }
        if (readFailure) {
            context.ReportFailure(readFailureText.c_str());
            context.m_pFailure = readFailure;
        } else {
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
