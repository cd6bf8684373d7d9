// Delivery, normalisation and queue hand-off of the twenty-file example when system
// calls fail, when the process is killed at any point, when the file system has no
// hard links, and when two deliveries of one job race: whatever a consumer of the
// target directories can see under a final name is whole, and every failure is
// reported.
//
// The suite's runs are short: every call fails once with one of the errors, the
// competing delivery starts at each of the first calls (where the job directory is
// claimed) and at every eighth after.  SSL2_LONG=1 tries every error at
// every call and every call for the competitor; SSL2_CRASH_RUNS and SSL2_CRASH_SEED
// set the number and seed of the kill runs (scripts/crash-delivery.sh runs them
// long).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <string>

#include "ssl2/base/ILog.h"
#include "ssl2/base/TException.h"
#include "ssl2/base/TFileOps.h"
#include "ssl2/set/RCSslSet.h"
#include "ssl2/set/RCSslSetDelivery.h"
#include "tests/support/DeliverySupport.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using SslDeliveryTest::ReadFile;
using TFileOps::RCFaultScope;
using TFileOps::RSFaultPlan;

constexpr auto kVersion = SslStatement::kVersion50;
constexpr int kErrors[] = {ENOSPC, EACCES, EPERM, EXDEV, EIO};
const std::string kJob = "Tower B - permit set";

unsigned long EnvCount(const char* name, unsigned long fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::strtoul(value, nullptr, 10) : fallback;
}

const bool kLong = EnvCount("SSL2_LONG", 0) != 0;

/// Contents of the job's files by name.
using Sources = std::map<std::string, std::string>;

class FaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        // On tmpfs when there is one: every copy is synced, and these tests deliver
        // thousands of times.
        const bool shm = fs::is_directory("/dev/shm") && ::access("/dev/shm", W_OK) == 0;
        m_root = ssl2::test::MakeTempDir("ssl2_faults_",
                                         shm ? fs::path("/dev/shm") : fs::temp_directory_path());
        m_Set = MakeExample("in", "", m_Sources);
    }
    void TearDown() override {
        fs::remove_all(m_root);
        ClearError();
    }

    /// The twenty-file example with its files in `dir`, their contents starting
    /// with `mark`; every seventh file spans several writes.
    RCSslSet MakeExample(const std::string& dir, const std::string& mark, Sources& sources) {
        const std::string ticket = SslDeliveryTest::TwentyFileTicket(m_root / dir);
        fs::create_directories(m_root / dir);
        auto write = [&](const std::string& name, const std::string& contents) {
            sources[name] = contents;
            std::ofstream(m_root / dir / name, std::ios::binary) << contents;
        };
        write("pens.ctb", mark + "pens");
        write("logo.bmp", mark + "logo");
        for (int i = 1; i <= 20; ++i) {
            std::string contents = mark + "plot " + std::to_string(i);
            if (i % 7 == 0)
                contents.resize(70000, static_cast<char>('a' + i));
            write(TString::Format("B-%03d.plt", i).str(), contents);
        }
        const fs::path path = m_root / (dir + ".ssl");
        std::ofstream(path, std::ios::binary) << ticket;
        RCSslSet set;
        EXPECT_EQ(set.ParseSsl(path.string(), 300), 21);
        fs::remove(path);
        return set;
    }

    /// The raw-job form of the example for the queue: its support files and a
    /// ".job" file.
    RCSslSet MakeRawJob() {
        RCSslSet set(m_Set);
        set.GetEntry(0).SetPlotRaw(1);
        m_Sources["order.job"] = "job";
        std::ofstream(m_root / "in" / "order.job") << "job";
        set.GetEntry(0).AddSupportFile((m_root / "in" / "order.job").string());
        return set;
    }

    /// Every file below `dir` under a final name is a whole source file of that
    /// name (tickets and "latest.num" aside); counts the temporary files.
    ::testing::AssertionResult NothingPartial(const fs::path& dir, int& temporaries,
                                              const Sources* sources = nullptr) const {
        sources = sources != nullptr ? sources : &m_Sources;
        for (auto it = fs::recursive_directory_iterator(dir);
             it != fs::recursive_directory_iterator(); ++it) {
            const std::string name = it->path().filename().string();
            if (!it->is_regular_file() || it->path().extension() == ".ssl" || name == "latest.num")
                continue;
            if (SslDelivery::IsTemporaryName(name)) {
                ++temporaries;
                continue;
            }
            const auto source = sources->find(name);
            if (source == sources->end() || ReadFile(it->path()) != source->second)
                return ::testing::AssertionFailure() << it->path() << " is not a whole file";
        }
        return ::testing::AssertionSuccess();
    }

    /// The ticket reads to its end, and every file it names is whole.
    ::testing::AssertionResult TicketComplete(const fs::path& ticket,
                                              const Sources* sources = nullptr) const {
        sources = sources != nullptr ? sources : &m_Sources;
        RCSslSet set;
        if (set.ParseSsl(ticket.string(), 300) != 21 || !set.ParsedTilEnd())
            return ::testing::AssertionFailure() << ticket << " is not a whole ticket";
        std::vector<fs::path> named;
        for (std::uint32_t f = 0; f < set.GetEntry(0).GetSupportFileCount(); ++f)
            named.emplace_back(set.GetEntry(0).GetSupportFile(f).str());
        for (int i = 1; i < set.Size(); ++i) {
            named.push_back(fs::path(set.GetEntry(i).GetDirectory().str()) /
                            set.GetEntry(i).GetName().str());
        }
        if (named.size() != 22)
            return ::testing::AssertionFailure() << ticket << " names " << named.size() << " files";
        for (const fs::path& file : named) {
            const auto source = sources->find(file.filename().string());
            if (source == sources->end() || !fs::exists(file) || ReadFile(file) != source->second)
                return ::testing::AssertionFailure() << ticket << ": " << file << " is not whole";
        }
        return ::testing::AssertionSuccess();
    }

    /// A fresh, empty directory `name` below the test directory.
    fs::path Fresh(const std::string& name) const {
        fs::remove_all(m_root / name);
        fs::create_directories(m_root / name);
        return m_root / name;
    }

    /// A fresh target "out" that serves as a queue too (its number file made).
    fs::path FreshTarget() const {
        const fs::path out = Fresh("out");
        std::ofstream(out / "latest.num") << "00000001\r\n";
        return out;
    }

    /// The counted file operations (of the kinds in `ops`) of `work` run without
    /// faults.
    static std::uint64_t CountCalls(const std::function<void()>& work,
                                    unsigned ops = TFileOps::kAllOps) {
        RSFaultPlan plan;
        plan.m_nAt = ~std::uint64_t(0);
        plan.m_nOps = ops;
        RCFaultScope scope(plan);
        work();
        return scope.Calls();
    }

    std::uint32_t Deliver(const RCSslSet& original, const fs::path& out, unsigned overwrite) {
        RCSslSet set(original);
        return set.PlotSsl(out.string(), RCAccessSsl(), "", kVersion, nullptr, overwrite);
    }

    /// Every entry of the test directory outside the target "out", with its contents.
    SslDeliveryTest::TreeSnapshot Outside() const {
        SslDeliveryTest::TreeSnapshot tree = SslDeliveryTest::Snapshot(m_root);
        std::erase_if(tree, [](const auto& entry) { return entry.first.starts_with("out"); });
        return tree;
    }

    /// What a consumer of `out` can see: every entry with its contents, except the
    /// queue's "latest.num", whose number a failed hand-off has used up.
    static SslDeliveryTest::TreeSnapshot Target(const fs::path& out) {
        SslDeliveryTest::TreeSnapshot tree = SslDeliveryTest::Snapshot(out);
        tree.erase("latest.num");
        return tree;
    }

    fs::path m_root;
    Sources m_Sources;
    RCSslSet m_Set;
    RCCaptureLog m_log;
    RCScopedLog m_scope{&m_log};
};

/// Runs `work` in a child process that is killed with SIGKILL at its `at`-th file
/// operation, or, with `at` 0, by this process after `delay`.  True when it was
/// killed (not when it finished first).
bool RunKilled(const std::function<void()>& work, std::uint64_t at,
               std::chrono::microseconds delay) {
    const pid_t child = ::fork();
    if (child == 0) {
        RSFaultPlan plan;
        plan.m_nAt = at;
        plan.m_fnInstead = [] { ::raise(SIGKILL); };
        RCFaultScope scope(plan);
        work();
        ::_exit(0);
    }
    if (at == 0) {
        ::usleep(static_cast<useconds_t>(delay.count()));
        ::kill(child, SIGKILL);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

// Each counted call of a delivery and a normalisation fails in turn with each errno
// (ENOSPC for good: a full disk stays full).  A failed delivery leaves its target as
// it was: a fresh one, one with another ticket, one holding an earlier delivery of the
// job that lost two files.
TEST_F(FaultTest, EveryInjectedFaultIsReportedAndLeavesOnlyWholeFiles) {
    struct Operation {
        const char* name;
        std::function<bool(const fs::path&)> run;  ///< true when it reports success
        std::function<bool(const fs::path&)> complete;
        std::function<void(const fs::path&)> prepare = [](const fs::path&) {};
        bool keepsTargetOnFailure = true;
        /// It replaces a ticket, which cannot be taken back once renamed: a failure
        /// of the last call (the directory sync) leaves the new delivery whole.
        bool replacesTicket = false;
    };
    const Operation operations[] = {
        {"deliver", [&](const fs::path& out) { return Deliver(m_Set, out, 0) == 21; },
         [&](const fs::path& out) { return TicketComplete(out / (kJob + ".ssl")); },
         [](const fs::path& out) { std::ofstream(out / "earlier.ssl") << "an earlier ticket"; }},
        {"redeliver", [&](const fs::path& out) { return Deliver(m_Set, out, 1) == 21; },
         [&](const fs::path& out) { return TicketComplete(out / (kJob + ".ssl")); },
         [&](const fs::path& out) {
             ASSERT_EQ(Deliver(m_Set, out, 0), 21u);
             fs::remove(out / kJob / "B-005.plt");
             fs::remove(out / kJob / "B-017.plt");
         },
         true, true},
        {"normalize",
         [&](const fs::path& out) {
             RCSslSet set(m_Set);
             const bool ok = RCSslSet::NormalizeSsl(&set, out.string(), 0).empty();
             try {
                 set.WriteSsl((out / "n.ssl").string(), RCAccessSsl(), kVersion);
             } catch (const TException& e) {
                 g_ptheLogfile()->Write(1, e.what());
                 ClearError();
                 return false;
             }
             return ok;
         },
         [&](const fs::path& out) { return TicketComplete(out / "n.ssl"); }, [](const fs::path&) {},
         false},
    };
    auto prepared = [&](const Operation& operation) {
        const fs::path out = Fresh("out");
        operation.prepare(out);
        return out;
    };
    for (const Operation& operation : operations) {
        fs::path sample = prepared(operation);
        // The directories are synced: the job's, where it was made, the ticket's.
        EXPECT_GE(CountCalls([&] { operation.run(sample); }, TFileOps::Bit(TFileOps::kFsyncDir)),
                  2u)
            << operation.name;
        sample = prepared(operation);
        const std::uint64_t calls = CountCalls([&] { operation.run(sample); });
        ASSERT_GT(calls, 10u) << operation.name;
        ASSERT_TRUE(operation.complete(m_root / "out")) << operation.name;
        const auto outside = Outside();
        int temporaries = 0;
        for (std::uint64_t at = 1; at <= calls; ++at) {
            for (std::size_t e = 0; e < std::size(kErrors); ++e) {
                const int error = kErrors[(at + e) % std::size(kErrors)];
                if (!kLong && e > 0)
                    break;
                const fs::path out = prepared(operation);
                const auto before = Target(out);
                RCCaptureLog log;
                RCScopedLog scope(&log);
                bool ok = false;
                {
                    RSFaultPlan plan;
                    plan.m_nAt = at;
                    plan.m_nError = error;
                    plan.m_bSticky = error == ENOSPC;
                    RCFaultScope faults(plan);
                    ok = operation.run(out);
                    ASSERT_TRUE(faults.Fired());
                }
                const std::string where = std::string(operation.name) + " call " +
                                          std::to_string(at) + " " + std::strerror(error);
                // A success is whole; a failure is logged and takes back what it added.
                if (ok) {
                    EXPECT_TRUE(operation.complete(out)) << where;
                } else {
                    EXPECT_GT(SslDeliveryTest::Severe(log), 0) << where;
                    if (operation.replacesTicket && at == calls) {
                        EXPECT_TRUE(operation.complete(out)) << where;
                    } else if (operation.keepsTargetOnFailure) {
                        EXPECT_EQ(Target(out), before) << where;
                    }
                }
                EXPECT_TRUE(NothingPartial(out, temporaries)) << where;
                if (::testing::Test::HasFailure())
                    return;
            }
        }
        EXPECT_EQ(temporaries, 0) << operation.name;
        EXPECT_EQ(Outside(), outside) << operation.name;
    }
}

// A file system without hard links and without a rename that refuses to replace
// (FAT, exFAT, SMB): delivery, normalisation and export still work, and still
// never replace what is there.
TEST_F(FaultTest, WithoutHardLinksNothingIsReplacedAndAllIsDelivered) {
    for (const int linkError : {EPERM, EOPNOTSUPP}) {
        RSFaultPlan plan;
        plan.m_anAlways[TFileOps::kLink] = linkError;
        plan.m_anAlways[TFileOps::kRenameNoReplace] = EINVAL;
        RCFaultScope faults(plan);

        const fs::path out = Fresh("out");
        EXPECT_EQ(Deliver(m_Set, out, 0), 21u);
        EXPECT_TRUE(TicketComplete(out / (kJob + ".ssl")));
        EXPECT_EQ(Deliver(m_Set, out, 0), 21u);
        EXPECT_TRUE(TicketComplete(out / (kJob + "1.ssl")));
        EXPECT_EQ(Deliver(m_Set, out, 1), 21u);
        int temporaries = 0;
        EXPECT_TRUE(NothingPartial(out, temporaries));
        EXPECT_EQ(temporaries, 0);
        const fs::path existing = out / kJob / "B-001.plt";
        std::ofstream(existing) << "kept";
        EXPECT_FALSE(SslDelivery::CopyFileAtomically((m_root / "in" / "B-002.plt").string(),
                                                     existing.string(), false));
        EXPECT_EQ(ReadFile(existing), "kept");

        RCSslSet set(m_Set);
        const fs::path norm = Fresh("norm");
        std::ofstream(norm / "B-003.plt") << "other";
        EXPECT_TRUE(RCSslSet::NormalizeSsl(&set, norm.string(), 0).empty());
        EXPECT_EQ(ReadFile(norm / "B-003.plt"), "other");
        EXPECT_EQ(ReadFile(norm / "B-003_1.plt"), m_Sources["B-003.plt"]);

        EXPECT_EQ(RCSslSet(m_Set).ToCfg(Fresh("cfg").string()), 40);  // collated, two sets
        EXPECT_EQ(ReadFile(m_root / "cfg" / "02-20-B-020.plt"), m_Sources["B-020.plt"]);
    }
    EXPECT_EQ(SslDeliveryTest::Severe(m_log), 0);
}

// Killed anywhere, a delivery or queue hand-off leaves whole files, a ticket or
// ".job" file only beside all its files, and temporary files that a rerun ignores.
// A rerun that fails then leaves all that as it found it, and one that succeeds
// completes the job.
TEST_F(FaultTest, KilledAnywhereLeavesWholeFilesAndARerunCompletes) {
    const unsigned long runs = EnvCount("SSL2_CRASH_RUNS", 24);
    std::mt19937_64 random(EnvCount("SSL2_CRASH_SEED", 20261206));
    const RCSslSet raw = MakeRawJob();
    const auto outside = Outside();

    struct Handoff {
        const char* name;
        std::function<void(const fs::path&)> run;
        std::function<bool(const fs::path&)> rerun;
        std::function<bool(const fs::path&)> visible;  ///< the ticket or ".job" is there
        std::function<::testing::AssertionResult(const fs::path&)> whole;
    };
    auto queueDirs = [](const fs::path& out) {
        std::vector<fs::path> dirs;
        for (const auto& dir : fs::directory_iterator(out))
            if (dir.is_directory())
                dirs.push_back(dir.path());
        return dirs;
    };
    const Handoff handoffs[] = {
        {"deliver", [&](const fs::path& out) { Deliver(m_Set, out, 0); },
         [&](const fs::path& out) { return Deliver(m_Set, out, 1) == 21; },
         [&](const fs::path& out) { return fs::exists(out / (kJob + ".ssl")); },
         [&](const fs::path& out) { return TicketComplete(out / (kJob + ".ssl")); }},
        {"queue", [&](const fs::path& out) { raw.PlotCopydockJob(out.string()); },
         [&](const fs::path& out) { return raw.PlotCopydockJob(out.string()) == 20; },
         [&](const fs::path& out) {
             for (const fs::path& dir : queueDirs(out))
                 if (fs::exists(dir / "order.job"))
                     return true;
             return false;
         },
         [&](const fs::path& out) {
             for (const fs::path& dir : queueDirs(out)) {
                 if (fs::exists(dir / "order.job") &&
                     !(fs::exists(dir / "pens.ctb") && fs::exists(dir / "logo.bmp")))
                     return ::testing::AssertionFailure() << dir << " has its .job too early";
             }
             return ::testing::AssertionSuccess();
         }},
    };
    for (const Handoff& handoff : handoffs) {
        const auto start = std::chrono::steady_clock::now();
        const std::uint64_t calls = CountCalls([&] { handoff.run(FreshTarget()); });
        const auto took = std::chrono::duration_cast<std::chrono::microseconds>(
            std::chrono::steady_clock::now() - start);
        int killed = 0, temporaries = 0;
        for (unsigned long run = 0; run < runs; ++run) {
            const fs::path out = FreshTarget();
            // Half the runs die at a chosen file operation, half after a time.
            const std::uint64_t at = run % 2 == 0 ? 1 + random() % (calls + 1) : 0;
            const auto delay = std::chrono::microseconds(random() % (2 * took.count() + 1));
            killed += RunKilled([&] { handoff.run(out); }, at, delay) ? 1 : 0;
            const std::string where = std::string(handoff.name) + " run " + std::to_string(run);
            if (handoff.visible(out)) {
                EXPECT_TRUE(handoff.whole(out)) << where;
            }
            EXPECT_TRUE(NothingPartial(out, temporaries)) << where;
            const auto afterKill = Target(out);
            bool failedRerun = false;
            {
                RSFaultPlan plan;
                plan.m_nAt = 1 + random() % calls;
                RCFaultScope faults(plan);
                failedRerun = !handoff.rerun(out);
            }
            if (failedRerun) {
                EXPECT_EQ(Target(out), afterKill) << where << ": the failed rerun";
            }
            EXPECT_TRUE(handoff.rerun(out)) << where;
            EXPECT_TRUE(handoff.whole(out)) << where;
            int ignored = 0;
            EXPECT_TRUE(NothingPartial(out, ignored)) << where;
            if (::testing::Test::HasFailure())
                return;
        }
        EXPECT_GT(killed, 0) << handoff.name;
    }
    EXPECT_EQ(Outside(), outside);
}

// Two deliveries of one job into one place without overwrite, the second one run at
// every file operation of the first: both are delivered, and no ticket names a file
// of the other.
TEST_F(FaultTest, TwoDeliveriesOfOneJobNeverMix) {
    Sources other;
    const RCSslSet second = MakeExample("other", "second ", other);
    // A delivery that finds its name taken meanwhile moves on to the next one: both
    // are delivered, whenever the second one starts.
    const std::uint64_t calls = CountCalls([&] { Deliver(m_Set, Fresh("out"), 0); });
    for (std::uint64_t at = 1; at <= calls; at += kLong || at < 16 ? 1 : 8) {
        const fs::path out = Fresh("out");
        RCCaptureLog log;
        RCScopedLog scope(&log);
        std::uint32_t secondResult = 0;
        std::uint32_t firstResult = 0;
        {
            RSFaultPlan plan;
            plan.m_nAt = at;
            plan.m_fnInstead = [&] { secondResult = Deliver(second, out, 0); };
            RCFaultScope faults(plan);
            firstResult = Deliver(m_Set, out, 0);
        }
        EXPECT_TRUE(firstResult != 0 && secondResult != 0) << "call " << at;
        int tickets = 0;
        for (const auto& file : fs::directory_iterator(out)) {
            if (file.path().extension() == ".ssl") {
                ++tickets;
                EXPECT_TRUE(TicketComplete(file.path()) || TicketComplete(file.path(), &other))
                    << "call " << at << ": " << file.path();
            }
        }
        EXPECT_EQ(tickets, 2) << "call " << at;
    }
}

}  // namespace
