// The ssl2 tool run as a program: usage, check, show (with JSON), convert, embed,
// cfg and capas on the examples and on broken input.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "ssl2/ssl2.h"
#include "tests/support/SetSupport.h"
#include "tools/ssl2/tests/ToolTestSupport.h"

namespace ssl2tool::test {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::StartsWith;

TEST(ToolUsage, VersionHelpAndUsageErrors) {
    const RSRun version = RunTool({"--version"});
    EXPECT_EQ(version.m_nExit, 0);
    EXPECT_THAT(version.m_sOut, HasSubstr("ssl2 " SSL2_VERSION));

    for (const char* command : {"check", "show", "convert", "embed", "deliver", "normalize",
                                "queue", "capas", "cfg", "preflight", "preview", "diff"}) {
        const RSRun help = RunTool({command, "--help"});
        EXPECT_EQ(help.m_nExit, 0) << command;
        EXPECT_THAT(help.m_sOut, HasSubstr(command)) << command;
    }
}

class ToolCasesTest : public ToolTest {};

// The tool's answers as a user sees them: exit code and what it says, one row a case.
TEST_F(ToolCasesTest, ExitCodesAndMessages) {
    WriteFile(m_Dir / "cut.ssl",
              "BeginJob \"noname\"\r\nCopies 2\r\nBeginOutput\r\nName \"a.plt\"\r\n");
    WriteFile(m_Dir / "plain", "a file, not a directory");
    WriteFile(m_Dir / "refused.ssl",
              "BeginJob\nUnits pixel\nMargin Top 600\nCopies 20000\nEndJob\n");
    WriteFile(m_Dir / "long.ssl", "BeginJob \"x\"\r\nHpglAsString \"a\r\nb\"\r\nEndJob\r\n");
    WriteFile(m_Dir / "noted.ssl", "BeginJob\nMirror on\nEndJob\n");
    WriteFile(m_Dir / "wide.ini", ssl2::test::Utf16File(u"[Default]\r\nName=Wide\r\n"));
    WriteFile(m_Dir / "latin.ssl",
              "BeginJob \"noname\"\r\nJobName \"Gr\xFC\xDF\x80\"\r\nEndJob\r\n");
    // A ticket whose data file exists, for the .cfg export.
    WriteFile(m_Dir / "plan.plt", "IN;PU0,0;PD100,100;");
    WriteFile(m_Dir / "job.ssl",
              "BeginJob \"noname\"\r\nBeginOutput\r\nDirectory \"" + m_Dir.string() +
                  "\"\r\nName \"plan.plt\"\r\nCopies 3\r\nEndOutput\r\nEndJob\r\n");
    RCAccessSsl copiesOnly;
    copiesOnly.SetAllAccess(0);
    copiesOnly.SetCopiesAccess(1);
    const std::string capas = " --capas @EX/capas/sheetpro_a3.ini";
    ExpectToolCases(
        {
            {"", 2},
            {"frobnicate", 2, "", "ssl2: unknown subcommand frobnicate (see ssl2 --help)\n"},
            {"check", 2},
            {"convert @EX/tickets/simple.ssl", 2},
            {"convert @EX/tickets/simple.ssl -o - --dialect 2.0", 2},
            {"convert @EX/tickets/simple.ssl -o - --dialect 1.5", 0, "\r\nVersion \"1.5\"\r\n"},
            {"convert @EX/tickets/simple.ssl -o - --dialect 3.0", 0, "Version \"3.0.001\"\r\n", "",
             "\r\nVersion \""},
            {"convert @EX/tickets/simple.ssl -o - --access 00 --old-access 1", 2},
            {"convert @EX/tickets/simple.ssl -o - --access XYZ", 2, "", "--access"},
            {"convert @EX/tickets/simple.ssl -o - --access " + copiesOnly.ToString().str(), 0,
             "Copies 2", "", "Account"},
            {"convert @EX/tickets/twenty_files.ssl -o - --flatten-notes", 0,
             "Deliver to site office ask for Ms Berg"},
            // A partly read ticket is never written (checked below).
            {"convert @EX/tickets/syntax_errors.ssl -o @DIR/out.ssl", 1},
            {"check @EX/tickets/simple.ssl", 0, ": ok, 1 file, reached \"EndJob\""},
            {"check @EX/tickets/twenty_files.ssl", 0, ": ok, 20 files, reached \"EndJob\""},
            // File entries inherit the job's notes; they are not repeated for each file.
            {"check @EX/tickets/old_style_15.ssl", 1,
             "old_style_15.ssl: entry 0: Overlay: ignored\n", "", "entry 1: Overlay"},
            {"check @EX/tickets/old_style_15.ssl", 1, "has errors, 2 files, reached \"EndJob\""},
            {"check @EX/tickets/syntax_errors.ssl", 1, "syntax_errors.ssl:3: "},
            {"check @DIR/cut.ssl", 1, "did not reach \"EndJob\""},
            // A value its statement cannot take is named with its line; pixel lengths
            // follow --resolution.
            {"check @DIR/refused.ssl", 1, ": entry 0: Error in line 4: Copies value refused\n"},
            {"convert @DIR/refused.ssl --resolution 600 -o -", 0, "Margin top 25.400\r\n"},
            {"check @DIR/refused.ssl --resolution 0", 2},
            // Unreadable files are reported, and the rest is still checked.
            {"check @DIR/missing.ssl @EX/tickets/simple.ssl @DIR", 2, "simple.ssl: ok",
             "@DIR/missing.ssl: cannot read: No such file or directory"},
            {"check @DIR", 2, "", "@DIR: cannot read: Is a directory"},
            {"show @EX/tickets/simple.ssl", 0, "ground-floor.plt  2"},
            {"show @EX/tickets/simple.ssl", 0, "Files: 1"},
            {"show @EX/tickets/syntax_errors.ssl", 1, "", "syntax_errors.ssl:3: "},
            {"show @DIR/none.ssl --json", 2},
            // UTF-16 and legacy 8-bit text (Windows-1252) both come out as UTF-8.
            {"show --json @EX/tickets/unicode_utf16.ssl", 0,
             "\"value\": \"\xC3\x9C"
             "bersicht"},
            {"show --json @DIR/latin.ssl", 0, "\"value\": \"Gr\xC3\xBC\xC3\x9F\xE2\x82\xAC\""},
            {"show @EX/tickets/simple.ssl --all", 2, "", "--all requires --json"},
            {"convert @EX/tickets/simple.ssl -o @DIR/no/such/dir.ssl", 2, "", "cannot write"},
            {"convert @EX/tickets/simple.ssl -o @DIR/plain/x.ssl", 2, "", "cannot write"},
            // PJL comment lines: line ends are separators, a long string keeps its CR.
            {"embed @EX/tickets/simple.ssl", 0,
             "@PJL COMMENT SSLSTART(1)@PJL COMMENT SSL (FFFE4200 6500 ", "", "0D00"},
            {"embed @DIR/long.ssl", 0, "6100 0D00 )"},
            {"embed @EX/tickets/syntax_errors.ssl", 1},
            {"cfg @DIR/job.ssl --dir @DIR", 0, "1 \".cfg\" file written"},
            {"cfg @EX/tickets/simple.ssl --dir @DIR/no", 2, "", "not a directory"},
            {"capas @EX/capas/classic3000_v3.ini @EX/capas/rolljet_folder.ini"
             " @EX/capas/sheetpro_a3.ini",
             0, "Plotters: Classic 3000, RollJet 4200, SheetPro A3\nSSL dialect: 3.0\n"},
            // A capability file is read as the library reads it, whatever its encoding.
            {"capas @DIR/wide.ini", 0, "Plotters: Wide\n"},
            {"capas @EX/capas/sheetpro_a3.ini --statement mediatype", 0,
             "Keywords of MediaType:\n  value: 0=dontcare 1=paper"},
            {"capas @EX/capas/classic3000_v3.ini --statement Nothing", 2},
            {"capas @EX/capas/classic3000_v3.ini --plotter Nobody", 2},
            {"capas /nonexistent/plotter.ini", 2, "", "cannot read"},
            {"preflight @EX/tickets/simple.ssl" + capas + " -o -", 2, "",
             "--output requires --fix"},
            {"preflight @EX/tickets/simple.ssl" + capas + " --plotter Nobody", 2},
            {"preflight @DIR/none.ssl" + capas, 2},
            {"preflight @EX/tickets/simple.ssl" + capas + " --fix", 2},
            {"preflight @EX/tickets/simple.ssl", 2},
            // A ticket with syntax errors is checked but fails, and is never fixed.
            {"preflight @EX/tickets/syntax_errors.ssl" + capas, 1},
            {"preflight @EX/tickets/syntax_errors.ssl" + capas + " --fix -o @DIR/out.ssl", 1},
            {"diff @EX/tickets/simple.ssl @EX/tickets/syntax_errors.ssl", 1, "",
             "syntax_errors.ssl:3: "},
            {"diff @EX/tickets/simple.ssl @DIR/none.ssl", 2},
            // Error notes are reported for both tickets but are no difference.
            {"diff @DIR/noted.ssl @DIR/noted.ssl", 0, "the same",
             "@DIR/noted.ssl: entry 0: Error: Mirror On\n@DIR/noted.ssl: entry 0: Error: Mirror "
             "On\n"},
            {"diff @EX/tickets/simple.ssl", 2},
            {"preview @EX/tickets/simple.ssl", 0, "<h2>1 &middot; ground-floor.plt</h2>"},
            {"preview @EX/tickets/syntax_errors.ssl -o @DIR/p.html", 1, "",
             "syntax_errors.ssl:3: "},
            {"preview @EX/tickets/simple.ssl --capas @EX/capas/rolljet_folder.ini --plotter X", 2},
            {"preview @EX/tickets/simple.ssl -o @DIR/p.html --svg @DIR/plain", 2, "",
             "cannot create directory"},
        },
        m_Dir);
    EXPECT_FALSE(fs::exists(m_Dir / "out.ssl"));
}

class ToolCapasFileTest : public ToolTest {};

TEST_F(ToolCapasFileTest, ReaderDiagnosticsGoToStandardErrorWithFileAndLine) {
    const std::string text = ReadFile(Example("capas/sheetpro_a3.ini"));
    const fs::path stray = m_Dir / "stray.ini";
    WriteFile(stray, "x[abc\n" + text);
    RSRun run = RunTool({"capas", stray.string()});
    EXPECT_EQ(run.m_nExit, 1);
    EXPECT_EQ(run.m_sErr, stray.string() + ":1: unrecognised text \"x[abc\"\n");
    EXPECT_THAT(run.m_sOut, StartsWith("Plotters: SheetPro A3\n")) << "what was read is shown";
    // Scripts get the same report inside the document, and the same exit code.
    run = RunTool({"capas", "--json", stray.string()});
    EXPECT_EQ(run.m_nExit, 1);
    EXPECT_EQ(run.m_sErr, "");
    const nlohmann::json capas = nlohmann::json::parse(run.m_sOut);
    EXPECT_EQ(capas["problems"], nlohmann::json::parse(R"([{"file": ")" + stray.string() +
                                                       R"(", "line": 1, "message": )"
                                                       R"("unrecognised text \"x[abc\""}])"));
    EXPECT_EQ(capas["plotters"], nlohmann::json::parse(R"(["SheetPro A3"])"));
    EXPECT_EQ(capas["inputTrays"][0]["width"], 297.0);
    EXPECT_EQ(capas["keywords"]["OutputTray"]["value"][0],
              nlohmann::json::parse(R"({"value": 2, "keyword": "Face down"})"));

    const fs::path broken = m_Dir / "broken.ini";
    const auto lines = std::count(text.begin(), text.end(), '\n');
    WriteFile(broken, text + "[bad\nfoo\n");
    run = RunTool({"capas", broken.string()});
    EXPECT_EQ(run.m_nExit, 1);
    EXPECT_EQ(run.m_sErr,
              broken.string() + ":" + std::to_string(lines + 2) + ": parse error Token \"foo\"\n");
    EXPECT_THAT(run.m_sOut, ::testing::Not(HasSubstr("parse error")));
}

class ToolLibraryExampleTest : public ToolTest {};

// The README's program reports what the reader found and fails on a broken ticket.
TEST_F(ToolLibraryExampleTest, ReadmeProgramRetargetsATicket) {
    const RSRun run = RunProgram(
        SSL2_RETARGET_PATH, {Example("tickets/syntax_errors.ssl"), (m_Dir / "out.ssl").string()});
    EXPECT_EQ(run.m_nExit, 1);
    EXPECT_THAT(run.m_sErr, HasSubstr("\"Copeis\" In Zeile 3"));
}

class ToolSafetyTest : public ToolTest {};

// Control characters of a ticket never reach the terminal as they are.
TEST_F(ToolSafetyTest, ControlCharactersAreShownEscaped) {
    const fs::path ticket = m_Dir / "esc.ssl";
    WriteFile(ticket,
              "BeginJob \"noname\"\r\nJobName \"a\x1b[2Jb\"\r\nCopeis\x1b]0;x\x07 2\r\nEndJob\r\n");
    for (const char* command : {"check", "show"}) {
        SCOPED_TRACE(command);
        const RSRun run = RunTool({command, ticket.string()});
        EXPECT_EQ((run.m_sOut + run.m_sErr).find('\x1b'), std::string::npos);
        EXPECT_THAT(run.m_sOut + run.m_sErr, HasSubstr("\\x1b"));
    }
}

// -o replaces a regular file atomically and keeps its mode; what is no regular file
// (a device, a FIFO) is written in place and stays what it was.
TEST_F(ToolSafetyTest, OutputKeepsTheModeAndWritesDevicesInPlace) {
    const fs::path out = m_Dir / "out.ssl";
    WriteFile(out, "old");
    fs::permissions(out, fs::perms(0600));
    ASSERT_EQ(RunTool({"convert", Example("tickets/simple.ssl"), "-o", out.string()}).m_nExit, 0);
    EXPECT_EQ(fs::status(out).permissions(), fs::perms(0600));
    const std::string written = ReadFile(out);

    const fs::path fifo = m_Dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    // A node of the null device of its own (as root), so that a faulty tool can
    // never replace the system's.
    std::vector<fs::path> targets = {fifo};
    if (::mknod((m_Dir / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        targets.push_back(m_Dir / "null");
    for (const fs::path& target : targets) {
        SCOPED_TRACE(target);
        EXPECT_EQ(
            RunTool({"convert", Example("tickets/simple.ssl"), "-o", target.string()}).m_nExit, 0);
        EXPECT_FALSE(fs::is_regular_file(target));
    }
    std::string piped(written.size() + 1, '\0');
    piped.resize(
        static_cast<std::size_t>(std::max<ssize_t>(0, ::read(reader, piped.data(), piped.size()))));
    ::close(reader);
    EXPECT_EQ(piped, written);
}

// The page goes out in pieces as it is made: the file and standard output hold
// exactly the library's page, also across the pieces (the page is several times
// the writer's 64 KiB).
TEST_F(ToolSafetyTest, PreviewPageIsStreamedWhole) {
    std::string text = "BeginJob\r\n";
    for (int i = 0; i < 200; ++i)
        text += "BeginOutput\r\nName \"f" + std::to_string(i) + ".plt\"\r\nEndOutput\r\n";
    const std::string ticket = (m_Dir / "many.ssl").string();
    WriteFile(ticket, text + "EndJob\r\n");
    RCSslSet set;
    ASSERT_EQ(set.ParseSsl(ticket, 300), 201);
    const std::string page = SslPreviewHtml(set, nullptr, ticket);
    ASSERT_GT(page.size(), std::size_t{3} << 16);
    EXPECT_EQ(RunTool({"preview", ticket}).m_sOut, page);
    ASSERT_EQ(RunTool({"preview", ticket, "-o", (m_Dir / "p.html").string()}).m_nExit, 0);
    EXPECT_EQ(ReadFile(m_Dir / "p.html"), page);
    // Standard output that cannot take it is an error, not a success.
    const RSRun full = RunProgram("/bin/sh", {"-c", std::string(SSL2_TOOL_PATH) + " show --json '" +
                                                        ticket + "' > /dev/full"});
    EXPECT_EQ(full.m_nExit, 2);
    EXPECT_THAT(full.m_sErr, HasSubstr("ssl2: standard output: cannot write"));
}

}  // namespace
}  // namespace ssl2tool::test
