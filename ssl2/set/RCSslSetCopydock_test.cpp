#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ssl2/base/TException.h"
#include "ssl2/set/RCSslSet.h"
#include "tests/support/DeliverySupport.h"

namespace {

using SslDeliveryTest::Changes;
using SslDeliveryTest::Snapshot;
using SslDeliveryTest::TreeSnapshot;
namespace fs = std::filesystem;

class CopydockTest : public SslDeliveryTest::TempDirTest {
protected:
    /// A raw job (PlotRaw `raw`) with the given support files and `files` file entries.
    RCSslSet MakeRawJob(unsigned int raw, const std::vector<TString>& supportFiles, int files = 2) {
        RCSslSet set;
        RCSslEntry job(0);
        job.SetJobName("Raw job");
        job.SetPlotRaw(raw);
        for (const TString& f : supportFiles)
            job.AddSupportFile(f);
        set.AddEntry(job);
        for (int i = 0; i < files; ++i)
            set.AddEntry(RCSslEntry(job, 1));
        return set;
    }
};

TEST_F(CopydockTest, DeliversSupportFilesIntoTheNextQueueDirectory) {
    Write("q/latest.num", "00000005\r\n");
    const RCSslSet set = MakeRawJob(
        1, {Write("in/a.txt", "a"), Write("in/ticket.job", "job"), Write("in/b.dat", "b")});
    const auto before = Snapshot(m_root);
    EXPECT_EQ(set.PlotCopydockJob(Path("q")), 2u);
    EXPECT_EQ(Changes(before, Snapshot(m_root)),
              (TreeSnapshot{{"q/latest.num", "file:00000006\r\n"},
                            {"q/00000005", "dir"},
                            {"q/00000005/a.txt", "file:a"},
                            {"q/00000005/b.dat", "file:b"},
                            {"q/00000005/ticket.job", "file:job"}}));
}

// A job that is not raw, and a raw job without a ".job" file, claim no directory.
TEST_F(CopydockTest, WithoutARawJobFileNoDirectoryIsClaimed) {
    Write("q/latest.num", "00000005\r\n");
    const RCSslSet notRaw = MakeRawJob(0, {Write("in/ticket.job", "job")});
    const RCSslSet noJobFile = MakeRawJob(1, {Write("in/a.txt", "a"), Write("in/b.JOB.txt", "b")});
    const auto before = Snapshot(m_root);
    EXPECT_EQ(notRaw.PlotCopydockJob(Path("q")), 0u);
    EXPECT_EQ(noJobFile.PlotCopydockJob(Path("q/")), 0u);
    EXPECT_EQ(Snapshot(m_root), before);
    EXPECT_TRUE(m_log.Contains(1,
                               "RCSslSet::PlotCopydockJob(...) there was no job file in the "
                               "ssl. Job name: Raw job"));
}

TEST_F(CopydockTest, ErrorsAreLoggedAndReportedAsNothingDelivered) {
    struct Row {
        const char* what;
        bool numberFile;
        bool missingSupportFile;
    } rows[] = {{"no latest.num", false, false}, {"a support file is missing", true, true}};
    for (const Row& r : rows) {
        fs::remove_all(m_root / "q");
        MakeDir("q");
        if (r.numberFile)
            Write("q/latest.num", "00000001\r\n");
        RCSslSet set = MakeRawJob(1, {Write("in/ticket.job", "job")});
        if (r.missingSupportFile)
            set.GetEntry(0).AddSupportFile(Path("in/missing.txt"));
        m_log.Clear();
        EXPECT_EQ(set.PlotCopydockJob(Path("q")), 0u) << r.what;
        EXPECT_TRUE(m_log.Contains(1,
                                   "RCSslSet::PlotCopydockJob(...) got an error and didn' "
                                   "write the jobticket for job: Raw job. Error: "))
            << r.what;
        // The claimed directory is taken back; the number stays used.
        EXPECT_FALSE(fs::exists(m_root / "q/00000001")) << r.what;
        if (r.numberFile) {
            EXPECT_EQ(Read("q/latest.num"), "00000002\r\n") << r.what;
        }
    }
    RCSslSet empty;
    EXPECT_EQ(empty.PlotCopydockJob(Path("q")), 0u);
    EXPECT_EQ(GetErrorString(), "");
}

}  // namespace
