// The statements' generic member interface (SetString, GetString, GetKeywords) and
// SslSetMemberValue, SslGetMemberValue, SslFindMember, SslSetPenValue: the values
// integrators give are taken exactly or refused with the choices, never altered.
#include <gtest/gtest.h>

#include <memory>

#include "ssl2/SSLStatements/SslMemberValues.h"
#include "ssl2/SSLStatements/SslStatements.h"

namespace {

// Consecutive rows of one statement act on the same object, so a row may rely on
// what the rows before it set. After every row, taken or refused, the member reads
// back as given; a row without text only reads.
struct TextRow {
    TSslStatementID id;
    std::uint32_t member;
    std::uint32_t element;
    const char* text;
    unsigned int taken;
    const char* readBack;
};

const TextRow kTextRows[] = {
    // Pens: the member is the pen, the element its width, colour or saturation.
    {kId_SslHpglPens, 1, 0, "1.5", 1, "1.500"},
    {kId_SslHpglPens, 1, 1, "13", 1, "13"},
    {kId_SslHpglPens, 1, 1, "15", 0, "13"},
    {kId_SslHpglPens, 1, 2, "x", 0, "100"},
    {kId_SslHpglPens, 1, 3, "1", 0, ""},
    {kId_SslCalcompPens, 256, 0, "1", 0, ""},
    // Colour emulations: the member is the colour, the element must be 0.
    {kId_SslHpglColorEmulation, 2, 0, "30", 1, "30"},
    {kId_SslHpglColorEmulation, 2, 1, "30", 0, ""},
    {kId_SslHpglColorEmulation, 14, 0, "30", 0, ""},
    {kId_SslHpgl, 0, 0, "1", 1, "1"},
    {kId_SslHpgl, 6, 0, "1601", 0, "400"},
    {kId_SslHpgl, 8, 0, "1.25", 1, "1.250"},
    {kId_SslHpgl, 2, 0, "-1", 0, "1"},
    {kId_SslHpgl, 10, 0, "1", 0, ""},
    {kId_SslFold, 0, 0, "x", 0, "0"},  // no program reads as 0
    {kId_SslFold, 0, 0, "17", 1, "17"},
    {kId_SslFold, 0, 0, "1001", 0, "17"},
    {kId_SslFold, 1, 0, "4", 1, "4"},
    {kId_SslFold, 5, 0, "1", 1, "1"},  // tab
    {kId_SslFold, 5, 0, "0", 1, "0"},
    {kId_SslFold, 9, 0, "2", 1, "2"},
    {kId_SslFold, 9, 0, "3", 0, "2"},
    {kId_SslFold, 10, 0, "1", 0, ""},
    {kId_SslOutputSize, 3, 0, "104", 1, "104"},  // DIN A4
    {kId_SslOutputSize, 2, 0, "1", 1, "1"},      // ANSI
    {kId_SslOutputSize, 3, 0, "104", 0, "204"},  // no ANSI code
    {kId_SslOutputSize, 3, 0, "203", 1, "203"},
    {kId_SslOutputSize, 0, 0, "x", 0, "0"},
    {kId_SslOutputSize, 6, 0, "1", 0, ""},
    {kId_SslOutputSize, 1, 0, "3", 1, "3"},
    {kId_SslOutputSize, 4, 0, "123.456", 1, "123.46"},
    {kId_SslOutputSize, 0, 0, nullptr, 0, "2"},  // a width makes it a window
    {kId_SslOutputSize, 5, 0, "0.5", 0, "297.00"},
    {kId_SslStamp, SslSingleStamp::kManage, 0, "1", 1, "0"},  // adds a stamp
    {kId_SslStamp, SslSingleStamp::kBmp, 0, "pic.bmp", 1, "pic.bmp"},
    {kId_SslStamp, SslSingleStamp::kFontUnderline, 0, "1", 1, "1"},
    {kId_SslStamp, SslSingleStamp::kFontBold, 0, "1", 1, "1"},
    {kId_SslStamp, SslSingleStamp::kFontBold, 0, "0", 1, "0"},
    {kId_SslStamp, SslSingleStamp::kFontUnderline, 0, nullptr, 0, "1"},
    {kId_SslStamp, SslSingleStamp::kCoordinateX, 0, "12.5", 1, "12.500"},
    {kId_SslStamp, SslSingleStamp::kPosition, 0, "12", 0, "7"},
    {kId_SslStamp, SslSingleStamp::kRotate, 0, "x", 0, "0"},
    {kId_SslStamp, SslSingleStamp::kName, 2, "x", 0, ""},
    {kId_SslFileInfo, 1, 0, "1234", 1, "1234"},
    {kId_SslFileInfo, 6, 0, "5", 0, "0"},  // no colour depth
    {kId_SslFileInfo, 6, 0, "256", 1, "256"},
    {kId_SslFileInfo, 0, 0, "abc", 0, "0"},
    {kId_SslFileInfo, 0, 0, "-1", 0, "0"},
    {kId_SslFileInfo, 7, 0, "1", 0, ""},
    {kId_SslAddresses, 1, 0, "x", 0, ""},    // no address yet
    {kId_SslAddresses, 16, 0, "1", 1, "0"},  // adds one
    {kId_SslAddresses, 16, 0, "1", 1, "0"},
    {kId_SslAddresses, 1, 1, "Ann", 1, "Ann"},
    {kId_SslAddresses, 15, 1, "late", 1, "late"},
    {kId_SslAddresses, 0, 1, "2", 1, "2"},
    {kId_SslAddresses, 0, 1, "5", 0, "2"},
    {kId_SslAddresses, 0, 1, "-1", 0, "2"},
    {kId_SslAddresses, 17, 1, "x", 0, ""},
    {kId_SslAddresses, 1, 7, "x", 0, ""},
    {kId_SslAddresses, 16, 0, "2", 1, "0"},  // moves the first one down
    {kId_SslAddresses, 1, 0, nullptr, 0, "Ann"},
    {kId_SslAddresses, 16, 5, "2", 0, ""},
    {kId_SslAddresses, 16, 0, "0", 1, "0"},  // removes the first one
    {kId_SslAddresses, 1, 1, nullptr, 0, ""},
    {kId_SslEMail, 1, 0, "a@b", 1, "a@b"},
    {kId_SslEMail, 0, 0, nullptr, 0, "1"},
    {kId_SslEMail, 0, 0, "0", 1, "0"},
    {kId_SslEMail, 0, 0, "x", 0, "0"},
    {kId_SslEMail, 0, 0, "7", 1, "1"},
    {kId_SslEMail, 2, 0, "a", 0, ""},
    {kId_SslJobPlotter, 0, 0, "", 1, ""},  // an empty list, not auto
    {kId_SslJobPlotter, 0, 0, "Auto", 1, "auto"},
    {kId_SslJobFlagsheet, 0, 0, "1", 1, "1"},
    {kId_SslJobFlagsheet, 1, 0, "hello", 1, "hello"},
    {kId_SslJobFlagsheet, 0, 0, "no", 0, "1"},
    {kId_SslJobFlagsheet, 2, 0, "x", 0, ""},
    {kId_SslUnits, 0, 0, "6", 1, "6"},
    {kId_SslUnits, 0, 0, "-1", 0, "6"},
    {kId_SslMargin, 2, 0, "12.345", 1, "12.35"},
    {kId_SslMargin, 0, 0, nullptr, 0, "1"},
    {kId_SslMargin, 1, 0, "-3", 0, "0.00"},
    {kId_SslMargin, 1, 0, "abc", 0, "0.00"},
    {kId_SslMargin, 5, 0, "1", 0, ""},
    {kId_SslMargin, 0, 0, "0", 1, "0"},
};

TEST(TextInterface, SetAndReadBack) {
    std::unique_ptr<SslStatement> statement;
    for (const TextRow& row : kTextRows) {
        SCOPED_TRACE(std::string(kSslStatementNames[row.id]) + " member " +
                     std::to_string(row.member) + " element " + std::to_string(row.element) +
                     " \"" + (row.text ? row.text : "") + "\"");
        if (!statement || statement->GetStatementID() != row.id)
            statement.reset(SslStatement::CreateSslObject(row.id));
        if (row.text) {
            EXPECT_EQ(statement->SetString(row.text, row.member, row.element), row.taken);
        }
        EXPECT_EQ(statement->GetString(row.member, row.element), row.readBack);
    }
}

// The keyword lists the generic interface offers per member: their length and one entry.
TEST(TextInterface, KeywordsPerMember) {
    const struct {
        TSslStatementID id;
        std::uint32_t member;
        std::uint32_t count;
        std::uint32_t entry;
        std::uint32_t index;
        const char* text;
    } rows[] = {
        {kId_SslHpglPens, 1, 15, 14, 14, "grey\t\t"},
        {kId_SslHpgl, 4, 4, 0, 0, "circle"},
        {kId_SslHpgl, 3, 2, 0, 0, "off"},
        {kId_SslHpgl, 6, 0, 0, 0, nullptr},
        {kId_SslFold, 0, 4, 3, 43, "8.5 x 11"},
        {kId_SslFold, 1, 1, 0, 0, "auto"},
        {kId_SslFold, 8, 2, 1, 1, "on"},
        {kId_SslFold, 9, 3, 2, 2, "report"},
        {kId_SslFold, 10, 0, 0, 0, nullptr},
        {kId_SslOutputSize, 0, 9, 0, 0, "auto"},
        {kId_SslOutputSize, 1, 7, 3, 3, "inch"},
        {kId_SslOutputSize, 2, 5, 0, 0, "DIN"},
        {kId_SslOutputSize, 3, 36, 35, 404, "b4"},
        {kId_SslOutputSize, 4, 0, 0, 0, nullptr},
        {kId_SslStamp, SslSingleStamp::kBmpOrientation, 9, 8, 14, "bottomright"},
        {kId_SslStamp, SslSingleStamp::kPosition, 13, 11, 13, "bottomcenter"},
        {kId_SslStamp, SslSingleStamp::kPositionScale, 2, 0, 0, "off"},
        {kId_SslStamp, SslSingleStamp::kText, 0, 0, 0, nullptr},
        {kId_SslFileInfo, 6, 16, 15, 4096, "bicolour"},
        {kId_SslFileInfo, 0, 0, 0, 0, nullptr},
        {kId_SslAddresses, 0, 3, 2, 3, "delivery"},
        {kId_SslAddresses, 16, 3, 2, 2, "del"},
        {kId_SslAddresses, 1, 0, 0, 0, nullptr},
        {kId_SslEMail, 0, 2, 1, 1, "on"},
        {kId_SslEMail, 1, 0, 0, 0, nullptr},
        {kId_SslMargin, 0, 2, 1, 1, "on"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(kSslStatementNames[row.id]) + " member " +
                     std::to_string(row.member));
        std::unique_ptr<SslStatement> statement(SslStatement::CreateSslObject(row.id));
        const RSIndexString* keywords = nullptr;
        ASSERT_EQ(statement->GetKeywords(keywords, row.member, nullptr), row.count);
        if (row.text == nullptr) {
            EXPECT_EQ(keywords, nullptr);
        } else {
            EXPECT_EQ(keywords[row.entry].m_nIndex, row.index);
            EXPECT_EQ(keywords[row.entry].m_sText, row.text);
        }
    }
}

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
        {kId_SslRotate, "value", 2.0, std::int64_t{2}, nullptr},
        {kId_SslRotate, "value", 90.0, std::int64_t{0}, "index of a choice: auto (0), 0 (1)"},
        {kId_SslRotate, "value", 90.0, std::int64_t{0}, "give the text \"90\" (or its index 2)"},
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
