#include "ssl2/base/TString.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "tests/support/CommaLocale.h"

namespace {

// Numbers of text saturate or fail, they never wrap: strtoull would read this negative
// number as 1 (any leading white space counts), and 2^32 is no 32-bit value.
TEST(TString, ValueRadixAndFailures) {
    std::uint32_t u = 7;
    EXPECT_FALSE(TString("\n-18446744073709551615").Value(u, 10));
    EXPECT_FALSE(TString("4294967296").Value(u, 10));
    EXPECT_EQ(u, 7u);
}

// A calling program with a German user interface has set its locale: numbers in
// file texts keep the decimal point, and the caller's own formatting is left alone.
TEST(TString, NumbersIgnoreTheCallersLocale) {
    const ssl2::test::RCCommaLocale german;
    if (!german.Active())
        GTEST_SKIP() << ssl2::test::kCommaLocaleMissing;
    EXPECT_EQ(TString::Format("%.3f mm", 27.94), "27.940 mm");
    double d = 0.0;
    ASSERT_TRUE(TString("1.1").Value(d));
    EXPECT_EQ(d, 1.1);
    char own[16];
    std::snprintf(own, sizeof own, "%.1f", 2.5);
    EXPECT_STREQ(own, "2,5") << "the caller's locale is in force again";
}

TEST(TString, PiecesAndChanges) {
    TString s("Stamp   ");
    EXPECT_EQ(TString(s).StripTail(), "Stamp");
    EXPECT_EQ(TString("job. .").StripTail(". "), "job");
    EXPECT_EQ(TString("AbC").LowCase(), "abc");
    EXPECT_EQ(TString("abcdef").Left(2), "ab");
    EXPECT_EQ(TString("abcdef").Right(2), "ef");
    EXPECT_EQ(TString("abcdef").Right(20), "abcdef");
    EXPECT_EQ(TString("a/b/c").FindReverse('/'), 3);
    EXPECT_EQ(TString("abc").Find("x"), TString::kNotFound);
    TString r("a\"b\"c");
    EXPECT_EQ(r.Replace("\"", "''"), 2u);
    EXPECT_EQ(r, "a''b''c");
    EXPECT_EQ(TString("abc", 2), "ab");
    EXPECT_EQ(TString::Format("%.1f x %.1f", 210.0, 297.0), "210.0 x 297.0");
    EXPECT_EQ(TString("HPGL").CompareNoCase("hpgl"), 0);
    EXPECT_LT(TString("a").CompareNoCase("B"), 0);
}

TEST(TString, WindowsAnsiBytesBecomeUtf8AndComeBackUnchanged) {
    const std::string bytes = "Gr\xfc\xdf \x80";  // Windows-1252, not UTF-8
    TString s = TString::FromAnsi(bytes);
    EXPECT_EQ(s, "Grüß €");
    EXPECT_EQ(s.AsAnsi(), bytes);
    EXPECT_EQ(s.AsUnicode(), std::u16string(u"Gr\u00fc\u00df \u20ac"));
    EXPECT_EQ(TString::SaveFromAnsi(s.SaveAsAnsi('#'), '#').AsAnsi(), bytes);
    // Every byte, the five unassigned ones included, comes back as it was.
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_TRUE(TString::FromAnsi(all).HasAnsiForm());
    EXPECT_EQ(TString::FromAnsi(all).AsAnsi(), all);
    EXPECT_EQ(TString::FromAnsi("\x81\x9d"), "\u0081\u009d");
}

TEST(TString, EightBitTextOfUnknownEncoding) {
    EXPECT_EQ(TString::FromEightBit("M\xc3\xa4rz"), "März");  // valid UTF-8
    EXPECT_EQ(TString::FromEightBit("M\xe4rz"), "März");      // Windows-1252
    // One byte that is not UTF-8 makes the whole text Windows-1252.
    EXPECT_EQ(TString::FromEightBit("\xc3\xa4 \xe4"), "Ã¤ ä");
    EXPECT_TRUE(TString::IsUtf8("plain"));
    EXPECT_FALSE(TString::IsUtf8("\xed\xa0\x80"));  // an encoded surrogate
    EXPECT_FALSE(TString::IsUtf8("\xc3"));
    EXPECT_EQ(TString::FromUtf8("\xc3\xa4\xe4\x80"), "ää€");
}

TEST(TString, AnsiFormsOfCharactersWindowsAnsiLacks) {
    const TString text = "Plan 東京 €";
    EXPECT_FALSE(text.HasAnsiForm());
    EXPECT_EQ(text.AsAnsi(), "Plan ?? \x80");
}

// Any UTF-16 text survives text -> escaped 8-bit -> text.
TEST(TString, EscapedFormIsLosslessForRandomUtf16) {
    std::mt19937 rng(12345);
    const char16_t interesting[] = {u'#',   u'"',   u'\r',  u'\n',  0xD800, 0xDBFF,
                                    0xDC00, 0xDFFF, 0x00E4, 0x20AC, 0xFFFF, u'A'};
    for (int round = 0; round < 2000; ++round) {
        std::u16string text;
        const int len = static_cast<int>(rng() % 24);
        for (int i = 0; i < len; ++i) {
            char16_t c = (rng() % 3 == 0) ? interesting[rng() % std::size(interesting)]
                                          : static_cast<char16_t>(1 + rng() % 0xFFFF);
            text += c;
        }
        const std::string escaped = TString::FromUnicode(text).SaveAsAnsi('#');
        EXPECT_EQ(TString::SaveFromAnsi(escaped, '#').AsUnicode(), text) << "round " << round;
        for (std::size_t i = 0; i < escaped.size(); ++i) {
            if (escaped[i] != '#')
                continue;
            for (std::size_t k = i + 1; k < i + 5 && k < escaped.size(); ++k)
                EXPECT_TRUE(std::isxdigit(static_cast<unsigned char>(escaped[k])));
        }
    }
}

}  // namespace
