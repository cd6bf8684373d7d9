#include "ssl2/capas/RCStatementInfluencingCapas.h"

#include <gtest/gtest.h>

#include "ssl2/base/TException.h"
#include "tests/support/CapasSupport.h"

namespace {

using namespace SslCapas;
using capas_test::Example;
using capas_test::ReadFile;

RCStatementInfluencingCapaRaw RawFromString(const std::string& text) {
    RCStatementInfluencingCapaRaw raw;
    EXPECT_TRUE(raw.FromString(text)) << text;
    return raw;
}

// Expects the index error that names `member`, the index and the count from `call`.
template <class F>
void ExpectIndexError(F call, const char* member, const char* index, const char* count) {
    try {
        call();
        ADD_FAILURE() << "no error for " << member;
    } catch (const TException& e) {
        EXPECT_EQ(std::string(e.what()), std::string("index ") + index + " out of range for " +
                                             member + " (count " + count + ")");
    }
    ClearError();
}

// --- raw ---------------------------------------------------------------------------

TEST(RCStatementInfluencingCapaRaw, CountsAreClampedOrZero) {
    struct Case {
        const char* text;
        std::uint32_t inputs, outputs, folderOutputs, programs;
    } const cases[] = {
        {"[trayinfo]\ntraycount=25\n", 10, 0, 0, 0},
        {"[trayinfo]\ntraycount=many\n", 0, 0, 0, 0},
        {"[outputtrayinfo]\ntraycount=11\n", 0, 10, 0, 0},
        {"[folderoutputtrayinfo]\ntraycount=6\n", 0, 0, 4, 0},
        {"[foldprograminfo]\nprogramcount=200\n", 0, 0, 0, 128},
        {"[foldprograminfo]\nprogramcount=-3\n", 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const auto raw = RawFromString(c.text);
        EXPECT_EQ(raw.GetInputTrayCount(), c.inputs) << c.text;
        EXPECT_EQ(raw.GetOutputTrayCount(), c.outputs) << c.text;
        EXPECT_EQ(raw.GetFolderOutputTrayCount(), c.folderOutputs) << c.text;
        EXPECT_EQ(raw.GetFoldProgramCount(), c.programs) << c.text;
    }
}

TEST(RCStatementInfluencingCapaRaw, SlotAccessIsBoundedByTheArraySize) {
    RCStatementInfluencingCapaRaw raw;
    raw.SetInputTrayCount(2);
    EXPECT_NO_THROW(raw.GetInputTrayInfo(9));
    ExpectIndexError([&] { raw.GetInputTrayInfo(10); }, "m_aInputTrayInfo", "10", "10");
    ExpectIndexError([&] { raw.SetInputTrayInfo(10, {}); }, "m_aInputTrayInfo", "10", "10");
    ExpectIndexError([&] { raw.GetOutputTrayInfo(12); }, "m_aOutputTrayInfo", "12", "10");
    ExpectIndexError([&] { raw.SetOutputTrayInfo(10, {}); }, "m_aOutputTrayInfo", "10", "10");
    ExpectIndexError([&] { raw.GetFolderOutputTrayInfo(4); }, "m_aFolderOutputTrayInfo", "4", "4");
    ExpectIndexError([&] { raw.SetFolderOutputTrayInfo(4, {}); }, "m_aFolderOutputTrayInfo", "4",
                     "4");
    ExpectIndexError([&] { raw.GetFoldProgramCapas(128); }, "m_aFoldPrograms", "128", "128");
    ExpectIndexError([&] { raw.SetFoldProgramCapas(4294967295u, {}); }, "m_aFoldPrograms",
                     "4294967295", "128");
}

TEST(RCStatementInfluencingCapaRaw, SettersClampCountsAndEqualityIgnoresTheVersion) {
    RCStatementInfluencingCapaRaw a, b;
    a.SetInputTrayCount(11);
    a.SetOutputTrayCount(99);
    a.SetFolderOutputTrayCount(5);
    a.SetFoldProgramCount(500);
    EXPECT_EQ(a.GetInputTrayCount(), 10u);
    EXPECT_EQ(a.GetOutputTrayCount(), 10u);
    EXPECT_EQ(a.GetFolderOutputTrayCount(), 4u);
    EXPECT_EQ(a.GetFoldProgramCount(), 500u);

    a = RCStatementInfluencingCapaRaw();
    a.SetSoftwareVersion("5.0");
    b.SetSoftwareVersion("3.0");
    EXPECT_EQ(a, b);
    b.SetFoldProgramCapas(127, RCFoldProgramCapas(1, 3, "x"));  // uncounted slots count too
    EXPECT_FALSE(a == b);
    b = a;
    b.SetCapasSource(RCStatementInfluencingCapaRaw::kCapasSourceFile);
    EXPECT_FALSE(a == b);
}

TEST(RCStatementInfluencingCapaRaw, ReadsTheExampleRollPlotter) {
    RCStatementInfluencingCapaRaw raw;
    ASSERT_TRUE(raw.FromFile(Example("rolljet_folder.ini")));
    EXPECT_EQ(raw.GetPlotterName(), "RollJet 4200");
    EXPECT_EQ(raw.GetSoftwareVersion(), "5.2.1");
    EXPECT_EQ(raw.GetPlotterClass(), 9u);
    EXPECT_EQ(raw.GetPlotterType(), (RSDevice{2, 4, 17, 4200}));
    EXPECT_EQ(raw.GetFolderType(), (RSDevice{5, 4, 17, 720}));
    EXPECT_EQ(raw.GetInputTrayCount(), 3u);
    const RCInputTray roll2 = raw.GetInputTrayInfo(1);
    EXPECT_EQ(roll2.GetWidth().AsMm(), 610);
    EXPECT_EQ(roll2.GetMedia(), VEMTO::kMediaFilm);
    EXPECT_EQ(roll2.GetMediaSubType(), 2u);
    EXPECT_EQ(roll2.GetTrayName(), "Roll 2 (24 in)");
    EXPECT_EQ(raw.GetInputTrayInfo(2).GetTrayType(), VEMTO::kTrayManual);
    EXPECT_EQ(raw.GetOutputTrayInfo(2), RCOutputTray(3, "Stacker"));
    EXPECT_EQ(raw.GetFolderOutputTrayInfo(1), RCOutputTray(2, "Folder rear"));
    EXPECT_EQ(raw.GetFoldProgramCapas(2), RCFoldProgramCapas(2, 0x1F, "190 / 20"));
    RCStatementInfluencingCapaRaw unchanged = raw;
    EXPECT_FALSE(unchanged.FromFile(Example("missing.ini")));
    EXPECT_FALSE(unchanged.FromString("no section at all\n"));
    EXPECT_EQ(unchanged, raw);
}

// --- refined -----------------------------------------------------------------------

RCStatementInfluencingCapaRaw Plotter(const char* name, const char* version) {
    RCStatementInfluencingCapaRaw raw;
    raw.SetPlotterName(name);
    raw.SetSoftwareVersion(version);
    return raw;
}

TEST(RCStatementInfluencingCapaRefined, SyntaxVersionFromTheSoftwareVersion) {
    const std::pair<const char*, std::uint32_t> cases[] = {
        {"1.5", 1}, {"2.0", 0}, {"3.1.2", 2}, {"4", 3}, {"5.0", 4}, {"6.0", 0}, {"", 0}, {"x3", 0}};
    for (const auto& [version, expected] : cases) {
        EXPECT_EQ(RCStatementInfluencingCapaRefined::SyntaxVersionFromSoftwareVersion(version),
                  expected)
            << version;
    }
}

TEST(RCStatementInfluencingCapaRefined, MergeTakesTheOldestKnownSyntaxVersion) {
    const std::tuple<const char*, const char*, std::uint32_t> cases[] = {
        {"4.0", "", 3}, {"", "4.0", 3}, {"5.0", "3.0", 2}, {"3.0", "5.0", 2}, {"", "2.0", 0}};
    for (const auto& [first, second, expected] : cases) {
        RCStatementInfluencingCapaRefined refined;
        refined.Add(Plotter("a", first));
        EXPECT_EQ(refined.Add(Plotter("b", second)), 2u);
        EXPECT_EQ(refined.GetSslSyntaxVersion(), expected) << first << " + " << second;
    }
}

TEST(RCStatementInfluencingCapaRefined, OutputTraysIntersect) {
    RCStatementInfluencingCapaRaw a = Plotter("a", "5.0"), b = Plotter("b", "5.0"),
                                  c = Plotter("c", "5.0");
    a.SetOutputTrayCount(3);
    b.SetOutputTrayCount(3);
    for (std::uint32_t i = 0; i < 3; ++i) {
        a.SetOutputTrayInfo(i, RCOutputTray(i + 1, "a"));
        b.SetOutputTrayInfo(i, RCOutputTray(i + 2, "b"));
    }
    RCStatementInfluencingCapaRefined refined;
    refined.Add(a);
    refined.Add(b);
    ASSERT_EQ(refined.GetOutputTrayCount(), 2u);
    EXPECT_EQ(refined.GetOutputTray(0), RCOutputTray(2, "b"));
    EXPECT_EQ(refined.GetOutputTray(1), RCOutputTray(3, "b"));
    refined.Add(c);
    EXPECT_EQ(refined.GetOutputTrayCount(), 0u);
}

TEST(RCStatementInfluencingCapaRefined, ElementAccessErrorsNameTheList) {
    RCStatementInfluencingCapaRefined refined;
    refined.Fill(Plotter("one", "5.0"));
    EXPECT_EQ(refined.GetPlotterName(0), "one");
    ExpectIndexError([&] { refined.GetPlotterName(1); }, "m_PlotterNames", "1", "1");
    ExpectIndexError([&] { refined.GetMedia(0); }, "m_Media", "0", "0");
    ExpectIndexError([&] { refined.GetInputTray(3); }, "m_InputTrays", "3", "0");
    ExpectIndexError([&] { refined.GetOutputTray(0); }, "m_OutputTrays", "0", "0");
    ExpectIndexError([&] { refined.GetFoldProgram(1); }, "m_FoldPrograms", "1", "1");
    ExpectIndexError([&] { refined.GetFolderOutputTray(0); }, "m_FolderOutputTrays", "0", "0");
    EXPECT_EQ(refined.PushBackPlotterName("two"), 2u);
    refined.ClearPlotterNames();
    EXPECT_EQ(refined.GetPlotterCount(), 0u);
    refined.Clear();
    EXPECT_EQ(refined, RCStatementInfluencingCapaRefined());
}

// --- the three example plotters --------------------------------------------------------

class ExamplePlotters : public ::testing::Test {
protected:
    const std::string roll = ReadFile(Example("rolljet_folder.ini"));
    const std::string sheet = ReadFile(Example("sheetpro_a3.ini"));
    const std::string classic = ReadFile(Example("classic3000_v3.ini"));
};

TEST_F(ExamplePlotters, EachPlotterAlone) {
    RCStatementInfluencingCapas capas;
    ASSERT_TRUE(capas.AddPlotter(roll));
    ASSERT_TRUE(capas.AddPlotter(sheet));
    ASSERT_TRUE(capas.AddPlotter(classic));
    EXPECT_EQ(capas.GetPlotterName(2), "Classic 3000");
    EXPECT_EQ(capas.GetPlotterName(3), "");

    const auto r = capas.GetRefinedCapas("RollJet 4200");
    EXPECT_EQ(r.GetSslSyntaxVersion(), 4u);
    EXPECT_EQ(r.GetMedia(),
              (TMediaVector{VEMTO::kMediaPaper, VEMTO::kMediaTransparent, VEMTO::kMediaFilm}));
    EXPECT_EQ(r.GetInputTrayCount(), 3u);
    EXPECT_EQ(r.GetInputTray(2).GetOrdinal(), 2u);
    EXPECT_EQ(r.GetLargestInputTray().GetTrayName(), "Roll 1 (36 in)");  // 914 = 914: first
    ASSERT_EQ(r.GetFoldProgramCount(), 3u);  // program 3 lacks a usable bit
    EXPECT_EQ(r.GetFoldProgram(2), RCFoldProgramCapas(2, 0x1F, "190 / 20"));
    EXPECT_EQ(r.GetFolderOutputTrayCount(), 2u);

    const auto s = capas.GetRefinedCapas("SheetPro A3");
    EXPECT_EQ(s.GetSslSyntaxVersion(), 3u);
    EXPECT_EQ(s.GetMedia(), (TMediaVector{VEMTO::kMediaPaper, VEMTO::kMediaRecycledPaper,
                                          VEMTO::kMediaHeavyPhotoGloss}));
    EXPECT_EQ(s.GetLargestInputTray().GetTrayName(), "Drawer A3");
    EXPECT_EQ(s.GetFoldProgramCount(), 1u);
    EXPECT_EQ(s.GetFolderOutputTrayCount(), 0u);

    const auto c = capas.GetRefinedCapas("Classic 3000");
    EXPECT_EQ(c.GetSslSyntaxVersion(), 2u);
    EXPECT_EQ(c.GetMedia(), TMediaVector{VEMTO::kMediaVellum});

    EXPECT_EQ(capas.GetRefinedCapas("Nobody").GetPlotterCount(), 0u);
}

TEST_F(ExamplePlotters, AddingAKnownPlotterReplacesItAndRefinesAgain) {
    RCStatementInfluencingCapas capas;
    capas.AddPlotter(roll);
    capas.AddPlotter(sheet);
    EXPECT_EQ(capas.GetRefinedCapas("auto").GetSslSyntaxVersion(), 3u);
    const RCStatementInfluencingCapas before = capas;

    std::string newer = sheet;
    newer.replace(newer.find("Version=4.1"), 11, "Version=5.0");
    ASSERT_TRUE(capas.AddPlotter(newer));
    EXPECT_EQ(capas.GetPlotterCount(), 2u);
    EXPECT_FALSE(capas == before);
    EXPECT_EQ(capas.GetRefinedCapas("auto").GetSslSyntaxVersion(), 4u);
    EXPECT_EQ(capas.GetRefinedCapas("SheetPro A3").GetSslSyntaxVersion(), 4u);

    EXPECT_FALSE(capas.AddPlotter("not a capability file"));
    EXPECT_EQ(capas.GetPlotterCount(), 2u);
    RCStatementInfluencingCapas none;
    EXPECT_EQ(none.GetRefinedCapas("auto"), RCStatementInfluencingCapaRefined());
}

}  // namespace
