// Reading a ticket from memory: the same set and diagnostics as from a file, and no
// file made on the way.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/SetSupport.h"

namespace ssl2::test {
namespace {

TEST(ReadMemory, BuffersAndTextsReadAsTheirFilesWithoutTemporaryFiles) {
    // Every temporary file would land here.
    RCTempDir scratch;
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old ? old : "";
    ::setenv("TMPDIR", scratch.Path().c_str(), 1);

    for (const char* name : {"simple.ssl", "twenty_files.ssl", "unicode_utf16.ssl",
                             "old_style_15.ssl", "syntax_errors.ssl"}) {
        const RSParse file = ParseFile(ExamplePath(name));
        const RSParse memory = ParseBuffer(ReadFile(ExamplePath(name)), {}, ExamplePath(name));
        EXPECT_EQ(Outcome(memory), Outcome(file)) << name;
        EXPECT_TRUE((memory.m_Set == file.m_Set).bEqual) << name;
    }
    EXPECT_TRUE(std::filesystem::is_empty(scratch.Path()));
    if (old)
        ::setenv("TMPDIR", saved.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
}

// A file is read block by block: wherever a block ends in a ticket's lines (inside a
// keyword, a value, a character, a line end), the file reads as the ticket in memory.
TEST(ReadMemory, FilesReadAsMemoryWhereverABlockEnds) {
    RCTempDir scratch;
    const std::string tail =
        "Margin left 2\r\nUnits cm\r\nJobName \"M\xC3\xA4rz\"\r\nAddress \"Site\"\r\n\t+ Company "
        "\"X\"\r\nCopeis 2\r\nCopies 99999999999\r\nBeginOutput\r\nEdging1 \"e\"\r\nEndOutput\r\n"
        "EndJob\r\n";
    constexpr std::size_t kBlock = 256u << 10;  // the reader's block
    // The tail starts `at` bytes before the first block ends; the next block reads on.
    const auto ticket = [&](std::size_t at) {
        return "BeginJob\r\n;" + std::string(kBlock - 13 - at, '#') + "\r\n" + tail +
               std::string(kBlock, '#');
    };
    const std::string path = scratch.Path() / "t.ssl";
    const RSParse memory = ParseBuffer(ticket(1), {}, path);
    for (std::size_t at = 1; at <= tail.size(); ++at) {
        const RSParse file = ParseFile(scratch.Write("t.ssl", ticket(at)));
        ASSERT_EQ(Outcome(file), Outcome(memory)) << at;
        ASSERT_TRUE((file.m_Set == memory.m_Set).bEqual) << at;
        ASSERT_EQ(file.m_Set.GetEntry(0).GetErrors(), memory.m_Set.GetEntry(0).GetErrors()) << at;
    }
}

TEST(ReadMemory, EmptyAndTruncatedBuffers) {
    RCTempDir scratch;
    const std::string empty = scratch.Write("empty", "");
    EXPECT_EQ(Outcome(ParseBuffer("", {}, empty)), Outcome(ParseFile(empty)));
    RCSslSet set;
    const std::string half =
        "\xFF\xFE"
        "B\0e\0g\0i\0n\0J\0o\0b\0\n";  // odd byte count
    EXPECT_GE(set.ParseSslBuffer(half.data(), half.size(), "half", 300), 0);
    EXPECT_EQ(set.ParsedTilEnd(), 0u);
    const std::string ticket = "BeginJob\r\nCopies 3\r\nEndJob";  // no final line end
    EXPECT_EQ(set.ParseSslBuffer(ticket.data(), ticket.size(), "t", 300), 1);
    EXPECT_EQ(set.ParsedTilEnd(), 1u);
    EXPECT_EQ(set.GetEntry(0).GetCopies(), 3u);
}

}  // namespace
}  // namespace ssl2::test
