#include <gtest/gtest.h>

#include <memory>

#include "ssl2/SSLStatements/SslFileInfo.h"

namespace {

TEST(SslFileInfo, TextFormAndColorDepth) {
    SslFileInfo info;
    EXPECT_EQ(info.ToString(1),
              "FileInfo  0000000000 0000000000 0000000000 0000000000 0000000000 0000000000 "
              "PCM_INVALID");
    info.SetSize(1000, 2000);
    info.SetResolution(400, 400);
    info.SetCopies(2);
    info.SetPages(0xFFFFFFFF);
    EXPECT_EQ(info.SetColorDepth(3), 0u);
    EXPECT_EQ(info.SetColorDepth(4096), 1u);
    EXPECT_EQ(info.ToString(),
              "FileInfo  0X000003E8 0X000007D0 0X00000190 0X00000190 0X00000002 0XFFFFFFFF ");
    EXPECT_EQ(info.ToString(1),
              "FileInfo  0X000003E8 0X000007D0 0X00000190 0X00000190 0X00000002 0XFFFFFFFF "
              "PCM_BICOLOR");
}

TEST(SslFileInfo, KeywordsOfEveryAllowedDepth) {
    for (std::uint32_t depth : SslFileInfo::m_anAllowedColorDepths) {
        SslFileInfo info;
        EXPECT_EQ(info.SetColorDepth(depth), 1u) << depth;
        EXPECT_TRUE(SslFileInfo::GetSslKeyword(depth).Left(4) == "PCM_") << depth;
    }
    EXPECT_EQ(SslFileInfo::GetSslKeyword(64), "PCM_24BIT");
    EXPECT_EQ(SslFileInfo::GetSslKeyword(65535), "PCM_ORIGINAL");
    EXPECT_TRUE(SslFileInfo::GetSslKeyword(3).IsEmpty());

    SslFileInfo info;
    const RSIndexString* keywords = nullptr;
    ASSERT_EQ(info.GetKeywords(keywords, 6, nullptr), 16u);
    EXPECT_EQ(keywords[0].m_nIndex, 0u);
    EXPECT_EQ(keywords[1].m_nIndex, 32768u);
    EXPECT_EQ(keywords[15].m_nIndex, 4096u);
    EXPECT_EQ(info.GetKeywords(keywords, 0, nullptr), 0u);
    EXPECT_EQ(keywords, nullptr);
}

TEST(SslFileInfo, GenericMembers) {
    SslFileInfo info;
    EXPECT_EQ(info.GetContainedMemberCount(), 7u);
    EXPECT_EQ(info.GetContainedType(5), 0x01u);
    EXPECT_EQ(info.GetContainedType(6), 0x02u);
    EXPECT_EQ(info.GetContainedType(7), 0u);
    EXPECT_EQ(info.GetSubStatementName(2), "resolutionDx");
    EXPECT_EQ(info.SetString("1234", 1, 0), 1u);
    EXPECT_EQ(info.GetSizeDy(), 1234u);
    EXPECT_EQ(info.SetString("5", 6, 0), 0u);
    EXPECT_EQ(info.SetString("256", 6, 0), 1u);
    EXPECT_EQ(info.GetString(6, 0), "256");
    EXPECT_EQ(info.SetString("abc", 0, 0), 0u);
    EXPECT_EQ(info.SetString("-1", 0, 0), 0u);
    EXPECT_EQ(info.SetString("1", 7, 0), 0u);
    EXPECT_EQ(info.GetString(7, 0), "");
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

TEST(SslFileInfo, EqualityAndClone) {
    SslFileInfo a;
    a.SetPages(3);
    std::unique_ptr<SslStatement> clone(a.Clone());
    const auto& b = static_cast<const SslFileInfo&>(*clone);
    EXPECT_TRUE(a == b);
    a.SetColorDepth(64);
    EXPECT_FALSE(a == b);
}

}  // namespace
