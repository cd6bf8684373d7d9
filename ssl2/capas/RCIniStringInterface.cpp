#include "ssl2/capas/RCIniStringInterface.h"

#include <limits>
#include <memory>

#include "ssl2/base/ILog.h"
#include "ssl2/capas/RCReaderContext.h"
#include "ssl2/capas/RCReaderFile.h"
#include "ssl2/parsers/Ini.tab.h"
#define YYSTYPE INI_STYPE
#include "ssl2/parsers/Ini.lex.h"

VEMTO::RCMutex RCIniStringInterface::m_staticMutex;

namespace {

// Parses `text` into `target`; diagnostics go to `handler` (or the C streams).
void IniParseFunction(const std::string& text, RCIniStringInterface::TSectionMap& target,
                      const TReaderDiagnosticHandler& handler) {
    g_ptheLogfile()->Write(4, "IniParseFunction Begin");
    SslCapasReader::RCParseContext context(target, handler);
    yyscan_t raw = nullptr;
    if (ini_lex_init_extra(&context, &raw) != 0) {
        context.ScannerFatal("out of dynamic memory in yy_create_buffer()");
        return;
    }
    // Freed however the parse ends (a caller's diagnostic handler may throw).
    const std::unique_ptr<void, int (*)(yyscan_t)> owner(raw, ini_lex_destroy);
    yyscan_t scanner = owner.get();
    try {
        if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max() - 2)) {
            SslCapasReader::FatalScannerError("fatal error - scanner input buffer overflow");
        }
        ini__scan_bytes(text.data(), static_cast<int>(text.size()), scanner);
        ini_parse(scanner, &context);
    } catch (const SslCapasReader::RCScannerFatal& fatal) {
        context.ScannerFatal(fatal.what());
    }
    if (context.m_bInParser)
        g_ptheLogfile()->Write(1, "bInIniParser true after yyparse");
    context.Finish();
    g_ptheLogfile()->Write(4, "IniParseFunction End");
}

}  // namespace

std::uint32_t RCIniStringInterface::ReadString(const std::string& text) {
    VEMTO::RCAutoFreeMutex lock(m_staticMutex);
    m_pContents = std::make_unique<TSectionMap>();
    IniParseFunction(text, *m_pContents, m_handler);
    return static_cast<std::uint32_t>(m_pContents->size());
}

std::uint32_t RCIniStringInterface::ReadFile(const std::string& path) {
    auto bytes = SslCapasReader::ReadBytes(path, std::numeric_limits<std::size_t>::max());
    if (!bytes || bytes->empty())
        return 0;
    return ReadString(SslCapasReader::AsReaderText(std::move(*bytes)));
}

bool RCIniStringInterface::GetValue(const TString& section, const TString& key,
                                    TString& value) const {
    if (!m_pContents)
        return false;
    const auto s = m_pContents->find(section);
    if (s == m_pContents->end())
        return false;
    const auto k = s->second.find(key);
    if (k == s->second.end())
        return false;
    value = k->second;
    return true;
}

void RCIniStringInterface::SetValue(const TString& section, const TString& key,
                                    const TString& value) {
    if (m_pContents)
        (*m_pContents)[section][key] = value;
}

TString RCIniStringInterface::ToString() const {
    TString text;
    if (!m_pContents)
        return text;
    for (const auto& [section, keys] : *m_pContents) {
        text += "[";
        text += section;
        text += "]\r\n";
        for (const auto& [key, value] : keys) {
            text += key;
            text += "=";
            text += value;
            text += "\r";
        }
        text += "\r";
    }
    return text;
}
