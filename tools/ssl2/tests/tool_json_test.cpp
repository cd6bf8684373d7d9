// JSON both ways: show --json (short and full form) and convert --from-json, round
// trips on the examples and on hostile texts, faults named by JSON path, the schema,
// and tickets through standard input and output.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "ssl2/ssl2.h"
#include "tools/ssl2/tests/ToolTestSupport.h"

namespace ssl2tool::test {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using ::testing::HasSubstr;

/// The JSON of `ticket`; the form the ticket came from ("file") and the dialect,
/// which a written ticket carries only in its header, are left out.
json ShowJson(const std::string& ticket, bool all) {
    std::vector<std::string> args = {"show", "--json", ticket};
    if (all)
        args.push_back("--all");
    const RSRun run = RunTool(args);
    EXPECT_EQ(run.m_nExit, 0) << ticket << run.m_sErr;
    // Written as it is made, laid out as nlohmann's dump(2) lays out a whole document.
    EXPECT_EQ(run.m_sOut, nlohmann::ordered_json::parse(run.m_sOut).dump(2) + "\n") << ticket;
    json document = json::parse(run.m_sOut);
    document.erase("file");
    for (json& entry : document.at("entries"))
        entry.at("statements").erase("Version");
    return document;
}

class ToolJsonTest : public ToolTest {
protected:
    /// JSON of `ticket` -> SSL -> JSON is the identity in both forms, and the SSL
    /// ticket made from the JSON means what `ticket` means.
    void ExpectRoundTrip(const std::string& ticket, const std::string& dialect = "5.0") {
        RCSslSet original;
        ASSERT_GT(original.ParseSsl(ticket, 300), 0) << ticket;
        for (const bool all : {false, true}) {
            const RSRun show = RunTool({"show", "--json", ticket, all ? "--all" : "--json"});
            const fs::path in = m_Dir / "in.json";
            const fs::path out = m_Dir / "out.ssl";
            WriteFile(in, show.m_sOut);
            const RSRun convert =
                RunTool({"convert", "--from-json", in.string(), "--dialect", dialect, "-o", out});
            ASSERT_EQ(convert.m_nExit, 0) << ticket << convert.m_sErr;
            EXPECT_EQ(ShowJson(out.string(), all), ShowJson(ticket, all)) << ticket << all;
            RCSslSet again;
            ASSERT_EQ(again.ParseSsl(out.string(), 300), original.Size());
            EXPECT_TRUE((again == original).bEqual) << ticket;
        }
    }
};

// The short form lists only what differs from the defaults or the job (a ticket of
// 10,000 files gave more than a gigabyte of JSON).
TEST_F(ToolJsonTest, ShortFormListsOnlyWhatDiffers) {
    const json all = ShowJson(Example("tickets/twenty_files.ssl"), true);
    const json changes = ShowJson(Example("tickets/twenty_files.ssl"), false);
    EXPECT_EQ(changes.at("entries")[0].at("statements").at("SetCopies"),
              json::parse(R"({"id": )" + std::to_string(kId_SslSetCopies) +
                          R"(, "default": false, "ssl": "SetCopies 2", "members": {"value": 2}})"));
    EXPECT_FALSE(changes.at("entries")[1].at("statements").contains("Account"));
    EXPECT_LT(changes.dump().size() * 3, all.dump().size());
}

// A pen table lists its pens by number: the short form only those that differ from
// the default pens (a VIC pen's default saturation is its grey level), the full form
// all of them; both read back to the same set, as do its texts with non-ASCII, '#', '%'
// and a line break.
TEST_F(ToolJsonTest, PenTablesListTheirPensByNumber) {
    const std::string ticket = (m_Dir / "pens.ssl").string();
    WriteFile(
        ticket,
        "BeginJob \"pens\" Version \"4.0\"\r\nHpglPens Number 2 Width 0.5\r\n"
        "JobName \"Gr\xC3\xBC\xC3\x9F\x65 \xE2\x82\xAC #hash 100%\"\r\nNotes \"two<|>lines\"\r\n"
        "BeginOutput\r\nName \"a.plt\"\r\n"
        "HpglPens Number 3 - 5 Width 0.35 Color 2 Page 1\r\n\t+ Number 7 Saturation 40\r\n"
        "VicPens Number 9 Saturation 3\r\n\t+ Number 10 Saturation 56\r\n"
        "CalcompPens Number 16 Width 1\r\nEndOutput\r\nEndJob\r\n");
    const auto numbers = [](const json& statement) {
        std::vector<int> found;
        for (const json& pen : statement.at("elements"))
            found.push_back(pen.at("number").get<int>());
        return found;
    };
    const json changes = ShowJson(ticket, false);
    const json& file = changes.at("entries")[1].at("statements");
    EXPECT_EQ(numbers(file.at("HpglPens")), (std::vector<int>{2, 3, 4, 5, 7}));
    EXPECT_EQ(file.at("HpglPens").at("elements")[1],
              json::parse(R"({"number": 3, "width": 0.35, "color": 2, "saturation": 100,
                              "page": 1})"));

    const json full = ShowJson(ticket, true).at("entries")[1].at("statements");
    EXPECT_EQ(full.at("HpglPens").at("elements")[255].at("number"), 255);

    ExpectRoundTrip(ticket, "4.0");
}

TEST_F(ToolJsonTest, StatementsByMembersAndFaultsByJsonPath) {
    const fs::path in = m_Dir / "in.json";
    const fs::path out = m_Dir / "out.ssl";
    const auto convert = [&](const std::string& text) {
        WriteFile(in, text);
        return RunTool({"convert", "--from-json", in.string(), "-o", out.string()});
    };
    // Only what is given: a job of two copies, a file on film, folded.
    RSRun run = convert(R"({"entries": [
        {"statements": {"SetCopies": {"ssl": "SetCopies 2"}}},
        {"statements": {"Name": {"members": {"value": "a.plt"}},
                        "MediaType": {"members": {"value": "film"}},
                        "Fold": {"members": {"Fold Program": 3, "Output Tray": "1"}}}}]})");
    ASSERT_EQ(run.m_nExit, 0) << run.m_sErr;
    RCSslSet set;
    ASSERT_EQ(set.ParseSsl(out.string(), 300), 2);
    EXPECT_EQ(set.GetEntry(0).GetSetCopies(), 2u);
    EXPECT_EQ(set.GetEntry(1).GetMediaType(), 4u);
    EXPECT_EQ(set.GetEntry(1).GetFoldPrg(), 3);
    EXPECT_EQ(set.GetEntry(1).GetFoldTray(), 1);
    fs::remove(out);

    // Members start from what the entry inherits: the job's left margin and pen 2
    // survive in a file that sets its own top margin and pen 3.
    run = convert(R"({"entries": [
        {"statements": {"Margin": {"members": {"active": "on", "top": 5, "left": 3}},
                        "HpglPens": {"elements": [{"number": 2, "width": 0.5}]}}},
        {"statements": {"Margin": {"members": {"top ": 7}},
                        "HpglPens": {"elements": [{"number": 3, "width": "0.7"}]}}}]})");
    ASSERT_EQ(run.m_nExit, 0) << run.m_sErr;
    ASSERT_EQ(set.ParseSsl(out.string(), 300), 2);
    EXPECT_EQ(set.GetEntry(1).GetMargin(0), 7.0);
    EXPECT_EQ(set.GetEntry(1).GetMargin(1), 3.0);
    EXPECT_EQ(set.GetEntry(1).GetHpglPensWidth(2), 0.5);
    EXPECT_EQ(set.GetEntry(1).GetHpglPensWidth(3), 0.7);
    fs::remove(out);

    const std::string name = in.string();
    const std::string deep = std::string(50000, '[') + std::string(50000, ']');
    const std::vector<std::pair<std::string, std::string>> faults = {
        {R"({"entries": [{}, {}, {"statements": {"MediaType": {"members": {"value": "flim"}}}}]})",
         "entries[2].statements.MediaType.members.value: \"flim\" is refused for MediaType; "
         "expected one of dontcare, paper, recycledpaper, transparent, film, custom, "
         "HeavyPhotoGloss, HeavyPhotoMatt, LightPhotoGloss, HeavyPaperPureWhite, "
         "HeavyPaperOffWhite"},
        {R"({"entries": [{"statements": {"Copis": {"ssl": "Copies 2"}}}]})",
         "entries[0].statements.Copis: no statement called \"Copis\""},
        {R"({"entries": [{"statements": {"Fold": {"members": {"Prg": "1"}}}}]})",
         "entries[0].statements.Fold.members.Prg: Fold has no member called \"Prg\"; expected "
         "one of Fold Program, Output Tray, Punch, Crossfold, Reinforce, Tab, US style "
         "bookfold, C-Fold, Landscape, Error Reaction"},
        {R"({"entries": [{"stat|ements": {"Copies": {"ssl": "Copies 2"}}}]})",
         "entries[0].stat|ements: unknown key; expected one of index, ordinal, isEntry, "
         "statements, errors"},
        {R"({"entries": [{"statements": {"Copies": {"emmersb": {"value": 2}}}}]})",
         "entries[0].statements.Copies.emmersb: unknown key; expected one of id, default, ssl, "
         "members, elements"},
        {R"({"entires": [], "entries": [{}]})",
         "entires: unknown key; expected one of file, complete, form, entries"},
        {R"({"entries": [{"statements": {"Copies": {"default": true}}}]})",
         "entries[0].statements.Copies: expected \"ssl\", \"members\" or, for a list, "
         "\"elements\""},
        {R"({"entries": []})", "entries: expected an array that starts with the job entry"},
        {R"({"entries": [{"statements": {"Copies": {"ssl": "Rotate 90"}}}]})",
         "entries[0].statements.Copies.ssl: \"Rotate\" where a Copies statement was expected"},
        {R"({"entries": [{"statements": {"Copies": {"ssl": "Copies 2\r\nRotate 90"}}}]})",
         "entries[0].statements.Copies.ssl: holds a Rotate statement too"},
        {R"({"entries": [{}, {"statements": {"Copies": {"ssl":
            "Copies 2\r\nEndOutput\r\nBeginOutput\r\nName \"x.plt\""}}}]})",
         "entries[1].statements.Copies.ssl: not one Copies statement"},
        {R"({"entries": [{"statements": {"Copies": {"ssl": "Copies 20000"}}}]})",
         "entries[0].statements.Copies.ssl: Error in line 2: Copies value refused"},
        {R"({"entries": [{"statements": {"Name": {"ssl": "Name \"a.plt\""}}}]})",
         "entries[0].statements.Name: not a statement of the job entry (the writer does not "
         "write it there)"},
        {R"({"entries": [{}, {"statements": {"Copies": {"ssl": "Copies 2",
                                                        "members": {"value": 5}}}}]})",
         "entries[1].statements.Copies.members.value: disagrees with \"ssl\"; give one of them, "
         "or both saying the same"},
        {R"({"entries": [{"statements": {"Copies": {"members": {"value": 2.5}}}}]})",
         "entries[0].statements.Copies.members.value: 2.5 is refused for Copies; expected a "
         "whole number"},
        {R"({"entries": [{"statements": {"Copies": {"members": {"value": [7, 9]}}}}]})",
         "entries[0].statements.Copies.members.value: expected a string or a number"},
        {R"({"entries": [{"statements": {"HpglPens": {"elements": [
            {"number": 4294967297, "width": 1}]}}}]})",
         "entries[0].statements.HpglPens.elements[0].number: no pen numbered 4294967297"},
        {R"({"entries": [{"statements": {"VicPens": {"elements": [
            {"number": 9, "saturation": "3"}, {"number": 300, "saturation": 1}]}}}]})",
         "entries[0].statements.VicPens.elements[1].number: no pen numbered 300"},
        {R"({"entries": [{"statements": {"Copies": {"members": {"value": 1e400}}}}]})",
         "entries[0].statements.Copies.members.value: number out of range"},
        {R"({"entries": [{"statements": {"Copies": {"ssl": "Copies 2"},
                                          "Copies": {"ssl": "Copies 3"}}}]})",
         "entries[0].statements.Copies: given twice"},
        {R"({"entries": [{}, {"statements": {"Name": {"members": {"value": "a\"b"}}}}]})",
         "entries[1].statements.Name.members.value: a double quote cannot be written in Name"},
        {R"({"entries": [{}, {"statements": {"Name": {"members": {"value": "a\nb"}}}}]})",
         "entries[1].statements.Name.members.value: a line break cannot be written in Name"},
        {R"({"entries": [{"statements": {"HpglPens": {"elements": [{"number": 1, "width": )" +
             deep + "}]}}}]}",
         "entries[0].statements.HpglPens.elements[0].width[0][0][0][0][0][0][0][0][0][0]: "
         "nested deeper than 16 levels"},
    };
    for (const auto& [text, message] : faults) {
        SCOPED_TRACE(message);
        run = convert(text);
        EXPECT_EQ(run.m_nExit, 1);
        EXPECT_EQ(run.m_sErr, "ssl2: " + name + ": " + message + "; nothing written\n");
        EXPECT_FALSE(fs::exists(out));
    }
    run = convert(R"({"entries": [{"statements": )");
    EXPECT_EQ(run.m_nExit, 1);
    EXPECT_EQ(run.m_sErr, "ssl2: " + name +
                              ": parse error at line 1, column 29: syntax error while parsing "
                              "value - unexpected end of input; expected '[', '{', or a literal\n");
    // An SSL text the reader rejects is reported at its statement.
    run = convert(R"({"entries": [{}, {"statements": {"Copies": {"ssl": "Copies x"}}}]})");
    EXPECT_EQ(run.m_nExit, 1);
    EXPECT_THAT(run.m_sErr, HasSubstr(name + ": entries[1].statements.Copies.ssl: parse error"));
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(
        RunTool({"convert", "--from-json", (m_Dir / "none.json").string(), "-o", "-"}).m_nExit, 2);
}

// Every subcommand's JSON follows its schema (validated in one run), and the schema
// does catch a broken document.
TEST_F(ToolJsonTest, OutputFollowsTheSchemas) {
    const std::string ini = Example("capas/sheetpro_a3.ini");
    const std::string twenty = Example("tickets/twenty_files.ssl");
    const std::string old = Example("tickets/old_style_15.ssl");
    const std::vector<std::pair<std::string, std::vector<std::string>>> outputs = {
        {"ticket", {"show", "--json", twenty}},
        {"ticket", {"show", "--json", "--all", twenty}},
        {"ticket", {"show", "--json", "--all", old}},
        {"check", {"check", "--json", twenty, Example("tickets/syntax_errors.ssl"), "none.ssl"}},
        {"diff", {"diff", "--json", twenty, Example("tickets/simple.ssl")}},
        {"preflight", {"preflight", "--json", twenty, "--capas", ini}},
        // The report of a fitted ticket written to standard output is on standard error.
        {"preflight", {"preflight", "--json", twenty, "--capas", ini, "--fix", "-o", "-"}},
        {"capas",
         {"capas", "--json", ini, Example("capas/rolljet_folder.ini"), "--statement", "Fold",
          "--statement", "Copies"}},
    };
    const std::string tool = SSL2_TOOL_SOURCE_DIR;
    std::vector<std::string> args = {tool + "/tests/validate_json.py"};
    for (const auto& [schema, command] : outputs) {
        const fs::path file = m_Dir / (std::to_string(args.size()) + ".json");
        const RSRun run = RunTool(command);
        WriteFile(file, command.back() == "-" ? run.m_sErr : run.m_sOut);
        args.insert(args.end(), {tool + "/" + schema + ".schema.json", file.string()});
    }
    RSRun run = RunProgram(SSL2_PYTHON_PATH, args);
    EXPECT_EQ(run.m_nExit, 0) << run.m_sOut << run.m_sErr;
    EXPECT_EQ(run.m_sOut, "");

    WriteFile(m_Dir / "broken.json",
              R"({"entries": [{"statements": {"Copies": {"members": {"value": true}}}}]})");
    WriteFile(m_Dir / "penless.json", R"({"entries": [{"statements": {"HpglPens": {"id": 24,
                                         "ssl": "", "elements": [{"width": "0.350"}]}}}]})");
    run = RunProgram(SSL2_PYTHON_PATH,
                     {args[0], tool + "/ticket.schema.json", (m_Dir / "broken.json").string(),
                      (m_Dir / "penless.json").string()});
    EXPECT_EQ(run.m_nExit, 1);
    EXPECT_THAT(run.m_sOut, HasSubstr("broken.json: "));
    EXPECT_THAT(run.m_sOut, HasSubstr("penless.json: "));
}

TEST_F(ToolJsonTest, TicketsThroughStandardInputAndOutput) {
    const std::string utf16 = ReadFile(Example("tickets/unicode_utf16.ssl"));
    const std::string simple = ReadFile(Example("tickets/simple.ssl"));
    // UTF-16 on standard input and output, and back in again.
    RSRun run = RunTool({"convert", "-", "-o", "-", "--utf16"}, utf16);
    ASSERT_EQ(run.m_nExit, 0) << run.m_sErr;
    EXPECT_THAT(run.m_sOut, ::testing::StartsWith("\xFF\xFE"));
    const std::string converted = run.m_sOut;
    run = RunTool({"diff", Example("tickets/unicode_utf16.ssl"), "-"}, converted);
    EXPECT_EQ(run.m_nExit, 0) << run.m_sOut << run.m_sErr;
    EXPECT_EQ(run.m_sOut, Example("tickets/unicode_utf16.ssl") + ", -: the same\n");
    // JSON through a pipe both ways.
    run = RunTool({"show", "--json", "-"}, simple);
    ASSERT_EQ(run.m_nExit, 0);
    EXPECT_EQ(json::parse(run.m_sOut).at("file"), "<stdin>");
    run = RunTool({"convert", "--from-json", "-", "-o", "-"}, run.m_sOut);
    ASSERT_EQ(run.m_nExit, 0) << run.m_sErr;
    EXPECT_EQ(RunTool({"diff", Example("tickets/simple.ssl"), "-"}, run.m_sOut).m_nExit, 0);
    // Diagnostics name standard input; preflight and check read it too.
    run = RunTool({"check", "-"}, "BeginJob\r\nCopeis 2\r\nEndJob\r\n");
    EXPECT_EQ(run.m_nExit, 1);
    EXPECT_THAT(run.m_sOut, HasSubstr("<stdin>:2: "));
    run = RunTool({"preflight", "-", "--capas", Example("capas/rolljet_folder.ini")}, simple);
    EXPECT_EQ(run.m_nExit, 0) << run.m_sOut << run.m_sErr;
    // The fitted ticket on standard output, the report on standard error.
    run = RunTool({"preflight", Example("tickets/twenty_files.ssl"), "--capas",
                   Example("capas/sheetpro_a3.ini"), "--fix", "-o", "-"});
    EXPECT_EQ(run.m_nExit, 0);
    EXPECT_THAT(run.m_sOut, ::testing::StartsWith("BeginJob"));
    EXPECT_THAT(run.m_sErr, HasSubstr("-: written in dialect 4.0, 23 substitutions, fits"));
}

}  // namespace
}  // namespace ssl2tool::test
