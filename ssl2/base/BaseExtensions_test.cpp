// The checked container, UNC mapping and the file browser.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "ssl2/base/PFileBrowser.h"
#include "ssl2/base/RCUncPath2LocalPath.h"
#include "ssl2/base/TRCMultiObjectContainer.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;

TEST(TRCMultiObjectContainer, IndexIsChecked) {
    TRCMultiObjectContainer<TString> names{"a", "b", "c"};
    names.erase(0);
    EXPECT_EQ(names, (TRCMultiObjectContainer<TString>{"b", "c"}));
    try {
        (void)names[2];
        ADD_FAILURE() << "no error for index 2";
    } catch (const TException& e) {
        EXPECT_EQ(e.GetNumber(), RMCBaseErrors::kIndexOutOfRange);
        EXPECT_STREQ(e.what(), "index 2 out of range for TRCMultiObjectContainer (count 2)");
    }
    ClearError();
}

class UncMapping : public ::testing::Test {
protected:
    void SetUp() override { RCUncPath2LocalPath::ClearMappings(); }
    void TearDown() override { RCUncPath2LocalPath::ClearMappings(); }
};

TEST_F(UncMapping, MapsByLongestPrefixAndLeavesTheRestAlone) {
    TString unmapped = "\\\\plotsrv\\jobs\\plan.pdf";
    EXPECT_EQ(RCUncPath2LocalPath::UncPath2LocalPath(unmapped, ""), 0);  // no mappings yet
    EXPECT_TRUE(RCUncPath2LocalPath::AddMapping("\\\\PlotSrv\\Jobs", "/srv/jobs/"));
    EXPECT_TRUE(RCUncPath2LocalPath::AddMapping("//plotsrv/jobs/big", "/mnt/big"));
    EXPECT_FALSE(RCUncPath2LocalPath::AddMapping("/srv/jobs", "/x"));
    EXPECT_FALSE(RCUncPath2LocalPath::AddMapping("\\\\onlyserver", "/x"));

    struct Row {
        const char* path;
        const char* server;
        int mapped;
        const char* result;
    };
    const Row rows[] = {
        {"\\\\plotsrv\\jobs\\a\\plan.pdf", "", 1, "/srv/jobs/a/plan.pdf"},
        {"//PLOTSRV/JOBS/a/", "", 1, "/srv/jobs/a/"},
        {"\\\\plotsrv\\jobs", "", 1, "/srv/jobs"},
        {"\\\\plotsrv\\jobs\\big\\x.hpgl", "", 1, "/mnt/big/x.hpgl"},
        {"\\\\plotsrv\\jobs\\a\\plan.pdf", "plotsrv", 1, "/srv/jobs/a/plan.pdf"},
        {"\\\\plotsrv\\jobs\\a\\plan.pdf", "other", 0, "\\\\plotsrv\\jobs\\a\\plan.pdf"},
        {"\\\\plotsrv\\jobsx\\plan.pdf", "", 0, "\\\\plotsrv\\jobsx\\plan.pdf"},
        {"\\\\plotsrv\\jobs\\..\\..\\etc\\passwd", "", 0, "\\\\plotsrv\\jobs\\..\\..\\etc\\passwd"},
        {"/srv/jobs/plan.pdf", "", 0, "/srv/jobs/plan.pdf"},
        {"C:\\jobs\\plan.pdf", "", 0, "C:\\jobs\\plan.pdf"},
        {"", "", 0, ""},
    };
    for (const auto& r : rows) {
        TString path = r.path;
        EXPECT_EQ(RCUncPath2LocalPath::UncPath2LocalPath(path, r.server) != 0, r.mapped != 0)
            << r.path;
        EXPECT_EQ(path, r.result) << r.path;
    }
    // A mapping of the same share, in any case, replaces the earlier one.
    RCUncPath2LocalPath::AddMapping("\\\\PLOTSRV\\JOBS", "/b");
    EXPECT_EQ(RCUncPath2LocalPath::UncPath2LocalPath(unmapped, ""), 1);
    EXPECT_EQ(unmapped, "/b/plan.pdf");
}

TEST(PFileBrowser, WildcardMatching) {
    struct Row {
        const char* name;
        const char* pattern;
        bool match;
    };
    const Row rows[] = {
        {"plan.pdf", "*.*", true},
        {"README", "*.*", true},
        {"plan.pdf", "*.PDF", true},
        {"plan.pdf", "p?an.*", true},
        {"plan.pdf", "*.hpgl", false},
        {"plan.pdf", "plan", false},
        {"a.b.c", "*.c", true},
        {"abc", "a*b*c*", true},
        {"", "*", true},
        {"abc", "", false},
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*c", false},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(PFileBrowser::Match(r.name, r.pattern), r.match) << r.name << " ~ " << r.pattern;
    }
}

TEST(PFileBrowser, ListsMatchingEntriesSorted) {
    const fs::path dir = ssl2::test::MakeTempDir("ssl2_browse_");
    fs::create_directories(dir / "sub");
    for (const char* name : {"b.pdf", "a.PDF", "c.ssl", "noext"})
        std::ofstream(dir / name) << "x";

    const TString d(dir.string() + "\\");
    const PFileBrowser all(d);
    ASSERT_EQ(all.Size(), 4u);
    EXPECT_EQ(all[0], TString((dir / "a.PDF").string()));
    EXPECT_EQ(all[3], TString((dir / "noext").string()));
    EXPECT_EQ(PFileBrowser(d, "*.pdf").Size(), 2u);
    const PFileBrowser dirs(d, "*", PFileBrowser::kDirectories);
    ASSERT_EQ(dirs.Size(), 1u);
    EXPECT_EQ(dirs[0], TString((dir / "sub").string()));
    EXPECT_THROW(PFileBrowser(TString((dir / "missing").string())), TException);
    ClearError();
    fs::remove_all(dir);
}

}  // namespace
