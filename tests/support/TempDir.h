// Test support: a fresh private directory per test, made with mkdtemp so that two runs of
// the same tests at the same time on one machine never share a path, and the few file
// helpers the tests use around it. Tests only; never installed.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "ssl2/base/TException.h"

namespace ssl2::test {

/// Makes a new directory `prefix` + six random characters below `parent` (the
/// temporary directory: $TMPDIR or /tmp) with mode 0700, and returns its path.
inline std::filesystem::path MakeTempDir(
    const std::string& prefix,
    const std::filesystem::path& parent = std::filesystem::temp_directory_path()) {
    std::string pattern = (parent / (prefix + "XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::filesystem::filesystem_error("mkdtemp", pattern,
                                                std::error_code(errno, std::generic_category()));
    }
    return pattern;
}

/// The whole content of the file at `path` (empty when it cannot be read).
inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

/// Writes `bytes` to `path`, creating the missing parent directories.
inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

/// A temporary directory that lives as long as the object.
class RCTempDir {
public:
    explicit RCTempDir(const std::string& prefix = "ssl2_",
                       const std::filesystem::path& parent = std::filesystem::temp_directory_path())
        : m_Path(MakeTempDir(prefix, parent)) {}
    ~RCTempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_Path, ignored);
    }
    RCTempDir(const RCTempDir&) = delete;
    RCTempDir& operator=(const RCTempDir&) = delete;

    const std::filesystem::path& Path() const { return m_Path; }
    /// The full path of `rel` below the directory, as text.
    std::string Path(const std::string& rel) const { return (m_Path / rel).string(); }
    /// Writes `bytes` to `rel` (parents created) and returns its full path.
    std::string Write(const std::string& rel, const std::string& bytes) const {
        WriteFile(m_Path / rel, bytes);
        return Path(rel);
    }
    std::string Read(const std::string& rel) const { return ReadFile(m_Path / rel); }
    void MakeDir(const std::string& rel) const {
        std::filesystem::create_directories(m_Path / rel);
    }

private:
    std::filesystem::path m_Path;
};

/// A fixture with a fresh directory per test (m_dir, and RCTempDir's helpers), removed
/// afterwards together with any error a test left pending.
class TempDirTest : public ::testing::Test, protected RCTempDir {
protected:
    void TearDown() override { ClearError(); }

    const std::filesystem::path& m_dir = RCTempDir::Path();
};

}  // namespace ssl2::test
