// Text and number statements: text forms, limits and the text interface.
#include <gtest/gtest.h>

#include <memory>

#include "ssl2/SSLStatements/SslStatements.h"

namespace {

std::unique_ptr<SslStatement> Create(TSslStatementID id) {
    return std::unique_ptr<SslStatement>(SslStatement::CreateSslObject(id));
}

// A value through the text interface, and the line it gives, for every form of
// line; the writer's expected files show the line of every text statement.
TEST(TextStatements, LinesOfEveryForm) {
    struct Case {
        TSslStatementID id;
        const char* value;
        const char* line;
    } cases[] = {
        {kId_SslAccount, "4711", "Account \"4711\""},
        {kId_SslDirectory, "C:\\a b", "Directory \"C:\\a b\""},
        {kId_SslError, "e", " \"e\""},  // the nameless statement
        {kId_SslPlotOption, "po", "PlotOption \"po\"\r\n"},
        {kId_SslPageRange, "1-3", "PageRange \"1-3\""},
        {kId_SslHpglAsString, "a;b", "HpglAsString \"a;b\""},
        {kId_SslCopies, "3", "Copies 3"},
        {kId_SslImageRotated, "180", "ImageRotated 180"},
        {kId_SslOrdinal, "10000", "Ordinal 10000"},
        {kId_SslResolution, "0", "Resolution 0"},
    };
    for (const auto& c : cases) {
        auto s = Create(c.id);
        SCOPED_TRACE(c.line);
        EXPECT_EQ(s->SetString(c.value, 0, 0), 1u);
        EXPECT_EQ(s->ToString(), c.line);
        EXPECT_EQ(s->GetString(0, 0), c.value);
    }
}

TEST(TextStatements, DefaultsAndEmptyForms) {
    EXPECT_EQ(SslPlotOption().ToString(), "");
    EXPECT_EQ(SslAccount().ToString(), "Account \"\"");
    EXPECT_EQ(SslOrdinal().ToString(), "Ordinal 4294967295");
    EXPECT_EQ(SslCopies().Get(), 1u);
}

TEST(TextStatements, NotesCarryLineBreaksThroughTheTextInterface) {
    SslNotes notes;
    EXPECT_EQ(notes.SetString("first\r\nsecond\r\n", 0, 0), 1u);
    EXPECT_EQ(notes.Get(), "first<|>second<|>");
    EXPECT_EQ(notes.GetString(0, 0), "first\r\nsecond\r\n");
    notes.Set("a\r\nb");
    EXPECT_EQ(notes.Get(), "a\r\nb");
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
