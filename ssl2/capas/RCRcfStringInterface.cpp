#include "ssl2/capas/RCRcfStringInterface.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <memory>

#include "ssl2/capas/RCReaderContext.h"
#include "ssl2/parsers/Rcf.tab.h"
#define YYSTYPE RCF_STYPE
#include "ssl2/parsers/Rcf.lex.h"

VEMTO::RCMutex RCRcfStringInterface::m_staticMutex;

namespace {

constexpr char kEsc = '\x1b';

constexpr SslCapasReader::RCGeneratedParser kRcfParser = {
    "Rcf",
    [](SslCapasReader::RCParseContext* context, void** scanner) {
        return rcf_lex_init_extra(context, scanner);
    },
    rcf_lex_destroy,
    [](const char* bytes, int length, void* scanner) { rcf__scan_bytes(bytes, length, scanner); },
    [](void* scanner, SslCapasReader::RCParseContext* context) { rcf_parse(scanner, context); },
};

// Parses the header in `text` (up to its first ESC byte) into `target`.
void RcfParseFunction(std::string_view text, RCRcfStringInterface::TSectionMap& target,
                      const TReaderDiagnosticHandler& handler) {
    text = text.substr(0, text.find(kEsc));
    SslCapasReader::RunParser(kRcfParser, text, target, handler);
}

// Case-insensitive search for "ENDMF" in `text` from `from`.
bool ContainsEndmf(const std::string& text, std::size_t from) {
    static constexpr std::string_view kEndmf = "ENDMF";
    const auto it = std::search(
        text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), kEndmf.begin(), kEndmf.end(),
        [](char a, char b) { return (a >= 'a' && a <= 'z' ? a - 'a' + 'A' : a) == b; });
    return it != text.end();
}

}  // namespace

RCRcfStringInterface::RCRcfStringInterface(const RCRcfStringInterface& other)
    : m_pContents(other.m_pContents ? std::make_unique<TSectionMap>(*other.m_pContents) : nullptr) {
}

RCRcfStringInterface& RCRcfStringInterface::operator=(const RCRcfStringInterface& other) {
    if (this != &other) {
        m_pContents =
            other.m_pContents ? std::make_unique<TSectionMap>(*other.m_pContents) : nullptr;
    }
    return *this;
}

bool RCRcfStringInterface::IsRcfFile(const TString& path) {
    std::ifstream in(path.str(), std::ios::binary);
    if (!in)
        return false;
    std::array<char, 99> head{};
    in.read(head.data(), head.size());
    const std::string_view bytes(head.data(), static_cast<std::size_t>(in.gcount()));
    return bytes.find("BEGMF") != std::string_view::npos;
}

std::uint32_t RCRcfStringInterface::ReadString(const std::string& text) {
    VEMTO::RCAutoFreeMutex lock(m_staticMutex);
    m_pContents = std::make_unique<TSectionMap>();
    RcfParseFunction(text, *m_pContents, m_handler);
    return static_cast<std::uint32_t>(m_pContents->size());
}

std::uint32_t RCRcfStringInterface::ReadFile(const TString& path) {
    std::ifstream in(path.str(), std::ios::binary);
    if (!in)
        return 0;
    // Chunk by chunk until the header has visibly ended: an ESC byte (the printer
    // data) or ENDMF.  The rest of the chunk that holds ENDMF is kept, so an ENDMF
    // inside a value does not cut the header short in practice.
    std::string header;
    std::array<char, 16384> chunk{};
    while (header.size() < kMaxHeaderBytes && in) {
        in.read(chunk.data(), static_cast<std::streamsize>(
                                  std::min(chunk.size(), kMaxHeaderBytes - header.size())));
        const auto got = static_cast<std::size_t>(in.gcount());
        const std::string_view piece(chunk.data(), got);
        const std::size_t esc = piece.find(kEsc);
        if (esc != std::string_view::npos) {
            header.append(piece.substr(0, esc));
            break;
        }
        // Look back a few bytes so an ENDMF split between two chunks is found.
        const std::size_t from = header.size() >= 4 ? header.size() - 4 : 0;
        header.append(piece);
        if (ContainsEndmf(header, from))
            break;
    }
    if (header.empty())
        return 0;
    // Texts are UTF-8 in memory; a header that is not UTF-8 is Windows-1252.
    return ReadString(TString::FromEightBit(header).str());
}

bool RCRcfStringInterface::GetValue(const TString& section, const TString& key,
                                    TString& value) const {
    return SslCapasReader::FindValue(m_pContents.get(), section, key, value);
}

void RCRcfStringInterface::SetValue(const TString& section, const TString& key,
                                    const TString& value) {
    if (m_pContents)
        (*m_pContents)[section][key] = value;
}

int RCRcfStringInterface::SectionCount() const {
    return m_pContents ? static_cast<int>(m_pContents->size()) : 0;
}

TRCMultiObjectContainer<TString> RCRcfStringInterface::SectionNames() const {
    TRCMultiObjectContainer<TString> names;
    if (m_pContents) {
        for (const auto& section : *m_pContents)
            names.push_back(section.first);
    }
    return names;
}

TRCMultiObjectContainer<TString> RCRcfStringInterface::KeyNames(const TString& section) const {
    TRCMultiObjectContainer<TString> names;
    if (!m_pContents)
        return names;
    const auto s = m_pContents->find(section);
    if (s == m_pContents->end())
        return names;
    for (const auto& key : s->second)
        names.push_back(key.first);
    return names;
}

int RCRcfStringInterface::KeyCount(const TString& section) const {
    if (!m_pContents)
        return -1;
    const auto s = m_pContents->find(section);
    return s == m_pContents->end() ? -1 : static_cast<int>(s->second.size());
}

bool RCRcfStringInterface::DeleteKey(const TString& section, const TString& key,
                                     bool removeEmptySection) {
    if (!m_pContents)
        return false;
    const auto s = m_pContents->find(section);
    if (s == m_pContents->end())
        return false;
    const bool removed = s->second.erase(key) > 0;
    if (removeEmptySection && s->second.empty())
        m_pContents->erase(s);
    return removed;
}

bool RCRcfStringInterface::DeleteSection(const TString& section) {
    return m_pContents && m_pContents->erase(section) > 0;
}

TString RCRcfStringInterface::ToString() const {
    TString text;
    if (!m_pContents)
        return text;
    TSectionMap rest = *m_pContents;
    const auto write = [&text](const TString& name, const TKeyMap& keys) {
        text += name;
        if (!keys.empty()) {
            text += " \"";
            const char* separator = "";
            for (const auto& [key, value] : keys) {
                text += separator;
                text += key;
                if (!value.IsEmpty()) {
                    text += "=";
                    text += value;
                }
                separator = ", ";
            }
            text += "\"";
        }
        text += "\r";
    };
    for (const char* first : {"BEGMF", "MFVERSION 1", "MFDESC"}) {
        const auto s = rest.find(first);
        if (s == rest.end())
            continue;
        write(s->first, s->second);
        rest.erase(s);
    }
    for (const auto& [name, keys] : rest)
        write(name, keys);
    return text;
}
