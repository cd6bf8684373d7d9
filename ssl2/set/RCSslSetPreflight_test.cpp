// Preflight of a job against plotter capabilities, and fitting the job to them.
#include <gtest/gtest.h>

#include "ssl2/SSLStatements/SslStatements.h"
#include "ssl2/capas/RCStatementInfluencingCapas.h"
#include "ssl2/set/RCSslSet.h"

namespace {

// A monochrome cut-sheet plotter (A3 drawer as tray ordinal 0, a manual bypass),
// two output trays, no folder, dialect 4.0.
constexpr const char* kSheetPlotter = R"(
[default]
name=Sheet
version=4.0
[globals]
plotterclass=1
[trayinfo]
traycount=2
traywidth1=297
traylength1=420
mediamain1=paper
traytype1=cutsheet
trayname1=Drawer
traywidth2=297
traylength2=420
mediamain2=film
traytype2=manual
trayname2=Bypass
[outputtrayinfo]
traycount=2
trayindex1=1
trayname1=Top
trayindex2=3
trayname2=Rear
)";

RCStatementInfluencingCapaRefined SheetCapas() {
    RCStatementInfluencingCapas all;
    EXPECT_TRUE(all.AddPlotter(kSheetPlotter));
    return all.GetRefinedCapas("Sheet");
}

SslSize Format(std::uint32_t family, std::uint32_t format) {
    SslSize size;
    size.SetSizeType(SslSize::kFormat);
    size.SetFormatName(family);
    size.SetFormat(format);
    return size;
}

/// A job entry and one file entry that fits the sheet plotter.
RCSslSet FittingJob() {
    RCSslSet set;
    RCSslEntry job;
    job.SetVersion(3);  // 4.0
    set.AddEntry(job);
    RCSslEntry file = job;
    file.SetIsEntry(1);
    file.SetName("a.plt");
    file.SetMediaType(1);
    file.SetOutputSize(Format(0, 3));  // A3
    file.SetColorDepth(1);
    file.SetOutputTray(3);
    file.SetOutputBinNo(0);
    set.AddEntry(file);
    return set;
}

std::vector<TSslStatementID> Statements(const std::vector<RSSslFinding>& findings) {
    std::vector<TSslStatementID> ids;
    for (const RSSslFinding& f : findings)
        ids.push_back(f.m_nStatement);
    return ids;
}

TEST(PreflightTest, EveryUnfitValueIsReportedAndFittedSoThatTheJobPasses) {
    RCSslSet set = FittingJob();
    EXPECT_TRUE(set.Preflight(SheetCapas()).empty());
    // Capabilities that say nothing judge nothing.
    EXPECT_TRUE(set.Preflight(RCStatementInfluencingCapaRefined()).empty());
    set.GetEntry(0).SetVersion(4);  // 5.0
    RCSslEntry& job = set.GetEntry(0);
    job.SetNesting(1);
    job.SetNestingQuantity(4);
    RCSslEntry& file = set.GetEntry(1);
    file.SetMediaType(3);              // transparent: no tray holds it
    file.SetOutputSize(Format(0, 1));  // A1: larger than A3
    file.SetColorDepth(64);            // colour on a monochrome plotter
    file.SetOutputTray(2);             // front: not among 1 and 3
    file.SetOutputBinNo(5);            // no tray of ordinal 5
    file.SetFoldPrg(3);                // no folder programs
    const RCStatementInfluencingCapaRefined capas = SheetCapas();

    const std::vector<RSSslFinding> findings = set.Preflight(capas);
    EXPECT_EQ(Statements(findings),
              (std::vector<TSslStatementID>{kId_SslNesting, kId_SslVersion, kId_SslColorDepth,
                                            kId_SslOutputSize, kId_SslMediaType, kId_SslOutputTray,
                                            kId_SslFold, kId_SslOutputBin}));
    EXPECT_EQ(findings[0].m_sMessage, "nesting needs a roll");
    EXPECT_EQ(findings[1].m_sValue, "5.0");
    EXPECT_EQ(findings[1].m_sOffered, "4.0 and older");
    EXPECT_EQ(findings[2].m_sOffered, "1");
    EXPECT_EQ(findings[3].m_sValue, "DIN A1 (594 x 841 mm)");
    EXPECT_EQ(findings[4].m_sOffered, "dontcare, paper, film");
    EXPECT_EQ(findings[5].m_sOffered, "auto, default \"Top\", rear \"Rear\"");
    EXPECT_EQ(findings[7].m_sOffered, "auto, Bin 0 \"Drawer\", manual");
    EXPECT_EQ(findings[7].m_nEntry, 1);

    const std::vector<RSSslSubstitution> fixes = set.FitToCapabilities(capas);
    EXPECT_EQ(fixes.size(), findings.size());
    EXPECT_TRUE(set.Preflight(capas).empty());
    EXPECT_EQ(set.GetEntry(0).GetNesting(), 0u);
    EXPECT_EQ(set.GetEntry(0).GetVersion(), 3u);
    EXPECT_EQ(file.GetMediaType(), 0u);
    EXPECT_EQ(file.GetOutputSize(), Format(0, 3));
    EXPECT_EQ(file.GetColorDepth(), 1u);
    EXPECT_EQ(file.GetOutputTray(), 0u);
    EXPECT_EQ(file.GetFoldPrg(), -1);
    // The drawer holds the fitted A3 print.
    EXPECT_EQ(file.GetOutputBin(), 2u);
    EXPECT_EQ(file.GetOutputBinNo(), 0u);
}

TEST(PreflightTest, FilesInheritingAnUnfitJobValueAreReportedOnceWithTheJob) {
    RCSslSet set;
    RCSslEntry job;
    job.SetMediaType(4);  // film
    set.AddEntry(job);
    for (int i = 0; i < 3; ++i) {
        RCSslEntry file = job;
        file.SetIsEntry(1);
        set.AddEntry(file);
    }
    set.GetEntry(2).SetMediaType(3);  // a different unfit value: its own finding
    RCStatementInfluencingCapas all;
    ASSERT_TRUE(
        all.AddPlotter("[default]\nname=P\n[trayinfo]\ntraycount=1\nmediamain1=paper\n"
                       "traytype1=roll\ntraywidth1=900\ntraylength1=50000\n"));
    const std::vector<RSSslFinding> findings = set.Preflight(all.GetRefinedCapas("auto"));
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings[0].m_nEntry, 0);
    EXPECT_EQ(findings[1].m_nEntry, 2);
    EXPECT_EQ(findings[1].m_sValue, "transparent");
}

TEST(PreflightTest, ColourDepthFromTheFileInformation) {
    RCSslSet set = FittingJob();
    RCSslEntry& file = set.GetEntry(1);
    file.SetColorDepth(0);
    file.SetFileInfoColor(256);  // CMYK: a colour file
    const std::vector<RSSslFinding> findings = set.Preflight(SheetCapas());
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].m_sValue, "64 (PCM_CMYK of FileInfo)");
    file.SetFileInfoColor(1);
    EXPECT_TRUE(set.Preflight(SheetCapas()).empty());
}

}  // namespace
