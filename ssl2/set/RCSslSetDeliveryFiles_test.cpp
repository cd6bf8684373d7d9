#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "ssl2/base/TException.h"
#include "ssl2/set/RCSslSetDelivery.h"
#include "ssl2/set/RCSslSetDeliveryTestUtil.h"

namespace {

using namespace SslDelivery;
using SslDeliveryTest::Changes;
using SslDeliveryTest::Snapshot;
using SslDeliveryTest::TempDirTest;
namespace fs = std::filesystem;

TEST(SafeFileName, KeepsOnlyTheLastComponentOfEitherSeparator) {
    struct Row {
        const char* path;
        const char* name;
    } rows[] = {
        {"plan.tif", "plan.tif"},
        {"C:\\jobs\\a\\plan.tif", "plan.tif"},
        {"/srv/jobs/plan.tif", "plan.tif"},
        {"../../x", "x"},
        {"/etc/passwd", "passwd"},
        {"a\\..\\..\\b", "b"},
        {"mixed/dir\\name.pdf", "name.pdf"},
        {"C:plan.tif", "C:plan.tif"},
        {"tab\tand\x01"
         "ctl",
         "tab\tand\x01"
         "ctl"},
        {"", ""},
        {"..", "_"},
        {".", "_"},
        {"dir/..", "_"},
        {"dir\\", "_"},
        {"\\\\server\\share\\", "_"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(SafeFileName(r.path), r.name) << "path: " << r.path;
}

TEST(JoinPath, ComposesWithOneNativeSeparator) {
    EXPECT_EQ(JoinPath("/a/b", "c"), "/a/b/c");
    EXPECT_EQ(JoinPath("/a/b/", "c"), "/a/b/c");
    EXPECT_EQ(JoinPath("C:\\jobs\\\\", "c"), "C:\\jobs/c");
    EXPECT_EQ(JoinPath("/", "c"), "/c");
    EXPECT_EQ(JoinPath("", "c"), "c");
}

TEST(MakeJobDirName, ReplacesReservedCharsAndStripsTrailingDotsAndBlanks) {
    struct Row {
        const char* job;
        const char* dir;
        bool changed;
    } rows[] = {
        {"Plan", "Plan", false},
        {"a:b?", "a_b_", false},  // replacement alone is no change of name
        {"x/y\\z<>\"|", "x_y_z____", false},
        {"Plan. .", "Plan", true},
        {". . .", "JH_SET", true},
        {"", "JH_SET", true},
        {"..", "JH_SET", true},
        {"../../etc", ".._.._etc", false},
        {"..x", "..x", false},
    };
    for (const Row& r : rows) {
        bool changed = !r.changed;
        EXPECT_EQ(MakeJobDirName(r.job, changed), r.dir) << "job: " << r.job;
        EXPECT_EQ(changed, r.changed) << "job: " << r.job;
    }
}

class FileHelpers : public TempDirTest {};

TEST_F(FileHelpers, CollisionFreeNameCountsBeforeTheFirstDot) {
    EXPECT_EQ(CollisionFreeName(Path(""), "plan.tif"), "plan.tif");
    Write("plan.tif", "1");
    EXPECT_EQ(CollisionFreeName(Path(""), "plan.tif"), "plan_1.tif");
    Write("plan_1.tif", "2");
    EXPECT_EQ(CollisionFreeName(Path(""), "plan.tif"), "plan_2.tif");
    Write("plan.v2.tif", "3");
    EXPECT_EQ(CollisionFreeName(Path(""), "plan.v2.tif"), "plan_1.v2.tif");
    // A dangling link occupies its name too.
    fs::create_symlink(m_root / "nowhere", m_root / "link.bmp");
    EXPECT_EQ(CollisionFreeName(Path(""), "link.bmp"), "link_1.bmp");
}

TEST_F(FileHelpers, WriteFileAtomicallyReplacesWithoutLeftovers) {
    WriteFileAtomically(Path("job.ssl"), "first");
    WriteFileAtomically(Path("job.ssl"), "second\r\n");
    EXPECT_EQ(Snapshot(m_root), (SslDeliveryTest::TreeSnapshot{{"job.ssl", "file:second\r\n"}}));
}

TEST_F(FileHelpers, AtomicWriteReplacesALinkInsteadOfWritingThroughIt) {
    const TString outside = Write("outside/secret", "keep");
    MakeDir("job");
    fs::create_symlink(outside.str(), m_root / "job" / "job.ssl");
    WriteFileAtomically(Path("job/job.ssl"), "new");
    EXPECT_EQ(Read("outside/secret"), "keep");
    EXPECT_FALSE(fs::is_symlink(m_root / "job" / "job.ssl"));
    EXPECT_EQ(Read("job/job.ssl"), "new");
}

TEST_F(FileHelpers, CopyFileAtomicallyHonoursReplaceAndLinks) {
    const TString src = Write("src/plan.tif", "image");
    ::chmod(src.c_str(), 0640);
    MakeDir("dst");
    CopyFileAtomically(src, Path("dst/plan.tif"), false);
    EXPECT_EQ(Read("dst/plan.tif"), "image");
    EXPECT_EQ(fs::status(m_root / "dst/plan.tif").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    Write("src/plan.tif", "newer");
    EXPECT_THROW(CopyFileAtomically(src, Path("dst/plan.tif"), false), TException);
    EXPECT_EQ(Read("dst/plan.tif"), "image");
    CopyFileAtomically(src, Path("dst/plan.tif"), true);
    EXPECT_EQ(Read("dst/plan.tif"), "newer");

    // Neither mode ever writes through a link planted at the target.
    const TString outside = Write("outside/victim", "keep");
    fs::create_symlink(outside.str(), m_root / "dst" / "trap");
    EXPECT_THROW(CopyFileAtomically(src, Path("dst/trap"), false), TException);
    CopyFileAtomically(src, Path("dst/trap"), true);
    EXPECT_EQ(Read("outside/victim"), "keep");
    EXPECT_EQ(Read("dst/trap"), "newer");
    ClearError();
}

TEST_F(FileHelpers, FailedCopiesLeaveNoTemporaryFiles) {
    MakeDir("dst");
    MakeDir("srcdir");
    const auto before = Snapshot(m_root);
    EXPECT_THROW(CopyFileAtomically(Path("missing"), Path("dst/a"), true), TException);
    EXPECT_THROW(CopyFileAtomically(Path("srcdir"), Path("dst/a"), true), TException);
    EXPECT_THROW(CopyFileAtomically(Write("f", "x"), Path("nodir/a"), true), TException);
    EXPECT_THROW(WriteFileAtomically(Path("nodir/a.ssl"), "x"), TException);
    fs::remove(m_root / "f");
    EXPECT_EQ(Snapshot(m_root), before);
    ClearError();
}

}  // namespace
