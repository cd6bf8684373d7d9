#include "ssl2/capas/RCIniStringInterface.h"

#include <limits>
#include <memory>

#include "ssl2/capas/RCReaderContext.h"
#include "ssl2/capas/RCReaderFile.h"
#include "ssl2/parsers/Ini.tab.h"
#define YYSTYPE INI_STYPE
#include "ssl2/parsers/Ini.lex.h"

VEMTO::RCMutex RCIniStringInterface::m_staticMutex;

namespace {

constexpr SslCapasReader::RCGeneratedParser kIniParser = {
    "Ini",
    [](SslCapasReader::RCParseContext* context, void** scanner) {
        return ini_lex_init_extra(context, scanner);
    },
    ini_lex_destroy,
    [](const char* bytes, int length, void* scanner) { ini__scan_bytes(bytes, length, scanner); },
    [](void* scanner, SslCapasReader::RCParseContext* context) { ini_parse(scanner, context); },
};

// Parses `text` into `target`; diagnostics go to `handler` (or the C streams).
void IniParseFunction(const std::string& text, RCIniStringInterface::TSectionMap& target,
                      const TReaderDiagnosticHandler& handler) {
    SslCapasReader::RunParser(kIniParser, text, target, handler);
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
    return SslCapasReader::FindValue(m_pContents.get(), section, key, value);
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
