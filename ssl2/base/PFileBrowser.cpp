#include "ssl2/base/PFileBrowser.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "ssl2/base/TFile.h"

namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool PFileBrowser::Match(const TString& name, const TString& pattern) {
    const std::string& n = name.str();
    // "*.*" is the classic spelling of "every name", dot or not.
    const std::string& p = pattern == "*.*" ? std::string("*") : pattern.str();
    // Greedy matching with one backtrack point: linear in practice, never exponential.
    std::size_t i = 0, j = 0, star = std::string::npos, mark = 0;
    while (i < n.size()) {
        if (j < p.size() && (p[j] == '?' || Lower(p[j]) == Lower(n[i]))) {
            ++i;
            ++j;
        } else if (j < p.size() && p[j] == '*') {
            star = j++;
            mark = i;
        } else if (star != std::string::npos) {
            j = star + 1;
            i = ++mark;
        } else {
            return false;
        }
    }
    while (j < p.size() && p[j] == '*')
        ++j;
    return j == p.size();
}

PFileBrowser::PFileBrowser(const TString& directory, const TString& pattern, unsigned what) {
    namespace fs = std::filesystem;
    std::string dir = TFile::NativePath(directory).str();
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    std::error_code error;
    fs::directory_iterator it(dir, error);
    if (error) {
        ThrowNewError(RMCBaseErrors(), RMCBaseErrors::kFileOpen, directory,
                      TString(error.message()));
    }
    std::vector<std::string> names;
    for (; it != fs::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        const bool isDir = it->is_directory(typeError);
        if (typeError || !((isDir && (what & kDirectories)) || (!isDir && (what & kFiles))))
            continue;
        std::string name = it->path().filename().string();
        if (Match(TString(name), pattern))
            names.push_back(std::move(name));
    }
    if (error) {
        ThrowNewError(RMCBaseErrors(), RMCBaseErrors::kFileRead, directory,
                      TString(error.message()));
    }
    std::sort(names.begin(), names.end());
    if (dir.back() != '/')
        dir += '/';
    for (const auto& name : names)
        m_aPaths.push_back(TString(dir + name));
}
