#include "ssl2/base/RCUncPath2LocalPath.h"

#include <mutex>
#include <string>
#include <vector>

namespace {

// The components of a UNC path: server, share, then directories and name.  Empty
// components (doubled separators) are dropped.  False when `path` is not UNC.
bool SplitUnc(const std::string& path, std::vector<std::string>& parts) {
    auto sep = [](char c) { return c == '/' || c == '\\'; };
    if (path.size() < 3 || !sep(path[0]) || !sep(path[1]) || sep(path[2]))
        return false;
    parts.clear();
    std::string part;
    for (std::size_t i = 2; i <= path.size(); ++i) {
        if (i == path.size() || sep(path[i])) {
            if (!part.empty())
                parts.push_back(std::move(part));
            part.clear();
        } else {
            part += path[i];
        }
    }
    return parts.size() >= 2;
}

struct Mapping {
    std::vector<std::string> m_aPrefix;
    std::string m_sLocal;
};

struct Table {
    std::mutex m_mutex;
    std::vector<Mapping> m_aMappings;
};

Table& TheTable() {
    static Table table;
    return table;
}

bool SameNoCase(const std::string& a, const std::string& b) {
    return TString(a).CompareNoCase(TString(b)) == 0;
}

}  // namespace

int RCUncPath2LocalPath::AddMapping(const TString& uncPrefix, const TString& localDirectory) {
    Mapping mapping;
    if (!SplitUnc(uncPrefix.str(), mapping.m_aPrefix))
        return 0;
    mapping.m_sLocal = localDirectory.str();
    for (auto& c : mapping.m_sLocal)
        if (c == '\\')
            c = '/';
    while (mapping.m_sLocal.size() > 1 && mapping.m_sLocal.back() == '/')
        mapping.m_sLocal.pop_back();

    Table& table = TheTable();
    std::lock_guard lock(table.m_mutex);
    for (auto& m : table.m_aMappings) {
        if (m.m_aPrefix.size() == mapping.m_aPrefix.size() &&
            std::equal(m.m_aPrefix.begin(), m.m_aPrefix.end(), mapping.m_aPrefix.begin(),
                       SameNoCase)) {
            m = std::move(mapping);
            return 1;
        }
    }
    table.m_aMappings.push_back(std::move(mapping));
    return 1;
}

void RCUncPath2LocalPath::ClearMappings() {
    Table& table = TheTable();
    std::lock_guard lock(table.m_mutex);
    table.m_aMappings.clear();
}

int RCUncPath2LocalPath::UncPath2LocalPath(TString& path, const TString& server) {
    std::vector<std::string> parts;
    if (!SplitUnc(path.str(), parts))
        return 0;
    if (!server.IsEmpty() && !SameNoCase(parts[0], server.str()))
        return 0;

    Table& table = TheTable();
    std::lock_guard lock(table.m_mutex);
    const Mapping* best = nullptr;
    for (const auto& m : table.m_aMappings) {
        if (m.m_aPrefix.size() <= parts.size() &&
            std::equal(m.m_aPrefix.begin(), m.m_aPrefix.end(), parts.begin(), SameNoCase) &&
            (!best || m.m_aPrefix.size() > best->m_aPrefix.size())) {
            best = &m;
        }
    }
    if (!best)
        return 0;
    std::string local = best->m_sLocal;
    for (std::size_t i = best->m_aPrefix.size(); i < parts.size(); ++i) {
        if (parts[i] == "..")
            return 0;
        if (local.empty() || local.back() != '/')
            local += '/';
        local += parts[i];
    }
    const char last = path.str().back();
    if ((last == '/' || last == '\\') && (local.empty() || local.back() != '/'))
        local += '/';
    path = TString(std::move(local));
    return 1;
}
