// PFileBrowser: the entries of one directory whose names match a wildcard pattern.
//
// Patterns use '*' (any run of characters) and '?' (one character), matched ASCII
// case-insensitively against the whole name; "*.*" and "*" match every name, with
// or without a dot.  "." and ".." are never listed.  Entries are sorted by name and
// given as full paths (directory + '/' + name).  The list is read once, when the
// browser is built; it is a plain value.
//
//   PFileBrowser files("/srv/jobs/J1", "*.*");
//   for (std::uint32_t i = 0; i < files.Size(); ++i) use(files[i]);
#pragma once

#include <cstdint>

#include "ssl2/base/TRCMultiObjectContainer.h"
#include "ssl2/base/TString.h"

/// The entries of one directory whose names match a wildcard pattern, sorted.
class PFileBrowser {
public:
    /// Which entries to list.
    enum TWhat : unsigned { kFiles = 1, kDirectories = 2, kFilesAndDirectories = 3 };

    /// Lists `directory`; raises RMCBaseErrors::kFileOpen when it cannot be read.
    explicit PFileBrowser(const TString& directory, const TString& pattern = "*.*",
                          unsigned what = kFiles);

    /// The number of entries listed.
    std::uint32_t Size() const { return m_aPaths.size(); }
    /// Full path of entry `index` (raises kIndexOutOfRange past the end).
    const TString& operator[](std::uint32_t index) const { return m_aPaths[index]; }
    /// Every entry's full path.
    const TRCMultiObjectContainer<TString>& GetPaths() const { return m_aPaths; }

    /// True when `name` matches the wildcard `pattern`.
    static bool Match(const TString& name, const TString& pattern);

private:
    TRCMultiObjectContainer<TString> m_aPaths;
};
