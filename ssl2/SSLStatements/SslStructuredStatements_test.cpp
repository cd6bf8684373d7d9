// The geometry, plotter-language, stamp and fold statements through the factory
// and the generic statement interface.
#include <gtest/gtest.h>

#include <memory>

#include "ssl2/SSLStatements/SslStatements.h"
#include "ssl2/base/TException.h"

namespace {

struct Row {
    TSslStatementID id;
    const char* name;
    const char* firstLine;  // the start of the default statement text
    // A generic-interface change that makes the statement differ from its default.
    std::uint32_t member;
    std::uint32_t element;
    const char* text;
};

const Row kRows[] = {
    {kId_SslUnits, "Units", "Units mm", 0, 0, "3"},
    {kId_SslOutputSize, "OutputSize", "OutputSize auto", 0, 0, "6"},
    {kId_SslPaperSize, "PaperSize", "PaperSize auto", 0, 0, "6"},
    {kId_SslZoom, "Zoom", "Zoom 100.000 100.000 ", 4, 0, "55"},
    {kId_SslMargin, "Margin", "Margin off", 4, 0, "55"},
    {kId_SslFold, "Fold", "Fold off", 0, 0, "1"},
    {kId_SslHpgl, "Hpgl", "Hpgl filepensize on\r\n", 0, 0, "1"},
    {kId_SslCalcomp, "CalComp", "CalComp filepensize on\r\n", 0, 0, "1"},
    {kId_SslVic, "Vic", "Vic filepensize on\r\n", 0, 0, "1"},
    {kId_SslHpglPens, "HpglPens", "HpglPens off", 7, 1, "7"},
    {kId_SslCalcompPens, "CalcompPens", "CalcompPens off", 7, 1, "7"},
    {kId_SslVicPens, "VicPens", "VicPens off", 7, 1, "7"},
    {kId_SslHpglColorEmulation, "HpglColorEmulation", "HpglColorEmulation color white ", 3, 0, "7"},
    {kId_SslCalcompColorEmulation, "CalcompColorEmulation", "CalcompColorEmulation color ", 3, 0,
     "7"},
    {kId_SslVicColorEmulation, "VicColorEmulation", "VicColorEmulation color white ", 3, 0, "7"},
    {kId_SslStamp, "Stamp", "Stamp off", SslSingleStamp::kManage, 0, "1"},
};

TEST(StructuredStatementsTest, FactoryNamesTypesAndDefaultText) {
    for (const Row& row : kRows) {
        std::unique_ptr<SslStatement> statement(SslStatement::CreateSslObject(row.id));
        ASSERT_NE(statement, nullptr) << row.name;
        EXPECT_EQ(statement->GetStatementID(), row.id);
        EXPECT_EQ(statement->GetStatementName(0), row.name);
        EXPECT_EQ(statement->GetStatementType(), SslStatement::m_anAccessibility[row.id]);
        EXPECT_TRUE(statement->ToString().str().starts_with(row.firstLine))
            << row.name << ": " << statement->ToString();
        // A clone compares equal through the statement-level dispatch.
        std::unique_ptr<SslStatement> clone(statement->Clone());
        EXPECT_TRUE(*clone == *statement) << row.name;
    }
}

TEST(StructuredStatementsTest, EqualityDispatchSeesChangesAndRefusesOtherKinds) {
    for (const Row& row : kRows) {
        std::unique_ptr<SslStatement> a(SslStatement::CreateSslObject(row.id));
        std::unique_ptr<SslStatement> b(SslStatement::CreateSslObject(row.id));
        ASSERT_EQ(b->SetString(row.text, row.member, row.element), 1u) << row.name;
        EXPECT_FALSE(*a == *b) << row.name;
    }
    std::unique_ptr<SslStatement> fold(SslStatement::CreateSslObject(kId_SslFold));
    std::unique_ptr<SslStatement> stamp(SslStatement::CreateSslObject(kId_SslStamp));
    EXPECT_THROW((void)(*fold == *stamp), TException);
}

}  // namespace
