// Shared helpers of the ssl2 command-line tool: exit codes, reading a ticket with
// its diagnostics, option values (dialect, access) and writing output files.
//
// Every subcommand reports through these so that all of them agree on what an
// error is and how it is shown.  Single-threaded, like the tool.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ssl2/ssl2.h"

namespace CLI {
class App;
}

namespace ssl2tool {

/// Exit status of every subcommand.
enum TExitCode : int {
    kExitOk = 0,           ///< done, nothing wrong with the input
    kExitInputErrors = 1,  ///< the input has errors (diagnostics, error notes, no EndJob)
    kExitUsage = 2,        ///< wrong command line, or a file could not be read or written
};

/// A failure that ends a subcommand: the message (without "ssl2: ") and the exit code.
class RCToolError : public std::runtime_error {
public:
    RCToolError(const std::string& message, TExitCode code)
        : std::runtime_error(message), m_nCode(code) {}
    TExitCode GetCode() const { return m_nCode; }

private:
    TExitCode m_nCode;
};

/// Raises an I/O failure (exit 2) about `path`, with the system's reason when `error`
/// is non-zero.
[[noreturn]] void ThrowIoError(const std::string& what, const std::string& path, int error);

/// A ticket read from a file, with everything the reader reported about it.
struct RSLoadedTicket {
    std::string m_sPath;
    RCSslSet m_Set;
    std::vector<RSSslDiagnostic> m_aDiagnostics;
    /// The error notes of each entry, one line each: (entry index, note).
    std::vector<std::pair<int, std::string>> m_aErrorNotes;

    bool ReachedEnd() const { return m_Set.ParsedTilEnd() != 0; }
    /// True when the reader reported anything or the parse did not reach "EndJob":
    /// the set may lack part of the ticket.
    bool HasParseErrors() const { return !m_aDiagnostics.empty() || !ReachedEnd(); }
};

/// How standard input is named in messages.
inline constexpr const char* kStandardInputName = "<stdin>";

/// The resolution (dots per inch) that converts pixel and point lengths of tickets
/// unless --resolution gives another.
inline constexpr std::uint32_t kDefaultResolution = 300;
/// Adds `--resolution DPI` to a subcommand that reads tickets.
void AddResolutionOption(CLI::App& sub, std::uint32_t& resolution);

/// Reads `path` ("-": standard input) into a new set (lengths in millimetres;
/// `resolution` for pixel and point units).  Raises RCToolError (exit 2) when the
/// file cannot be read at all.
RSLoadedTicket LoadTicket(const std::string& path, std::uint32_t resolution);
/// Fills `ticket` (its path set) by `parse`, which reads into the set it is given
/// and returns the reader's result, collecting diagnostics and error notes.
RSLoadedTicket ReadTicket(RSLoadedTicket ticket, const std::function<int(RCSslSet&)>& parse);

/// The whole content of `path`; "-" reads standard input.  Raises RCToolError
/// (exit 2) when it cannot be read.
std::string ReadInput(const std::string& path);

/// The refined capabilities of the plotters in the INI files `paths`: of all
/// together for `plotter` "auto", else of the plotter of that name.  Raises
/// RCToolError: exit 2 for an unreadable file or an unknown plotter, exit 1 for a
/// file that is not a capability file.
RCStatementInfluencingCapaRefined LoadCapabilities(const std::vector<std::string>& paths,
                                                   const std::string& plotter);

/// `utf8` safe to show on a terminal: control characters (C0 but tab, DEL, C1),
/// which a ticket may carry to move the cursor or rewrite the screen, become
/// "\x1b" / "\u009b" escapes.
std::string TerminalText(const std::string& utf8);

/// The message of a diagnostic as the tool shows it after "file:line: ": without
/// the line end and the reader's own line tail; stray text named as such.
std::string DiagnosticMessage(const RSSslDiagnostic& diagnostic);
/// A reader's message without its line end and its own tail naming `line` (" In
/// Zeile 3"), which "file:line: " before it says already.
std::string WithoutLineTail(std::string message, int line);

/// The report lines of a loaded ticket (terminal-safe): every diagnostic as
/// "file:line: message", every error note as "file: entry N: note", and a line when "EndJob" is
/// missing.
std::vector<std::string> ProblemLines(const RSLoadedTicket& ticket);

/// Writes the problem lines to `out`; returns kExitInputErrors when there were any.
TExitCode ReportProblems(const RSLoadedTicket& ticket, std::ostream& out);

/// Reports the problems of a ticket and refuses (exit 1) to go on when it has parse
/// errors; error notes alone do not stop an operation.
void RequireCleanTicket(const RSLoadedTicket& ticket, std::ostream& out);

/// The dialects by their version text: "1.5", "3.0", "4.0", "5.0".
SslStatement::TSyntaxVersion DialectFromText(const std::string& text);
/// The CLI11 check and help text of a dialect option.
const std::vector<std::string>& DialectNames();

/// The access value of the --access (32 hexadecimal digits) or --old-access
/// (decimal group word) options; full access when neither is given.  Raises
/// RCToolError (exit 2) for a malformed value.
RCAccessSsl AccessFromOptions(const std::string& hex, const std::optional<std::uint32_t>& old);

/// Writes `bytes` to `path`: a regular file or a missing one atomically (the
/// library's TFile::ReplaceAtomically: a reader never sees half a file, a replaced
/// file keeps its permissions); anything else that exists (a device, a FIFO, a
/// link such as /dev/stdout) in place, never replacing it; "-" is standard output.
/// Raises RCToolError (exit 2) when the file cannot be written.
void WriteOutput(const std::string& path, const std::string& bytes);
/// The same, the bytes written by `write` to the stream it is given as they are made
/// (standard output, the device, or the temporary file in pieces), so that a long
/// output is never held whole in memory.  What `write` raises passes through.
void WriteOutput(const std::string& path, const std::function<void(std::ostream&)>& write);

/// `text` as valid UTF-8: bytes that are not UTF-8 are read as Windows-1252,
/// unpaired surrogates become U+FFFD.
std::string ToUtf8(const TString& text);

/// The statement's SSL name ("Copies").
std::string StatementName(TSslStatementID id);
/// "entry 3 (B-003.plt)", "entry 0 (job)".
std::string EntryText(const RCSslSet& set, int index);

/// A log that keeps the severe messages the library writes during one operation and
/// passes every message on to the log in force before; installed for the lifetime of
/// the object.
class RCToolLog : public ILog {
public:
    RCToolLog() : m_pOuter(g_ptheLogfile()), m_Scope(this) {}
    void Write(int level, const TString& text) override;
    void WriteFrom(int level, std::string_view module, const TString& text) override;
    /// The messages of level 1 (severe).
    const std::vector<std::string>& Severe() const { return m_Severe; }

private:
    ILog* m_pOuter;
    std::vector<std::string> m_Severe;
    RCScopedLog m_Scope;
};

}  // namespace ssl2tool
