// Every identifier has its class in the build, and statement equality reaches
// each class's own comparison.
#include <gtest/gtest.h>

#include <cxxabi.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <typeinfo>

#include "ssl2/SSLStatements/SslStatements.h"
#include "ssl2/base/TException.h"
#include "ssl2/sslmessages.h"

namespace {

std::string ClassName(const SslStatement& statement) {
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> name(
        abi::__cxa_demangle(typeid(statement).name(), nullptr, nullptr, &status), &std::free);
    return name ? name.get() : "";
}

std::unique_ptr<SslStatement> Create(std::uint32_t id) {
    return std::unique_ptr<SslStatement>(
        SslStatement::CreateSslObject(static_cast<TSslStatementID>(id)));
}

// Changes a statement through its generic member interface; false when no text
// of the list changes any member.
bool ChangeGenerically(SslStatement& statement) {
    static const char* const kTexts[] = {"1", "x", "2", "8", "90", "3", "0", "2006:5:12:14:30"};
    const TString before = statement.ToString();
    const std::uint32_t members = statement.GetContainedMemberCount();
    for (std::uint32_t member = 0; member < members; ++member) {
        for (const char* text : kTexts) {
            if (statement.SetString(text, member, 0) && statement.ToString() != before) {
                return true;
            }
        }
    }
    return false;
}

// Statements whose value the generic interface cannot reach from the default.
const std::map<std::uint32_t, std::function<void(SslStatement&)>> kOwnChanges = {
    {kId_SslSupportFiles,
     [](SslStatement& s) { static_cast<SslSupportFiles&>(s).AddSupportFile("/a"); }},
    {kId_SslSecurityPrint,
     [](SslStatement& s) { static_cast<SslSecurityPrint&>(s).SetPassword("abcd"); }},
    {kId_SslUserHash, [](SslStatement& s) { static_cast<SslUserHash&>(s).SetClear("r", "u"); }},
};

TEST(StatementSet, EveryIdentifierCreatesItsClass) {
    for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
        SCOPED_TRACE(kSslStatementClassNames[id]);
        std::unique_ptr<SslStatement> statement;
        ASSERT_NO_THROW(statement = Create(id));
        ASSERT_TRUE(statement);
        EXPECT_EQ(statement->GetStatementID(), id);
        EXPECT_EQ(ClassName(*statement), kSslStatementClassNames[id]);
        EXPECT_EQ(statement->GetStatementType(), SslStatement::m_anAccessibility[id]);
        EXPECT_EQ(statement->GetStatementName(0), TString(kSslStatementNames[id]).StripTail(" "));
    }
    try {
        Create(kSslStatementCount);
        ADD_FAILURE() << "no error raised";
    } catch (const TException& e) {
        EXPECT_EQ(e.GetNumber(), RMCSslErrors::kUnknownStatement);
        EXPECT_EQ(e.GetArgument(0), "111");
    }
    ClearError();
}

TEST(StatementSet, EqualityReachesEveryClassComparison) {
    for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
        SCOPED_TRACE(kSslStatementClassNames[id]);
        auto a = Create(id);
        auto b = Create(id);
        ASSERT_TRUE(a && b);
        EXPECT_TRUE(*a == *b);
        const auto own = kOwnChanges.find(id);
        if (own != kOwnChanges.end()) {
            own->second(*a);
        } else {
            ASSERT_TRUE(ChangeGenerically(*a)) << "no generic change";
        }
        EXPECT_TRUE(*a != *b) << a->ToString();
        std::unique_ptr<SslStatement> clone(a->Clone());
        EXPECT_TRUE(*clone == *a);
    }
}

}  // namespace
