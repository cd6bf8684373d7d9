// The selection statements with extra values: SslMediaType, SslOutputBin and SslNesting.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ssl2/SSLStatements/SslStatements.h"
#include "ssl2/capas/RCStatementInfluencingCapaRaw.h"
#include "ssl2/capas/RCStatementInfluencingCapaRefined.h"

namespace {

TEST(MediaType, ConversionsTextFormsAndEquality) {
    const std::uint32_t mediaOfIndex[] = {0, 1, 4, 2, 3, 1, 1, 1, 1, 1, 1, 0};
    const std::uint32_t indexOfMedia[] = {0, 1, 3, 4, 2, 6, 7, 8, 9, 10, 5, 0};
    for (std::uint32_t i = 0; i < 12; ++i) {
        EXPECT_EQ(SslMediaType::SslMediaToTMedia(i), mediaOfIndex[i]) << i;
        EXPECT_EQ(SslMediaType::TMediaToSslMedia(static_cast<VEMTO::_TMedia>(i)), indexOfMedia[i])
            << i;
    }
    SslMediaType media;
    EXPECT_EQ(media.ToCfg(), "MEDIUM = DONT CARE\r\n");
    media.Set(7);
    media.SetSubType(3);
    EXPECT_EQ(media.ToString(), "MediaType HeavyPhotoMatt");
    EXPECT_EQ(media.ToString(0), "MediaType paper");
    EXPECT_EQ(media.ToCfg(), "MEDIUM = PAPER\r\n");
    EXPECT_EQ(media.GetAsString(), "HeavyPhotoMatt");
    media.Set(3);
    EXPECT_EQ(media.ToString(0), "MediaType transparent");
    EXPECT_EQ(media.ToCfg(), "MEDIUM = TRANSPARENT\r\n");
    EXPECT_EQ(media.Set(11), 0u);

    SslMediaType other;
    other.Set(3);
    EXPECT_TRUE(static_cast<const SslStatement&>(other) == media);  // subtype not compared
}

TEST(OutputBin, BinNumbersAndPackedForms) {
    SslOutputBin bin;
    EXPECT_EQ(bin.ToCfg(), "INPUTBIN = AUTO\r\n");
    EXPECT_EQ(bin.SetBinNo(21), 0u);
    EXPECT_EQ(bin.Get(), 0u);
    EXPECT_EQ(bin.SetBinNo(3), 1u);
    EXPECT_EQ(bin.ToCfg(), "INPUTBIN = 3\r\n");
    EXPECT_EQ(bin.ToDB(), 131075u);
    EXPECT_EQ(bin.GetString(0, 0), "196610");

    struct Case {
        const char* text;
        unsigned int result;
        std::uint32_t index;
        std::uint32_t binNo;
    } cases[] = {
        {"196610", 1, 2, 3}, {"1", 1, 1, 0},        {"1376258", 0, 2, 0},
        {"3", 0, 0, 0},      {"1310722", 1, 2, 20}, {"65537", 1, 1, 0},
    };
    for (const auto& c : cases) {
        SslOutputBin b;
        EXPECT_EQ(b.SetString(c.text, 0, 0), c.result) << c.text;
        EXPECT_EQ(b.Get(), c.index) << c.text;
        EXPECT_EQ(b.GetBinNo(), c.binNo) << c.text;
    }

    SslOutputBin db;
    EXPECT_EQ(db.FromDB(131075), 1u);
    EXPECT_TRUE(db == bin);
    EXPECT_EQ(db.FromDB((1u << 16) | 7), 1u);
    EXPECT_EQ(db.ToDB(), 65536u);
    EXPECT_EQ(db.FromDB((2u << 16) | 21), 0u);
    EXPECT_EQ(db.FromDB(3u << 16), 0u);

    SslOutputBin manual;
    manual.Set(1);
    SslOutputBin bin5;
    bin5.SetBinNo(5);
    EXPECT_TRUE(SslOutputBin::IsSmaller(bin, bin5));
    EXPECT_TRUE(SslOutputBin::IsSmaller(manual, bin5));
    EXPECT_FALSE(SslOutputBin::IsSmaller(bin5, bin));
    EXPECT_FALSE(static_cast<const SslStatement&>(bin5) == bin);
}

// A plotter offers "auto" and its roll and cut-sheet trays as bins (an archive tray is
// none); without trays, "auto" only.
TEST(OutputBin, KeywordsNarrowedToThePlotter) {
    RCStatementInfluencingCapaRaw raw;
    ASSERT_TRUE(
        raw.FromString("[default]\nname=P1\n[trayinfo]\ntraycount=2\ntraytype1=archive\n"
                       "traytype2=roll\ntrayname2=Roll 1\n"));
    RCStatementInfluencingCapaRefined capas;
    capas.Add(raw);
    // The list lives in the statement's keyword cache: the statement must outlive it.
    const SslOutputBin bin;
    const RSIndexString* list = nullptr;
    ASSERT_EQ(bin.GetKeywords(list, &capas), 2u);
    EXPECT_EQ(list[1].m_nIndex, 65538u);
    EXPECT_EQ(list[1].m_sText, "Roll 1");
    const RCStatementInfluencingCapaRefined none;
    EXPECT_EQ(bin.GetKeywords(list, &none), 1u);
}

TEST(Nesting, QuantityAndDirectionLimits) {
    SslNesting nesting;
    EXPECT_EQ(nesting.SetQuantity(3), 0u);  // 0, 2, 4, 8 or 16
    EXPECT_EQ(nesting.SetDirection(16), 0u);
    EXPECT_EQ(nesting.SetDirection(15), 1u);
    EXPECT_EQ(nesting.SetQuantity(16), 1u);
    EXPECT_EQ(nesting.GetDirection(), 15u);
    EXPECT_EQ(nesting.GetOptions(), 0xF010u);
}

}  // namespace
