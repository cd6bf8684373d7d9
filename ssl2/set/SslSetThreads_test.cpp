// Several threads reading and writing tickets at once, each on sets of its own: the
// results must be those of one thread alone.  Suites named "...Threads" carry the
// ctest label "threads" and also run under ThreadSanitizer (make tsan).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ssl2/set/RCSslSet.h"
#include "tests/support/SetSupport.h"
#include "tests/support/Threads.h"

namespace {

using ssl2::test::ExamplePath;
using ssl2::test::ParseFile;
using ssl2::test::RCTempDir;
using ssl2::test::RSParse;
using ssl2::test::RunTogether;

/// What one parse of a ticket gives, as text: the count, whether EndJob was read,
/// every diagnostic and the set written back as "5.0".
std::string Outcome(const RSParse& parse) {
    std::string outcome =
        std::to_string(parse.m_nResult) + " " + std::to_string(parse.m_Set.ParsedTilEnd()) + "\n";
    for (const auto& d : parse.m_Diagnostics)
        outcome += std::to_string(d.m_nLine) + ": " + d.m_sMessage.str();
    return outcome + parse.m_Set.ToString(SslStatement::kVersion50).str();
}

// Every example (8-bit and UTF-16, with and without errors) at once in every thread.
TEST(SslSetThreads, ParsesGiveWhatOneThreadAloneGets) {
    const std::vector<std::string> tickets = {"simple.ssl", "old_style_15.ssl", "syntax_errors.ssl",
                                              "twenty_files.ssl", "unicode_utf16.ssl"};
    std::vector<std::string> expected;
    for (const auto& ticket : tickets)
        expected.push_back(Outcome(ParseFile(ExamplePath(ticket))));

    std::vector<int> mismatches(4, 0);
    RunTogether(mismatches.size(), 3, [&](std::size_t t, int round) {
        for (std::size_t i = 0; i < tickets.size(); ++i) {
            const std::size_t k = (i + t + static_cast<std::size_t>(round)) % tickets.size();
            if (Outcome(ParseFile(ExamplePath(tickets[k]))) != expected[k])
                ++mismatches[t];
        }
    });
    for (int m : mismatches)
        EXPECT_EQ(m, 0);
}

// Each thread reads a ticket, writes it to a file of its own in every dialect and
// reads that back: the same set as one thread gets.
TEST(SslSetThreads, WritesAndReReadsGiveWhatOneThreadAloneGets) {
    const RCTempDir dir;
    const RSParse reference = ParseFile(ExamplePath("twenty_files.ssl"));
    ASSERT_EQ(reference.m_nResult, 21);
    const SslStatement::TSyntaxVersion versions[] = {
        SslStatement::kVersion15, SslStatement::kVersion30, SslStatement::kVersion40,
        SslStatement::kVersion50};
    // Per dialect: the text written, and the text of what reading it back gives.
    std::vector<std::string> expected;
    for (const auto version : versions) {
        const std::string path = (dir.Path() / "reference.ssl").string();
        reference.m_Set.WriteSsl(path, RCAccessSsl(), version);
        expected.push_back(reference.m_Set.ToString(version).str() + "\n--\n" +
                           Outcome(ParseFile(path)));
    }

    std::vector<int> mismatches(4, 0);
    RunTogether(mismatches.size(), 2, [&](std::size_t t, int round) {
        const std::string path =
            (dir.Path() / ("t" + std::to_string(t) + "-" + std::to_string(round) + ".ssl"))
                .string();
        const RSParse read = ParseFile(ExamplePath("twenty_files.ssl"));
        for (std::size_t v = 0; v < std::size(versions); ++v) {
            read.m_Set.WriteSsl(path, RCAccessSsl(), versions[v]);
            if (read.m_Set.ToString(versions[v]).str() + "\n--\n" + Outcome(ParseFile(path)) !=
                expected[v])
                ++mismatches[t];
        }
    });
    for (int m : mismatches)
        EXPECT_EQ(m, 0);
}

}  // namespace
