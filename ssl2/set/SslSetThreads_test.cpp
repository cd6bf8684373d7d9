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

using namespace ssl2::test;

/// A ticket of `files` files whose names hold "#0041".  An 8-bit ticket keeps it as it
/// is, and so does a UTF-16 ticket (its copy escapes the '#' itself); a parse that took
/// the string mode of another thread's file reads "A" or "#0023".
std::string HashTicket(int files) {
    std::string t = "BeginJob \"noname\" Version \"3.0.001\"\r\nJobName \"#1 plans\"\r\n";
    for (int i = 1; i <= files; ++i) {
        t += "BeginOutput\r\nName \"sheet#0041-" + std::to_string(i) + ".plt\"\r\nCopies " +
             std::to_string(i % 5 + 1) + "\r\nEndOutput\r\n";
    }
    return t + "EndJob\r\n";
}

// Every example (8-bit and UTF-16, with and without errors) and an 8-bit and a UTF-16
// ticket of '#' names at once in every thread: each parse keeps its own string mode.
TEST(SslSetThreads, ParsesGiveWhatOneThreadAloneGets) {
    const RCTempDir dir;
    std::vector<std::string> tickets;
    for (const char* name : {"simple.ssl", "old_style_15.ssl", "syntax_errors.ssl",
                             "twenty_files.ssl", "unicode_utf16.ssl"})
        tickets.push_back(ExamplePath(name));
    const std::string hash = HashTicket(40);
    std::u16string wide(hash.begin(), hash.end());
    tickets.push_back(dir.Write("hash_ansi.ssl", hash));
    tickets.push_back(dir.Write("hash_utf16.ssl", Utf16File(wide)));
    std::vector<std::string> expected;
    for (const auto& ticket : tickets)
        expected.push_back(Outcome(ParseFile(ticket)));
    const std::string ansi = ParseFile(tickets[5]).m_Set.ToString(SslStatement::kVersion50).str();
    ASSERT_NE(ansi.find("sheet#0041-40.plt"), std::string::npos);
    ASSERT_EQ(ParseFile(tickets[6]).m_Set.ToString(SslStatement::kVersion50).str(), ansi)
        << "both encodings read the same names";

    std::vector<int> mismatches(4, 0);
    RunTogether(mismatches.size(), 3, [&](std::size_t t, int round) {
        for (std::size_t i = 0; i < tickets.size(); ++i) {
            const std::size_t k = (i + t + static_cast<std::size_t>(round)) % tickets.size();
            if (Outcome(ParseFile(tickets[k])) != expected[k])
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
