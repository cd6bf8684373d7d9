// Tests that numbers keep their meaning through a ticket: the reader's number values,
// the zoom (factors and windows) and a calling program's locale.
// Each written text is read back with the reader, as a peer would read it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

#include "ssl2/base/TPoint.h"
#include "ssl2/set/RCSslSet.h"
#include "ssl2/set/SslParseContext.h"
#include "tests/support/CommaLocale.h"
#include "tests/support/SetSupport.h"

namespace {

using namespace ssl2::test;

/// Reads `text` from memory: to its end and without a diagnostic.
RSParse Parse(const std::string& text) {
    RSParse parse = ParseBuffer(text);
    EXPECT_EQ(parse.m_Set.ParsedTilEnd(), 1u) << text;
    EXPECT_TRUE(parse.m_Diagnostics.empty()) << text;
    return parse;
}

// The reader's number values, as the scanner hands them over: decimals with '.' or
// ',' equal the C library's correctly rounded reading (short forms take a faster
// path), and whole numbers saturate at their type's limit.
TEST(SslNumberValues, MatchTheLibraryReadingAndSaturate) {
    RCSslSet set;
    const ssl2::internal::SslParseContext context(set, "t", ssl2::internal::TInputEncoding::kUtf8,
                                                  nullptr, 300);
    std::mt19937_64 random(20261206);
    for (int i = 0; i < 20000; ++i) {
        const int digits = 1 + static_cast<int>(random() % 19);
        std::string number = random() % 4 == 0 ? "-" : "";
        for (int d = 0; d < digits; ++d)
            number += static_cast<char>('0' + random() % 10);
        const std::size_t point = number.size() - random() % static_cast<std::size_t>(digits);
        number.insert(point, 1, '.');
        const double expected = std::strtod(number.c_str(), nullptr);
        const double read = context.FloatValue(number);
        EXPECT_EQ(read, expected) << number;
        EXPECT_EQ(std::signbit(read), std::signbit(expected)) << number;
        number[point] = ',';
        EXPECT_EQ(context.FloatValue(number), expected) << number;
    }
    EXPECT_EQ(context.IntegerValue("000123"), 123);
    EXPECT_EQ(context.IntegerValue("2147483647"), 2147483647);
    EXPECT_EQ(context.IntegerValue("2147483648"), 2147483647);
    EXPECT_EQ(context.IntegerValue("99999999999999999999999"), 2147483647);
    EXPECT_EQ(context.HexValue("aBc"), 0xABCu);
    EXPECT_EQ(context.HexValue("0000000000FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(context.HexValue("100000000"), 0xFFFFFFFFu);
}

bool Contains(const TString& text, const std::string& part) {
    return text.str().find(part) != std::string::npos;
}

// Zoom factors reach the plot configuration as percent; window zooms keep their
// keyword and are windows (in millimetres) in the configuration too.  A file entry
// left at its defaults prints the file at its own size: the default zoom is 100
// percent, written as two bare numbers, which read back as factors.
TEST(SslNumberForms, ZoomFactorsAndWindowsKeepTheirMeaning) {
    const RSParse read = Parse(
        "BeginJob\n"
        "BeginOutput\nZoom 50 50\nEndOutput\n"
        "BeginOutput\nZoom Window 420.0 297.0 mm\nEndOutput\n"
        "BeginOutput\nZoom proportional 594 841\nEndOutput\n"
        "BeginOutput\nFileInfo 0xFA0 0x7D0 0x190 0x190 0x1 0x1\nEndOutput\n"  // 254 x 127 mm
        "EndJob\n");
    ASSERT_EQ(read.m_nResult, 5);
    const struct {
        const char* line;
        const char* cfg;
    } rows[] = {
        {"Zoom 50.000 50.000 ", "SCALEMODE = PERCENT\r\nSCALEAUX1 = 50\r\n"},
        {"Zoom unproportional 420.000 297.000 mm",
         "SCALEMODE = WINDOW\r\nSCALEAUX1 = 420.000 mm\r\nSCALEAUX2 = 297.000 mm\r\n"},
        {"Zoom proportional 594.000 841.000 ", "SCALEMODE = WINDOW\r\nSCALEAUX1 = 841.000 mm\r\n"},
        {"Zoom 100.000 100.000 ", "SCALEMODE = PERCENT\r\nSCALEAUX1 = 100\r\n"},
    };
    for (int i = 1; i <= 4; ++i) {
        const RCSslEntry& entry = read.m_Set.GetEntry(i);
        EXPECT_TRUE(Contains(entry.ToString(0, SslStatement::kVersion50),
                             std::string("\r\n") + rows[i - 1].line + "\r\n"))
            << rows[i - 1].line;
        EXPECT_TRUE(Contains(entry.ToCfg(), rows[i - 1].cfg)) << entry.ToCfg();
    }
    EXPECT_EQ(read.m_Set.GetEntry(4).GetZoom(), SslZoom().Get());
    EXPECT_EQ(ImageSize(read.m_Set.GetEntry(4)), TPoint(254, 127));
    EXPECT_EQ(read.m_Set.GetEntry(4).CountMillimeters(false), 254u);
}

// A client program with a German user interface has called setlocale: tickets and
// configuration lines still carry decimal points, and read as such.
TEST(SslNumberForms, TheCallersLocaleChangesNoNumber) {
    const RCCommaLocale german;
    if (!german.Active())
        GTEST_SKIP() << kCommaLocaleMissing;
    const RSParse read =
        Parse("BeginJob\nBeginOutput\nMargin top 1.1\nHpgl minwidth 0,25\nEndOutput\nEndJob\n");
    ASSERT_EQ(read.m_nResult, 2);
    const RCSslEntry& file = read.m_Set.GetEntry(1);
    EXPECT_EQ(file.GetMargin(0), 1.1);
    EXPECT_EQ(file.GetHpglMinwidth(), 0.25);

    const TString text = read.m_Set.ToString(SslStatement::kVersion50);
    EXPECT_TRUE(Contains(text, "\r\nMargin top 1.100\r\n\t+ left 0.000\r\n")) << text;
    EXPECT_TRUE(Contains(text, "\t+ minwidth 0.250\r\n")) << text;
    EXPECT_TRUE(Contains(text, "\r\nZoom 100.000 100.000 \r\n")) << text;
    EXPECT_TRUE(Contains(file.ToCfg(), "BORDERTOP    = 1.100\r\n")) << file.ToCfg();

    const RSParse back = Parse(text.str());
    ASSERT_EQ(back.m_nResult, 2);
    EXPECT_EQ(back.m_Set.GetEntry(1).GetMargin(0), 1.1);
    EXPECT_EQ(back.m_Set.ToString(SslStatement::kVersion50), text);
}

}  // namespace
