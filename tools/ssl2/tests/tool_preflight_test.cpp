// ssl2 preflight: the twenty-file example against each example plotter, --fix,
// --json and broken input.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "tools/ssl2/tests/ToolTestSupport.h"

namespace ssl2tool::test {
namespace {

using ::testing::HasSubstr;

std::vector<std::string> PreflightArgs(const std::string& ticket, const std::string& plotter) {
    return {"preflight",
            ticket,
            "--capas",
            Example("capas/classic3000_v3.ini"),
            Example("capas/rolljet_folder.ini"),
            Example("capas/sheetpro_a3.ini"),
            "--plotter",
            plotter};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

/// The "entry N (name): Statement" part of each finding line.
std::vector<std::string> Where(const std::string& text, const std::string& ticket) {
    std::vector<std::string> where;
    for (std::string line : Lines(text)) {
        line.erase(0, ticket.size() + 2);
        const std::size_t statementEnd = line.find(' ', line.find("): ") + 3);
        where.push_back(line.substr(0, statementEnd));
    }
    return where;
}

class ToolPreflightTest : public ToolTest {};

// Against all three plotters at once: the oldest dialect and the folds (no common fold
// program but 0), a line each, and the same findings in JSON.
TEST_F(ToolPreflightTest, TwentyFilesAgainstAllPlotters) {
    const std::string ticket = Example("tickets/twenty_files.ssl");
    std::vector<std::string> args = PreflightArgs(ticket, "auto");
    RSRun run = RunTool(args);
    EXPECT_EQ(run.m_nExit, 1) << run.m_sErr;
    const std::vector<std::string> lines = Lines(run.m_sOut);
    ASSERT_EQ(lines.size(), 1u + 5u);
    EXPECT_EQ(lines[0], ticket +
                            ": entry 0 (job): Version 5.0: the plotters read an older "
                            "dialect (offered: 3.0 and older)");
    args.push_back("--json");
    run = RunTool(args);
    EXPECT_EQ(run.m_nExit, 1);
    const nlohmann::json json = nlohmann::json::parse(run.m_sOut);
    EXPECT_FALSE(json.at("fits").get<bool>());
    ASSERT_EQ(json.at("findings").size(), 6u);
    EXPECT_EQ(json.at("findings")[1],
              nlohmann::json::parse(R"({"entry": 4, "name": "B-004.plt", "statement": "Fold",
                  "value": "Prg 3 Tray 1 Option 0", "offered": "off, Prg 0",
                  "message": "the plotters have no such fold program"})"));
}

// One plotter prints from whichever tray holds the print; a print no tray holds
// becomes the largest format of its own series that one does.  A ticket and its
// converted copy (which states its dialect) give the same findings.
TEST_F(ToolPreflightTest, EveryTrayOfOnePlotterCounts) {
    const std::string ini = (m_Dir / "strip.ini").string();
    WriteFile(ini,
              "[Default]\nName=Strip\n[Globals]\nPlotterClass=1\n[PlotterDevice]\nClass=2\n"
              "[TrayInfo]\nTrayCount=2\nTrayWidth1=600\nTrayLength1=50000\nTrayType1=roll\n"
              "TrayName1=Roll\nTrayWidth2=610\nTrayLength2=800\nTrayType2=cutsheet\n"
              "TrayName2=Sheet\n");
    const std::string ticket = (m_Dir / "strip.ssl").string();
    WriteFile(ticket,
              "BeginJob\nBeginOutput\nOutputSize Window 300 2000\nEndOutput\n"
              "BeginOutput\nOutputSize c1\nEndOutput\nEndJob\n");
    const std::string fixed = (m_Dir / "fixed.ssl").string();
    const RSRun run = RunTool({"preflight", ticket, "--capas", ini, "--fix", "-o", fixed});
    EXPECT_EQ(Lines(run.m_sOut)[0],
              ticket + ": entry 2 (-): OutputSize DIN C1 (648 x 917 mm) -> DIN C2");
    EXPECT_EQ(Lines(run.m_sOut).size(), 2u) << run.m_sOut;

    const std::string original = Example("tickets/twenty_files.ssl");
    const std::string copy = (m_Dir / "copy.ssl").string();
    ASSERT_EQ(RunTool({"convert", original, "-o", copy}).m_nExit, 0);
    EXPECT_EQ(Where(RunTool(PreflightArgs(copy, "Classic 3000")).m_sOut, copy),
              Where(RunTool(PreflightArgs(original, "Classic 3000")).m_sOut, original));
}

}  // namespace
}  // namespace ssl2tool::test
