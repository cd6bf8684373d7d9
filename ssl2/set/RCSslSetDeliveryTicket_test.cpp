#include <gtest/gtest.h>

#include <string>

#include "ssl2/set/RCSslSet.h"
#include "tests/support/DeliverySupport.h"

namespace {

using SslDeliveryTest::Changes;
using SslDeliveryTest::Snapshot;
using SslDeliveryTest::TreeSnapshot;

constexpr auto kVersion = SslStatement::kVersion50;

using PlotSslTicket = SslDeliveryTest::TempDirTest;

// The twenty-file example ticket, its files made in the temporary tree: the
// delivery makes exactly the job directory and the SSL file, and the written
// ticket is the set with every path pointing into the job directory.
TEST_F(PlotSslTicket, TwentyFileExampleTicket) {
    MakeDir("out");
    const TString ticketPath =
        Write("ticket.ssl", SslDeliveryTest::TwentyFileTicket(Path("in").str()));
    Write("in/pens.ctb", "pens");
    Write("in/logo.bmp", "logo");
    for (int i = 1; i <= 20; ++i)
        Write(TString::Format("in/B-%03d.plt", i).str(), TString::Format("plot %d", i).str());

    RCSslSet set;
    ASSERT_EQ(set.ParseSsl(ticketPath, 300), 21);
    ASSERT_TRUE(set.ParsedTilEnd());
    const RCSslSet original = set;
    const auto before = Snapshot(m_root);
    TString sslPath;
    RCSslSet written;
    EXPECT_EQ(set.PlotSsl(Path("out"), RCAccessSsl(), "", kVersion, &sslPath, 0, &written), 21u);

    const std::string job = "Tower B - permit set";
    const TString jobDir = Path("out/" + job);
    EXPECT_EQ(sslPath, Path("out/" + job + ".ssl"));
    TreeSnapshot expected{{"out/" + job, "dir"},
                          {"out/" + job + "/pens.ctb", "file:pens"},
                          {"out/" + job + "/logo.bmp", "file:logo"}};
    for (int i = 1; i <= 20; ++i) {
        expected[TString::Format("out/%s/B-%03d.plt", job.c_str(), i).str()] =
            TString::Format("file:plot %d", i).str();
    }
    auto changes = Changes(before, Snapshot(m_root));
    ASSERT_EQ(changes.count("out/" + job + ".ssl"), 1u);
    changes.erase("out/" + job + ".ssl");
    EXPECT_EQ(changes, expected);
    EXPECT_TRUE(m_log.Contains(
        2, "RCSslSet::PlotSsl has copy the sslname: " + sslPath + "sslDirname: " + job));
    EXPECT_FALSE(m_log.Contains(1, ""));

    // The SSL file is the rewritten copy, notes flattened to one line.
    EXPECT_EQ(SslDeliveryTest::ReadFile(sslPath.str()),
              written.ToString(RCAccessSsl(), kVersion, 1).str());

    // Apart from the paths, all pointing into the job directory, the delivered set is
    // the one given.
    RCSslSet expectedSet = original;
    expectedSet.GetEntry(0).SetDirectory(jobDir);
    expectedSet.GetEntry(0).RemoveAllSupportFiles();
    expectedSet.GetEntry(0).AddSupportFile(jobDir + "/pens.ctb");
    expectedSet.GetEntry(0).AddSupportFile(jobDir + "/logo.bmp");
    for (int i = 1; i < expectedSet.Size(); ++i)
        expectedSet.GetEntry(i).SetDirectory(jobDir);
    EXPECT_TRUE((written == expectedSet).bEqual);
    // The set delivered from is unchanged.
    EXPECT_TRUE((set == original).bEqual);
}

}  // namespace
