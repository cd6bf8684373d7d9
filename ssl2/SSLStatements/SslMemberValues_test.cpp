// SslSetMemberValue, SslGetMemberValue, SslFindMember, SslSetPenValue: the values
// integrators give are taken exactly or refused with the choices, never altered.
#include <gtest/gtest.h>

#include <memory>

#include "ssl2/SSLStatements/SslMemberValues.h"
#include "ssl2/SSLStatements/SslStatements.h"

namespace {

TEST(MemberValues, TakenExactlyOrRefusedUnchanged) {
    struct Case {
        TSslStatementID id;
        const char* member;
        TMemberInput input;
        TMemberValue expected;  // the value read back; the default when refused
        const char* refusal;    // part of the message, or null when taken
    } cases[] = {
        {kId_SslCopies, "value", 7.0, std::int64_t{7}, nullptr},
        {kId_SslCopies, "value", std::string("12"), std::int64_t{12}, nullptr},
        {kId_SslCopies, "value", std::string("7abc"), std::int64_t{1}, "whole number"},
        {kId_SslCopies, "value", std::string(" 7"), std::int64_t{1}, "whole number"},
        {kId_SslCopies, "value", 2.9, std::int64_t{1}, "whole number"},
        {kId_SslCopies, "value", std::string("2.0"), std::int64_t{1}, "whole number"},
        {kId_SslCopies, "value", 20000.0, std::int64_t{1}, "out of range"},
        {kId_SslCopies, "value", 4294967297.0, std::int64_t{1}, "out of range"},
        {kId_SslCopies, "value", std::string("4294967297"), std::int64_t{1}, "out of range"},
        {kId_SslCopies, "value", 1e300 * 1e300, std::int64_t{1}, "whole number"},
        {kId_SslJobPriority, "value", std::string("high"), std::int64_t{3}, nullptr},
        {kId_SslJobPriority, "value", std::string("HIGH"), std::int64_t{3}, nullptr},
        {kId_SslJobPriority, "value", std::string("hihg"), std::int64_t{2}, "immediate"},
        {kId_SslMediaType, "value", std::string("flim"), std::int64_t{0}, "film"},
        {kId_SslRotate, "value", std::string("90"), std::int64_t{2}, nullptr},
        {kId_SslRotate, "value", std::string("0"), std::int64_t{0}, nullptr},
        {kId_SslMargin, "top ", std::string("12.5"), 12.5, nullptr},
        {kId_SslMargin, "top", 3.25, 3.25, nullptr},
        {kId_SslMargin, "active", std::string("on"), std::int64_t{1}, nullptr},
        {kId_SslMargin, "left", std::string("1e3"), 0.0, "expected a number"},
        {kId_SslJobName, "value", std::string("plans"), std::string("plans"), nullptr},
        {kId_SslJobName, "value", std::string("a\"b"), std::string(), "double quote"},
        {kId_SslJobName, "value", std::string("a\nb"), std::string(), "line break"},
        {kId_SslJobName, "value", 5.0, std::string(), "expected a text"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.id) + " " + c.member);
        const std::unique_ptr<SslStatement> statement(SslStatement::CreateSslObject(c.id));
        const std::uint32_t member = SslFindMember(*statement, c.member);
        if (c.refusal == nullptr) {
            SslSetMemberValue(*statement, member, 0, c.input);
        } else {
            try {
                SslSetMemberValue(*statement, member, 0, c.input);
                ADD_FAILURE() << "taken";
            } catch (const RCMemberValueError& e) {
                EXPECT_NE(std::string(e.what()).find(c.refusal), std::string::npos) << e.what();
            }
        }
        EXPECT_EQ(SslGetMemberValue(*statement, member, 0), c.expected);
    }
}

TEST(MemberValues, NamesCarryNoTrailingBlanksAndUnknownOnesListTheMembers) {
    SslMargin margin;
    EXPECT_EQ(SslMemberNames(margin),
              (std::vector<std::string>{"active", "top", "left", "bottom", "right"}));
    try {
        SslFindMember(margin, "middle");
        ADD_FAILURE() << "found";
    } catch (const RCMemberValueError& e) {
        EXPECT_NE(std::string(e.what()).find("active, top, left, bottom, right"),
                  std::string::npos);
    }
}

TEST(MemberValues, PensTakeValuesInRangeOnly) {
    struct Case {
        std::uint32_t number;
        const char* member;
        TMemberInput input;
        bool taken;
    } cases[] = {
        {3, "width", 0.5, true},           {3, "color", std::string("2"), true},
        {3, "saturation", 50.0, true},     {3, "page", 1.0, true},
        {3, "page", 2.0, false},           {3, "saturation", 101.0, false},
        {3, "color", -1.0, false},         {3, "width", std::string("wide"), false},
        {300, "width", 0.5, false},        {3, "shade", 1.0, false},
        {3, "color", 4294967297.0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.number) + " " + c.member);
        SslHpglPens pens;
        const SslHpglPens before = pens;
        bool taken = true;
        try {
            SslSetPenValue(pens, c.number, c.member, c.input);
        } catch (const RCMemberValueError&) {
            taken = false;
        }
        EXPECT_EQ(taken, c.taken);
        EXPECT_EQ(pens == before, !c.taken);
    }
}

}  // namespace
