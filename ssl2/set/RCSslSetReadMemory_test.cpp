// Reading a ticket from memory: the same set and diagnostics as from a file, and no
// file made on the way.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/SetSupport.h"

namespace ssl2::test {
namespace {

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

RSParse ParseBytes(const std::string& bytes, const std::string& name) {
    RSParse parse;
    parse.m_Set.SetDiagnosticHandler(
        [&parse](const RSSslDiagnostic& d) { parse.m_Diagnostics.push_back(d); });
    parse.m_nResult = parse.m_Set.ParseSslBuffer(bytes.data(), bytes.size(), name, 300);
    parse.m_Set.SetDiagnosticHandler({});
    return parse;
}

void ExpectSameSet(const RCSslSet& a, const RCSslSet& b, const std::string& where) {
    ASSERT_EQ(a.Size(), b.Size()) << where;
    EXPECT_TRUE((a == b).bEqual) << where;
    EXPECT_EQ(a.ToString(SslStatement::kVersion50), b.ToString(SslStatement::kVersion50)) << where;
}

TEST(ReadMemory, BuffersAndTextsReadAsTheirFilesWithoutTemporaryFiles) {
    // Every temporary file would land here.
    RCTempDir scratch;
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old ? old : "";
    ::setenv("TMPDIR", scratch.Path().c_str(), 1);

    for (const char* name : {"simple.ssl", "twenty_files.ssl", "unicode_utf16.ssl",
                             "old_style_15.ssl", "syntax_errors.ssl"}) {
        const RSParse file = ParseFile(ExamplePath(name));
        const RSParse memory = ParseBytes(Bytes(ExamplePath(name)), ExamplePath(name));
        EXPECT_EQ(memory.m_nResult, file.m_nResult) << name;
        EXPECT_EQ(memory.m_Set.ParsedTilEnd(), file.m_Set.ParsedTilEnd()) << name;
        ExpectSameSet(memory.m_Set, file.m_Set, name);
        ASSERT_EQ(memory.m_Diagnostics.size(), file.m_Diagnostics.size()) << name;
        for (std::size_t i = 0; i < file.m_Diagnostics.size(); ++i) {
            EXPECT_EQ(memory.m_Diagnostics[i].m_sFile, file.m_Diagnostics[i].m_sFile) << name;
            EXPECT_EQ(memory.m_Diagnostics[i].m_nLine, file.m_Diagnostics[i].m_nLine) << name;
            EXPECT_EQ(memory.m_Diagnostics[i].m_sMessage, file.m_Diagnostics[i].m_sMessage);
        }
        // The same ticket as a text: written out and read back from memory.
        RCSslSet text;
        text.ParseSslText(file.m_Set.ToString(SslStatement::kVersion50), "text", 300);
        ExpectSameSet(text, file.m_Set, std::string(name) + " as text");
    }
    EXPECT_TRUE(std::filesystem::is_empty(scratch.Path()));
    if (old)
        ::setenv("TMPDIR", saved.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
}

TEST(ReadMemory, EmptyAndTruncatedBuffers) {
    RCTempDir scratch;
    const RSParse file = ParseFile(scratch.Write("empty.ssl", ""));
    const RSParse memory = ParseBytes("", "empty");
    EXPECT_EQ(memory.m_nResult, file.m_nResult);
    EXPECT_EQ(memory.m_Diagnostics.size(), file.m_Diagnostics.size());
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

TEST(ReadMemory, NulBytesAreOrdinaryCharacters) {
    // Only the end of the buffer ends the input: a NUL is stray text where a word is
    // expected and part of a quoted value.
    using namespace std::string_literals;
    const std::string ticket =
        "BeginJob\r\nCopies 2 \0\r\nBeginOutput\r\nName \"a\0b.plt\"\r\nCopies 3\r\n"
        "EndOutput\r\nEndJob\r\n"s;
    const RSParse parse = ParseBytes(ticket, "nul");
    EXPECT_EQ(parse.m_nResult, 2);
    EXPECT_EQ(parse.m_Set.ParsedTilEnd(), 1u);
    ASSERT_EQ(parse.m_Diagnostics.size(), 1u);
    EXPECT_EQ(parse.m_Diagnostics[0].m_nKind, RSSslDiagnostic::kStrayText);
    EXPECT_EQ(parse.m_Diagnostics[0].m_nLine, 2);
    EXPECT_EQ(parse.m_Set.GetEntry(1).GetCopies(), 3u);
    EXPECT_EQ(parse.m_Set.GetEntry(1).GetName().str(), "a\0b.plt"s);
}

}  // namespace
}  // namespace ssl2::test
