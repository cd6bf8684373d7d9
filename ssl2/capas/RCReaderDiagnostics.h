// Diagnostics of the INI and RCF readers and the hook through which a caller takes them.
//
// By default a reader writes its diagnostics to the C standard streams: parse errors
// ("parse error Token \"x\" In Zeile 3\n") to standard error, text it cannot place
// to standard output.  A caller that must not write there (a server, the command-line
// tool reporting file:line) installs a handler on the reader object; the handler is
// called on the thread that reads, while the reader's lock is held, and must not
// start another parse of the same language.
#pragma once

#include <functional>

#include "ssl2/base/TString.h"

/// One diagnostic of an INI or RCF reader.
struct RSReaderDiagnostic {
    /// The standard stream the reader would write the diagnostic to.
    enum TStream : int {
        kStandardOutput = 1,  ///< stray input copied through (it is ignored)
        kStandardError = 2,   ///< a parse error; the parse was abandoned
    };
    TStream m_eStream = kStandardError;  ///< what kind of diagnostic
    /// Line of the input the diagnostic belongs to (1-based).
    int m_nLine = 0;
    /// The text exactly as it goes to the stream.
    TString m_sText;
};

using TReaderDiagnosticHandler = std::function<void(const RSReaderDiagnostic&)>;
