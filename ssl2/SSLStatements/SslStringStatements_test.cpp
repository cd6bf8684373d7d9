// Text and number statements: text forms, limits and the text interface.
#include <gtest/gtest.h>

#include <memory>

#include "ssl2/SSLStatements/SslStatements.h"

namespace {

std::unique_ptr<SslStatement> Create(TSslStatementID id) {
    return std::unique_ptr<SslStatement>(SslStatement::CreateSslObject(id));
}

// One value per class through the text interface, and the line it gives.
TEST(TextStatements, LinesOfEveryClass) {
    struct Case {
        TSslStatementID id;
        const char* value;
        const char* line;
    } cases[] = {
        {kId_SslAccount, "4711", "Account \"4711\""},
        {kId_SslArchivReferenz, "A-1", "ArchivReferenz \"A-1\""},
        {kId_SslComment, "c", "Comment \"c\""},
        {kId_SslCopyrigth, "(c) me", "Copyright \"(c) me\""},
        {kId_SslCostCenter, "cc", "CostCenter \"cc\""},
        {kId_SslCreationAppl, "app", "CreationAppl \"app\""},
        {kId_SslCustomer, "cu", "Customer \"cu\""},
        {kId_SslDirectory, "/d", "Directory \"/d\""},
        {kId_SslDistribution, "di", "Distribution \"di\""},
        {kId_SslError, "e", " \"e\""},
        {kId_SslJobName, "job", "JobName \"job\""},
        {kId_SslName, "a.plt", "Name \"a.plt\""},
        {kId_SslNotes, "n", "Notes \"n\""},
        {kId_SslOrigDirectory, "od", "OrigDirectory \"od\""},
        {kId_SslOrigName, "on", "OrigName \"on\""},
        {kId_SslPlotOption, "po", "PlotOption \"po\"\r\n"},
        {kId_SslProfil, "p", "Profil \"p\""},
        {kId_SslUserName, "u", "UserName \"u\""},
        {kId_SslScanColorProfileName, "s", "ScanProfileName \"s\""},
        {kId_SslPlotColorProfileName, "p", "PlotProfileName \"p\""},
        {kId_SslContact, "c", "Contact \"c\""},
        {kId_SslPoNumber, "1", "PoNumber \"1\""},
        {kId_SslProject, "p", "Project \"p\""},
        {kId_SslPlotDate, "d", "PlotDate \"d\""},
        {kId_SslReceiveDate, "d", "ReceiveDate \"d\""},
        {kId_SslDeliveryDate, "d", "DeliveryDate \"d\""},
        {kId_SslDeliveryMethod, "m", "DeliveryMethod \"m\""},
        {kId_SslDeliveryTime, "t", "DeliveryTime \"t\""},
        {kId_SslDryMountEdging, "e", "DryMountEdging \"e\""},
        {kId_SslDryMountSpecs, "s", "DryMountSpecs \"s\""},
        {kId_SslDryMountTrim, "t", "DryMountTrim \"t\""},
        {kId_SslEdging1, "e", "Edging1 \"e\""},
        {kId_SslEdging2, "e", "Edging2 \"e\""},
        {kId_SslFinishingInstructions, "f", "FinishingInstructions \"f\""},
        {kId_SslLaminateSpecs, "l", "LaminateSpecs \"l\""},
        {kId_SslMediaAsString1, "m", "MediaAsString1 \"m\""},
        {kId_SslMediaAsString2, "m", "MediaAsString2 \"m\""},
        {kId_SslReimbursable, "r", "Reimbursable \"r\""},
        {kId_SslSetDistribution, "s", "SetDistribution \"s\""},
        {kId_SslOriginHost, "h", "OriginHost \"h\""},
        {kId_SslPageRange, "1-3", "PageRange \"1-3\""},
        {kId_SslUserId, "u", "UserId \"u\""},
        {kId_SslHpglAsString, "a;b", "HpglAsString \"a;b\""},
        {kId_SslPdfAsString, "p", "PdfAsString \"p\""},
        {kId_SslPsAsString, "p", "PsAsString \"p\""},
        {kId_SslCopies, "3", "Copies 3"},
        {kId_SslImageRotated, "180", "ImageRotated 180"},
        {kId_SslSetCopies, "1000", "SetCopies 1000"},
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
    EXPECT_EQ(SslSetCopies().Get(), 1u);
    EXPECT_EQ(SslResolution().Get(), 0u);
    EXPECT_EQ(SslImageRotated().Get(), 0u);
}

TEST(TextStatements, NotesCarryLineBreaksThroughTheTextInterface) {
    SslNotes notes;
    EXPECT_EQ(notes.SetString("first\r\nsecond\r\n", 0, 0), 1u);
    EXPECT_EQ(notes.Get(), "first<|>second<|>");
    EXPECT_EQ(notes.GetString(0, 0), "first\r\nsecond\r\n");
    notes.Set("a\r\nb");
    EXPECT_EQ(notes.Get(), "a\r\nb");
}

TEST(TextStatements, ErrorAppendsInOrder) {
    SslError error;
    error.Append("one");
    error.Append("two");
    EXPECT_EQ(error.Get(), "onetwo");
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
    SslCopies other;
    other = copies;
    EXPECT_EQ(other.Get(), 12u);
    EXPECT_TRUE(SslNumberStatement::IsSmaller(SslCopies(), copies));
}

}  // namespace
