// Test support for delivery, normalisation and queue tests: a fresh temporary
// directory per test and a snapshot of a whole directory tree (every entry with its
// kind and contents), so that tests can assert exactly what an operation wrote.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

#include "ssl2/base/TException.h"
#include "ssl2/base/TString.h"
#include "ssl2/base/TestTempDir.h"

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

inline std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

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

/// A fresh temporary directory per test, removed afterwards.
class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override { m_root = ssl2::test::MakeTempDir("ssl2_delivery_"); }
    void TearDown() override {
        fs::remove_all(m_root);
        ClearError();
    }

    /// Absolute path of `rel` below the test directory, as text.
    TString Path(const std::string& rel) const { return TString((m_root / rel).string()); }
    /// Writes `contents` to `rel` (parents created) and returns its path.
    TString Write(const std::string& rel, const std::string& contents) const {
        fs::create_directories((m_root / rel).parent_path());
        std::ofstream(m_root / rel, std::ios::binary) << contents;
        return Path(rel);
    }
    std::string Read(const std::string& rel) const { return ReadFile(m_root / rel); }
    void MakeDir(const std::string& rel) const { fs::create_directories(m_root / rel); }

    fs::path m_root;
};

}  // namespace SslDeliveryTest
