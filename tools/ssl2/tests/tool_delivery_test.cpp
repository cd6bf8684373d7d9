// The delivery subcommands of the ssl2 tool (deliver, normalize, queue) on jobs
// whose files exist, on missing files and on directories that cannot be used.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "ssl2/ssl2.h"
#include "tools/ssl2/tests/ToolTestSupport.h"

namespace ssl2tool::test {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

class ToolDeliveryTest : public ToolTest {
protected:
    /// A ticket in the test directory naming `files` in the directory "in" (each
    /// created unless listed in `missing`).
    fs::path MakeJob(const std::vector<std::string>& files,
                     const std::vector<std::string>& missing = {},
                     const std::string& jobLines = "") {
        fs::create_directories(m_Dir / "in");
        std::string ticket = "BeginJob \"noname\"\r\nJobName \"Plans\"\r\n" + jobLines;
        for (const std::string& name : files) {
            if (std::find(missing.begin(), missing.end(), name) == missing.end())
                WriteFile(m_Dir / "in" / name, "data of " + name);
            ticket += "BeginOutput\r\nDirectory \"" + (m_Dir / "in").string() + "\"\r\nName \"" +
                      name + "\"\r\nEndOutput\r\n";
        }
        ticket += "EndJob\r\n";
        const fs::path path = m_Dir / "job.ssl";
        WriteFile(path, ticket);
        return path;
    }
};

// Every file is copied and the ticket written beside them; a second delivery gets a
// directory of its own; a progress line is shown only on a terminal.
TEST_F(ToolDeliveryTest, DeliverCopiesEveryFileAndWritesTheTicket) {
    std::vector<std::string> names;
    for (int i = 0; i < 12; ++i)
        names.push_back("p" + std::to_string(i) + ".plt");
    const fs::path ticket = MakeJob(names);
    fs::create_directories(m_Dir / "out");
    RSRun run = RunTool({"deliver", ticket.string(), "--to", (m_Dir / "out").string()});
    ASSERT_EQ(run.m_nExit, 0) << run.m_sErr;
    EXPECT_THAT(run.m_sOut, HasSubstr("deliver: 12 copied, 0 skipped, 0 failed"));
    EXPECT_EQ(run.m_sErr.find("delivering:"), std::string::npos);
    EXPECT_EQ(ReadFile(m_Dir / "out" / "Plans" / "p11.plt"), "data of p11.plt");
    RCSslSet delivered;
    ASSERT_EQ(delivered.ParseSsl((m_Dir / "out" / "Plans.ssl").string(), 300), 13);
    EXPECT_EQ(delivered.GetEntry(1).GetDirectory().str(), (m_Dir / "out" / "Plans").string());

    // script(1) runs the tool on a pseudo-terminal and copies what it shows.
    const std::string command = std::string(SSL2_TOOL_PATH) + " deliver '" + ticket.string() +
                                "' --to '" + (m_Dir / "out").string() + "'";
    run = RunProgram("/usr/bin/script", {"-qec", command, "/dev/null"});
    ASSERT_EQ(run.m_nExit, 0) << run.m_sOut;
    EXPECT_THAT(run.m_sOut, HasSubstr("delivering: "));
    EXPECT_THAT(run.m_sOut, HasSubstr("deliver: 12 copied, 0 skipped, 0 failed"));
    EXPECT_EQ(ReadFile(m_Dir / "out" / "Plans1" / "p0.plt"), "data of p0.plt");
}

TEST_F(ToolDeliveryTest, MissingFileIsReportedAsFailed) {
    const fs::path ticket = MakeJob({"a.plt", "gone.plt"}, {"gone.plt"});
    fs::create_directories(m_Dir / "out");
    const RSRun run = RunTool({"deliver", ticket.string(), "--to", (m_Dir / "out").string()});
    EXPECT_EQ(run.m_nExit, 1);
    EXPECT_THAT(run.m_sErr, HasSubstr("gone.plt"));
    EXPECT_THAT(run.m_sErr, HasSubstr("not delivered"));
    // No ticket names a file that is not there.
    EXPECT_FALSE(fs::exists(m_Dir / "out" / "Plans.ssl"));

    const fs::path norm = m_Dir / "norm";
    fs::create_directories(norm);
    const RSRun normalize = RunTool({"normalize", ticket.string(), "--dir", norm.string()});
    EXPECT_EQ(normalize.m_nExit, 1);
    EXPECT_THAT(normalize.m_sErr, HasSubstr("gone.plt"));
    EXPECT_FALSE(fs::exists(norm / "job.ssl"));
}

TEST_F(ToolDeliveryTest, UnusableTargetsAndBrokenTickets) {
    const fs::path ticket = MakeJob({"a.plt"});
    WriteFile(m_Dir / "plain", "not a directory");
    fs::create_directories(m_Dir / "out");
    fs::create_directories(m_Dir / "queue");
    WriteFile(m_Dir / "queue" / "latest.num", "00000041\r\n");
    // Refused before anything is copied; only a raw job is queued.
    ExpectToolCases({{"deliver @DIR/job.ssl --to @DIR/nowhere", 2, "", "not a directory"},
                     {"deliver @DIR/job.ssl --to @DIR/plain", 2, "", "not a directory"},
                     {"normalize @DIR/job.ssl --dir @DIR/x", 2},
                     {"queue @DIR/job.ssl --dir @DIR/out", 2, "", "not a queue directory"},
                     {"queue @DIR/job.ssl --dir @DIR/queue", 1, "", "not a raw job"},
                     {"deliver @EX/tickets/syntax_errors.ssl --to @DIR/out", 1}},
                    m_Dir);
    EXPECT_TRUE(fs::is_empty(m_Dir / "out"));

    // A directory the user may not write (root, who writes anywhere, runs the tool
    // as "nobody").
    fs::create_directories(m_Dir / "locked");
    fs::permissions(m_Dir, fs::perms(0755));
    fs::permissions(m_Dir / "locked", fs::perms(0555));
    std::vector<std::string> args = {"deliver", ticket.string(), "--to",
                                     (m_Dir / "locked").string()};
    if (::geteuid() == 0) {
        args.insert(args.begin(),
                    {"--reuid=65534", "--regid=65534", "--clear-groups", SSL2_TOOL_PATH});
    }
    const RSRun run = RunProgram(::geteuid() == 0 ? "/usr/bin/setpriv" : SSL2_TOOL_PATH, args);
    EXPECT_EQ(run.m_nExit, 2);
    EXPECT_THAT(run.m_sErr, HasSubstr("not delivered"));
    EXPECT_TRUE(fs::is_empty(m_Dir / "locked"));
}

// The purge lists what it deletes, a dry run changes nothing, and the ticket never
// lands on a gathered file of its name.
TEST_F(ToolDeliveryTest, NormalizeGathersFilesAndWritesTheTicketThere) {
    const fs::path ticket = MakeJob({"a.plt", "job.ssl"});
    const fs::path norm = m_Dir / "norm";
    fs::create_directories(norm);
    WriteFile(norm / "stale.plt", "old");
    RSRun run =
        RunTool({"normalize", ticket.string(), "--dir", norm.string(), "--purge", "--dry-run"});
    ASSERT_EQ(run.m_nExit, 0) << run.m_sErr;
    EXPECT_THAT(run.m_sOut, HasSubstr("would delete: " + (norm / "stale.plt").string()));
    EXPECT_EQ(ReadFile(norm / "stale.plt"), "old");
    EXPECT_FALSE(fs::exists(norm / "a.plt"));

    run = RunTool({"normalize", ticket.string(), "--dir", norm.string(), "--purge"});
    ASSERT_EQ(run.m_nExit, 0) << run.m_sErr;
    EXPECT_THAT(run.m_sOut, HasSubstr("deleted: " + (norm / "stale.plt").string()));
    EXPECT_THAT(run.m_sOut, HasSubstr("normalize: 2 copied, 0 skipped, 0 failed, 1 deleted"));
    EXPECT_EQ(ReadFile(norm / "job.ssl"), "data of job.ssl");
    EXPECT_FALSE(fs::exists(norm / "stale.plt"));
    RCSslSet normalised;
    ASSERT_EQ(normalised.ParseSsl((norm / "job_1.ssl").string(), 300), 3);
}

// The summary counts what became of each file: two different files of one name
// both copied, the same file named twice once, also when overwriting.
TEST_F(ToolDeliveryTest, CountsComeFromWhatBecameOfEachFile) {
    const fs::path ticket = MakeJob({"a.plt", "a.plt"});
    fs::create_directories(m_Dir / "in2");
    WriteFile(m_Dir / "in2" / "a.plt", "other a.plt");
    std::string text = ReadFile(ticket);
    text.insert(text.find("EndJob"), "BeginOutput\r\nDirectory \"" + (m_Dir / "in2").string() +
                                         "\"\r\nName \"a.plt\"\r\nEndOutput\r\n");
    WriteFile(ticket, text);
    fs::create_directories(m_Dir / "out");
    const std::string out = (m_Dir / "out").string();
    RSRun run = RunTool({"deliver", ticket.string(), "--to", out});
    ASSERT_EQ(run.m_nExit, 0) << run.m_sErr;
    EXPECT_THAT(run.m_sOut, HasSubstr("deliver: 2 copied, 1 skipped, 0 failed"));
    EXPECT_EQ(ReadFile(m_Dir / "out" / "Plans" / "a_1.plt"), "other a.plt");

    WriteFile(m_Dir / "out" / "Plans" / "a.plt", "changed");
    run = RunTool({"deliver", ticket.string(), "--to", out, "--overwrite", "--dry-run"});
    ASSERT_EQ(run.m_nExit, 0) << run.m_sErr;
    EXPECT_THAT(run.m_sOut, HasSubstr("would replace: "));
    EXPECT_THAT(run.m_sOut, HasSubstr("deliver: dry run, nothing changed: 3 planned"));
    EXPECT_EQ(ReadFile(m_Dir / "out" / "Plans" / "a.plt"), "changed");

    run = RunTool({"deliver", ticket.string(), "--to", out, "--overwrite"});
    ASSERT_EQ(run.m_nExit, 0) << run.m_sErr;
    EXPECT_THAT(run.m_sOut, HasSubstr("deliver: 2 copied, 1 skipped, 0 failed"));
    EXPECT_EQ(ReadFile(m_Dir / "out" / "Plans" / "a.plt"), "data of a.plt");
}

TEST_F(ToolDeliveryTest, QueueClaimsTheNextDirectoryForARawJob) {
    fs::create_directories(m_Dir / "queue");
    WriteFile(m_Dir / "queue" / "latest.num", "00000041\r\n");
    WriteFile(m_Dir / "in.job", "raw job");
    const fs::path ticket = MakeJob(
        {"a.plt"}, {}, "PlotRaw on\r\nSupportFile \"" + (m_Dir / "in.job").string() + "\"\r\n");
    // The directory reported is the one the claim returned.
    const RSRun run =
        RunTool({"queue", ticket.string(), "--dir", (m_Dir / "queue").string(), "--wait", "0"});
    ASSERT_EQ(run.m_nExit, 0) << run.m_sOut << run.m_sErr;
    EXPECT_THAT(run.m_sOut, HasSubstr("queued 1 file entry"));
    EXPECT_THAT(run.m_sOut,
                HasSubstr("queue directory: " + (m_Dir / "queue" / "00000041").string() + "/\n"));
    EXPECT_EQ(ReadFile(m_Dir / "queue" / "00000041" / "in.job"), "raw job");
}

}  // namespace
}  // namespace ssl2tool::test
