#include "ssl2/capas/RCReaderContext.h"

#include <cstdio>
#include <cstring>

namespace SslCapasReader {

void RCParseContext::Emit(RSReaderDiagnostic::TStream stream, TString text) {
    if (m_handler) {
        m_handler(RSReaderDiagnostic{stream, m_nLine, std::move(text)});
        return;
    }
    std::FILE* out = stream == RSReaderDiagnostic::kStandardOutput ? stdout : stderr;
    std::fwrite(text.c_str(), 1, text.GetLength(), out);
    std::fflush(out);
}

void RCParseContext::FlushStray() {
    if (m_sStray.empty())
        return;
    Emit(RSReaderDiagnostic::kStandardOutput, TString(std::move(m_sStray)));
    m_sStray.clear();
}

void RCParseContext::SyntaxError(const char* bisonMessage) {
    FlushStray();
    const char* kind = std::strcmp(bisonMessage, "memory exhausted") == 0 ? "parser stack overflow"
                                                                          : "parse error";
    Emit(RSReaderDiagnostic::kStandardError,
         TString::Format("%s Token \"%s\" In Zeile %d\n", kind, m_aTokens[m_nLastToken].c_str(),
                         m_nLine));
}

void RCParseContext::ScannerFatal(const char* message) {
    FlushStray();
    Emit(RSReaderDiagnostic::kStandardError, TString::Format("%s\n", message));
}

// Names fold ASCII letters only, whatever the caller's locale.
std::string Lowered(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::string Uppered(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

}  // namespace SslCapasReader
