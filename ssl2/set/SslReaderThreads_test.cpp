// Parses on several threads at once keep their own string mode: an 8-bit ticket and
// the escaped copy of a UTF-16 ticket, parsed in parallel, read the same names as
// when each is parsed alone.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "ssl2/set/RCSslSet.h"
#include "tests/support/SetSupport.h"

namespace {

using ssl2::test::ParseFile;
using ssl2::test::RCTempDir;
using ssl2::test::RSParse;

/// What a parse gave: result, completeness, the written set and the diagnostics.
std::string Outcome(const RSParse& parse) {
    return std::to_string(parse.m_nResult) + " " + std::to_string(parse.m_Set.ParsedTilEnd()) +
           "\n" + parse.m_Set.ToString(SslStatement::kVersion50).str() +
           std::to_string(parse.m_Diagnostics.size()) + "\n" +
           parse.Messages(RSSslDiagnostic::kSyntaxError);
}

/// A ticket of `files` files whose names hold "#0041".  An 8-bit ticket keeps it as
/// it is, and so does a UTF-16 ticket (its copy escapes the '#' itself); a parse
/// that took the string mode of another thread's file reads "A" or "#0023".
std::string HashTicket(int files) {
    std::string t = "BeginJob \"noname\" Version \"3.0.001\"\r\nJobName \"#1 plans\"\r\n";
    for (int i = 1; i <= files; ++i) {
        t += "BeginOutput\r\nName \"sheet#0041-" + std::to_string(i) + ".plt\"\r\nCopies " +
             std::to_string(i % 5 + 1) + "\r\nEndOutput\r\n";
    }
    return t + "EndJob\r\n";
}

std::string Utf16(const std::string& ascii) {
    std::string bytes = "\xFF\xFE";
    for (char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

TEST(SslReaderThreads, ParallelParsesKeepTheirOwnStringMode) {
    const RCTempDir dir;
    const std::vector<std::string> tickets = {
        dir.Write("hash_ansi.ssl", HashTicket(40)),
        dir.Write("hash_utf16.ssl", Utf16(HashTicket(40))),
    };
    std::vector<std::string> expected;
    for (const std::string& ticket : tickets)
        expected.push_back(Outcome(ParseFile(ticket)));
    ASSERT_NE(expected[0].find("sheet#0041-40.plt"), std::string::npos);
    ASSERT_TRUE(expected[0] == expected[1]) << "both encodings read the same names";

    constexpr int kThreads = 4;
    constexpr int kRounds = 10;
    // outcomes[thread][round * tickets + ticket]
    std::vector<std::vector<std::string>> outcomes(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < kRounds; ++round) {
                for (std::size_t i = 0; i < tickets.size(); ++i) {
                    // Each thread starts at another ticket, so different tickets overlap.
                    const std::size_t ticket = (i + static_cast<std::size_t>(t)) % tickets.size();
                    outcomes[t].push_back(Outcome(ParseFile(tickets[ticket])));
                }
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();

    for (int t = 0; t < kThreads; ++t) {
        ASSERT_EQ(outcomes[t].size(), kRounds * tickets.size());
        for (std::size_t n = 0; n < outcomes[t].size(); ++n) {
            const std::size_t ticket =
                (n % tickets.size() + static_cast<std::size_t>(t)) % tickets.size();
            EXPECT_TRUE(outcomes[t][n] == expected[ticket])
                << "thread " << t << ", " << tickets[ticket];
        }
    }
}

}  // namespace
