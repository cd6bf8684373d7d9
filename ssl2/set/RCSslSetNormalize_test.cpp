#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "ssl2/base/ILog.h"
#include "ssl2/base/RCUncPath2LocalPath.h"
#include "ssl2/base/TException.h"
#include "ssl2/set/RCSslSet.h"
#include "tests/support/DeliverySupport.h"

namespace {

using SslDeliveryTest::Snapshot;
using SslDeliveryTest::TreeSnapshot;
namespace fs = std::filesystem;

using NormalizeTest = SslDeliveryTest::TempDirTest;

TEST_F(NormalizeTest, ProfilesAndStampsAreGatheredAndCounted) {
    RCSslSet set = MakeJob({{"a", "plan.plt"}, {"b", "plan2.plt"}});
    RCSslEntry& first = set.GetEntry(1);
    first.SetScanColorProfileSource(2);
    first.SetScanColorProfileName(Write("p/scan.icc", "scan"));
    first.SetPlotColorProfileSource(1);
    first.SetPlotColorProfileName(Write("norm/plot.icc", "plot"));  // already there
    first.AddStamp(SslSingleStamp());
    first.SetStampBmp(0, Write("s/rev.bmp", "rev"));
    RCSslEntry& second = set.GetEntry(2);
    second.SetScanColorProfileSource(4);
    second.SetScanColorProfileName(Path("p/scan.icc"));  // the same profile again
    second.SetPlotColorProfileSource(0);                 // not from the ticket: left alone
    second.SetPlotColorProfileName(Path("p/ignored.icc"));

    EXPECT_TRUE(RCSslSet::NormalizeSsl(&set, Path("norm"), 1).empty());
    EXPECT_EQ(first.GetScanColorProfileName(), Path("norm/scan.icc"));
    EXPECT_EQ(first.GetPlotColorProfileName(), Path("norm/plot.icc"));
    EXPECT_EQ(first.GetStampBmp(0), Path("norm/rev.bmp"));
    // One file named twice is copied once.
    EXPECT_EQ(second.GetScanColorProfileName(), Path("norm/scan.icc"));
    EXPECT_EQ(second.GetPlotColorProfileName(), Path("p/ignored.icc"));
    // The purge kept every file the job uses.
    TreeSnapshot norm;
    for (const auto& [path, what] : Snapshot(m_root / "norm"))
        norm[path] = what;
    EXPECT_EQ(norm, (TreeSnapshot{{"plan.plt", "file:a/plan.plt"},
                                  {"plan2.plt", "file:b/plan2.plt"},
                                  {"plot.icc", "file:plot"},
                                  {"rev.bmp", "file:rev"},
                                  {"scan.icc", "file:scan"}}));
}

TEST_F(NormalizeTest, PurgeDeletesOnlyUnusedFilesInsideTheDirectory) {
    RCSslSet set = MakeJob({{"norm", "plot.plt"}, {"norm", "keep.tif"}});
    set.GetEntry(1).SetFileEmulation(6);  // HPGL: its ".mtf" companion is used too
    Write("norm/plot.mtf", "metafile");
    Write("norm/stale.tif", "stale");
    Write("norm/.hidden", "hidden");
    Write("norm/back\\slash.tif", "unused: the entry itself goes, not \"slash.tif\"");
    MakeDir("norm/subdir");
    Write("norm/subdir/inner.tif", "inner");
    const TString victim = Write("outside/victim.tif", "victim");
    fs::create_symlink(victim.str(), m_root / "norm" / "link.tif");

    const auto errors = RCSslSet::NormalizeSsl(&set, Path("norm"), 1);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(Snapshot(m_root), (TreeSnapshot{{"norm", "dir"},
                                              {"norm/plot.plt", "file:norm/plot.plt"},
                                              {"norm/keep.tif", "file:norm/keep.tif"},
                                              {"norm/plot.mtf", "file:metafile"},
                                              {"norm/subdir", "dir"},
                                              {"norm/subdir/inner.tif", "file:inner"},
                                              {"outside", "dir"},
                                              {"outside/victim.tif", "file:victim"}}));
    for (const char* name : {"stale.tif", ".hidden", "link.tif", "back\\slash.tif"}) {
        EXPECT_TRUE(m_log.Contains(
            3, "RCSslSet::NormalizeSsl deletes file : " + Path(std::string("norm/") + name)))
            << name;
    }
}

// Names are compared as listed, links not followed: a link to a used file goes and
// the file stays, whichever is listed first; a used name that is a link keeps its
// target.
TEST_F(NormalizeTest, PurgeComparesLinksAsThemselves) {
    // "norm/": the directory spelt as in a ticket normalized before.
    RCSslSet set = MakeJob({{"norm", "plan.tif"}, {"norm/", "used.tif"}});
    fs::remove(m_root / "norm" / "used.tif");
    Write("norm/target.tif", "target");
    fs::create_symlink(m_root / "norm" / "target.tif", m_root / "norm" / "used.tif");
    fs::create_symlink(m_root / "norm" / "plan.tif", m_root / "norm" / "0-alias.tif");
    fs::create_symlink("plan.tif", m_root / "norm" / "z-alias.tif");

    EXPECT_TRUE(RCSslSet::NormalizeSsl(&set, Path("norm"), 1).empty());
    EXPECT_EQ(
        Snapshot(m_root),
        (TreeSnapshot{{"norm", "dir"},
                      {"norm/plan.tif", "file:norm/plan.tif"},
                      {"norm/target.tif", "file:target"},
                      {"norm/used.tif", "link:" + (m_root / "norm" / "target.tif").string()}}));
}

TEST_F(NormalizeTest, FailuresAreCollectedAndTheRestGoesOn) {
    RCSslSet set = MakeJob({{"a", "missing.tif"}, {"a", "present.tif"}});
    fs::remove(m_root / "a/missing.tif");
    set.GetEntry(2).AddStamp(SslSingleStamp());
    set.GetEntry(2).SetStampBmp(0, Path("a/missing.bmp"));
    const auto errors = RCSslSet::NormalizeSsl(&set, Path("norm"), 0);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_TRUE(errors[0].IsError());
    EXPECT_TRUE(errors[1].IsError());
    EXPECT_TRUE(m_log.Contains(1, "RCSslSet::NormalizeSsl got an Exception while copy file :"));
    EXPECT_TRUE(m_log.Contains(1, "RCSslSet::SslCopyFile got an Exception while copy file :"));
    // The paths are rewritten all the same; the stamp keeps its path.
    EXPECT_EQ(set.GetEntry(1).GetDirectory(), Path("norm/"));
    EXPECT_EQ(set.GetEntry(2).GetStampBmp(0), Path("a/missing.bmp"));
    EXPECT_EQ(Read("norm/present.tif"), "a/present.tif");
    ClearError();
}

TEST(UNCPaths2Locals, MapsFileDirectoriesAndStampsOnly) {
    RCUncPath2LocalPath::ClearMappings();
    ASSERT_NE(RCUncPath2LocalPath::AddMapping("\\\\plotsrv\\jobs", "/srv/jobs"), 0);
    RCSslSet jobOnly;
    RCSslEntry job(0);
    job.SetDirectory("\\\\plotsrv\\jobs\\j");
    jobOnly.AddEntry(job);
    RCSslSet::UNCPaths2Locals(jobOnly);
    EXPECT_EQ(jobOnly.GetEntry(0).GetDirectory(), "\\\\plotsrv\\jobs\\j");

    RCSslSet set = jobOnly;
    RCSslEntry file(job, 1);
    file.SetDirectory("\\\\plotsrv\\jobs\\a");
    file.SetPlotColorProfileName("\\\\plotsrv\\jobs\\p.icc");
    file.AddStamp(SslSingleStamp());
    file.AddStamp(SslSingleStamp());
    file.SetStampBmp(0, "//plotsrv/jobs/s.bmp");
    file.SetStampBmp(1, "\\\\other\\share\\t.bmp");
    set.AddEntry(file);
    RCSslSet::UNCPaths2Locals(set);
    EXPECT_EQ(set.GetEntry(0).GetDirectory(), "\\\\plotsrv\\jobs\\j");
    EXPECT_EQ(set.GetEntry(1).GetDirectory(), "/srv/jobs/a");
    EXPECT_EQ(set.GetEntry(1).GetPlotColorProfileName(), "\\\\plotsrv\\jobs\\p.icc");
    EXPECT_EQ(set.GetEntry(1).GetStampBmp(0), "/srv/jobs/s.bmp");
    EXPECT_EQ(set.GetEntry(1).GetStampBmp(1), "\\\\other\\share\\t.bmp");
    RCUncPath2LocalPath::ClearMappings();
}

}  // namespace
