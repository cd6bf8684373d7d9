// RCSslSet: reading SSL files (ParseSsl, the UTF-16 pre-pass, SslParseFunction).
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>

#include "ssl2/base/ILog.h"
#include "ssl2/base/TException.h"
#include "ssl2/parsers/Ssl.lex.h"
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

void LogException(const char* where) {
    g_ptheLogfile()->Write(1, TString(where) + GetErrorString());
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

/// The whole input followed by the two NUL bytes the scanner wants after its buffer.
/// The scanner reads it in place, so a long token is never read again when more
/// input arrives (reading block by block rescans a token at every block).
std::string ReadScanBuffer(FILE* input) {
    // Longest input the scanner's buffer can hold.
    constexpr std::size_t kMaxInput = static_cast<std::size_t>(std::numeric_limits<int>::max()) - 2;
    std::string bytes;
    char block[65536];
    std::size_t read = 0;
    while ((read = std::fread(block, 1, sizeof block, input)) > 0) {
        if (bytes.size() + read > kMaxInput)
            ssl2::internal::SslScannerFailure("fatal error - scanner input buffer overflow");
        bytes.append(block, read);
    }
    if (std::ferror(input))
        ssl2::internal::SslScannerFailure("input in flex scanner failed");
    bytes.append(2, '\0');
    return bytes;
}

/// The reentrant scanner of one parse, reading `buffer` (from ReadScanBuffer).
class RCScanner {
public:
    RCScanner(ssl2::internal::SslParseContext& context, std::string& buffer) {
        if (SslYylex_init_extra(&context, &m_Scanner) != 0)
            ThrowLastError("SslYylex_init");
        if (SslYy_scan_buffer(buffer.data(), buffer.size(), m_Scanner) == nullptr) {
            SslYylex_destroy(m_Scanner);
            ssl2::internal::SslScannerFailure("out of dynamic memory in yy_create_buffer()");
        }
    }
    ~RCScanner() { SslYylex_destroy(m_Scanner); }
    RCScanner(const RCScanner&) = delete;
    RCScanner& operator=(const RCScanner&) = delete;
    yyscan_t Get() const { return m_Scanner; }

private:
    yyscan_t m_Scanner = nullptr;
};

}  // namespace

int SslParseFunction(const char* path, RCSslSet* set) {
    g_ptheLogfile()->Write(4, "SslParseFunction Begin");
    FilePtr input(std::fopen(path, "r"), &std::fclose);
    if (!input) {
        g_ptheLogfile()->Write(2, "SslParseFunction  ERROR!");
        return 1;
    }
    ssl2::internal::SslParseContext context(
        *set, set->m_sLastParsedFilename, set->m_bParseNoReEscape,
        set->m_DiagnosticHandler ? &set->m_DiagnosticHandler : nullptr);
    std::string buffer;
    try {
        buffer = ReadScanBuffer(input.get());
    } catch (const std::runtime_error& failure) {
        context.ReportFailure(failure.what());
        context.m_pFailure = std::current_exception();
    }
    input.reset();
    if (!context.m_pFailure) {
        RCScanner scanner(context, buffer);
        context.m_pScanner = scanner.Get();
        SslYyparse(&context);
        context.m_pScanner = nullptr;
        if (!context.m_bInputDone)
            g_ptheLogfile()->Write(1, "InFile open after yyparse");
    }
    if (context.m_pFailure) {
        try {
            std::rethrow_exception(context.m_pFailure);
        } catch (...) {
            RethrowAsLibraryError();
        }
    }
    g_ptheLogfile()->Write(4, "SslParseFunction End");
    return 0;
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
        const std::string bytes((std::istreambuf_iterator<char>(input)), {});
        const bool bigEndian = bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFE;

        // Every non-empty line, escaped into 8-bit text, one line per output line.
        std::u16string line;
        auto flush = [&] {
            if (!line.empty() && line.back() == u'\r')
                line.pop_back();
            if (!line.empty()) {
                const std::string text = TString::FromUnicode(line).SaveAsAnsi('#') + "\n";
                if (std::fwrite(text.data(), 1, text.size(), output.get()) != text.size()) {
                    ThrowLastError("fwrite", temporary);
                }
            }
            line.clear();
        };
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const auto first = static_cast<unsigned char>(bytes[i]);
            const auto second = static_cast<unsigned char>(bytes[i + 1]);
            const auto unit =
                static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
            if (unit == u'\n') {
                flush();
            } else {
                line.push_back(unit);
            }
        }
        flush();
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

    std::string path = fileName.AsAnsi();
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
        path = temporary.AsAnsi();
    }
    RCTemporaryFile removeLater(temporary);

    // The scanner and grammar keep all their state in the parse's own context, so
    // parses of different sets run in parallel without the process-wide lock.
    try {
        m_bParseNoReEscape = !unicode;
        m_staticNoReEscape = !unicode;
        SslParseFunction(path.c_str(), this);
    } catch (const std::exception&) {
        LogException("RCSslSet::ParseSsl got an Exception from SslParseFunction():");
        return -1;
    }

    ConvertToMm(resolution);
    SetOrdinals(1);
    return Size();
}
