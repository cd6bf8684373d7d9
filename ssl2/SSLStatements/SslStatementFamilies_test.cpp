// Behaviour shared by the value families, checked on small local classes.
#include <gtest/gtest.h>

#include "ssl2/SSLStatements/SslNumberStatement.h"
#include "ssl2/SSLStatements/SslSelectionStatement.h"
#include "ssl2/SSLStatements/SslStatementImpl.h"
#include "ssl2/SSLStatements/SslStringStatement.h"
#include "ssl2/base/TException.h"

namespace {

class TestText final : public TSslStatementImpl<TestText, kId_SslAccount, SslStringStatement> {
public:
    TestText() : TSslStatementImpl(5, "Account") {}
};

class TestNumber final : public TSslStatementImpl<TestNumber, kId_SslCopies, SslNumberStatement> {
public:
    TestNumber() : TSslStatementImpl(100, 7, "Copies") { m_nValue = 1; }
};

class TestChoice final
    : public TSslStatementImpl<TestChoice, kId_SslPlotIt, SslSelectionOptionStatement> {
public:
    TestChoice() : TSslStatementImpl(7, 1, 2, "PlotIt") { m_psKeywords = m_asOffOn; }
    std::uint32_t GetKeywords(const RSIndexString*& keywords,
                              const RCStatementInfluencingCapaRefined*) const override {
        keywords = nullptr;
        return 0;
    }
};

TEST(StringFamily, TextFormAndTextInterface) {
    TestText s;
    EXPECT_EQ(s.ToString(), "Account \"\"");
    EXPECT_EQ(s.SetString("4711", 7, 9), 1u);
    EXPECT_EQ(s.ToString(), "Account \"4711\"");
    EXPECT_EQ(s.GetString(0, 0), "4711");
    TestText t;
    t.Set("4712");
    EXPECT_TRUE(SslStringStatement::IsSmaller(s, t));
    EXPECT_FALSE(SslStringStatement::IsSmaller(t, s));
    t = s;
    EXPECT_TRUE(t == s);
}

TEST(NumberFamily, ReadsNumbersLikeStrtol) {
    struct Row {
        const char* text;
        unsigned int result;
        std::uint32_t value;
    } rows[] = {
        {"7", 1, 7},  {"  42abc", 1, 42}, {"+3", 1, 3},         {"abc", 0, 1},        {"", 0, 1},
        {"-5", 0, 1}, {"101", 0, 1},      {"4294967296", 0, 1}, {"\t\n 100", 1, 100},
    };
    for (const auto& row : rows) {
        TestNumber n;
        EXPECT_EQ(n.SetString(row.text, 0, 0), row.result) << row.text;
        EXPECT_EQ(n.Get(), row.value) << row.text;
    }
    TestNumber n;
    n.Set(3);
    EXPECT_EQ(n.ToString(), "Copies 3");
    EXPECT_EQ(n.GetString(0, 0), "3");
}

TEST(SelectionFamily, IndexOptionsAndTextForms) {
    TestChoice c;
    EXPECT_EQ(c.ToString(), "PlotIt off 0");
    EXPECT_EQ(c.Set(2), 0u);
    EXPECT_EQ(c.SetString("1", 0, 0), 1u);
    EXPECT_EQ(c.ToStringNoOption(), "PlotIt on");
    EXPECT_EQ(c.ToStringAutoOption(), "PlotIt on");
    EXPECT_EQ(c.AddOption(3), 0u);
    EXPECT_EQ(c.AddOption(2), 1u);
    EXPECT_EQ(c.ToStringAutoOption(), "PlotIt on 2");
    EXPECT_TRUE(c.HasOption(2));
    EXPECT_EQ(c.RemoveOption(3), 1u);
    EXPECT_EQ(c.GetOptions(), 2u);
    TestChoice d;
    d = c;
    EXPECT_TRUE(d == c);
    d.RemoveOption(2);
    EXPECT_FALSE(d == c);
}

TEST(SelectionFamily, SerialisationRoundTripsAndRejectsBadData) {
    TestChoice c;
    c.Set(1);
    const auto bytes = c.Serialize();
    TestChoice d;
    d.DeSerialize(bytes);
    EXPECT_EQ(d.Get(), 1u);

    for (std::size_t n = 0; n < bytes.size(); ++n) {
        TestChoice e;
        EXPECT_THROW(e.DeSerialize(std::span(bytes).first(n)), TException) << n;
    }
    auto wrongType = bytes;
    wrongType[0] ^= 1;
    EXPECT_THROW(d.DeSerialize(wrongType), TException);
}

}  // namespace
