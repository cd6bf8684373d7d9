// WriteSsl as a caller meets the file system: a link at the target path and a
// ticket that replaces another.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "ssl2/set/RCSslSet.h"
#include "tests/support/SetSupport.h"

namespace {

namespace fs = std::filesystem;
constexpr auto kVersion = SslStatement::kVersion50;

// A link at the path is replaced, never written through, by a ticket with the
// permissions the umask allows; a ticket written over an existing one replaces it
// whole and keeps its permissions.
TEST(WriteSslTest, ReplacesTheEntryAtThePathAndNeverWritesThroughALink) {
    const ssl2::test::RCTempDir dir;
    RCSslSet set;
    ASSERT_GT(set.ParseSsl(ssl2::test::ExamplePath("simple.ssl"), 300), 1);
    const fs::path ticket = dir.Path() / "job.ssl";
    const fs::path elsewhere = dir.Write("elsewhere.txt", "not a ticket");
    fs::create_symlink(elsewhere, ticket);
    const mode_t umask = ::umask(027);
    set.WriteSsl(ticket.string(), RCAccessSsl(), kVersion);
    EXPECT_EQ(fs::symlink_status(ticket).permissions(), fs::perms(0640));
    EXPECT_EQ(ssl2::test::ReadFile(elsewhere), "not a ticket");
    std::ofstream(ticket, std::ios::trunc) << "BeginJob \"old\"\r\nEndJob\r\n";
    fs::permissions(ticket, fs::perms(0604));
    set.WriteSsl(ticket.string(), RCAccessSsl(), kVersion);
    ::umask(umask);
    EXPECT_EQ(ssl2::test::ReadFile(ticket), set.ToString(RCAccessSsl(), kVersion, 0).AsFileBytes());
    EXPECT_EQ(fs::status(ticket).permissions(), fs::perms(0604));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), {}), 2) << "no temporary file";
}

}  // namespace
