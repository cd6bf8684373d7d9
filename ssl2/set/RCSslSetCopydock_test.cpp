#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ssl2/base/TException.h"
#include "ssl2/set/RCSslSet.h"
#include "tests/support/DeliverySupport.h"

namespace {

using SslDeliveryTest::Snapshot;

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

// A job that is not raw, and a raw job without a ".job" file, claim no directory
// and raise nothing.
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
    EXPECT_EQ(GetErrorString(), "") << "a job that is not raw raises nothing";
}

}  // namespace
