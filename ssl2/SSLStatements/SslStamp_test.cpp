#include "ssl2/SSLStatements/SslStamp.h"

#include <gtest/gtest.h>

namespace {

// Switched-off parts are written as "off", font attributes as words; quotes and line
// breaks in texts are escaped.
TEST(SslSingleStampTest, OffPartsAndEscapedTexts) {
    SslSingleStamp stamp;
    stamp.SetName("say \"hi\"");
    stamp.SetText("line1\r\nline2");
    stamp.SetAllPages(0);
    stamp.SetPositionScale(0);
    stamp.SetFontAttribute(1 | 2 | 8);
    const std::string text = stamp.ToString("Stamp ", 1).str();
    for (const char* part :
         {"Stamp name \"say ''hi''\"\r\n\t+ text \"line1<|>line2\"\r\n\t+ allpages off\r\n",
          "\t+ fontattribute bold italic strikeout\r\n", "\t+ positionscale off\r\n"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part << "\nin " << text;
    }
    EXPECT_EQ(stamp.GetName(), "say \"hi\"");  // stored unchanged
}

TEST(SslSingleStampTest, SetterBoundariesLeaveRefusedValuesUnchanged) {
    SslSingleStamp stamp;
    EXPECT_EQ(stamp.SetFontSize(3), 0u);
    EXPECT_EQ(stamp.SetFontSize(161), 0u);
    EXPECT_EQ(stamp.SetFontSize(4), 1u);
    EXPECT_EQ(stamp.SetFontSize(160), 1u);
    EXPECT_EQ(stamp.SetRotate(360), 0u);
    EXPECT_EQ(stamp.SetRotate(359), 1u);
    EXPECT_EQ(stamp.SetPosition(15), 0u);
    EXPECT_EQ(stamp.SetPosition(14), 1u);
    EXPECT_EQ(stamp.SetBmpOrientation(4), 0u);
    EXPECT_EQ(stamp.GetBmpOrientation(), 5u);
    EXPECT_EQ(stamp.SetColor(5), 0u);
    EXPECT_EQ(stamp.SetColorLevel(101), 0u);
    EXPECT_EQ(stamp.SetMirror(4), 0u);
    EXPECT_EQ(stamp.SetOverlay(4), 0u);
    EXPECT_EQ(stamp.SetNumbering(10001), 0u);
    EXPECT_EQ(stamp.SetNumbering(10000), 1u);
    EXPECT_EQ(stamp.SetFontAttribute(16), 0u);
    EXPECT_EQ(stamp.SetDistance(1000.5), 0u);
    EXPECT_EQ(stamp.SetFrameSize(std::numeric_limits<double>::quiet_NaN()), 0u);
    EXPECT_EQ(stamp.SetPositionCoordinateY(std::numeric_limits<double>::infinity()), 0u);
    EXPECT_EQ(stamp.SetDistance(1000.0), 1u);
    EXPECT_EQ(stamp.GetFrameSize(), 0.0);
    EXPECT_EQ(stamp.SetPositionScale(9), 1u);
    EXPECT_EQ(stamp.GetPositionScale(), 1u);
}

TEST(SslStampTest, ListManagementAndErrors) {
    SslStamp stamps;
    EXPECT_EQ(stamps.ToString(), "Stamp off");
    EXPECT_EQ(stamps.SetString("1", SslSingleStamp::kManage, 0), 1u);
    EXPECT_EQ(stamps.GetOn(), 1u);
    EXPECT_EQ(stamps.GetStampCount(), 1u);
    EXPECT_EQ(stamps.SetString("0", SslSingleStamp::kManage, 0), 1u);
    EXPECT_EQ(stamps.SetString("3", SslSingleStamp::kManage, 0), 0u);
    EXPECT_EQ(stamps.SetString("2", SslSingleStamp::kManage, 4), 0u);
    EXPECT_EQ(stamps.SetString("2", SslSingleStamp::kManage, 0), 1u);
    EXPECT_EQ(stamps.GetOn(), 0u);

    SslSingleStamp named;
    named.SetName("Draft");
    EXPECT_EQ(stamps.AddStamp(SslSingleStamp()), 1u);
    EXPECT_EQ(stamps.AddStamp(named), 2u);
    EXPECT_EQ(stamps.GetArrayCount(), 2u);
    EXPECT_EQ(stamps.GetArrayElementName(0), "Stamp 0");
    EXPECT_EQ(stamps.GetArrayElementName(1), "Draft");
    EXPECT_EQ(stamps.GetArrayElementName(3), "New Stamp 3");
    EXPECT_EQ(stamps.SetString("Final", SslSingleStamp::kName, 0), 1u);
    EXPECT_EQ(stamps.GetString(SslSingleStamp::kName, 0), "Final");
    EXPECT_EQ(stamps.SetString("x", SslSingleStamp::kName, 2), 0u);
    EXPECT_EQ(stamps.GetString(SslSingleStamp::kName, 2), "");

    EXPECT_EQ(stamps.RemoveStamp(2), 0u);
    EXPECT_EQ(stamps.RemoveStamp(0), 1u);
    EXPECT_EQ(stamps.GetStamp(0).GetName(), "Draft");
    stamps.RemoveAllStamps();
    EXPECT_EQ(stamps.GetOn(), 0u);
}

TEST(SslStampTest, SeveralStampsAreSeparatedByAnEmptyLine) {
    SslStamp stamps;
    SslSingleStamp first;
    first.SetName("A");
    SslSingleStamp second;
    second.SetFontColor(7);
    stamps.AddStamp(first);
    stamps.AddStamp(second);
    for (unsigned int fontColor : {0u, 1u}) {
        EXPECT_EQ(stamps.ToString(fontColor), first.ToString("Stamp ", fontColor) + "\r\n" +
                                                  second.ToString("Stamp ", fontColor));
    }
    EXPECT_NE(stamps.ToString(1).Find("\t+ fontcolor 7\r\n"), TString::kNotFound);
}

TEST(SslStampTest, Ordering) {
    SslStamp a;
    SslStamp b;
    a.AddStamp(SslSingleStamp());
    EXPECT_TRUE(SslStamp::IsSmaller(b, a));  // switched off first
    EXPECT_FALSE(SslStamp::IsSmaller(a, b));
    b.AddStamp(SslSingleStamp());
    b.AddStamp(SslSingleStamp());
    EXPECT_TRUE(SslStamp::IsSmaller(a, b));  // then by the number of stamps
    SslSingleStamp early;
    SslSingleStamp late;
    early.SetName("a");
    late.SetName("b");
    EXPECT_TRUE(early < late);
}

}  // namespace
