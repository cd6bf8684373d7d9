// SslComputeLayout: medium, print placement, stamps, fold and findings of file entries.
#include "ssl2/layout/SslLayout.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "ssl2/capas/RCStatementInfluencingCapas.h"
#include "ssl2/set/RCSslSet.h"

namespace {

// One plotter: a 600 mm roll (ordinal 0), an A3 drawer (1), a manual bypass (2),
// paper only, a folder with fold program 2 and a front tray.
constexpr const char* kLabPlotter = R"(
[default]
name=Lab
[trayinfo]
traycount=3
traywidth1=600
traylength1=50000
mediamain1=paper
traytype1=roll
traywidth2=297
traylength2=420
mediamain2=paper
traytype2=cutsheet
traywidth3=914
traylength3=1189
mediamain3=paper
traytype3=manual
[folderoutputtrayinfo]
traycount=1
trayindex1=1
trayname1=Folder front
[foldprograminfo]
programcount=3
programnumber0=0
programcapas0=3
programnumber1=1
programcapas1=3
programnumber2=2
programcapas2=3
programname2=190 / 20
)";

/// The lab plotter's capabilities, or with "auto" its merge with a plotter of no trays.
RCStatementInfluencingCapaRefined LabCapas(const std::string& name = "Lab") {
    RCStatementInfluencingCapas all;
    EXPECT_TRUE(all.AddPlotter(kLabPlotter));
    EXPECT_TRUE(all.AddPlotter("[default]\nname=Bare\n"));
    return all.GetRefinedCapas(name);
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

/// A box as "x y width x height", in millimetres.
std::string Box(const RSSslBox& box) {
    std::ostringstream out;
    out << box.m_dX << ' ' << box.m_dY << ' ' << box.m_dWidth << 'x' << box.m_dHeight;
    return out.str();
}

/// The geometry of a layout in one line: medium, print, media length and the flags.
std::string Geometry(const RSSslLayout& l) {
    static const char* const kMedium[] = {"own", "roll", "sheet"};
    std::ostringstream out;
    out << kMedium[l.m_eMedium] << ' ' << l.m_dMediumWidth << 'x' << l.m_dMediumLength << ", print "
        << Box(l.m_Print) << ", " << l.m_dMediaLength << " mm"
        << (l.m_bTurnedToFit ? ", turned" : "") << (l.m_bFits ? "" : ", does not fit");
    return out.str();
}

TEST(SslLayoutTest, MediumAndPlacement) {
    struct Row {
        const char* name;
        std::string statements;
        bool capas;
        const char* geometry;
    };
    const std::string a1 = kA1File;
    const Row rows[] = {
        {"zoom percent of the file's own size", a1 + "Zoom 50 50", false,
         "own 297x420.5, print 0 0 297x420.5, 420.5 mm"},
        {"Rotate 90 swaps", a1 + "Zoom 50 50\nRotate 90", false,
         "own 420.5x297, print 0 0 420.5x297, 297 mm"},
        {"a fixed output size is not zoomed again", "OutputSize a1\nZoom 50 50", false,
         "own 594x841, print 0 0 594x841, 841 mm"},
        {"window, proportional and format forms", "OutputSize Proportional 100.5 50.25", false,
         "own 100.5x50.25, print 0 0 100.5x50.25, 50.25 mm"},
        {"unknown size counts as A4", "", false, "own 210x297, print 0 0 210x297, 297 mm"},
        {"margins surround the print",
         "OutputSize a4\nMargin top 10\n\t+ left 5\n\t+ bottom 20\n\t+ right 15", false,
         "own 230x327, print 5 10 210x297, 327 mm"},
        {"a strip on the roll uses its length", "OutputSize Window 300 2000", true,
         "roll 600x2000, print 150 0 300x2000, 2000 mm"},
        {"pages and copies multiply the roll length",
         "OutputSize Window 300 200\nCopies 2\nFileInfo 0x0 0x0 0x0 0x0 0x0 0x3", true,
         "roll 600x200, print 150 0 300x200, 1200 mm"},
        {"MediaPosition rightcenter on the roll",
         "OutputSize Window 300 200\nMediaPosition rightcenter", true,
         "roll 600x200, print 300 0 300x200, 200 mm"},
        {"Rotate auto turns a wide print to fit the roll", "OutputSize Window 841 594", true,
         "roll 600x841, print 3 0 594x841, 841 mm, turned"},
        {"Rotate 0 keeps it wide: does not fit", "OutputSize Window 841 594\nRotate 0", true,
         "roll 600x594, print 0 0 841x594, 594 mm, does not fit"},
        {"OutputBin selects the sheet tray, centred", "OutputSize a4\nOutputBin Bin 1", true,
         "sheet 297x420, print 43.5 61.5 210x297, 420 mm"},
        {"MediaPosition upperleft on a sheet",
         "OutputSize a4\nOutputBin Bin 1\nMediaPosition upperleft", true,
         "sheet 297x420, print 0 0 210x297, 420 mm"},
        {"larger than every tray: the largest, not fitting", "OutputSize Window 1000 2000", true,
         "sheet 914x1189, print 0 0 1000x2000, 1189 mm, does not fit"},
    };
    const RCStatementInfluencingCapaRefined capas = LabCapas();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const RSSslLayout l =
            SslComputeLayout(OneFile(row.statements), 1, row.capas ? &capas : nullptr);
        EXPECT_EQ(Geometry(l), row.geometry);
        EXPECT_EQ(l.m_nSetCopies, 2u);
    }
    const RCStatementInfluencingCapaRefined merged = LabCapas("auto");  // the largest tray only
    EXPECT_EQ(Geometry(SslComputeLayout(OneFile("OutputSize a4"), 1, &merged)),
              "sheet 914x1189, print 352 446 210x297, 1189 mm");
}

TEST(SslLayoutTest, StampsAtTheirPositions) {
    // A 200 x 100 mm print; "AB" at 72 pt is 25.4 mm high and 30.48 mm wide.
    const std::string ab = "Text \"AB\"\n\t+ FontSize 72\n\t+ Position ";
    const struct {
        std::string stamp;
        const char* box;  // box, rotation, label
    } rows[] = {
        {ab + "upperleft\n\t+ Distance 5.0", "5 5 30.48x25.4, 0, AB"},
        {ab + "bottomright\n\t+ Distance 5.0", "164.52 69.6 30.48x25.4, 0, AB"},
        {ab + "centercenter\n\t+ Rotate 45", "84.76 37.3 30.48x25.4, 45, AB"},
        {ab + "upperleft Coordinate 10.0 20.0", "10 20 30.48x25.4, 0, AB"},
        {"Bmp \"C:\\stamps\\seal.bmp\"\n\t+ Position uppercenter", "90 0 20x20, 0, seal.bmp"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stamp);
        const RSSslLayout l =
            SslComputeLayout(OneFile("OutputSize Window 200 100\nStamp " + row.stamp), 1);
        ASSERT_EQ(l.m_aStamps.size(), 1u);
        const RSSslStampBox& s = l.m_aStamps[0];
        EXPECT_EQ(Box(s.m_Box) + ", " + std::to_string(s.m_nRotate) + ", " + s.m_sLabel.str(),
                  row.box);
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
