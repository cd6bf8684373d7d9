// SslComputeLayout: medium, print placement, stamps, fold and findings of file entries.
#include "ssl2/layout/SslLayout.h"

#include <gtest/gtest.h>

#include <string>

#include "ssl2/capas/RCStatementInfluencingCapas.h"
#include "ssl2/set/RCSslSet.h"

namespace {

// One plotter: a 600 mm roll (ordinal 0), an A3 drawer (1), a manual bypass (2),
// paper only, a folder with two programs and a front tray.
constexpr const char* kLabPlotter = R"(
[default]
name=Lab
[trayinfo]
traycount=3
traywidth1=600
traylength1=50000
mediamain1=paper
traytype1=roll
trayname1=Roll 600
traywidth2=297
traylength2=420
mediamain2=paper
traytype2=cutsheet
trayname2=A3 drawer
traywidth3=914
traylength3=1189
mediamain3=paper
traytype3=manual
trayname3=Bypass
[folderoutputtrayinfo]
traycount=1
trayindex1=1
trayname1=Folder front
[foldprograminfo]
programcount=3
programnumber0=0
programcapas0=3
programname0=No fold
programnumber1=1
programcapas1=3
programname1=Packet 210
programnumber2=2
programcapas2=3
programname2=190 / 20
)";

RCStatementInfluencingCapaRefined LabCapas() {
    RCStatementInfluencingCapas all;
    EXPECT_TRUE(all.AddPlotter(kLabPlotter));
    return all.GetRefinedCapas("Lab");
}

/// A set of a job entry and one file entry holding `statements`.
RCSslSet OneFile(const std::string& statements) {
    RCSslSet set;
    const std::string ticket =
        "BeginJob \"noname\" Version \"3.0.001\"\nSetCopies 2\nBeginOutput\n"
        "Name \"f.plt\"\n" +
        statements + "\nEndOutput\nEndJob\n";
    set.SetDiagnosticHandler([&ticket](const RSSslDiagnostic& d) {
        ADD_FAILURE() << d.m_sMessage << " in\n" << ticket;
    });
    EXPECT_EQ(set.ParseSslText(TString(ticket), "t.ssl", 300), 2) << ticket;
    return set;
}

// An A1 drawing (594 x 841 mm) scanned at 254 dpi, ten pixels a millimetre.
constexpr const char* kA1File = "FileInfo 0x1734 0x20DA 0xFE 0xFE 0x1 0x1\n";

TEST(SslLayoutTest, MediumAndPlacement) {
    using M = RSSslLayout::TMedium;
    struct Row {
        const char* name;
        std::string statements;
        bool capas;
        M medium;
        double mediumWidth, mediumLength;
        RSSslBox print;
        bool turned, fits;
        double mediaLength;
    };
    const Row rows[] = {
        {"zoom percent of the file's own size",
         std::string(kA1File) + "Zoom 50 50",
         false,
         M::kOwnSize,
         297,
         420.5,
         {0, 0, 297, 420.5},
         false,
         true,
         420.5},
        {"Rotate 90 swaps",
         std::string(kA1File) + "Zoom 50 50\nRotate 90",
         false,
         M::kOwnSize,
         420.5,
         297,
         {0, 0, 420.5, 297},
         false,
         true,
         297},
        {"a fixed output size is not zoomed again",
         "OutputSize a1\nZoom 50 50",
         false,
         M::kOwnSize,
         594,
         841,
         {0, 0, 594, 841},
         false,
         true,
         841},
        {"window, proportional and format forms",
         "OutputSize Proportional 100.5 50.25",
         false,
         M::kOwnSize,
         100.5,
         50.25,
         {0, 0, 100.5, 50.25},
         false,
         true,
         50.25},
        {"unknown size counts as A4",
         "",
         false,
         M::kOwnSize,
         210,
         297,
         {0, 0, 210, 297},
         false,
         true,
         297},
        {"margins surround the print",
         "OutputSize a4\nMargin top 10\n\t+ left 5\n\t+ bottom 20\n\t+ right 15",
         false,
         M::kOwnSize,
         230,
         327,
         {5, 10, 210, 297},
         false,
         true,
         327},
        {"a strip on the roll uses its length",
         "OutputSize Window 300 2000",
         true,
         M::kRoll,
         600,
         2000,
         {150, 0, 300, 2000},
         false,
         true,
         2000},
        {"pages and copies multiply the roll length",
         "OutputSize Window 300 200\nCopies 2\nFileInfo 0x0 0x0 0x0 0x0 0x0 0x3",
         true,
         M::kRoll,
         600,
         200,
         {150, 0, 300, 200},
         false,
         true,
         1200},
        {"MediaPosition rightcenter on the roll",
         "OutputSize Window 300 200\nMediaPosition rightcenter",
         true,
         M::kRoll,
         600,
         200,
         {300, 0, 300, 200},
         false,
         true,
         200},
        {"Rotate auto turns a wide print to fit the roll",
         "OutputSize Window 841 594",
         true,
         M::kRoll,
         600,
         841,
         {3, 0, 594, 841},
         true,
         true,
         841},
        {"Rotate 0 keeps it wide: does not fit",
         "OutputSize Window 841 594\nRotate 0",
         true,
         M::kRoll,
         600,
         594,
         {0, 0, 841, 594},
         false,
         false,
         594},
        {"OutputBin selects the sheet tray, centred",
         "OutputSize a4\nOutputBin Bin 1",
         true,
         M::kSheet,
         297,
         420,
         {43.5, 61.5, 210, 297},
         false,
         true,
         420},
        {"MediaPosition upperleft on a sheet",
         "OutputSize a4\nOutputBin Bin 1\nMediaPosition "
         "upperleft",
         true,
         M::kSheet,
         297,
         420,
         {0, 0, 210, 297},
         false,
         true,
         420},
        {"larger than every tray: the largest, not fitting",
         "OutputSize Window 1000 2000",
         true,
         M::kSheet,
         914,
         1189,
         {0, 0, 1000, 2000},
         false,
         false,
         1189},
    };
    const RCStatementInfluencingCapaRefined capas = LabCapas();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const RSSslLayout l =
            SslComputeLayout(OneFile(row.statements), 1, row.capas ? &capas : nullptr);
        EXPECT_EQ(l.m_eMedium, row.medium);
        EXPECT_DOUBLE_EQ(l.m_dMediumWidth, row.mediumWidth);
        EXPECT_DOUBLE_EQ(l.m_dMediumLength, row.mediumLength);
        EXPECT_DOUBLE_EQ(l.m_Print.m_dX, row.print.m_dX);
        EXPECT_DOUBLE_EQ(l.m_Print.m_dY, row.print.m_dY);
        EXPECT_DOUBLE_EQ(l.m_Print.m_dWidth, row.print.m_dWidth);
        EXPECT_DOUBLE_EQ(l.m_Print.m_dHeight, row.print.m_dHeight);
        EXPECT_EQ(l.m_bTurnedToFit, row.turned);
        EXPECT_EQ(l.m_bFits, row.fits);
        EXPECT_DOUBLE_EQ(l.m_dMediaLength, row.mediaLength);
        EXPECT_EQ(l.m_nSetCopies, 2u);
    }
}

TEST(SslLayoutTest, StampsAtTheirPositions) {
    // A 200 x 100 mm print; "AB" at 72 pt is 25.4 mm high and 30.48 mm wide.
    struct Row {
        const char* stamp;
        RSSslBox box;
        std::uint32_t rotate;
        const char* label;
    };
    constexpr double w = 30.48, h = 25.4;
    const Row rows[] = {
        {"Text \"AB\"\n\t+ FontSize 72\n\t+ Position upperleft\n\t+ Distance 5.0",
         {5, 5, w, h},
         0,
         "AB"},
        {"Text \"AB\"\n\t+ FontSize 72\n\t+ Position bottomright\n\t+ Distance 5.0",
         {200 - w - 5, 100 - h - 5, w, h},
         0,
         "AB"},
        {"Text \"AB\"\n\t+ FontSize 72\n\t+ Position centercenter\n\t+ Rotate 45",
         {(200 - w) / 2, (100 - h) / 2, w, h},
         45,
         "AB"},
        {"Text \"AB\"\n\t+ FontSize 72\n\t+ Position upperleft Coordinate 10.0 20.0",
         {10, 20, w, h},
         0,
         "AB"},
        {"Bmp \"C:\\stamps\\seal.bmp\"\n\t+ Position uppercenter", {90, 0, 20, 20}, 0, "seal.bmp"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.stamp);
        const RSSslLayout l = SslComputeLayout(
            OneFile(std::string("OutputSize Window 200 100\nStamp ") + row.stamp), 1);
        ASSERT_EQ(l.m_aStamps.size(), 1u);
        const RSSslStampBox& s = l.m_aStamps[0];
        EXPECT_NEAR(s.m_Box.m_dX, row.box.m_dX, 1e-9);
        EXPECT_NEAR(s.m_Box.m_dY, row.box.m_dY, 1e-9);
        EXPECT_NEAR(s.m_Box.m_dWidth, row.box.m_dWidth, 1e-9);
        EXPECT_NEAR(s.m_Box.m_dHeight, row.box.m_dHeight, 1e-9);
        EXPECT_EQ(s.m_nRotate, row.rotate);
        EXPECT_EQ(s.m_sLabel.str(), row.label);
    }
}

TEST(SslLayoutTest, FoldLabelAndFindingsOfTheirEntry) {
    RCSslSet set = OneFile("OutputSize a4\nFold Prg 2 Tray 1\nMediaType film");
    RCSslEntry second = set.GetEntry(1);
    second.SetName("g.plt");
    second.SetFoldPrg(-1);
    second.SetMediaType(1);
    set.AddEntry(second);
    const RCStatementInfluencingCapaRefined capas = LabCapas();
    const std::vector<RSSslLayout> all = SslComputeLayouts(set, &capas);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].m_sFold.str(), "Prg 2 (190 / 20), Tray 1 (Folder front)");
    ASSERT_EQ(all[0].m_aFindings.size(), 1u);
    EXPECT_EQ(all[0].m_aFindings[0].m_nStatement, kId_SslMediaType);
    EXPECT_EQ(all[1].m_sFold.str(), "");
    EXPECT_TRUE(all[1].m_aFindings.empty());
    EXPECT_EQ(SslComputeLayout(set, 1, &capas).m_aFindings.size(), 1u);
    EXPECT_EQ(SslComputeLayout(set, 1).m_sFold.str(), "Prg 2, Tray 1");
    EXPECT_THROW(SslComputeLayout(set, 0), std::out_of_range);
}

}  // namespace
