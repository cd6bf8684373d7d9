// WriteSsl as a caller meets the file system: an existing ticket and links at the
// target path.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ssl2/set/RCSslSet.h"
#include "tests/support/SetSupport.h"

namespace {

namespace fs = std::filesystem;
using ssl2::test::RCTempDir;
using ssl2::test::ReadFile;

constexpr auto kVersion = SslStatement::kVersion50;

/// The names in `dir`, sorted.
std::vector<std::string> Names(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class WriteSslTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_GT(m_Set.ParseSsl(ssl2::test::ExamplePath("simple.ssl"), 300), 1);
        m_sBytes = m_Set.ToString(RCAccessSsl(), kVersion, 0).AsFileBytes();
    }
    void TearDown() override { ClearError(); }

    /// The ticket at `path` is a regular file of its own holding the text of the set.
    ::testing::AssertionResult Written(const fs::path& path) const {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
            return ::testing::AssertionFailure() << path << " is no regular file";
        if (ReadFile(path) != m_sBytes)
            return ::testing::AssertionFailure() << path << " holds other bytes";
        return ::testing::AssertionSuccess();
    }

    RCTempDir m_Dir;
    RCSslSet m_Set;
    std::string m_sBytes;
};

// The ticket replaces what is at the path, never what a link there points at; an
// existing ticket's permissions stay, a new one gets those the umask allows.
TEST_F(WriteSslTest, ReplacesTheEntryAtThePathAndNeverWritesThroughALink) {
    const fs::path dir = m_Dir.Path();
    const fs::path elsewhere = m_Dir.Write("elsewhere.txt", "not a ticket");
    const mode_t umask = ::umask(027);
    struct Row {
        const char* what;
        void (*make)(const fs::path& ticket, const fs::path& elsewhere);
        mode_t mode;
    } rows[] = {
        {"nothing", [](const fs::path&, const fs::path&) {}, 0640},
        {"a ticket",
         [](const fs::path& ticket, const fs::path&) {
             std::ofstream(ticket) << "BeginJob \"old\"\r\nEndJob\r\n";
             fs::permissions(ticket, fs::perms(0604));
         },
         0604},
        {"a link to a file elsewhere",
         [](const fs::path& ticket, const fs::path& target) { fs::create_symlink(target, ticket); },
         0640},
        {"a dangling link",
         [](const fs::path& ticket, const fs::path& target) {
             fs::create_symlink(target.parent_path() / "missing.ssl", ticket);
         },
         0640},
    };
    for (const Row& row : rows) {
        const fs::path ticket = dir / "job.ssl";
        fs::remove(ticket);
        row.make(ticket, elsewhere);
        m_Set.WriteSsl(ticket.string(), RCAccessSsl(), kVersion);
        EXPECT_TRUE(Written(ticket)) << row.what;
        EXPECT_EQ(fs::status(ticket).permissions(), fs::perms(row.mode)) << row.what;
        EXPECT_EQ(ReadFile(elsewhere), "not a ticket") << row.what;
        EXPECT_EQ(Names(dir), (std::vector<std::string>{"elsewhere.txt", "job.ssl"})) << row.what;
    }
    ::umask(umask);
}

}  // namespace
