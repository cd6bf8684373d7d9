#include "ssl2/base/TMessage.h"

#include <fstream>
#include <map>
#include <mutex>
#include <string>

namespace {

// The process-wide message registry.  Texts are keyed by table number; the names
// are kept to resolve replacement files, which name tables rather than numbers.
class Registry {
public:
    static Registry& Instance() {
        static Registry registry;
        return registry;
    }

    void Register(const char* name, unsigned short table, std::span<const RSMessageText> texts) {
        std::lock_guard lock(m_mutex);
        if (!m_tables.emplace(name, table).second) return;
        for (const auto& t : texts) m_texts.emplace(Key(table, t.m_nNumber), t.m_sText);
        if (auto it = m_pending.find(name); it != m_pending.end()) {
            for (auto& [number, text] : it->second) m_texts[Key(table, number)] = text;
            m_pending.erase(it);
        }
    }

    bool Lookup(unsigned short table, std::uint32_t number, std::string& text) const {
        std::lock_guard lock(m_mutex);
        auto it = m_texts.find(Key(table, number));
        if (it == m_texts.end()) return false;
        text = it->second;
        return true;
    }

    void Replace(const std::string& name, std::uint32_t number, std::string text) {
        std::lock_guard lock(m_mutex);
        if (auto it = m_tables.find(name); it != m_tables.end())
            m_texts[Key(it->second, number)] = std::move(text);
        else
            m_pending[name][number] = std::move(text);
    }

private:
    static std::uint64_t Key(unsigned short table, std::uint32_t number) {
        return (std::uint64_t{table} << 32) | number;
    }

    mutable std::mutex m_mutex;
    std::map<std::string, unsigned short> m_tables;
    std::map<std::uint64_t, std::string> m_texts;
    std::map<std::string, std::map<std::uint32_t, std::string>> m_pending;
};

constexpr RSMessageText kBaseErrorTexts[] = {
    {RMCBaseErrors::kSystemError, "%1 failed: %2 %3"},
    {RMCBaseErrors::kFileOpen, "cannot open file \"%1\": %2"},
    {RMCBaseErrors::kFileWrite, "cannot write file \"%1\": %2"},
    {RMCBaseErrors::kFileRead, "cannot read file \"%1\": %2"},
    {RMCBaseErrors::kSerialTruncated, "serialised data ends early"},
    {RMCBaseErrors::kSerialType, "serialised data of type %1 where type %2 is expected"},
    {RMCBaseErrors::kSerialKind, "serialised member %1 has kind %2 where kind %3 is expected"},
    {RMCBaseErrors::kIndexOutOfRange, "index %2 out of range for %1 (count %3)"},
};

}  // namespace

TMessageBase::TMessageBase(const char* tableName, const char* moduleName, const char* headerPath,
                           unsigned short tableNumber, std::span<const RSMessageText> texts)
    : m_sTable(tableName), m_sModule(moduleName), m_sHeader(headerPath), m_nTable(tableNumber) {
    Registry::Instance().Register(tableName, tableNumber, texts);
}

RMCBaseErrors::RMCBaseErrors()
    : TMessageBase("BaseErrors", "VEMTO", "ssl2/base/TMessage.h", 1, kBaseErrorTexts) {}

namespace VEMTO {

TString GetMessage(unsigned short table, std::uint32_t number, const TString& arg1,
                   const TString& arg2, const TString& arg3) {
    std::string text;
    if (!Registry::Instance().Lookup(table, number, text))
        return TString::Format("No Message for <0x%X>:<0x%X>", table, number);
    std::string out;
    out.reserve(text.size() + arg1.GetLength() + arg2.GetLength() + arg3.GetLength());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '3') {
            const TString* args[] = {&arg1, &arg2, &arg3};
            out += args[text[i + 1] - '1']->str();
            ++i;
        } else {
            out += text[i];
        }
    }
    return TString(std::move(out));
}

int LoadMessages(const TString& path) {
    std::ifstream in(path.str(), std::ios::binary);
    if (!in) return -1;
    int count = 0;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';') continue;
        const auto tab1 = line.find('\t');
        const auto tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
        if (tab2 == std::string::npos) continue;
        std::uint32_t number = 0;
        if (!TString(line.substr(tab1 + 1, tab2 - tab1 - 1)).Value(number, 0)) continue;
        Registry::Instance().Replace(line.substr(0, tab1), number, line.substr(tab2 + 1));
        ++count;
    }
    return count;
}

}  // namespace VEMTO
