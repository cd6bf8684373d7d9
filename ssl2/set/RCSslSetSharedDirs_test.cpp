// RCSslSet::PlotSsl, NormalizeSsl, PlotCopydockJob and ToCfg in directories that
// others share: same-named files, FIFOs, names a ticket cannot hold, a directory
// swapped for a link midway, purges, the per-file report and the umask.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ssl2/base/ILog.h"
#include "ssl2/base/TException.h"
#include "ssl2/base/TFileOps.h"
#include "ssl2/set/RCSslSet.h"
#include "tests/support/DeliverySupport.h"

namespace {

using SslDeliveryTest::Changes;
using SslDeliveryTest::Snapshot;
using SslDeliveryTest::TreeSnapshot;
namespace fs = std::filesystem;

constexpr auto kVersion = SslStatement::kVersion50;

class SharedDirTest : public SslDeliveryTest::TempDirTest {
protected:
    /// A job "Job" with one file entry per "dir/name" (made unless `make` is false),
    /// reporting into m_Reports.
    RCSslSet MakeSet(const std::vector<std::string>& files, bool make = true) {
        std::vector<std::pair<std::string, std::string>> entries;
        for (const fs::path file : files)
            entries.emplace_back(file.parent_path().string(), file.filename().string());
        RCSslSet set = MakeJob(entries, "Job", make);
        Watch(set);
        return set;
    }
    /// Keeps the outcome and target name of each file `set` reports in m_Reports.
    void Watch(RCSslSet& set) {
        set.SetFileReporter([this](const RSFileReport& r) {
            m_Reports.push_back(std::to_string(r.m_nOutcome) + " " +
                                fs::path(r.m_sTarget.str()).filename().string());
        });
    }
    std::uint32_t Deliver(RCSslSet& set, unsigned overwrite = 0, RCSslSet* written = nullptr) {
        return set.PlotSsl(Path("out"), RCAccessSsl(), "", kVersion, nullptr, overwrite, written);
    }
    /// How many reports have `outcome`.
    int Count(RSFileReport::TOutcome outcome) const {
        int n = 0;
        for (const std::string& r : m_Reports)
            n += r.rfind(std::to_string(outcome) + " ", 0) == 0 ? 1 : 0;
        return n;
    }

    std::vector<std::string> m_Reports;
};

// Two different files of one name get two names and the ticket names each; one file
// named twice is copied once.  For deliveries and the queue alike (normalisations:
// RCSslSetNormalize_test.cpp).
TEST_F(SharedDirTest, DifferentFilesOfOneNameNeverBecomeOne) {
    MakeDir("out");
    RCSslSet set = MakeSet({"a/plan.plt", "b/plan.plt", "a/plan.plt"});
    RCSslSet written;
    ASSERT_EQ(Deliver(set, 0, &written), 4u);
    EXPECT_EQ(Read("out/Job/plan.plt"), "a/plan.plt");
    EXPECT_EQ(Read("out/Job/plan_1.plt"), "b/plan.plt");
    EXPECT_EQ(written.GetEntry(2).GetName(), "plan_1.plt");
    EXPECT_EQ(written.GetEntry(3).GetName(), "plan.plt");
    EXPECT_EQ(Count(RSFileReport::kCopied), 2);
    EXPECT_EQ(Count(RSFileReport::kSkipped), 1);

    RCSslSet raw = MakeSet({});
    raw.GetEntry(0).SetPlotRaw(1);
    for (const char* file : {"a/pens.ctb", "b/pens.ctb", "a/order.job"})
        raw.GetEntry(0).AddSupportFile(Write(file, file));
    Write("q/latest.num", "00000007\r\n");
    TString queueDir;
    ASSERT_EQ(raw.PlotCopydockJob(Path("q"), &queueDir, 0.0), 0u);
    EXPECT_EQ(queueDir, Path("q/00000007/"));
    EXPECT_EQ(Read("q/00000007/pens_1.ctb"), "b/pens.ctb");
}

// A FIFO named as a file is refused at once (never opened blocking), and the
// delivery reports it as failed.
TEST_F(SharedDirTest, ASourceThatIsNoRegularFileFailsWithoutHanging) {
    MakeDir("in");
    MakeDir("out");
    ASSERT_EQ(::mkfifo(Path("in/pipe.plt").c_str(), 0600), 0);
    RCSslSet set = MakeSet({"in/pipe.plt"}, false);
    EXPECT_EQ(Deliver(set), 0u);
    EXPECT_EQ(Count(RSFileReport::kFailed), 1);
    EXPECT_TRUE(m_log.Contains(1, "not a regular file"));
}

// A name a ticket cannot carry (a quote, a line break) or the system calls cannot
// take (a NUL) is refused at delivery, not delivered under another name.
TEST_F(SharedDirTest, NamesThatCannotReachTheTicketOrTheSystemAreRefused) {
    MakeDir("out");
    const std::string names[] = {"q\"q.plt", "a\nb.plt", "a\rb.plt",
                                 std::string("x.plt\0.bak", 10)};
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        m_Reports.clear();
        Write("in/x.plt", "x");
        RCSslSet set = MakeSet({}, false);
        RCSslEntry entry(set.GetEntry(0), 1);
        entry.SetDirectory(Path("in"));
        entry.SetName(TString(name));
        set.AddEntry(entry);
        const auto before = Snapshot(m_root);
        EXPECT_EQ(Deliver(set), 0u);
        EXPECT_EQ(Count(RSFileReport::kFailed), 1);
        EXPECT_EQ(Snapshot(m_root), before);
    }
    EXPECT_THROW(
        MakeSet({}).WriteSsl(TString(std::string("x.ssl\0.bak", 10)), RCAccessSsl(), kVersion),
        TException);
    EXPECT_FALSE(fs::exists(m_root / "x.ssl"));
    ClearError();
}

// Names, profiles, bitmaps, support files, a job name and a suffix that try to leave
// the directories, delivered, gathered and queued: only the target changes, each
// readable file arrives under the last component of its name, and every path of the
// result names an entry right in the target.  Names that lead to directories make
// the operation fail, still without a change outside the target.
TEST_F(SharedDirTest, HostileNamesWriteNothingOutsideTheTarget) {
    const std::map<std::string, std::string> sources = {
        {"x", "dotdot"},    {"passwd", "etc"}, {"ctl\x01\x1f.plt", "control"},
        {"sup.ctb", "sup"}, {"t.job", "job"},  {"p.icc", "profile"},
        {"s.bmp", "stamp"}};
    for (const auto& [name, contents] : sources)
        Write((name == "passwd"        ? "in/a/b/etc/"
               : name.find("ctl") == 0 ? "in/a/b/"
                                       : "in/") +
                  name,
              contents);
    const std::string delivered = "out/.._.._evil_.._.._up";
    const struct {
        const char* what;
        std::string target;                  ///< the only directory that may change
        std::function<bool(RCSslSet&)> run;  ///< true when it reports success
        bool rewritesPaths;                  ///< the set afterwards names the copies
    } rows[] = {
        {"deliver", delivered,
         [&](RCSslSet& set) {
             RCSslSet written;
             const bool ok = set.PlotSsl(Path("out"), RCAccessSsl(), "/../../up", kVersion, nullptr,
                                         1, &written);
             set = written;
             return ok;
         },
         true},
        {"normalize", "norm",
         [&](RCSslSet& set) { return RCSslSet::NormalizeSsl(&set, Path("norm"), 1).empty(); },
         true},
        {"queue", "q", [&](RCSslSet& set) { return set.PlotCopydockJob(Path("q")) != 0; }, false},
    };
    const auto inTarget = [&](const TString& path, const std::string& target) {
        const fs::path normal = fs::path(path.str()).lexically_normal();
        return normal.parent_path() == m_root / target &&
               normal.filename().string().find('\\') == std::string::npos;
    };
    for (const auto& row : rows) {
        for (const bool directories : {false, true}) {
            SCOPED_TRACE(std::string(row.what) + (directories ? " with directory names" : ""));
            fs::remove_all(m_root / "out");
            fs::remove_all(m_root / "norm");
            fs::remove_all(m_root / "q");
            MakeDir("out");
            Write("q/latest.num", "00000001\r\n");
            RCSslSet set = MakeSet({}, false);
            RCSslEntry job = set.GetEntry(0);
            job.SetJobName("../../evil");
            job.SetPlotRaw(1);
            job.AddSupportFile(Path("in/a/b/../../sup.ctb"));
            job.AddSupportFile(Path("in\\a\\b\\..\\..\\t.job"));
            std::vector<const char*> names = {"../../x", "/etc/passwd", "ctl\x01\x1f.plt"};
            if (directories) {
                names.insert(names.end(), {"a\\..\\..\\b", "..", ""});
                job.AddSupportFile(Path("in/a/.."));
            }
            set.GetEntry(0) = job;
            for (const char* name : names) {
                RCSslEntry file(job, 1);
                file.SetDirectory(Path("in/a/b"));
                file.SetName(name);
                file.SetPlotColorProfileSource(1);
                file.SetPlotColorProfileName(Path("in/a/b/..\\..\\p.icc"));
                file.AddStamp(SslSingleStamp());
                file.SetStampBmp(0, Path("in/a/b/../../s.bmp"));
                set.AddEntry(file);
            }
            const auto before = Snapshot(m_root);
            const bool ok = row.run(set);
            ClearError();
            EXPECT_EQ(ok, !directories);
            for (const auto& [path, what] : Changes(before, Snapshot(m_root))) {
                EXPECT_EQ(path.rfind(row.target, 0), 0u) << path << " " << what;
                const auto source = sources.find(fs::path(path).filename().string());
                if (what.rfind("file:", 0) == 0 && source != sources.end()) {
                    EXPECT_EQ(what, "file:" + source->second) << path;
                }
            }
            if (directories || !row.rewritesPaths)
                continue;
            for (std::uint32_t f = 0;
                 row.target == delivered && f < set.GetEntry(0).GetSupportFileCount(); ++f)
                EXPECT_TRUE(inTarget(set.GetEntry(0).GetSupportFile(f), row.target));
            for (int i = 1; i < set.Size(); ++i) {
                const RCSslEntry& e = set.GetEntry(i);
                EXPECT_TRUE(inTarget(e.GetDirectory() + "/" + e.GetName(), row.target))
                    << e.GetName();
                EXPECT_TRUE(inTarget(e.GetPlotColorProfileName(), row.target));
                EXPECT_TRUE(inTarget(e.GetStampBmp(0), row.target));
            }
            EXPECT_TRUE(fs::exists(m_root / row.target / "x"));
            EXPECT_TRUE(fs::exists(m_root / row.target / "p.icc"));
            EXPECT_FALSE(fs::exists(m_root / row.target / "p_1.icc")) << "one file named twice";
        }
    }
}

// The job directory swapped for a link to another directory while the files are
// copied: everything goes on in the directory that was made, nothing outside
// changes.
TEST_F(SharedDirTest, AJobDirectorySwappedForALinkLeadsNothingElsewhere) {
    MakeDir("out");
    MakeDir("elsewhere");
    Write("elsewhere/keep", "keep");
    RCSslSet set = MakeSet({"in/a.plt", "in/b.plt", "in/c.plt"});
    const auto before = Snapshot(m_root / "elsewhere");
    TFileOps::RSFaultPlan plan;
    plan.m_nAt = 6;  // as the second file is opened
    plan.m_nOps = TFileOps::Bit(TFileOps::kOpen);
    plan.m_fnInstead = [&] {
        fs::rename(m_root / "out/Job", m_root / "moved");
        fs::create_directory_symlink(m_root / "elsewhere", m_root / "out/Job");
    };
    {
        TFileOps::RCFaultScope faults(plan);
        Deliver(set);
        ASSERT_TRUE(faults.Fired());
    }
    EXPECT_EQ(Snapshot(m_root / "elsewhere"), before);
    EXPECT_EQ(Read("moved/c.plt"), "in/c.plt");
}

// A purge runs only after every file was gathered, never removes the ticket the job
// was read from, and names each file it removes.
TEST_F(SharedDirTest, PurgeRemovesOnlyWhatTheJobDoesNotUseAfterACompleteGathering) {
    Write("norm/stale.plt", "stale");
    const TString ticket = Write("norm/job.ssl", "BeginJob \"noname\"\r\nEndJob\r\n");
    // The job as read from the ticket in the directory, with the files named.
    auto job = [&](const std::vector<std::string>& files) {
        RCSslSet set;
        EXPECT_EQ(set.ParseSsl(ticket, 300), 1);
        const RCSslSet named = MakeSet(files, false);
        for (int i = 1; i < named.Size(); ++i)
            set.AddEntry(named.GetEntry(i));
        Watch(set);
        return set;
    };
    Write("in/a.plt", "a");
    RCSslSet failing = job({"in/a.plt", "in/gone.plt"});
    EXPECT_FALSE(RCSslSet::NormalizeSsl(&failing, Path("norm"), 1).empty());
    EXPECT_TRUE(fs::exists(m_root / "norm/stale.plt")) << "purged after a failed gathering";
    fs::remove(m_root / "norm/a.plt");

    RCSslSet set = job({"in/a.plt"});
    m_Reports.clear();
    EXPECT_TRUE(RCSslSet::NormalizeSsl(&set, Path("norm"), 1).empty());
    EXPECT_EQ(m_Reports, (std::vector<std::string>{"0 a.plt", "3 stale.plt"}));
    EXPECT_TRUE(fs::exists(m_root / "norm/job.ssl"));
    EXPECT_FALSE(fs::exists(m_root / "norm/stale.plt"));
}

// Tickets, ".cfg" files and copies are created as the umask allows, not 0644; a
// file that is not printed gets no ".cfg" file; a data file that cannot be copied
// gets none either.
TEST_F(SharedDirTest, ExportsAndTicketsTakeTheUmaskAndOnlyPrintedFilesGetACfg) {
    MakeDir("out");
    MakeDir("cfg");
    const mode_t umask = ::umask(077);
    RCSslSet set = MakeSet({"in/a.plt", "in/off.plt", "in/gone.plt"});
    ::chmod(Path("in/a.plt").c_str(), 0666);
    fs::remove(m_root / "in/gone.plt");
    set.GetEntry(2).SetPlotIt(0);
    EXPECT_THROW(set.ToCfg(Path("cfg")), TException);
    ClearError();
    EXPECT_EQ(Snapshot(m_root / "cfg"),
              (TreeSnapshot{{"01-a.cfg", "file:" + set.GetEntry(1).ToCfg().str()},
                            {"01-a.plt", "file:in/a.plt"}}));
    EXPECT_EQ(fs::status(m_root / "cfg/01-a.cfg").permissions(), fs::perms(0600));

    set.RemoveEntry(3);
    ASSERT_EQ(Deliver(set), 3u);
    ::umask(umask);
    EXPECT_EQ(fs::status(m_root / "out/Job.ssl").permissions(), fs::perms(0600));
}

}  // namespace
