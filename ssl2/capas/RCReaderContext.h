// The state of one parse of INI or RCF text, and the parse run and lookups the two
// readers share (internal to RCIniStringInterface and RCRcfStringInterface).
//
// The generated scanner and grammar of each language keep everything they need
// here, so parses share nothing: each ReadString makes its own context.
#pragma once

#include <array>
#include <cstddef>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

#include "ssl2/base/TString.h"
#include "ssl2/capas/RCReaderDiagnostics.h"

// Internal to the library: hidden from the shared library's exports.
#pragma GCC visibility push(hidden)
namespace SslCapasReader {

using TSectionMap = std::map<TString, std::map<TString, TString>>;

/// Raised by a scanner's fatal-error hook; ends the parse.
class RCScannerFatal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] inline void FatalScannerError(const char* message) {
    throw RCScannerFatal(message);
}

class RCParseContext {
public:
    RCParseContext(TSectionMap& target, const TReaderDiagnosticHandler& handler)
        : m_pTarget(&target), m_handler(handler) {}

    /// True from the start of the parse until the grammar has read the whole text.
    bool m_bInParser = true;
    int m_nLine = 1;
    TString m_sSection;
    TString m_sKey;

    /// Keeps the text of a token for the grammar.  The grammar looks at most one
    /// token ahead, so a short ring of buffers keeps every text alive long enough.
    const std::string* Token(const char* text, std::size_t length) {
        m_nLastToken = (m_nLastToken + 1) % m_aTokens.size();
        m_aTokens[m_nLastToken].assign(text, length);
        return &m_aTokens[m_nLastToken];
    }
    /// The end of the input: no token text.
    void EndOfInput() { Token("", 0); }

    /// A line end of the input.
    void LineEnd() {
        FlushStray();
        ++m_nLine;
    }
    /// Input the scanner cannot place: copied to standard output and ignored.
    void Stray(const char* text, std::size_t length) { m_sStray.append(text, length); }
    void FlushStray();

    /// A grammar error: "parse error" or "parser stack overflow" with the text of
    /// the last token and the line number, to standard error.
    void SyntaxError(const char* bisonMessage);
    /// A fatal scanner error, reported as it is.
    void ScannerFatal(const char* message);

    /// contents[current section][current key] = value.
    void Store(const TString& value) {
        if (m_pTarget)
            (*m_pTarget)[m_sSection][m_sKey] = value;
    }
    void Finish() {
        FlushStray();
        m_pTarget = nullptr;
    }

private:
    void Emit(RSReaderDiagnostic::TStream stream, TString text);

    TSectionMap* m_pTarget;
    const TReaderDiagnosticHandler& m_handler;
    std::array<std::string, 4> m_aTokens;
    std::size_t m_nLastToken = 0;
    std::string m_sStray;
};

/// The entry points of one generated scanner and grammar (each has its own prefix).
struct RCGeneratedParser {
    const char* m_pName;  ///< "Ini" or "Rcf": names the parse in the log
    int (*m_pInit)(RCParseContext* context, void** scanner);
    int (*m_pDestroy)(void* scanner);
    void (*m_pScanBytes)(const char* bytes, int length, void* scanner);
    void (*m_pParse)(void* scanner, RCParseContext* context);
};

/// Parses `text` into `target` with `parser`; diagnostics go to `handler` (or the
/// C streams).  Logs "<Name>ParseFunction Begin"/"End" at level 4, and at level 1
/// when the grammar stopped before the end of the text.
void RunParser(const RCGeneratedParser& parser, std::string_view text, TSectionMap& target,
               const TReaderDiagnosticHandler& handler);

/// The value of `key` in `section`; false without contents or when either is absent.
bool FindValue(const TSectionMap* contents, const TString& section, const TString& key,
               TString& value);

/// Lower-case (ASCII) copy of `text`.
std::string Lowered(std::string text);
/// Upper-case (ASCII) copy of `text`.
std::string Uppered(std::string text);
/// The '#' escapes undone (most texts have none and are taken as they are).
inline TString Decoded(const std::string& text) {
    return text.find('#') == std::string::npos ? TString(text) : TString::SaveFromAnsi(text, '#');
}

}  // namespace SslCapasReader
#pragma GCC visibility pop
