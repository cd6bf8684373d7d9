#include "ssl2/SSLStatements/SslFold.h"

#include <gtest/gtest.h>

#include "ssl2/base/TMessage.h"
#include "ssl2/capas/RCStatementInfluencingCapaRaw.h"
#include "ssl2/capas/RCStatementInfluencingCapaRefined.h"

namespace {

TEST(SslFoldTest, ProgramAndTrayBoundaries) {
    SslFold fold;
    EXPECT_EQ(fold.SetPrg(1000), 1u);
    EXPECT_EQ(fold.SetPrg(-2), 0u);
    EXPECT_EQ(fold.GetPrg(), 1000);
    EXPECT_EQ(fold.SetTray(100), 1u);
    EXPECT_EQ(fold.SetTray(101), 0u);
    EXPECT_EQ(fold.SetTray(-2), 0u);
    EXPECT_EQ(fold.GetTray(), 100);
    EXPECT_EQ(fold.SetTray(-1), 1u);
}

TEST(SslFoldTest, OptionLimitsLeaveRefusedValuesUnchanged) {
    SslFold fold;
    for (std::uint32_t refused : {128u, 0x41u, 3u << 24}) {
        EXPECT_EQ(fold.AddOption(refused), 0u) << refused;
        EXPECT_EQ(fold.RemoveOption(refused), 0u) << refused;
        EXPECT_EQ(fold.SetOption(refused, 1), 0u) << refused;
    }
    EXPECT_FALSE(fold.GetOptionsSet());
    EXPECT_EQ(fold.GetOptions(), 0u);
    EXPECT_EQ(fold.AddOption(SslFold::kLandscape), 1u);
    EXPECT_TRUE(fold.GetOptionsSet());
    EXPECT_EQ(fold.GetOptions(), 0x40u);
    EXPECT_EQ(fold.SetOption(0x40, 0), 1u);
    EXPECT_EQ(fold.GetOptions(), 0u);

    EXPECT_EQ(fold.AddSpecialOption(0x3000000), 0u);
    EXPECT_EQ(fold.AddSpecialOption(0x1000001), 0u);
    fold.ResetOptionsSet();
    EXPECT_EQ(fold.AddSpecialOption(0x2000000), 1u);
    EXPECT_FALSE(fold.GetOptionsSet());
    EXPECT_EQ(fold.RemoveSpecialOption(0x2000000), 1u);
    EXPECT_TRUE(fold.GetOptionsSet());
    EXPECT_EQ(fold.GetSpecialOptions(), 0u);
}

TEST(SslFoldTest, SetOptionsFamily) {
    SslFold fold;
    fold.SetIfFoldImpossible(1);
    EXPECT_EQ(fold.SetOptions(0x25), 1u);
    EXPECT_EQ(fold.GetOptions(), 0x25u);
    EXPECT_EQ(fold.GetSpecialOptions(), 0x1000000u);
    EXPECT_EQ(fold.SetOptions(0x180 | 0x03), 0u);  // only the known bits are taken over
    EXPECT_EQ(fold.GetOptions(), 0x03u);
    EXPECT_EQ(fold.SetSpecialOptions(0x2000000), 1u);
    EXPECT_EQ(fold.GetSpecialOptions(), 0x2000000u);
    EXPECT_EQ(fold.SetSpecialOptions(0x5000000), 0u);
    EXPECT_EQ(fold.GetSpecialOptions(), 0x1000000u);
    EXPECT_EQ(fold.SetAllOptions(0x2000010), 1u);
    EXPECT_EQ(fold.GetOptions(), 0x10u);
    EXPECT_EQ(fold.GetSpecialOptions(), 0x2000000u);
    EXPECT_EQ(fold.SetAllOptions(0x4000010), 0u);
}

TEST(SslFoldTest, ChargedOptionsText) {
    const TString punch = VEMTO::GetMessage(SslFold::SslFoldOptionNames, 1);
    const TString reinforce = VEMTO::GetMessage(SslFold::SslFoldOptionNames, 3);
    const TString tab = VEMTO::GetMessage(SslFold::SslFoldOptionNames, 4);
    EXPECT_EQ(SslFold::ChargedOptionsAsString(0x05), punch + " " + reinforce);
    EXPECT_EQ(SslFold::ChargedOptionsAsString(0x09), punch);
    EXPECT_EQ(SslFold::ChargedOptionsAsString(0x0C), tab);
    EXPECT_EQ(SslFold::ChargedOptionsAsString(0x02), "");
    EXPECT_EQ(SslFold::ChargedOptionsAsString(0x04), "");
    EXPECT_FALSE(punch.IsEmpty());
}

TEST(SslFoldTest, TranslateOldProgramNumbers) {
    RCFoldPrgTranslator table;
    table.m_aEntries[7] = {12, 1, 0, 1, 1, 0, 0, 1};  // punch, tab, reinforce, landscape
    table.m_aEntries[8] = {0, 1, 1, 1, 1, 1, 1, 1};

    SslFold fold;
    EXPECT_EQ(fold.Translate(table), 0);  // no program
    fold.SetPrg(7);
    fold.SetTray(2);
    EXPECT_EQ(fold.Translate(table), 1);
    EXPECT_EQ(fold.GetPrg(), 12);
    EXPECT_EQ(fold.GetTray(), 2);
    EXPECT_EQ(fold.GetOptions(), 0x01u | 0x08u | 0x04u | 0x40u);
    EXPECT_TRUE(fold.GetOptionsSet());
    EXPECT_EQ(fold.Translate(table), -1);  // already translated
    EXPECT_EQ(fold.GetPrg(), 12);

    for (std::int32_t program : {8, 500}) {
        SslFold off;
        off.SetPrg(program);
        EXPECT_EQ(off.Translate(table), 1);
        EXPECT_EQ(off.GetPrg(), -1);
        EXPECT_EQ(off.GetTray(), -1);
        EXPECT_FALSE(off.GetOptionsSet());
    }
}

TEST(SslFoldTest, ReTranslateToOldProgramNumbers) {
    RCFoldPrgReTranslator table;
    table.m_aEntries[3] = {3, 0x01, 40};
    table.m_aEntries[4] = {3, 0x05, 41};
    table.m_aEntries[5] = {0, 0, 0};
    table.m_aEntries[6] = {3, 0x02, 42};  // behind the end marker

    SslFold fold;
    fold.SetPrg(3);
    EXPECT_EQ(fold.ReTranslate(table), 0);  // options not set
    fold.AddOption(0x05);
    EXPECT_EQ(fold.ReTranslate(table), 1);
    EXPECT_EQ(fold.GetPrg(), 41);
    EXPECT_EQ(fold.GetOptions(), 0u);
    EXPECT_TRUE(fold.GetOptionsSet());

    SslFold missing;
    missing.SetPrg(3);
    missing.SetTray(1);
    missing.AddOption(0x02);
    EXPECT_EQ(missing.ReTranslate(table), -1);
    EXPECT_EQ(missing.GetPrg(), -1);
    EXPECT_EQ(missing.GetTray(), -1);
    EXPECT_FALSE(missing.GetOptionsSet());

    SslFold high;
    high.SetPrg(100);
    high.AddOption(0);
    EXPECT_EQ(high.ReTranslate(table), -1);
}

TEST(SslFoldTest, EqualityAndSerialisation) {
    SslFold fold;
    fold.SetPrg(12);
    fold.SetTray(3);
    fold.AddOption(0x21);
    fold.SetErrorIfFoldImpossible();
    SslFold restored;
    restored.DeSerialize(fold.Serialize());
    EXPECT_TRUE(restored == fold);
    EXPECT_TRUE(restored.GetOptionsSet());
    EXPECT_EQ(SslFold::GetClassDataType(), (17u << 16) | 1u);

    SslFold other = fold;
    other.SetTray(4);
    EXPECT_TRUE(other != fold);
    other.ResetOptionsSet();
    other.SetTray(3);
    EXPECT_TRUE(other == fold);  // the options-set flag is not compared
}

TEST(SslFoldTest, KeywordsNarrowedByCapabilities) {
    SslFold fold;
    const RSIndexString* keywords = nullptr;
    const RCStatementInfluencingCapaRefined none;
    ASSERT_EQ(fold.GetKeywords(keywords, 0, &none), 1u);
    EXPECT_EQ(keywords[0].m_nIndex, SslCapas::RCFoldProgramCapas::NoFold.GetProgramNo());
    EXPECT_EQ(keywords[0].m_sText, SslCapas::RCFoldProgramCapas::NoFold.GetProgramName());
    ASSERT_EQ(fold.GetKeywords(keywords, 1, &none), 1u);
    EXPECT_EQ(keywords[0].m_sText, "auto");

    RCStatementInfluencingCapaRaw raw;
    raw.SetFoldProgramCount(3);
    raw.SetFoldProgramCapas(0, SslCapas::RCFoldProgramCapas(0, 3, "none"));
    raw.SetFoldProgramCapas(1, SslCapas::RCFoldProgramCapas(1, 3, "Packet"));
    raw.SetFoldProgramCapas(2, SslCapas::RCFoldProgramCapas(2, 3, "Letter"));
    raw.SetFolderOutputTrayCount(2);
    raw.SetFolderOutputTrayInfo(0, SslCapas::RCOutputTray(4, "stacker"));
    raw.SetFolderOutputTrayInfo(1, SslCapas::RCOutputTray(7, "belt"));
    RCStatementInfluencingCapaRefined capas;
    capas.Fill(raw);

    const RSIndexString* programs = nullptr;
    ASSERT_EQ(fold.GetKeywords(programs, 0, &capas), 3u);
    EXPECT_EQ(programs[2].m_nIndex, 2u);
    EXPECT_EQ(programs[2].m_sText, "Letter");
    const RSIndexString* trays = nullptr;
    ASSERT_EQ(fold.GetKeywords(trays, 1, &capas), 2u);
    EXPECT_EQ(trays[1].m_nIndex, 7u);
    EXPECT_EQ(trays[1].m_sText, "belt");
    // The two lists live in separate caches: asking for trays keeps the programs.
    EXPECT_EQ(programs[1].m_sText, "Packet");

    // A copy has empty caches; the original's lists stay valid after it is gone.
    {
        SslFold copy(fold);
        ASSERT_EQ(copy.GetKeywords(keywords, 1, &capas), 2u);
    }
    EXPECT_EQ(trays[0].m_sText, "stacker");
}

}  // namespace
