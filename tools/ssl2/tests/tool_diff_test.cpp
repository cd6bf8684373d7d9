// ssl2 diff: a ticket against edited copies, and what counts as a difference.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tools/ssl2/tests/ToolTestSupport.h"

namespace ssl2tool::test {
namespace {

using ::testing::HasSubstr;

/// `text` with the first `from` at or after `after` replaced by `to`.
std::string ReplaceAfter(std::string text, const std::string& after, const std::string& from,
                         const std::string& to) {
    const std::size_t at = text.find(from, text.find(after));
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

class ToolDiffTest : public ToolTest {};

TEST_F(ToolDiffTest, EditedCopyShowsExactlyTheEdits) {
    const std::string original = Example("tickets/twenty_files.ssl");
    std::string text = ReadFile(original);
    text = ReplaceAfter(text, "Name \"B-003.plt\"", "Copies 1", "Copies 5");
    text = ReplaceAfter(text, "Name \"B-003.plt\"", "MediaType bond", "MediaType film");
    text = ReplaceAfter(text, "JobName", "SetCopies 2", "SetCopies 1");
    text.erase(text.rfind("BeginOutput"), text.rfind("EndJob") - text.rfind("BeginOutput"));
    const std::string edited = (m_Dir / "edited.ssl").string();
    WriteFile(edited, text);

    RSRun run = RunTool({"diff", original, edited});
    EXPECT_EQ(run.m_nExit, 1) << run.m_sErr;
    EXPECT_EQ(run.m_sOut,
              "entry 0 (job):\n"
              "  - SetCopies 2\n"
              "  + SetCopies 1\n"
              "entry 3 (B-003.plt):\n"
              "  - Copies 1\n"
              "  + Copies 5\n"
              "  - MediaType paper subtype 0\n"
              "  + MediaType film subtype 0\n"
              "entry 20 (B-020.plt): only in " +
                  original + "\n" + original + ", " + edited + ": 3 entries differ\n");

    run = RunTool({"diff", "--json", edited, original});
    EXPECT_EQ(run.m_nExit, 1);
    const nlohmann::json json = nlohmann::json::parse(run.m_sOut);
    EXPECT_FALSE(json.at("same").get<bool>());
    ASSERT_EQ(json.at("entries").size(), 3u);
    EXPECT_EQ(json.at("entries")[1], nlohmann::json::parse(R"({"entry": 3, "name": "B-003.plt",
        "status": "changed", "statements": [
          {"statement": "Copies", "a": "Copies 5", "b": "Copies 1"},
          {"statement": "MediaType", "a": "MediaType film subtype 0",
           "b": "MediaType paper subtype 0"}]})"));
    EXPECT_EQ(json.at("entries")[2].at("status"), "added");
}

// What decides is what the written tickets tell a plot server, and the lines shown
// are the lines the writer writes.
TEST_F(ToolDiffTest, ComparesWhatTheWrittenTicketsMean) {
    const struct {
        const char* first;
        const char* second;
        int exit;
        const char* out;
    } rows[] = {
        {"MediaType film SubType 3", "MediaType film SubType 5", 1,
         "  - MediaType film subtype 3\n  + MediaType film subtype 5\n"},
        {"OutputSize Window 254 508 mm", "OutputSize Window 254 508", 0, "the same"},
        {"OutputSize Window 10 20 inch", "OutputSize Window 254 508", 0, "the same"},
        {"Copies 2", "Copies 3", 1, "  - Copies 2\n  + Copies 3\n"},
    };
    const std::string a = (m_Dir / "a.ssl").string();
    const std::string b = (m_Dir / "b.ssl").string();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.first);
        const std::string frame = "BeginJob\nUnits mm\nBeginOutput\nName \"f\"\n";
        WriteFile(a, frame + row.first + "\nEndOutput\nEndJob\n");
        WriteFile(b, frame + row.second + "\nEndOutput\nEndJob\n");
        const RSRun run = RunTool({"diff", a, b});
        EXPECT_EQ(run.m_nExit, row.exit) << run.m_sOut;
        EXPECT_THAT(run.m_sOut, HasSubstr(row.out));
    }
}

}  // namespace
}  // namespace ssl2tool::test
