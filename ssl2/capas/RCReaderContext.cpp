#include "ssl2/capas/RCReaderContext.h"

#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>

#include "ssl2/base/ILog.h"

namespace SslCapasReader {

void RunParser(const RCGeneratedParser& parser, std::string_view text, TSectionMap& target,
               const TReaderDiagnosticHandler& handler) {
    const std::string name(parser.m_pName);
    SslLog(4, "capas", TString(name + "ParseFunction Begin"));
    RCParseContext context(target, handler);
    void* raw = nullptr;
    if (parser.m_pInit(&context, &raw) != 0) {
        context.ScannerFatal("out of dynamic memory in yy_create_buffer()");
        return;
    }
    // Freed however the parse ends (a caller's diagnostic handler may throw).
    const std::unique_ptr<void, int (*)(void*)> owner(raw, parser.m_pDestroy);
    try {
        if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max() - 2)) {
            FatalScannerError("fatal error - scanner input buffer overflow");
        }
        parser.m_pScanBytes(text.data(), static_cast<int>(text.size()), owner.get());
        parser.m_pParse(owner.get(), &context);
    } catch (const RCScannerFatal& fatal) {
        context.ScannerFatal(fatal.what());
    }
    if (context.m_bInParser)
        SslLog(1, "capas", TString("bIn" + name + "Parser true after yyparse"));
    context.Finish();
    SslLog(4, "capas", TString(name + "ParseFunction End"));
}

bool FindValue(const TSectionMap* contents, const TString& section, const TString& key,
               TString& value) {
    if (!contents)
        return false;
    const auto s = contents->find(section);
    if (s == contents->end())
        return false;
    const auto k = s->second.find(key);
    if (k == s->second.end())
        return false;
    value = k->second;
    return true;
}

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
