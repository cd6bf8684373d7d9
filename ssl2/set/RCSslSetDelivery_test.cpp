#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ssl2/base/ILog.h"
#include "ssl2/base/TException.h"
#include "ssl2/set/RCSslSet.h"
#include "tests/support/DeliverySupport.h"

namespace {

using SslDeliveryTest::Snapshot;
namespace fs = std::filesystem;

constexpr auto kVersion = SslStatement::kVersion50;

class PlotSslTest : public SslDeliveryTest::TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        MakeDir("out");
    }
};

TEST_F(PlotSslTest, JobNamesBecomeDirectoryNames) {
    struct Row {
        const char* job;
        unsigned int keepJobName;
        const char* dir;
        const char* jobNameAfter;
    } rows[] = {
        // Replacing reserved characters alone does not count as a change of name.
        {"a:b?", 0, "a_b_", "a:b?"},
        {". .", 0, "JH_SET", "JH_SET"},
        {". .", 1, "JH_SET", ". ."},
        {"Plan. ", 0, "Plan", "Plan"},
    };
    for (const Row& r : rows) {
        fs::remove_all(m_root / "out");
        MakeDir("out");
        RCSslSet set = MakeJob({{"in", "a.plt"}}, r.job);
        RCSslSet written;
        TString sslPath;
        EXPECT_EQ(set.PlotSsl(Path("out"), RCAccessSsl(), "", kVersion, &sslPath, 0, &written,
                              nullptr, 0, r.keepJobName),
                  2u)
            << r.job;
        EXPECT_EQ(sslPath, Path(std::string("out/") + r.dir + ".ssl")) << r.job;
        // The ticket is the rewritten set, notes flattened to one line.
        EXPECT_EQ(Read(std::string("out/") + r.dir + ".ssl"),
                  written.ToString(RCAccessSsl(), kVersion, 1).str());
        EXPECT_TRUE(m_log.Contains(
            2, "RCSslSet::PlotSsl has copy the sslname: " + sslPath + "sslDirname: " + r.dir));
        EXPECT_EQ(Read(std::string("out/") + r.dir + "/a.plt"), "in/a.plt") << r.job;
        EXPECT_EQ(set.GetEntry(0).GetJobName(), r.jobNameAfter) << r.job;
        EXPECT_EQ(written.GetEntry(0).GetJobName(), r.jobNameAfter) << r.job;
    }
}

TEST_F(PlotSslTest, ClashingNamesAreNumberedUnlessOverwriting) {
    MakeDir("out/Plan");
    MakeDir("out/Plan1");
    Write("out/Plan1/a.plt", "old");
    RCSslSet set = MakeJob({{"in", "a.plt"}}, "Plan");
    TString sslPath;
    EXPECT_EQ(set.PlotSsl(Path("out"), RCAccessSsl(), "", kVersion, &sslPath), 2u);
    EXPECT_EQ(sslPath, Path("out/Plan2.ssl"));
    EXPECT_EQ(Read("out/Plan2/a.plt"), "in/a.plt");
    EXPECT_EQ(set.GetEntry(0).GetJobName(), "Plan2");

    // An SSL file of the name clashes too; a suffix is replaced by the counter.
    Write("out/Job-x.ssl", "old ticket");
    RCSslSet suffixed = MakeJob({{"in", "b.plt"}});
    EXPECT_EQ(suffixed.PlotSsl(Path("out"), RCAccessSsl(), "-x", kVersion, &sslPath), 2u);
    EXPECT_EQ(sslPath, Path("out/Job1.ssl"));
    EXPECT_EQ(Read("out/Job-x.ssl"), "old ticket");

    // Overwriting reuses the name and replaces the files in it.
    RCSslSet again = MakeJob({{"in", "a.plt"}}, "Plan");
    Write("in/a.plt", "new");
    Write("out/Plan/a.plt", "older");
    EXPECT_EQ(again.PlotSsl(Path("out"), RCAccessSsl(), "", kVersion, &sslPath, 1), 2u);
    EXPECT_EQ(sslPath, Path("out/Plan.ssl"));
    EXPECT_EQ(Read("out/Plan/a.plt"), "new");
    EXPECT_EQ(again.GetEntry(0).GetJobName(), "Plan");
}

TEST_F(PlotSslTest, ClientFileCachingAndBaseDirectory) {
    RCSslSet set = MakeJob({{"in", "a.plt"}, {"in", "b.plt"}}, "Cached");
    set.GetEntry(0).SetClientFileCaching(1);
    set.GetEntry(1).SetClientFileCaching(1);
    set.GetEntry(1).SetScanColorProfileSource(4);
    set.GetEntry(1).SetScanColorProfileName(Write("p/scan.icc", "scan"));
    set.GetEntry(1).AddStamp(SslSingleStamp());
    set.GetEntry(1).SetStampBmp(0, Write("p/s.bmp", "s"));

    RCSslSet written;
    EXPECT_EQ(set.PlotSsl(Path("out"), RCAccessSsl(), "", kVersion, nullptr, 0, &written), 3u);
    const RCSslEntry& cached = written.GetEntry(1);
    EXPECT_EQ(cached.GetDirectory(), Path("in"));
    EXPECT_EQ(cached.GetScanColorProfileName(), Path("out/Cached/scan.icc"));
    EXPECT_EQ(cached.GetStampBmp(0), Path("out/Cached/s.bmp"));
    EXPECT_FALSE(fs::exists(m_root / "out/Cached/a.plt"));
    EXPECT_FALSE(fs::exists(m_root / "out/Cached/scan.icc"));
    EXPECT_FALSE(fs::exists(m_root / "out/Cached/s.bmp"));
    EXPECT_EQ(Read("out/Cached/b.plt"), "in/b.plt");

    // With a base directory caching is off: every file is delivered there and marked
    // for deletion after processing; the SSL file stays in the target directory.
    const TString base = Path("base");
    TString sslPath;
    EXPECT_EQ(set.PlotSsl(Path("out"), RCAccessSsl(), "", kVersion, &sslPath, 1, &written, &base),
              3u);
    EXPECT_EQ(sslPath, Path("out/Cached.ssl"));
    EXPECT_EQ(Read("base/Cached/a.plt"), "in/a.plt");
    EXPECT_EQ(Read("base/Cached/scan.icc"), "scan");
    EXPECT_EQ(written.GetEntry(0).GetClientFileCaching(), 0u);
    EXPECT_EQ(written.GetEntry(1).GetDirectory(), Path("base/Cached"));
    EXPECT_EQ(written.GetEntry(1).GetDeleteFileAfterProcessing(), 1u);
    EXPECT_EQ(written.GetEntry(2).GetDeleteFileAfterProcessing(), 1u);
}

TEST_F(PlotSslTest, NothingIsDeliveredWhenThereIsNoJobOrNoJobDirectory) {
    const auto before = Snapshot(m_root);
    RCSslSet empty;
    EXPECT_EQ(empty.PlotSsl(Path("out"), RCAccessSsl(), "", kVersion), 0u);
    EXPECT_EQ(Snapshot(m_root), before);

    RCSslSet set = MakeJob({{"in", "a.plt"}});
    Write("blocker", "a file where the base directory should be");
    const TString base = Path("blocker");
    const auto withSources = Snapshot(m_root);
    EXPECT_EQ(set.PlotSsl(Path("out"), RCAccessSsl(), "", kVersion, nullptr, 0, nullptr, &base),
              0u);
    EXPECT_TRUE(m_log.Contains(
        1, "RCSslSet::PlotSsl could not create the target directory: " + base + "/Job"));
    EXPECT_EQ(Snapshot(m_root), withSources);

    // A link in place of the job directory is not followed.
    MakeDir("elsewhere");
    fs::create_directory_symlink(m_root / "elsewhere", m_root / "out" / "Job");
    const auto withLink = Snapshot(m_root);
    EXPECT_EQ(set.PlotSsl(Path("out"), RCAccessSsl(), "", kVersion, nullptr, 1), 0u);
    EXPECT_EQ(Snapshot(m_root), withLink);
}

TEST_F(PlotSslTest, CopyFailuresAreLoggedAndNoTicketIsWritten) {
    RCSslSet set = MakeJob({{"in", "a.plt"}, {"in", "b.plt"}});
    fs::remove(m_root / "in/a.plt");
    set.GetEntry(0).AddSupportFile(Path("in/missing.ctb"));  // silently dropped
    set.GetEntry(2).AddStamp(SslSingleStamp());
    set.GetEntry(2).SetStampBmp(0, Path("in/missing.bmp"));
    RCSslSet written;
    TString sslPath = "untouched";
    EXPECT_EQ(set.PlotSsl(Path("out"), RCAccessSsl(), "", kVersion, &sslPath, 0, &written), 0u);
    EXPECT_EQ(SslDeliveryTest::Severe(m_log), 3);
    EXPECT_TRUE(m_log.Contains(1, "RCSslSet::PlotSsl has an exception in (Image) Copy( " +
                                      Path("in/a.plt") + " , " + Path("out/Job/a.plt") +
                                      " ) Message is: "));
    EXPECT_TRUE(m_log.Contains(1, "RCSslSet::PlotSsl has an exception in (Stamp) Copy( " +
                                      Path("in/missing.bmp") + " , "));
    EXPECT_TRUE(m_log.Contains(1, "RCSslSet::PlotSsl did not write the ssl file " +
                                      Path("out/Job.ssl") + ": 2 file(s) could not be copied"));
    // A consumer never sees a ticket whose files are missing.
    EXPECT_FALSE(fs::exists(m_root / "out/Job.ssl"));
    EXPECT_EQ(sslPath, "untouched");
    EXPECT_EQ(written.Size(), 0);
    // Nor a job directory without its ticket: what the delivery made is taken back
    // (a failed redelivery keeps what was there: RCSslSetFaults_test.cpp).
    EXPECT_FALSE(fs::exists(m_root / "out/Job"));
}

}  // namespace
