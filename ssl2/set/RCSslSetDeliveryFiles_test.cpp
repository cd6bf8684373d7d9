#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "ssl2/base/TException.h"
#include "ssl2/set/RCSslSetDelivery.h"
#include "tests/support/DeliverySupport.h"

namespace {

using namespace SslDelivery;
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
    };
    for (const Row& r : rows)
        EXPECT_EQ(SafeFileName(r.path), r.name) << "path: " << r.path;
}

class FileHelpers : public TempDirTest {};

TEST_F(FileHelpers, AtomicWriteReplacesALinkInsteadOfWritingThroughIt) {
    const TString outside = Write("outside/secret", "keep");
    MakeDir("job");
    fs::create_symlink(outside.str(), m_root / "job" / "job.ssl");
    WriteFileAtomically(Path("job/job.ssl"), "new");
    WriteFileAtomically(Path("job/job.ssl"), "newer\r\n");
    EXPECT_EQ(Snapshot(m_root), (SslDeliveryTest::TreeSnapshot{{"job", "dir"},
                                                               {"job/job.ssl", "file:newer\r\n"},
                                                               {"outside", "dir"},
                                                               {"outside/secret", "file:keep"}}));
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
    EXPECT_FALSE(CopyFileAtomically(src, Path("dst/plan.tif"), false));
    EXPECT_EQ(Read("dst/plan.tif"), "image");
    CopyFileAtomically(src, Path("dst/plan.tif"), true);
    EXPECT_EQ(Read("dst/plan.tif"), "newer");

    // Neither mode ever writes through a link planted at the target.
    const TString outside = Write("outside/victim", "keep");
    fs::create_symlink(outside.str(), m_root / "dst" / "trap");
    EXPECT_FALSE(CopyFileAtomically(src, Path("dst/trap"), false));
    CopyFileAtomically(src, Path("dst/trap"), true);
    EXPECT_EQ(Read("outside/victim"), "keep");
    EXPECT_EQ(Read("dst/trap"), "newer");
    ClearError();
}

}  // namespace
