#include <gtest/gtest.h>

#include <functional>

#include "ssl2/SSLStatements/SslAddresses.h"
#include "ssl2/SSLStatements/SslFileInfo.h"
#include "ssl2/SSLStatements/SslJobFlagsheet.h"
#include "ssl2/SSLStatements/SslStamp.h"
#include "ssl2/SSLStatements/SslSupportFiles.h"
#include "ssl2/base/TException.h"
#include "ssl2/sslmessages.h"

namespace {

// Every allowed depth is taken, has its keyword and is compared.
TEST(SslFileInfo, KeywordsOfEveryAllowedDepth) {
    for (std::uint32_t depth : SslFileInfo::m_anAllowedColorDepths) {
        SslFileInfo info;
        EXPECT_EQ(info.SetColorDepth(depth), 1u) << depth;
        EXPECT_TRUE(SslFileInfo::GetSslKeyword(depth).Left(4) == "PCM_") << depth;
        EXPECT_EQ(info == SslFileInfo(), depth == 0) << depth;
    }
    EXPECT_EQ(SslFileInfo::GetSslKeyword(64), "PCM_24BIT");
    EXPECT_EQ(SslFileInfo::GetSslKeyword(65535), "PCM_ORIGINAL");
    EXPECT_TRUE(SslFileInfo::GetSslKeyword(3).IsEmpty());
}

TEST(SslFileInfo, IsSmallerComparesAreasInThousands) {
    SslFileInfo small;
    SslFileInfo large;
    small.SetSize(1999, 1999);  // 1 x 1 thousand
    large.SetSize(2000, 1000);  // 2 x 1 thousand
    EXPECT_TRUE(SslFileInfo::IsSmaller(small, large));
    EXPECT_FALSE(SslFileInfo::IsSmaller(large, small));
    EXPECT_FALSE(SslFileInfo::IsSmaller(small, small));
    // An area whose product does not fit 32 bits still counts as the larger one.
    SslFileInfo huge;
    huge.SetSize(4294967295u, 4294967295u);
    EXPECT_TRUE(SslFileInfo::IsSmaller(large, huge));
}

}  // namespace

namespace {

// Reading past the end of a list raises the index error naming the list, the index
// and the count.
TEST(ListStatements, ReadingPastTheEndRaisesTheIndexError) {
    SslAddresses addresses;
    SslSupportFiles files;
    files.AddSupportFile("/a");
    SslStamp stamps;
    stamps.AddStamp(SslSingleStamp());
    stamps.AddStamp(SslSingleStamp());
    const struct {
        std::function<void()> read;
        const char* list;
        const char* index;
        const char* count;
    } rows[] = {
        {[&] { addresses.GetAddress(0); }, "m_AddressList", "0", "0"},
        {[&] { files.GetSupportFile(1); }, "m_SupportFileList", "1", "1"},
        {[&] { stamps.GetStamp(5); }, "m_StampList", "5", "2"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.list);
        try {
            row.read();
            ADD_FAILURE() << "no error raised";
        } catch (const TException& e) {
            EXPECT_EQ(e.GetNumber(), RMCSslErrors::kIndexOutOfRange);
            EXPECT_EQ(e.GetArgument(0), row.list);
            EXPECT_EQ(e.GetArgument(1), row.index);
            EXPECT_EQ(e.GetArgument(2), row.count);
        }
        ClearError();
    }
}

TEST(SslAddress, TypeEqualityAndOrder) {
    SslAddress a;
    a.SetName("Plan");
    EXPECT_EQ(a.SetType(4), 1u);
    EXPECT_EQ(a.GetType(), 4u);
    SslAddress b = a;
    b.SetFax("1");
    EXPECT_FALSE(a == b);
    b = a;
    b.SetType(2);
    EXPECT_FALSE(a == b);
    b.SetName("A");
    EXPECT_TRUE(b < a);
    EXPECT_FALSE(a < b);
}

TEST(SslSupportFiles, TextFormListAndErrors) {
    SslSupportFiles files;
    EXPECT_EQ(files.ToString(), "");
    EXPECT_EQ(files.AddSupportFile("/jobs/42/legend.pdf"), 1u);
    EXPECT_EQ(files.AddSupportFile("C:\\x y\\key.tif"), 2u);
    EXPECT_EQ(files.ToString(),
              "SupportFile \"/jobs/42/legend.pdf\"\r\nSupportFile \"C:\\x y\\key.tif\"\r\n");
    EXPECT_EQ(files.GetSupportFile(1), "C:\\x y\\key.tif");
    EXPECT_EQ(files.SetString("/new", 0, 1), 1u);
    EXPECT_EQ(files.SetString("/new", 1, 1), 0u);
    EXPECT_EQ(files.SetString("/new", 0, 2), 0u);
    EXPECT_EQ(files.GetString(0, 1), "/new");
    EXPECT_EQ(files.GetString(0, 2), "");
    EXPECT_EQ(files.GetArrayCount(), 2u);
    EXPECT_EQ(files.RemoveSupportFile(2), 0u);
    EXPECT_EQ(files.RemoveSupportFile(0), 1u);
    EXPECT_EQ(files.GetSupportFile(0), "/new");
    EXPECT_EQ(files.RemoveAll(), 1u);
}

TEST(SslJobFlagsheet, TextForms) {
    SslJobFlagsheet sheet;
    EXPECT_EQ(sheet.ToString(), "JobFlagsheet off");
    sheet.SetOn(1);
    sheet.SetText("Plans");
    sheet.SetAccount(1);
    sheet.SetDistribution(1);
    sheet.SetFoldProgram(-2);
    sheet.SetFoldTray(0);
    sheet.SetInputTray(3);
    sheet.SetPerJob(2);
    sheet.SetOutputTray(3);
    EXPECT_EQ(sheet.ToString(),
              "JobFlagsheet set\r\n\t+ text \"Plans\"\r\n\t+ account \r\n\t+ distribution "
              "\r\n\t+ prg auto\r\n\t+ foldTray 0\r\n\t+ tray 3\r\n\t+ size A4");
}

TEST(SslJobFlagsheet, RangesMembersAndEquality) {
    SslJobFlagsheet sheet;
    EXPECT_EQ(sheet.SetOutputTray(4), 0u);
    EXPECT_EQ(sheet.SetOutputTray(-2), 0u);
    EXPECT_EQ(sheet.SetOutputTray(-1), 1u);
    EXPECT_EQ(sheet.SetPerJob(3), 0u);
    EXPECT_EQ(sheet.GetPerJob(), 1u);
    EXPECT_EQ(sheet.SetHeadTrail(2), 0u);
    EXPECT_EQ(sheet.GetHeadTrail(), 1u);

    SslJobFlagsheet other(sheet);
    EXPECT_TRUE(other == sheet);
    other.SetHeadTrail(0);
    EXPECT_FALSE(other == sheet);
    other = sheet;
    SslSize size;
    size.SetSizeType(SslSize::kAuto);
    other.SetSize(size);
    EXPECT_FALSE(other == sheet);
}

}  // namespace
