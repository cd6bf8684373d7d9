// Text and number statements: sorting, limits, the text interface and configuration lines.
#include <gtest/gtest.h>

#include "ssl2/SSLStatements/SslStatements.h"

namespace {

TEST(TextStatements, TextsSortAcrossBothTextFamilies) {
    SslHpglAsString hpgl;
    SslAccount account;
    hpgl.Set("b");
    account.Set("a");
    EXPECT_TRUE(SslStringStatement::IsSmaller(account, hpgl));
    EXPECT_FALSE(SslCompoundStringStatement::IsSmaller(hpgl, account));
}

TEST(NumberStatements, RotationsAreQuarterTurnsBelow360) {
    SslImageRotated rotated;
    EXPECT_EQ(rotated.Set(360), 0u);
    EXPECT_EQ(rotated.Set(45), 0u);
    EXPECT_EQ(rotated.Set(270), 1u);
}

// Numbers are read as strtol reads them: leading blanks and a sign are skipped,
// trailing text ends the number; a refusal keeps the value.
TEST(NumberStatements, ReadsNumbersLikeStrtol) {
    struct Row {
        const char* text;
        unsigned int result;
        std::uint32_t value;
    } rows[] = {
        {"7", 1, 7},  {"  42abc", 1, 42}, {"+3", 1, 3},         {"abc", 0, 1},        {"", 0, 1},
        {"-5", 0, 1}, {"10001", 0, 1},    {"4294967296", 0, 1}, {"\t\n 100", 1, 100},
    };
    for (const auto& row : rows) {
        SslCopies n;
        EXPECT_EQ(n.SetString(row.text, 0, 0), row.result) << row.text;
        EXPECT_EQ(n.Get(), row.value) << row.text;
    }
}

TEST(NumberStatements, ConfigurationLines) {
    SslCopies copies;
    copies.Set(12);
    EXPECT_EQ(copies.ToCfg(), "COPYCOUNT = 12\r\n");
    SslImageRotated rotated;
    rotated.Set(90);
    EXPECT_EQ(rotated.ToCfg(), "");
    EXPECT_TRUE(SslNumberStatement::IsSmaller(SslCopies(), copies));
}

}  // namespace
