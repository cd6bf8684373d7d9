// Test support for delivery, normalisation and queue tests: a fresh temporary
// directory per test with a captured log and a job builder, the twenty-file example
// ticket, and a snapshot of a whole directory tree (every entry with its kind and
// contents), so that tests can assert exactly what an operation wrote.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ssl2/base/ILog.h"
#include "ssl2/base/TString.h"
#include "ssl2/set/RCSslSet.h"
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

/// Level-1 (severe) messages of `log`.
inline int Severe(const RCCaptureLog& log) {
    int count = 0;
    for (const auto& entry : log.GetEntries())
        count += entry.m_nLevel == 1 ? 1 : 0;
    return count;
}

/// The twenty-file example ticket with its files' directory replaced by `dir`.
inline std::string TwentyFileTicket(const fs::path& dir) {
    std::string ticket = ReadFile(SSL2_SOURCE_DIR "/examples/tickets/twenty_files.ssl");
    const std::string from = "/srv/plot/in/towerb";
    for (std::size_t at; (at = ticket.find(from)) != std::string::npos;)
        ticket.replace(at, from.size(), dir.string());
    return ticket;
}

/// A fresh temporary directory per test (m_root), removed afterwards, and a log that
/// captures what the test's operations report (m_log).
class TempDirTest : public ssl2::test::TempDirTest {
protected:
    TString Path(const std::string& rel) const { return ssl2::test::TempDirTest::Path(rel); }
    TString Write(const std::string& rel, const std::string& contents) const {
        return ssl2::test::TempDirTest::Write(rel, contents);
    }

    /// A job named `jobName` with one file entry per (directory, name) below the test
    /// directory; each file is made with "directory/name" as contents unless `make` is
    /// false.
    RCSslSet MakeJob(const std::vector<std::pair<std::string, std::string>>& files,
                     const TString& jobName = "Job", bool make = true) const {
        RCSslSet set;
        RCSslEntry job(0);
        job.SetJobName(jobName);
        set.AddEntry(job);
        for (const auto& [dir, name] : files) {
            if (make)
                Write(dir + "/" + name, dir + "/" + name);
            RCSslEntry file(job, 1);
            file.SetDirectory(Path(dir));
            file.SetName(name);
            set.AddEntry(file);
        }
        return set;
    }

    const fs::path& m_root = m_dir;
    RCCaptureLog m_log;
    RCScopedLog m_scope{&m_log};
};

}  // namespace SslDeliveryTest
