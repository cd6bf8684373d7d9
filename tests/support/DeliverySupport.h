// Test support for delivery, normalisation and queue tests: a fresh temporary
// directory per test and a snapshot of a whole directory tree (every entry with its
// kind and contents), so that tests can assert exactly what an operation wrote.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "ssl2/base/TString.h"
#include "tests/support/TempDir.h"

namespace SslDeliveryTest {

namespace fs = std::filesystem;

/// Relative path -> "dir", "link:<target>" or "file:<contents>".
using TreeSnapshot = std::map<std::string, std::string>;

inline TreeSnapshot Snapshot(const fs::path& root) {
    TreeSnapshot tree;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
        const std::string rel = it->path().lexically_relative(root).string();
        if (it->is_symlink()) {
            tree[rel] = "link:" + fs::read_symlink(it->path()).string();
        } else if (it->is_directory()) {
            tree[rel] = "dir";
        } else {
            std::ifstream in(it->path(), std::ios::binary);
            tree[rel] = "file:" + std::string(std::istreambuf_iterator<char>(in), {});
        }
    }
    return tree;
}

using ssl2::test::ReadFile;

/// The entries of `after` that are new or different from `before`.
inline TreeSnapshot Changes(const TreeSnapshot& before, const TreeSnapshot& after) {
    TreeSnapshot changed;
    for (const auto& [path, what] : after) {
        auto it = before.find(path);
        if (it == before.end() || it->second != what)
            changed[path] = what;
    }
    return changed;
}

/// A fresh temporary directory per test (m_root), removed afterwards.
class TempDirTest : public ssl2::test::TempDirTest {
protected:
    TString Path(const std::string& rel) const { return ssl2::test::TempDirTest::Path(rel); }
    TString Write(const std::string& rel, const std::string& contents) const {
        return ssl2::test::TempDirTest::Write(rel, contents);
    }

    const fs::path& m_root = m_dir;
};

}  // namespace SslDeliveryTest
