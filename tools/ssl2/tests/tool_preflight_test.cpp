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

TEST_F(ToolPreflightTest, TwentyFilesAgainstEachPlotter) {
    const std::string ticket = Example("tickets/twenty_files.ssl");
    // Files 4, 8, 12, 16 and 20 fold with program 3, which no plotter offers (the
    // roll plotter's program 3 lacks the capability bits); the ticket says 5.0.
    std::vector<std::string> folds;
    for (int file = 4; file <= 20; file += 4)
        folds.push_back("entry " + std::to_string(file) + " (B-" + (file < 10 ? "00" : "0") +
                        std::to_string(file) + ".plt): Fold");

    // RollJet: paper and film trays, 914 mm roll, dialect 5.0: only the folds.
    RSRun run = RunTool(PreflightArgs(ticket, "RollJet 4200"));
    EXPECT_EQ(run.m_nExit, 1) << run.m_sErr;
    EXPECT_EQ(Where(run.m_sOut, ticket), folds);  // the whole finding: see the JSON test

    // Classic: a vellum roll only (read as transparent), dialect 3.0: every file's
    // paper, the folds and the dialect.
    run = RunTool(PreflightArgs(ticket, "Classic 3000"));
    EXPECT_EQ(run.m_nExit, 1);
    std::vector<std::string> lines = Lines(run.m_sOut);
    ASSERT_EQ(lines.size(), 1u + 20u + 5u);
    EXPECT_EQ(lines[0], ticket +
                            ": entry 0 (job): Version 5.0: the plotters read an older "
                            "dialect (offered: 3.0 and older)");
    EXPECT_EQ(lines[1], ticket +
                            ": entry 1 (B-001.plt): MediaType paper: no input tray holds "
                            "this medium (offered: dontcare, transparent)");

    // SheetPro: A3 drawers, no folder, dialect 4.0: every print above A3 (all but
    // files 3, 9 and 15), the folds and the dialect.
    run = RunTool(PreflightArgs(ticket, "SheetPro A3"));
    lines = Lines(run.m_sOut);
    ASSERT_EQ(lines.size(), 1u + 17u + 5u);
    EXPECT_EQ(lines[1], ticket +
                            ": entry 1 (B-001.plt): OutputSize DIN A1 (594 x 841 mm): the "
                            "print is larger than every input tray (offered: the input "
                            "trays \"Drawer A3\", 297 x 420 mm, \"Drawer A4\", 210 x 297 mm, "
                            "\"Bypass\", 297 x 420 mm)");
    EXPECT_THAT(run.m_sOut, ::testing::Not(HasSubstr("(B-003.plt)")));

    // All together: the oldest dialect and the folds (no common fold program but 0).
    run = RunTool(PreflightArgs(ticket, "auto"));
    EXPECT_EQ(Lines(run.m_sOut).size(), 1u + 5u);

    // A ticket that fits.
    run = RunTool(PreflightArgs(Example("tickets/simple.ssl"), "RollJet 4200"));
    EXPECT_EQ(run.m_nExit, 0) << run.m_sOut << run.m_sErr;
    EXPECT_EQ(run.m_sOut, "");
}

TEST_F(ToolPreflightTest, FixWritesATicketThatPasses) {
    const std::string ticket = Example("tickets/twenty_files.ssl");
    for (const std::string plotter : {"Classic 3000", "RollJet 4200", "SheetPro A3", "auto"}) {
        const std::string out = (m_Dir / (plotter + ".ssl")).string();
        std::vector<std::string> args = PreflightArgs(ticket, plotter);
        args.insert(args.end(), {"--fix", "-o", out});
        const RSRun fix = RunTool(args);
        EXPECT_EQ(fix.m_nExit, 0) << plotter << fix.m_sOut << fix.m_sErr;
        const RSRun check = RunTool(PreflightArgs(out, plotter));
        EXPECT_EQ(check.m_nExit, 0) << plotter << check.m_sOut;
        if (plotter != "SheetPro A3")
            continue;
        const std::vector<std::string> lines = Lines(fix.m_sOut);
        ASSERT_EQ(lines.size(), 23u + 1u);
        EXPECT_EQ(lines[0], ticket + ": entry 0 (job): Version 5.0 -> 4.0");
        EXPECT_EQ(lines[1],
                  ticket + ": entry 1 (B-001.plt): OutputSize DIN A1 (594 x 841 mm) -> DIN A3");
        EXPECT_EQ(lines[4], ticket + ": entry 4 (B-004.plt): Fold Prg 3 Tray 1 Option 0 -> off");
        EXPECT_EQ(lines.back(), out + ": written in dialect 4.0, 23 substitutions, fits");
    }
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

TEST_F(ToolPreflightTest, Json) {
    std::vector<std::string> args =
        PreflightArgs(Example("tickets/twenty_files.ssl"), "RollJet 4200");
    args.push_back("--json");
    const RSRun run = RunTool(args);
    EXPECT_EQ(run.m_nExit, 1);
    const nlohmann::json json = nlohmann::json::parse(run.m_sOut);
    EXPECT_EQ(json.at("plotters"), nlohmann::json::array({"RollJet 4200"}));
    EXPECT_FALSE(json.at("fits").get<bool>());
    ASSERT_EQ(json.at("findings").size(), 5u);
    EXPECT_EQ(json.at("findings")[0],
              nlohmann::json::parse(R"({"entry": 4, "name": "B-004.plt", "statement": "Fold",
                  "value": "Prg 3 Tray 1 Option 0",
                  "offered": "off, Prg 0 \"No fold\", Prg 1 \"Packet 210\", Prg 2 \"190 / 20\"",
                  "message": "the plotters have no such fold program"})"));
}

}  // namespace
}  // namespace ssl2tool::test
