#include "ssl2/capas/RCIniStringInterface.h"

#include <gtest/gtest.h>

#include "tests/support/CapasSupport.h"

namespace {

using capas_test::Diagnostics;
using Read = capas_test::RSRead<RCIniStringInterface>;

TEST(RCIniStringInterface, StoresValuesByTheLexicalRules) {
    capas_test::CheckValueRows<RCIniStringInterface>({
        {"[Trays]\nCount=3\n", "trays", "count", "3"},
        {"[Trays]\nCount=3\n", "Trays", "count", "<absent>"},
        {"[s]\nkey = value\n", "s", "key ", " value"},
        {"[s]\na=1;2\n", "s", "a", "1;2"},
        {"[s]\n;a=1\n", "s", "a", "<absent>"},
        {"[s]\na=\n", "s", "a", ""},
        {"[s]\na=", "s", "a", ""},
        {"[s]\na=1\na=2\n", "s", "a", "2"},
        {"[s]\r\na=1\r\nb=2", "s", "b", "2"},
        {"[s]\ra=1\rb=2\r", "s", "b", "2"},
        {"[s]\n[abc]x=5\n", "s", "[abc]x", "5"},
        {"[S#0041]\nK#0023=v#00C4\n", "sA", "k#", "v\xC3\x84"},
        // A header followed by blanks is still a header; a line of blanks is no key.
        {"[s]  \n   \na=1\n", "s", "a", "1"},
        {"[s]\n[t] \t;note\na=1\n", "t", "a", "1"},
        // The longest match: the key runs up to the '=', past the header's blanks.
        {"[s]\n[abc] =5\n", "s", "[abc] ", "5"},
        {"[s]\n  ; note\na=1\n", "s", "a", "1"},
        {"[s]\n  =x\n", "s", "  ", "x"},
        {"[s]\nbin=\x01\xff\n", "s", "bin", "\x01\xff"},
    });
}

TEST(RCIniStringInterface, SyntaxErrorsAbandonTheParseKeepingWhatWasRead) {
    capas_test::CheckErrorRows<RCIniStringInterface>(
        "bInIniParser true after yyparse",
        {{"\na=1\n", "parse error Token \"a\" In Zeile 2\n", 0}});
}

TEST(RCIniStringInterface, DiagnosticsGoToTheCStreamsByDefault) {
    RCIniStringInterface ini;
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    ini.ReadString("x\n[s]\nb\n[t]\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "x");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "parse error Token \"[t]\" In Zeile 4\n");
}

TEST(RCIniStringInterface, ParseStateDoesNotLeakIntoTheNextParse) {
    RCIniStringInterface ini;
    Diagnostics diagnostics;
    ini.SetDiagnosticHandler(diagnostics.Handler());
    ini.ReadString("[s]\na=1\nb");  // ends inside a key
    ini.ReadString("\n\nx\n");
    EXPECT_EQ(diagnostics.Errors(),
              "parse error Token \"\" In Zeile 3\nparse error Token \"x\" In Zeile 3\n");
}

TEST(RCIniStringInterface, AThrowingDiagnosticHandlerEndsOnlyThatParse) {
    RCIniStringInterface ini;
    ini.SetDiagnosticHandler([](const RSReaderDiagnostic&) { throw std::runtime_error("stop"); });
    EXPECT_THROW(ini.ReadString("\nkey=1\n"), std::runtime_error);
    ini.SetDiagnosticHandler({});
    EXPECT_EQ(ini.ReadString("[s]\na=1\n"), 1u);
}

TEST(RCIniStringInterface, ToStringWritesSectionsInOrder) {
    Read read("[b]\nz=2\ny=1\n[a]\nk=v\n");
    EXPECT_EQ(read.reader.ToString(), "[a]\r\nk=v\r\r[b]\r\ny=1\rz=2\r\r");
    RCIniStringInterface empty;
    EXPECT_EQ(empty.ToString(), "");
}

TEST(RCIniStringInterface, GetAndSetValueNeedContents) {
    RCIniStringInterface ini;
    TString value = "unchanged";
    ini.SetValue("s", "k", "v");
    EXPECT_FALSE(ini.GetValue("s", "k", value));
    EXPECT_EQ(value, "unchanged");
    ini.ReadString("");
    ini.SetValue("S", "K", "v");
    EXPECT_TRUE(ini.GetValue("S", "K", value));
    EXPECT_EQ(value, "v");
    ini.Clear();
    EXPECT_FALSE(ini.GetValue("S", "K", value));
    EXPECT_EQ(ini.GetContents(), nullptr);
}

// Tokens of any length are read whole, and a line of unclosed brackets (once rescanned
// from every character, 26 s for 20,000) is read in one pass.
TEST(RCIniStringInterface, LongTokensAndUnclosedBracketsAreReadInOnePass) {
    const std::string longValue(100000, 'v');
    Read read(std::string(1u << 20, '[') + "\n[s]\nk=" + longValue + "\n");
    EXPECT_EQ(read.Value("s", "k"), longValue);
}

class RCIniStringInterfaceFile : public capas_test::TempDirTest {};

TEST_F(RCIniStringInterfaceFile, ReadsWholeFilesOfAnySizeAndNoneOfMissingOnes) {
    std::string text = "[big]\n";
    int keys = 0;
    while (text.size() < (1u << 20) || keys < 20000) {
        text += "key" + std::to_string(keys++) + "=" + std::string(30, 'x') + "\n";
    }
    text += "last=end\n";
    RCIniStringInterface ini;
    ASSERT_EQ(ini.ReadFile(Write("big.ini", text)), 1u);
    EXPECT_EQ(ini.GetContents()->at("big").size(), static_cast<std::size_t>(keys) + 1);
    TString value;
    EXPECT_TRUE(ini.GetValue("big", "last", value));
    EXPECT_EQ(value, "end");
    // Exactly 10,000 bytes is a file like any other.
    std::string exact = "[s]\na=";
    exact += std::string(10000 - exact.size() - 1, 'y') + "\n";
    EXPECT_EQ(ini.ReadFile(Write("exact.ini", exact)), 1u);
    EXPECT_EQ(ini.ReadFile((m_dir / "missing.ini").string()), 0u);
    EXPECT_EQ(ini.ReadFile(Write("empty.ini", "")), 0u);
}

/// `text` as UTF-16 with its byte order mark.
std::string Utf16(const std::u16string& text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

// Files with a byte order mark are converted; 8-bit files without one are UTF-8 when
// valid, otherwise Windows-1252 (also when they begin with the first two bytes of the
// UTF-8 mark). '#' and four hex digits is an escape in every capability file, as
// capability tools write characters that Windows-1252 lacks; a literal '#' before hex
// digits is written as "#0023". Text converted from UTF-16 escapes its own '#', so the
// same characters read the same from UTF-16 and from 8-bit files.
TEST_F(RCIniStringInterfaceFile, ReadsEveryEncodingAlike) {
    const TString sharp = TString::FromUnicode(u"No. #0041 \u03a9");
    const struct {
        const char* name;
        std::string bytes;
        TString expected;
    } rows[] = {
        {"UTF-8 mark", "\xEF\xBB\xBF[s]\na=\xC3\xA4\n", "\xC3\xA4"},
        {"UTF-16LE", Utf16(u"[S]\r\nA=\u00e4#\U0001F600\r\n", false),
         TString::FromUnicode(u"\u00e4#\U0001F600")},
        {"UTF-8",
         "[s]\na=Gr\xC3\xB6\xC3\x9F"
         "e \xE2\x82\xAC\n",
         "Größe €"},
        {"Windows-1252",
         "[s]\na=Gr\xF6\xDF"
         "e \x80\n",
         "Größe €"},
        {"Windows-1252 after half a UTF-8 mark",
         "\xEF\xBB; mark\n[s]\na=Gr\xF6\xDF"
         "e \x80\n",
         "Größe €"},
        {"hash from UTF-16BE", Utf16(u"[s]\r\na=No. #0041 \u03a9\r\n", true), sharp},
        {"hash escapes", "[s]\na=No. #00230041 #03A9\n", sharp},
        {"hash escapes, UTF-8", "\xEF\xBB\xBF[s]\na=No. #00230041 \xCE\xA9\n", sharp},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        RCIniStringInterface ini;
        ini.SetDiagnosticHandler([](const auto&) {});
        TString value;
        ASSERT_EQ(ini.ReadFile(Write("capas.ini", row.bytes)), 1u);
        EXPECT_TRUE(ini.GetValue("s", "a", value));
        EXPECT_EQ(value, row.expected);
    }
}

}  // namespace
