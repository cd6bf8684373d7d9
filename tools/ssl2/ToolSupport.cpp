// Shared helpers of the ssl2 tool.
#include "tools/ssl2/ToolSupport.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <sstream>
#include <utility>

namespace ssl2tool {

namespace {

struct RSDialect {
    const char* m_pszText;
    SslStatement::TSyntaxVersion m_nVersion;
};

constexpr RSDialect kDialects[] = {
    {"1.5", SslStatement::kVersion15},
    {"3.0", SslStatement::kVersion30},
    {"4.0", SslStatement::kVersion40},
    {"5.0", SslStatement::kVersion50},
};

/// The text without its trailing line ends.
std::string Chomp(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

}  // namespace

void ThrowIoError(const std::string& what, const std::string& path, int error) {
    std::string message = path + ": " + what;
    if (error != 0)
        message += std::string(": ") + std::strerror(error);
    throw RCToolError(message, kExitUsage);
}

void AddResolutionOption(CLI::App& sub, std::uint32_t& resolution) {
    sub.add_option("--resolution", resolution,
                   "dots per inch of the ticket's pixel and point lengths (default " +
                       std::to_string(kDefaultResolution) + ")")
        ->check(CLI::Range(1u, 1000000u));
}

RSLoadedTicket LoadTicket(const std::string& path, std::uint32_t resolution) {
    const bool standardInput = path == "-";
    std::string bytes;
    if (standardInput) {
        bytes = ReadInput(path);
    } else {
        // The reader only says "-1" when it cannot read; find the reason first.
        std::error_code ec;
        if (std::filesystem::is_directory(path, ec))
            ThrowIoError("cannot read", path, EISDIR);
        if (std::FILE* probe = std::fopen(path.c_str(), "rb")) {
            std::fclose(probe);
        } else {
            ThrowIoError("cannot read", path, errno);
        }
    }
    RSLoadedTicket ticket;
    ticket.m_sPath = standardInput ? kStandardInputName : path;
    return ReadTicket(std::move(ticket), [&](RCSslSet& set) {
        return standardInput
                   ? set.ParseSslBuffer(bytes.data(), bytes.size(), kStandardInputName, resolution)
                   : set.ParseSsl(path, resolution);
    });
}

RSLoadedTicket ReadTicket(RSLoadedTicket ticket, const std::function<int(RCSslSet&)>& parse) {
    const std::string& path = ticket.m_sPath;
    ticket.m_Set.SetDiagnosticHandler(
        [&ticket](const RSSslDiagnostic& d) { ticket.m_aDiagnostics.push_back(d); });
    int count = 0;
    {
        RCToolLog log;
        count = parse(ticket.m_Set);
        if (count < 0) {
            const std::vector<std::string> severe = log.Severe();
            throw RCToolError(
                path + ": cannot read" + (severe.empty() ? std::string() : ": " + severe.back()),
                kExitUsage);
        }
    }
    ticket.m_Set.SetDiagnosticHandler({});
    std::string jobNotes;
    for (int i = 0; i < ticket.m_Set.Size(); ++i) {
        SslError error;
        ticket.m_Set.GetEntry(i).Get(kId_SslError, &error);
        std::string notes = error.Get().str();
        // A file entry starts as a copy of the job entry: its notes begin with the
        // job's, which are reported once, for the job.
        if (i == 0)
            jobNotes = notes;
        else if (notes.compare(0, jobNotes.size(), jobNotes) == 0)
            notes.erase(0, jobNotes.size());
        std::size_t start = 0;
        while (start < notes.size()) {
            std::size_t end = notes.find('\n', start);
            if (end == std::string::npos)
                end = notes.size();
            std::string line = notes.substr(start, end - start);
            // Notes are written with tabs and blanks for a fixed-width display.
            const std::size_t first = line.find_first_not_of(" \t\r");
            if (first != std::string::npos) {
                const std::size_t last = line.find_last_not_of(" \t\r");
                ticket.m_aErrorNotes.emplace_back(i, line.substr(first, last - first + 1));
            }
            start = end + 1;
        }
    }
    return ticket;
}

std::string ReadInput(const std::string& path) {
    if (path == "-") {
        std::ostringstream text;
        text << std::cin.rdbuf();
        if (std::cin.bad())
            ThrowIoError("cannot read", "standard input", errno);
        return text.str();
    }
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        ThrowIoError("cannot read", path, EISDIR);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        ThrowIoError("cannot read", path, errno);
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        ThrowIoError("cannot read", path, errno);
    return text.str();
}

RCStatementInfluencingCapaRefined LoadCapabilities(const std::vector<std::string>& paths,
                                                   const std::string& plotter) {
    RCStatementInfluencingCapas all;
    for (const std::string& path : paths) {
        if (!all.AddPlotter(ReadInput(path)))
            throw RCToolError(path + ": not a readable capability file", kExitInputErrors);
    }
    RCStatementInfluencingCapaRefined capas = all.GetRefinedCapas(plotter);
    if (capas.GetPlotterCount() == 0) {
        std::string known;
        for (std::uint32_t i = 0; i < all.GetPlotterCount(); ++i)
            known += (i == 0 ? "" : ", ") + all.GetPlotterName(i);
        throw RCToolError(
            "--plotter: no plotter called \"" + plotter + "\" (known: " + known + ", or auto)",
            kExitUsage);
    }
    return capas;
}

std::string TerminalText(const std::string& utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        // C1 controls (U+0080 to U+009F) are two bytes in UTF-8: C2 80 to C2 9F.
        const bool c1 = c == 0xC2 && i + 1 < utf8.size() &&
                        static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(utf8[i + 1]) <= 0x9F;
        if ((c < 0x20 && c != '\t') || c == 0x7F) {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        } else if (c1) {
            const auto code = static_cast<unsigned char>(utf8[++i]);
            out += "\\u00";
            out += kHex[code >> 4];
            out += kHex[code & 0xF];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string DiagnosticMessage(const RSSslDiagnostic& d) {
    // Stray text is written to the standard stream bare; say what it is.
    if (d.m_nKind == RSSslDiagnostic::kStrayText)
        return "unrecognised text \"" + ToUtf8(TString(Chomp(d.m_sText.str()))) + "\"";
    return ToUtf8(TString(WithoutLineTail(d.m_sMessage.str(), d.m_nLine)));
}

std::string WithoutLineTail(std::string message, int line) {
    message = Chomp(std::move(message));
    const std::string tail = " In Zeile " + std::to_string(line);
    if (message.size() >= tail.size() &&
        message.compare(message.size() - tail.size(), tail.size(), tail) == 0)
        message.erase(message.size() - tail.size());
    return message;
}

std::vector<std::string> ProblemLines(const RSLoadedTicket& ticket) {
    std::vector<std::string> lines;
    for (const RSSslDiagnostic& d : ticket.m_aDiagnostics) {
        lines.push_back(ToUtf8(d.m_sFile) + ":" + std::to_string(d.m_nLine) + ": " +
                        DiagnosticMessage(d));
    }
    for (const auto& [entry, note] : ticket.m_aErrorNotes) {
        lines.push_back(ticket.m_sPath + ": entry " + std::to_string(entry) + ": " +
                        ToUtf8(TString(note)));
    }
    if (!ticket.ReachedEnd())
        lines.push_back(ticket.m_sPath + ": the ticket ends before \"EndJob\"");
    for (std::string& line : lines)
        line = TerminalText(line);
    return lines;
}

TExitCode ReportProblems(const RSLoadedTicket& ticket, std::ostream& out) {
    const std::vector<std::string> lines = ProblemLines(ticket);
    for (const std::string& line : lines)
        out << line << '\n';
    return lines.empty() ? kExitOk : kExitInputErrors;
}

void RequireCleanTicket(const RSLoadedTicket& ticket, std::ostream& out) {
    if (ReportProblems(ticket, out) != kExitOk && ticket.HasParseErrors()) {
        throw RCToolError(ticket.m_sPath + ": has errors; nothing written (see \"ssl2 check\")",
                          kExitInputErrors);
    }
}

SslStatement::TSyntaxVersion DialectFromText(const std::string& text) {
    for (const RSDialect& dialect : kDialects) {
        if (text == dialect.m_pszText)
            return dialect.m_nVersion;
    }
    throw RCToolError("unknown dialect \"" + text + "\" (1.5, 3.0, 4.0 or 5.0)", kExitUsage);
}

const std::vector<std::string>& DialectNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const RSDialect& dialect : kDialects)
            all.emplace_back(dialect.m_pszText);
        return all;
    }();
    return names;
}

RCAccessSsl AccessFromOptions(const std::string& hex, const std::optional<std::uint32_t>& old) {
    RCAccessSsl access;
    if (!hex.empty()) {
        // The text form is exactly 32 digits here; the shorter and longer forms the
        // class accepts keep words of the starting value, which would surprise.
        if (hex.size() != 32 || access.FromString(TString(hex)) == 0) {
            throw RCToolError("--access: \"" + hex + "\" is not 32 hexadecimal digits", kExitUsage);
        }
    } else if (old.has_value()) {
        access.FromOldStyle(*old);
    }
    return access;
}

namespace {

/// Writes what `write` makes into what `path` names as it is (a device, a FIFO, a link such
/// as /dev/stdout), the way cp and sort -o do: it is never replaced.
void WriteInPlace(const std::string& path, const std::function<void(std::ostream&)>& write) {
    // A FIFO waits for its reader here, as with cp.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        ThrowIoError("cannot write", path, errno);
    // Closed on every way out; on success the result of close() counts.
    struct RSDescriptor {
        int m_nFd;
        ~RSDescriptor() {
            if (m_nFd >= 0)
                ::close(m_nFd);
        }
        int Close() { return ::close(std::exchange(m_nFd, -1)); }
    } file{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || (S_ISREG(info.st_mode) && ::ftruncate(fd, 0) != 0))
        ThrowIoError("cannot write", path, errno);
    TSinkBuffer buffer([fd, &path](const char* data, std::size_t size) {
        while (size > 0) {
            const ssize_t n = ::write(fd, data, size);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                ThrowIoError("cannot write", path, n < 0 ? errno : EIO);
            data += n;
            size -= static_cast<std::size_t>(n);
        }
    });
    std::ostream out(&buffer);
    out.exceptions(std::ios::badbit | std::ios::failbit);
    write(out);
    out.flush();
    if (file.Close() != 0)
        ThrowIoError("cannot write", path, errno);
}

}  // namespace

void WriteOutput(const std::string& path, const std::string& bytes) {
    WriteOutput(path, [&bytes](std::ostream& out) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    });
}

void WriteOutput(const std::string& path, const std::function<void(std::ostream&)>& write) {
    if (path == "-") {
        write(std::cout);
        std::cout.flush();
        if (!std::cout)
            ThrowIoError("cannot write", "standard output", errno);
        return;
    }
    if (path.find('\0') != std::string::npos)
        ThrowIoError("cannot write", path, EINVAL);
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            ThrowIoError("cannot write", path, EISDIR);
        if (!S_ISREG(info.st_mode)) {
            WriteInPlace(path, write);
            return;
        }
    }
    try {
        TFile::ReplaceAtomically(path, write);
    } catch (const TException& e) {
        ClearError();
        throw RCToolError(path + ": cannot write: " + e.what(), kExitUsage);
    }
}

std::string ToUtf8(const TString& text) {
    const std::string& bytes = text.str();
    if (std::all_of(bytes.begin(), bytes.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return bytes;  // ASCII is the same in every form
    // Legacy bytes come back as Windows-1252 characters; an unpaired surrogate has no
    // UTF-8 form and becomes the replacement character.
    std::u16string units = text.AsUnicode();
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t c = units[i];
        const bool high = c >= 0xD800 && c < 0xDC00;
        if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000)
            ++i;  // a pair stays as it is
        else if (c >= 0xD800 && c < 0xE000)
            units[i] = 0xFFFD;
    }
    return TString::FromUnicode(units).str();
}

std::string StatementName(TSslStatementID id) {
    const std::unique_ptr<SslStatement> statement(SslStatement::CreateSslObject(id));
    return ToUtf8(statement->GetStatementName(0));
}

std::string EntryText(const RCSslSet& set, int index) {
    const TString name = set.GetEntry(index).GetName();
    return "entry " + std::to_string(index) + " (" +
           (index == 0       ? std::string("job")
            : name.IsEmpty() ? "-"
                             : ToUtf8(name)) +
           ")";
}

void RCToolLog::Write(int level, const TString& text) {
    WriteFrom(level, "ssl2", text);
}

void RCToolLog::WriteFrom(int level, std::string_view module, const TString& text) {
    if (level <= 1)
        m_Severe.push_back(ToUtf8(text));
    m_pOuter->WriteFrom(level, module, text);
}

}  // namespace ssl2tool
