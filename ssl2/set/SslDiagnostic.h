// Diagnostics of the SSL reader: what a parse reports besides its result.
//
// By default the reader writes them to the C standard streams in the system's
// fixed formats (syntax errors and unrecognised statements to standard error,
// unrecognised argument text to standard output).  A caller that must keep its
// own streams clean (a server) or wants to show errors with file and line (the
// tool) installs a handler on the job set instead:
//
//   RCSslSet set;
//   set.SetDiagnosticHandler([](const RSSslDiagnostic& d) {
//       std::cerr << d.m_sFile << ':' << d.m_nLine << ": " << d.m_sMessage;
//   });
//   set.ParseSsl("job.ssl", 0);
//
// The handler runs on the parsing thread, inside the parse; it must not parse.
#pragma once

#include <cstdint>
#include <functional>

#include "ssl2/base/TString.h"

/// One diagnostic of the SSL reader.
struct RSSslDiagnostic {
    /// What went wrong.
    enum TKind : std::uint32_t {
        kSyntaxError = 0,       ///< "parse error" or "parser stack overflow" at a token
        kUnknownStatement = 1,  ///< a line that starts with no statement keyword; skipped
        kStrayText = 2,         ///< argument text that forms no token; ignored
        kReaderFailure = 3,     ///< the scanner cannot go on (read error, token too long)
    };

    TKind m_nKind = kSyntaxError;  ///< what went wrong
    TString m_sFile;               ///< the file given to ParseSsl
    std::int32_t m_nLine = 0;      ///< the line, counted from 1
    TString m_sText;               ///< the token, the unknown word, the stray bytes or the failure
    TString m_sMessage;            ///< the whole line as written to the standard stream
};

/// Receives the diagnostics of one parse.
using TSslDiagnosticHandler = std::function<void(const RSSslDiagnostic&)>;
