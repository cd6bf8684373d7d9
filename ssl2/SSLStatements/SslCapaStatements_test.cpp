// The selection statements with extra values and capability-narrowed lists:
// SslMediaType, SslOutputBin, SslOutputTray and SslNesting, and the keyword cache.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ssl2/SSLStatements/SslStatements.h"
#include "ssl2/capas/RCStatementInfluencingCapaRaw.h"
#include "ssl2/capas/RCStatementInfluencingCapaRefined.h"

namespace {

// A plotter with a manual feed, a roll of transparent media, a cut-sheet tray of
// film, an archive tray and two output trays.
constexpr const char* kPlotterIni =
    "[default]\n"
    "name=P1\n"
    "version=4.2\n"
    "[trayinfo]\n"
    "traycount=4\n"
    "traywidth1=297\ntraylength1=420\nmediamain1=paper\ntraytype1=manual\n"
    "trayname1=Manual feed\n"
    "traywidth2=914\ntraylength2=50000\nmediamain2=transparent\ntraytype2=roll\n"
    "trayname2=Roll 1\n"
    "traywidth3=594\ntraylength3=841\nmediamain3=film\ntraytype3=cutsheet\n"
    "trayname3=Sheet\n"
    "traywidth4=594\ntraylength4=841\nmediamain4=paper\ntraytype4=archive\n"
    "trayname4=Archive\n"
    "[outputtrayinfo]\n"
    "traycount=2\n"
    "trayindex1=1\ntrayname1=Top\n"
    "trayindex2=5\ntrayname2=Stacker\n";

RCStatementInfluencingCapaRefined Refined(const char* ini) {
    RCStatementInfluencingCapaRaw raw;
    EXPECT_TRUE(raw.FromString(ini));
    RCStatementInfluencingCapaRefined refined;
    refined.Add(raw);
    return refined;
}

std::vector<RSIndexString> Keywords(const SslSelectionStatement& s,
                                    const RCStatementInfluencingCapaRefined* capas) {
    const RSIndexString* list = nullptr;
    const std::uint32_t count = s.GetKeywords(list, capas);
    return std::vector<RSIndexString>(list, list + count);
}

std::vector<std::uint32_t> Values(const std::vector<RSIndexString>& list) {
    std::vector<std::uint32_t> values;
    for (const auto& entry : list)
        values.push_back(entry.m_nIndex);
    return values;
}

TEST(CapabilityLists, NarrowedToThePlotter) {
    const auto capas = Refined(kPlotterIni);

    const auto bins = Keywords(SslOutputBin(), &capas);
    EXPECT_EQ(Values(bins), (std::vector<std::uint32_t>{0, 1, 65538, 131074}));
    EXPECT_EQ(bins[2].m_sText, "Roll 1");
    EXPECT_EQ(bins[3].m_sText, "Sheet");

    const auto trays = Keywords(SslOutputTray(), &capas);
    EXPECT_EQ(Values(trays), (std::vector<std::uint32_t>{1, 5}));
    EXPECT_EQ(trays[1].m_sText, "Stacker");

    // Paper, transparent and film: the SSL indices 1, 3 and 4 (not the media numbers).
    EXPECT_EQ(Values(Keywords(SslMediaType(), &capas)), (std::vector<std::uint32_t>{0, 1, 3, 4}));

    EXPECT_EQ(Values(Keywords(SslNesting(), &capas)),
              (std::vector<std::uint32_t>{0, 2, 4, 8, 16, 4098, 4100, 4104, 4112}));
}

TEST(CapabilityLists, PlotterWithoutTraysAndNoCapabilities) {
    const RCStatementInfluencingCapaRefined none;
    EXPECT_EQ(Values(Keywords(SslOutputBin(), &none)), (std::vector<std::uint32_t>{0}));
    EXPECT_EQ(Values(Keywords(SslOutputTray(), &none)), (std::vector<std::uint32_t>{0}));
    EXPECT_EQ(Values(Keywords(SslMediaType(), &none)), (std::vector<std::uint32_t>{0}));

    EXPECT_EQ(Values(Keywords(SslOutputBin(), nullptr)), (std::vector<std::uint32_t>{0, 1, 2}));
    EXPECT_EQ(Values(Keywords(SslOutputTray(), nullptr)), (std::vector<std::uint32_t>{0, 1, 2, 3}));
    EXPECT_EQ(Values(Keywords(SslMediaType(), nullptr)),
              (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(Values(Keywords(SslNesting(), nullptr)), (std::vector<std::uint32_t>{0, 1}));
}

TEST(KeywordCache, SurvivesCopiesReuseAndDestruction) {
    const auto capas = Refined(kPlotterIni);
    auto original = std::make_unique<SslOutputBin>();
    const RSIndexString* first = nullptr;
    ASSERT_EQ(original->GetKeywords(first, &capas), 4u);
    std::unique_ptr<SslStatement> clone(original->Clone());
    SslOutputBin copy(*original);
    SslOutputBin assigned;
    const RSIndexString* kept = nullptr;
    assigned.GetKeywords(kept, &capas);
    assigned = *original;
    original.reset();

    // The copies build their own lists; the one made before the assignment stays.
    EXPECT_EQ(kept[2].m_sText, "Roll 1");
    const RSIndexString* list = nullptr;
    ASSERT_EQ(copy.GetKeywords(list, &capas), 4u);
    EXPECT_EQ(list[3].m_sText, "Sheet");
    ASSERT_EQ(dynamic_cast<SslOutputBin&>(*clone).GetKeywords(list, &capas), 4u);
    const RCStatementInfluencingCapaRefined none;
    ASSERT_EQ(copy.GetKeywords(list, &none), 1u);
    EXPECT_EQ(list[0].m_nIndex, 0u);
    ASSERT_EQ(copy.GetKeywords(list, &capas), 4u);
    EXPECT_EQ(list[1].m_nIndex, 1u);
}

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

TEST(Nesting, QuantityAndDirection) {
    SslNesting nesting;
    EXPECT_EQ(nesting.SetString("4100", 0, 0), 1u);
    EXPECT_EQ(nesting.GetQuantity(), 4u);
    EXPECT_EQ(nesting.GetDirection(), 1u);
    EXPECT_EQ(nesting.Get(), 1u);
    EXPECT_EQ(nesting.ToString(), "Nesting on 4100");
    EXPECT_EQ(nesting.GetString(0, 0), "4100");

    EXPECT_EQ(nesting.SetString("3", 0, 0), 0u);
    EXPECT_EQ(nesting.GetOptions(), 0u);
    EXPECT_EQ(nesting.Get(), 0u);

    EXPECT_EQ(nesting.SetString("4096", 0, 0), 1u);  // no quantity: off, direction kept
    EXPECT_EQ(nesting.Get(), 0u);
    EXPECT_EQ(nesting.GetDirection(), 1u);

    for (std::uint32_t q = 0; q <= 17; ++q) {
        SslNesting n;
        const bool allowed = q == 0 || q == 2 || q == 4 || q == 8 || q == 16;
        EXPECT_EQ(n.SetQuantity(q), allowed ? 1u : 0u) << q;
    }
    EXPECT_EQ(nesting.SetDirection(16), 0u);
    EXPECT_EQ(nesting.SetDirection(15), 1u);
    EXPECT_EQ(nesting.GetDirection(), 15u);
    EXPECT_EQ(nesting.SetQuantity(16), 1u);
    EXPECT_EQ(nesting.GetOptions(), 0xF010u);
}

}  // namespace
