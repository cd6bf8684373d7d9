// WriteSsl as a caller meets the file system: an existing ticket, links at the
// target path, a disk that fails or fills up midway, a directory it may not write.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ssl2/base/TException.h"
#include "ssl2/base/TFileOps.h"
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

// Each file operation of the write fails in turn (a full disk stays full): the
// error is raised, no temporary file stays, and the old ticket is untouched unless
// the rename was done and only the directory sync after it failed.
TEST_F(WriteSslTest, AFailedWriteLeavesTheOldTicket) {
    const fs::path ticket = m_Dir.Path() / "job.ssl";
    const std::string old = "BeginJob \"old\"\r\nEndJob\r\n";
    std::uint64_t calls = 0;
    {
        std::ofstream(ticket) << old;
        TFileOps::RSFaultPlan count;
        count.m_nAt = ~std::uint64_t(0);
        TFileOps::RCFaultScope scope(count);
        m_Set.WriteSsl(ticket.string(), RCAccessSsl(), kVersion);
        calls = scope.Calls();
    }
    ASSERT_GE(calls, 4u);  // open, write, sync, rename, directory sync
    const int errors[] = {ENOSPC, EIO, EACCES, EROFS};
    for (std::uint64_t at = 1; at <= calls; ++at) {
        for (const int error : errors) {
            std::ofstream(ticket, std::ios::trunc) << old;
            const std::string where = "call " + std::to_string(at) + " " + std::strerror(error);
            TFileOps::RSFaultPlan plan;
            plan.m_nAt = at;
            plan.m_nError = error;
            plan.m_bSticky = error == ENOSPC;
            TFileOps::RCFaultScope faults(plan);
            try {
                m_Set.WriteSsl(ticket.string(), RCAccessSsl(), kVersion);
                ADD_FAILURE() << where << ": no error raised";
            } catch (const TException& e) {
                EXPECT_NE(std::string(e.what()).find(std::strerror(error)), std::string::npos)
                    << where << ": " << e.what();
                EXPECT_NE(std::string(e.what()).find(m_Dir.Path().string()), std::string::npos)
                    << where << ": " << e.what();
            }
            ClearError();
            if (at < calls)
                EXPECT_EQ(ReadFile(ticket), old) << where;
            else
                EXPECT_TRUE(Written(ticket)) << where;
            EXPECT_EQ(Names(m_Dir.Path()), std::vector<std::string>{"job.ssl"}) << where;
        }
    }
}

// A directory the caller may not write: the error is raised and nothing changes.
// Run by a user without the right to write there (root drops to "nobody" in a
// child process, since root may write anywhere).
TEST_F(WriteSslTest, OntoAReadOnlyDirectory) {
    const fs::path dir = m_Dir.Path() / "ro";
    fs::create_directory(dir);
    std::ofstream(dir / "job.ssl") << "old";
    fs::permissions(m_Dir.Path(), fs::perms(0755));
    fs::permissions(dir, fs::perms(0555));
    fs::permissions(dir / "job.ssl", fs::perms(0666));  // the file itself is writable
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(3);
        try {
            m_Set.WriteSsl((dir / "job.ssl").string(), RCAccessSsl(), kVersion);
        } catch (const TException& e) {
            ::_exit(std::string(e.what()).find(std::strerror(EACCES)) != std::string::npos ? 0 : 2);
        }
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
    EXPECT_EQ(ReadFile(dir / "job.ssl"), "old");
    EXPECT_EQ(Names(dir), std::vector<std::string>{"job.ssl"});
    fs::permissions(dir, fs::perms(0755));
}

}  // namespace
