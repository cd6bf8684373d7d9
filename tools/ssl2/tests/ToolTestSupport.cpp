// Helpers of the tool tests.
#include "tools/ssl2/tests/ToolTestSupport.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>

extern char** environ;

namespace ssl2tool::test {

namespace fs = std::filesystem;

RSRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                 const std::string& input) {
    const fs::path scratch = ssl2::test::MakeTempDir("ssl2-run-");
    const std::string out = (scratch / "out").string();
    const std::string err = (scratch / "err").string();

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string in = (scratch / "in").string();
    WriteFile(in, input);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> all = {program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    RSRun run;
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        if (::waitpid(pid, &status, 0) == pid && WIFEXITED(status))
            run.m_nExit = WEXITSTATUS(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    run.m_sOut = ReadFile(out);
    run.m_sErr = ReadFile(err);
    fs::remove_all(scratch);
    return run;
}

std::string Example(const std::string& relative) {
    return (fs::path(SSL2_SOURCE_DIR) / "examples" / relative).string();
}

namespace {

std::string Expand(std::string text, const fs::path& dir) {
    const std::pair<std::string, std::string> marks[] = {{"@EX/", Example("")},
                                                         {"@DIR", dir.string()}};
    for (const auto& [mark, value] : marks) {
        for (std::size_t at; (at = text.find(mark)) != std::string::npos;)
            text.replace(at, mark.size(), value);
    }
    return text;
}

}  // namespace

void ExpectToolCases(const std::vector<RSToolCase>& cases, const fs::path& dir) {
    for (const RSToolCase& c : cases) {
        SCOPED_TRACE(c.m_sArgs);
        std::vector<std::string> args;
        std::istringstream words(Expand(c.m_sArgs, dir));
        for (std::string arg; words >> arg;)
            args.push_back(arg);
        const RSRun run = RunTool(args);
        EXPECT_EQ(run.m_nExit, c.m_nExit) << run.m_sOut << run.m_sErr;
        EXPECT_NE(run.m_sOut.find(Expand(c.m_sOut, dir)), std::string::npos) << run.m_sOut;
        EXPECT_NE(run.m_sErr.find(Expand(c.m_sErr, dir)), std::string::npos) << run.m_sErr;
        if (!c.m_sNotOut.empty()) {
            EXPECT_EQ(run.m_sOut.find(Expand(c.m_sNotOut, dir)), std::string::npos) << run.m_sOut;
        }
    }
}

void ToolTest::SetUp() {
    m_Dir = ssl2::test::MakeTempDir("ssl2-tool-");
}

void ToolTest::TearDown() {
    std::error_code ec;
    fs::permissions(m_Dir, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_Dir, ec);
}

}  // namespace ssl2tool::test
