// Test support: a fresh private directory for a test, made with mkdtemp, so that
// two runs of the same tests at the same time on one machine never share a path.
//
// Tests only.
#pragma once

#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

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

}  // namespace ssl2::test
