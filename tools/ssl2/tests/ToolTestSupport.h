// Helpers of the tool tests: run the built ssl2 binary and capture what it says,
// in a fresh temporary directory per test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"

namespace ssl2tool::test {

/// What one run of the tool gave.
struct RSRun {
    int m_nExit = -1;
    std::string m_sOut;
    std::string m_sErr;
};

/// Runs `program` with `args` (no shell) and `input` on standard input.
RSRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                 const std::string& input = std::string());
/// Runs the built tool.
inline RSRun RunTool(const std::vector<std::string>& args,
                     const std::string& input = std::string()) {
    return RunProgram(SSL2_TOOL_PATH, args, input);
}

/// An example file below examples/ of the source tree.
std::string Example(const std::string& relative);

using ssl2::test::ReadFile;
using ssl2::test::WriteFile;

/// One end-to-end case: the tool's arguments (split at blanks), its exit code, a
/// fragment its standard output and its standard error must hold, and one its output
/// must not. "@DIR" stands for the test's directory and "@EX/" for examples/.
struct RSToolCase {
    std::string m_sArgs;
    int m_nExit;
    std::string m_sOut = "";
    std::string m_sErr = "";
    std::string m_sNotOut = "";
};

/// Runs every case, each under a SCOPED_TRACE naming its arguments.
void ExpectToolCases(const std::vector<RSToolCase>& cases, const std::filesystem::path& dir);

/// A fixture with a fresh temporary directory, removed afterwards.
class ToolTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::filesystem::path m_Dir;
};

}  // namespace ssl2tool::test
