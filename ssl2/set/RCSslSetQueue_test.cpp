#include <gtest/gtest.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "ssl2/base/TException.h"
#include "ssl2/base/TFile.h"
#include "ssl2/set/RCSslSetDelivery.h"
#include "tests/support/DeliverySupport.h"

namespace {

using SslDelivery::ClaimQueueDirectory;
using SslDeliveryTest::TempDirTest;
namespace fs = std::filesystem;

class QueueClaim : public TempDirTest {};

TEST_F(QueueClaim, FollowsTheNumberFileAndSkipsExistingDirectories) {
    struct Row {
        const char* number;                 // first line of latest.num
        std::vector<const char*> existing;  // "name/": a file of that name
        const char* claimed;                // directory handed out
        const char* after;                  // latest.num afterwards
    } rows[] = {
        {"00000005\r\n", {}, "00000005", "00000006\r\n"},
        {"00000005\r\n", {"00000005", "00000006"}, "00000007", "00000008\r\n"},
        {"", {}, "00000001", "00000002\r\n"},
        {"abc\r\n", {}, "abc", "00000001\r\n"},
        {"99999999", {}, "99999999", "100000000\r\n"},
        // 64 bits: past 2^32 the counter goes on instead of wrapping.
        {"4294967296\r\n", {}, "4294967296", "4294967297\r\n"},
        // Old contents longer than the new line leave nothing of themselves behind.
        {"0000000000007\r\nsecond line\r\n", {}, "0000000000007", "00000008\r\n"},
        // A file of the name is passed over like a directory.
        {"00000003\r\n", {"00000003/"}, "00000004", "00000005\r\n"},
        // Names that are not one directory entry are passed over, never used.
        {"..\r\n", {}, "00000001", "00000002\r\n"},
        {"../../escape\r\n", {}, "00000001", "00000002\r\n"},
        {"a\\..\\..\\b\r\n", {}, "00000001", "00000002\r\n"},
    };
    for (const Row& r : rows) {
        fs::remove_all(m_root / "q");
        Write("q/latest.num", r.number);
        for (std::string dir : r.existing) {
            if (dir.back() == '/')
                Write("q/" + dir.substr(0, dir.size() - 1), "a file");
            else
                MakeDir("q/" + dir);
        }
        const auto before = SslDeliveryTest::Snapshot(m_root);
        EXPECT_EQ(ClaimQueueDirectory(Path("q"), true), Path("q/" + std::string(r.claimed) + "/"))
            << "number file: " << r.number;
        EXPECT_EQ(Read("q/latest.num"), r.after) << "number file: " << r.number;
        auto changes = SslDeliveryTest::Changes(before, SslDeliveryTest::Snapshot(m_root));
        changes.erase("q/latest.num");
        EXPECT_EQ(changes, (SslDeliveryTest::TreeSnapshot{{"q/" + std::string(r.claimed), "dir"}}))
            << "number file: " << r.number;
    }
}

TEST_F(QueueClaim, WithoutCreateOnlyTheNumberAdvances) {
    Write("q/latest.num", "00000041\r\n");
    EXPECT_EQ(ClaimQueueDirectory(Path("q/"), false), Path("q/00000041/"));
    EXPECT_FALSE(fs::exists(m_root / "q" / "00000041"));
    EXPECT_EQ(ClaimQueueDirectory(Path("q\\"), false), Path("q/00000042/"));
    EXPECT_EQ(Read("q/latest.num"), "00000043\r\n");
}

TEST_F(QueueClaim, MissingNumberFileFailsAndAHeldOneIsWaitedFor) {
    MakeDir("q");
    EXPECT_THROW(ClaimQueueDirectory(Path("q"), true), TException);
    ClearError();

    Write("q/latest.num", "00000005\r\n");
    auto holder =
        std::make_unique<TFile>(Path("q/latest.num"), TFile::kReadWrite | TFile::kExclusive);
    try {
        ClaimQueueDirectory(Path("q"), true, 0.0);
        ADD_FAILURE() << "claimed a directory while the number file was held";
    } catch (const TException& e) {
        EXPECT_NE(std::string(e.what()).find("latest.num"), std::string::npos) << e.what();
    }
    EXPECT_EQ(Read("q/latest.num"), "00000005\r\n");
    EXPECT_FALSE(fs::exists(m_root / "q" / "00000005"));
    ClearError();

    // A holder that lets go within the deadline: the claimant gets its turn.
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        holder.reset();
    });
    EXPECT_EQ(ClaimQueueDirectory(Path("q"), true, 60.0), Path("q/00000005/"));
    release.join();
}

// Many processes claim at once; a claimant that finds the number file held fails
// and tries again.  No directory may be handed out twice and the number file must
// end one past the last directory.
TEST_F(QueueClaim, ConcurrentProcessesNeverShareADirectory) {
    constexpr int kProcesses = 8;
    constexpr int kClaims = 50;
    Write("q/latest.num", "00000001\r\n");
    const TString base = Path("q");

    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            std::ofstream out(m_root / ("claims." + std::to_string(p)));
            int claimed = 0;
            for (long attempt = 0; claimed < kClaims && attempt < 1000000; ++attempt) {
                try {
                    out << ClaimQueueDirectory(base, true) << '\n';
                    ++claimed;
                } catch (const TException&) {
                    ClearError();
                    ::sched_yield();
                }
            }
            out.close();
            ::_exit(claimed == kClaims ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    std::set<std::string> dirs;
    std::size_t total = 0;
    for (int p = 0; p < kProcesses; ++p) {
        std::ifstream in(m_root / ("claims." + std::to_string(p)));
        for (std::string line; std::getline(in, line); ++total)
            dirs.insert(line);
    }
    EXPECT_EQ(total, std::size_t{kProcesses * kClaims});
    EXPECT_EQ(dirs.size(), total) << "a directory was handed out twice";
    for (int n = 1; n <= kProcesses * kClaims; ++n)
        EXPECT_EQ(dirs.count(Path(TString::Format("q/%.8d/", n).str()).str()), 1u) << n;
    EXPECT_EQ(Read("q/latest.num"), TString::Format("%.8d\r\n", kProcesses * kClaims + 1).str());
}

}  // namespace
