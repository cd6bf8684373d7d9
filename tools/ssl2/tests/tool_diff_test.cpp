// ssl2 diff: a ticket against its converted copy and against edited copies.
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

TEST_F(ToolDiffTest, ConvertedCopiesAreTheSame) {
    for (const char* name :
         {"tickets/simple.ssl", "tickets/twenty_files.ssl", "tickets/unicode_utf16.ssl"}) {
        for (const char* dialect : {"5.0"}) {
            const std::string copy = (m_Dir / "copy.ssl").string();
            ASSERT_EQ(RunTool({"convert", Example(name), "-o", copy, "--dialect", dialect}).m_nExit,
                      0);
            const RSRun run = RunTool({"diff", Example(name), copy});
            EXPECT_EQ(run.m_nExit, 0) << name << dialect << run.m_sOut << run.m_sErr;
            EXPECT_EQ(run.m_sOut, Example(name) + ", " + copy + ": the same\n");
        }
    }
}

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
              "  - MediaType paper\n"
              "  + MediaType film\n"
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
          {"statement": "MediaType", "a": "MediaType film", "b": "MediaType paper"}]})"));
    EXPECT_EQ(json.at("entries")[2].at("status"), "added");
}

TEST_F(ToolDiffTest, BrokenInput) {
    const std::string simple = Example("tickets/simple.ssl");
    EXPECT_EQ(RunTool({"diff", simple, (m_Dir / "none.ssl").string()}).m_nExit, 2);
    EXPECT_EQ(RunTool({"diff", simple}).m_nExit, 2);
    const RSRun run = RunTool({"diff", Example("tickets/syntax_errors.ssl"), simple});
    EXPECT_EQ(run.m_nExit, 1);
    EXPECT_THAT(run.m_sErr, HasSubstr("syntax_errors.ssl:3: "));
}

}  // namespace
}  // namespace ssl2tool::test
