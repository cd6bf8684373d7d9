// Text and number statements: sorting, limits, the text interface and configuration lines.
#include <gtest/gtest.h>

#include <memory>

#include "ssl2/SSLStatements/SslStatements.h"

namespace {

std::unique_ptr<SslStatement> Create(TSslStatementID id) {
    return std::unique_ptr<SslStatement>(SslStatement::CreateSslObject(id));
}

TEST(TextStatements, TextsSortAcrossBothTextFamilies) {
    SslHpglAsString hpgl;
    SslAccount account;
    hpgl.Set("b");
    account.Set("a");
    EXPECT_TRUE(SslStringStatement::IsSmaller(account, hpgl));
    EXPECT_FALSE(SslCompoundStringStatement::IsSmaller(hpgl, account));
}

TEST(NumberStatements, LimitsAndAllowedValues) {
    struct Case {
        TSslStatementID id;
        std::uint32_t value;
        unsigned int result;
    } cases[] = {
        {kId_SslCopies, 10000, 1},     {kId_SslCopies, 10001, 0},    {kId_SslSetCopies, 1000, 1},
        {kId_SslSetCopies, 1001, 0},   {kId_SslOrdinal, 10000, 1},   {kId_SslOrdinal, 10001, 0},
        {kId_SslResolution, 4800, 1},  {kId_SslResolution, 4801, 0}, {kId_SslImageRotated, 270, 1},
        {kId_SslImageRotated, 45, 0},  {kId_SslImageRotated, 90, 1}, {kId_SslImageRotated, 359, 0},
        {kId_SslImageRotated, 360, 0}, {kId_SslImageRotated, 0, 1},
    };
    for (const auto& c : cases) {
        auto s = Create(c.id);
        auto& n = dynamic_cast<SslNumberStatement&>(*s);
        const std::uint32_t before = n.Get();
        EXPECT_EQ(n.Set(c.value), c.result) << c.id << " " << c.value;
        EXPECT_EQ(n.Get(), c.result ? c.value : before) << c.id << " " << c.value;
    }
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
