// Tests of the job-set container, whole-set operations and writers.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "ssl2/base/ILog.h"
#include "ssl2/base/TException.h"
#include "ssl2/set/RCSslSet.h"
#include "ssl2/sslmessages.h"
#include "tests/support/SetSupport.h"

namespace {

using namespace ssl2::test;

RCSslEntry FileEntry(const char* name, std::uint32_t copies = 1) {
    RCSslEntry entry(1);
    entry.SetName(name);
    entry.SetCopies(copies);
    return entry;
}

/// A job entry and `files` file entries named f1, f2, ...
RCSslSet MakeSet(int files) {
    RCSslSet set;
    set.AddEntry(RCSslEntry(0));
    for (int i = 1; i <= files; ++i)
        set.AddEntry(FileEntry(TString::Format("f%d", i).c_str()));
    set.SetOrdinals(1);
    return set;
}

TEST(RCSslSet, ListOperations) {
    RCSslSet set;
    EXPECT_EQ(set.IsEmpty(), 1u);
    EXPECT_EQ(set.ReduceToDefaultEntry(), 0);
    EXPECT_EQ(set.AddEntry(RCSslEntry(0)), 1);
    EXPECT_EQ(set.AddEntry(FileEntry("a")), 2);
    EXPECT_EQ(set.InsertEntry(5, FileEntry("c")), 2) << "out of range appends";
    EXPECT_EQ(set.InsertEntry(2, FileEntry("b")), 2);
    EXPECT_EQ(set.GetEntry(2).GetName(), "b");
    EXPECT_EQ(set.GetEntry(3).GetName(), "c");
    EXPECT_EQ(set.RemoveEntry(4), 0u);
    EXPECT_EQ(set.RemoveEntry(1), 1u);
    EXPECT_EQ(set.Size(), 3);
    EXPECT_EQ(set.ReduceToDefaultEntry(), 1);
    EXPECT_EQ(set.GetEntry(0).GetIsEntry(), 0u);
}

TEST(RCSslSet, OrdinalsAreHandedOutOnAccess) {
    RCSslSet set = MakeSet(2);
    EXPECT_EQ(set.GetEntry(2).GetOrdinal(), 2u);
    set.AddEntry(FileEntry("late"));
    EXPECT_EQ(std::as_const(set).GetEntry(3).GetOrdinal(), RCSslSet::kNoOrdinal)
        << "the const access does not number";
    EXPECT_EQ(set.GetEntry(3).GetOrdinal(), 3u);
    EXPECT_EQ(set.GetEntryByOrdinal(1).GetName(), "f1");
    EXPECT_EQ(set.RemoveEntryByOrdinal(1), 1u);
    EXPECT_EQ(set.RemoveEntryByOrdinal(1), 0u);
    set.SetOrdinals(1);
    EXPECT_EQ(set.GetEntry(2).GetOrdinal(), 2u) << "renumbered from 0";
}

/// The number and the first `args` arguments of the error `work` raises.
template <typename TWork>
std::string Raised(TWork work, int args) {
    try {
        work();
    } catch (const TException& e) {
        std::string raised = std::to_string(e.GetNumber());
        for (int i = 0; i < args; ++i)
            raised += " " + e.GetArgument(i).str();
        ClearError();
        return raised;
    }
    return "nothing raised";
}

TEST(RCSslSet, OutOfRangeRaisesSslErrors) {
    RCSslSet set = MakeSet(1);
    EXPECT_EQ(Raised([&] { set.GetEntry(2); }, 3),
              std::to_string(RMCSslErrors::kIndexOutOfRange) + " m_EntryList 2 2");
    EXPECT_EQ(Raised([&] { set.GetEntryByOrdinal(77); }, 1),
              std::to_string(RMCSslErrors::kNoEntryWithOrdinal) + " 77");
}

TEST(RCSslSet, OrderOperations) {
    RCSslSet set = MakeSet(3);
    set.ReverseOrder();
    EXPECT_EQ(set.GetEntry(0).GetIsEntry(), 0u);
    EXPECT_EQ(set.GetEntry(1).GetName(), "f3");
    set.Sort(kId_SslName, 1);
    EXPECT_EQ(set.GetEntry(1).GetName(), "f1");
    EXPECT_EQ(set.GetEntry(3).GetName(), "f3");
    set.ReverseOrder();
    set.RestoreOriginalOrder();
    EXPECT_EQ(set.GetEntry(1).GetName(), "f1");
    EXPECT_EQ(set.GetEntry(0).GetIsEntry(), 0u);

    set.GetEntry(2).SetPlotIt(0);
    set.GetEntry(0).SetPlotIt(0);
    EXPECT_EQ(set.ApplyPlotItCommand(), 3) << "the job entry is never dropped";
    EXPECT_EQ(set.GetEntry(2).GetName(), "f3");
}

TEST(RCSslSet, WholeSetQueries) {
    RCSslSet set = MakeSet(2);
    EXPECT_EQ(set.IsFolded(), 0u);
    EXPECT_EQ(set.ContainsCadFiles(), 0u);
    set.GetEntry(0).SetFoldPrg(3);
    EXPECT_EQ(set.IsFolded(), 0u) << "only file entries count";
    set.GetEntry(2).SetFoldPrg(3);
    set.GetEntry(2).FoldOptionsWereNeverSet();
    EXPECT_EQ(set.IsFolded(), 1u);
    EXPECT_EQ(set.IsFoldedWithOldStyle(), 1u);
    set.GetEntry(1).SetFileEmulation(17);
    EXPECT_EQ(set.ContainsCadFiles(), 1u);
    set.GetEntry(1).SetOutputBin(1);
    EXPECT_EQ(set.ContainsManual(), 1u);
    set.GetEntry(1).SetColorDepth(1);
    set.GetEntry(2).SetColorDepth(8);
    EXPECT_EQ(set.GetAllColorDepths(), 9u);
}

TEST(RCSslSet, DecideOutputTray) {
    struct Row {
        std::uint32_t jobTray, sort, requested, decide, stored, result;
    };
    const Row rows[] = {
        {1, 0, 3, 1, 3, 1}, {1, 1, 3, 1, 3, 0}, {1, 0, 2, 1, 2, 0}, {0, 2, 3, 1, 2, 1},
        {3, 0, 0, 1, 3, 1}, {0, 0, 3, 0, 3, 1}, {1, 0, 0, 1, 2, 0},
    };
    for (const Row& row : rows) {
        RCSslSet set = MakeSet(1);
        set.GetEntry(0).SetOutputTray(row.jobTray);
        set.GetEntry(0).SetJobSort(row.sort);
        EXPECT_EQ(set.DecideOutputTray(row.requested, row.decide), row.result) << row.jobTray;
        EXPECT_EQ(set.GetEntry(0).GetOutputTray(), row.stored) << row.jobTray;
    }
    RCSslSet folded = MakeSet(1);
    folded.GetEntry(1).SetFoldPrg(2);
    folded.DecideOutputTray(2, 1);
    EXPECT_EQ(folded.GetEntry(0).GetOutputTray(), 3u);
}

TEST(RCSslSet, Restrictions) {
    RCSslSet set = MakeSet(2);
    set.GetEntry(1).SetCopies(4);
    EXPECT_EQ(set.ApplyNestingRestrictions(), 0u);
    set.GetEntry(0).SetNesting(1);
    EXPECT_EQ(set.ApplyNestingRestrictions(), 1u);
    EXPECT_EQ(set.GetEntry(0).GetJobCollate(), 1u);
    EXPECT_EQ(set.GetEntry(1).GetCopies(), 1u);
    EXPECT_EQ(set.ApplyNestingRestrictions(), 0u);

    RCSslSet box = MakeSet(1);
    EXPECT_EQ(box.ApplyDocBoxRestrictions(), 0u);
    box.GetEntry(0).SetDocumentBoxUserName("u");
    box.GetEntry(0).SetDocumentBoxPassword("p");
    box.GetEntry(0).SetSetCopies(3);
    box.GetEntry(1).SetMediaType(2);
    if (box.GetEntry(0).GetDocumentBoxOn() != 0) {
        EXPECT_EQ(box.ApplyDocBoxRestrictions(), 1u);
        EXPECT_EQ(box.GetEntry(0).GetSetCopies(), 1u);
        EXPECT_EQ(box.GetEntry(1).GetMediaType(), 0u);
        EXPECT_EQ(box.GetEntry(1).GetMediaPosition(), 16u);
    }
}

TEST(RCSslSet, Equality) {
    RCSslSet empty;
    EXPECT_TRUE((empty == RCSslSet()).bEqual);
    RCSslSet a = MakeSet(2);
    RCSslEntry::RSCompReturn r = a == empty;
    EXPECT_FALSE(r.bEqual);
    EXPECT_FALSE(r.bSameEntryCount);
    EXPECT_TRUE(r.Differences.HasFullAccess());
    EXPECT_TRUE((a == MakeSet(2)).bEqual);
    RCSslSet b = MakeSet(2);
    b.GetEntry(2).SetCopies(5);
    r = a == b;
    EXPECT_FALSE(r.bEqual);
    EXPECT_TRUE(r.bSameEntryCount);
    EXPECT_EQ(r.Differences.GetAccess(kId_SslCopies), 1u);
    EXPECT_EQ(r.Differences.GetAccess(kId_SslName), 0u);
}

TEST(RCSslSet, MergeSetsWithSurplusEntries) {
    RCAccessSsl none;
    none.SetAllAccess(0);
    RCSslSet shorter = MakeSet(1);
    RCSslSet longer = MakeSet(3);
    longer.GetEntry(3).SetCopies(7);
    shorter.MergeSettings(longer, none);
    ASSERT_EQ(shorter.Size(), 4)
        << "surplus entries are appended without name and directory rights";
    EXPECT_EQ(shorter.GetEntry(3).GetCopies(), 7u);
    EXPECT_EQ(shorter.GetEntry(3).GetIsEntry(), 1u);

    RCSslSet full = MakeSet(1);
    RCSslEntry template_(0);
    template_.SetAccount("X");
    full.MergeSettings(template_, RCAccessSsl());
    EXPECT_EQ(full.GetEntry(0).GetAccount(), "") << "nothing is merged under full access";
}

TEST(RCSslSet, ToCfgNamesFilesByPosition) {
    RCTempDir dir;
    const auto data = dir.Path() / "data";
    const auto out = dir.Path() / "out";
    std::filesystem::create_directories(data);
    std::filesystem::create_directories(out);
    RCSslSet set;
    RCSslEntry job(0);
    job.SetSetCopies(2);
    job.SetEMail("jürgen@example.org");
    set.AddEntry(job);
    for (int i = 1; i <= 10; ++i) {
        RCSslEntry file(1);
        file.SetDirectory(data.string());
        file.SetName("plan" + std::to_string(i) + ".tif");
        std::ofstream(data / ("plan" + std::to_string(i) + ".tif")) << i;
        set.AddEntry(file);
    }
    EXPECT_EQ(set.ToCfg(out.string()), 10);
    EXPECT_TRUE(std::filesystem::exists(out / "09-plan9.cfg"));
    EXPECT_EQ(ReadFile(out / "10-plan10.tif"), "10");
    EXPECT_EQ(set.GetEntry(1).GetCopies(), 2u) << "uncollated: copies times set copies";
    EXPECT_NE(ReadFile(out / "09-plan9.cfg").find("NOTIFICATION = j\xFCrgen@example.org\r\n"),
              std::string::npos)
        << "configuration text is Windows-1252";

    EXPECT_THROW(set.ToCfg((dir.Path() / "missing").string()), TException);
    ClearError();
    EXPECT_EQ(MakeSet(0).ToCfg(out.string()), 0);
}

// The export copies the file the entry names (a name with a directory part too),
// never replaces a file or writes through a link already in the target, and
// reports each file it could not write while writing the others.
TEST(RCSslSet, ToCfgNeverReplacesAndReportsWhatItCouldNotWrite) {
    namespace fs = std::filesystem;
    RCTempDir dir;
    const auto data = dir.Path() / "data";
    fs::create_directories(data / "sub");
    std::ofstream(data / "x.tif") << "parent";
    std::ofstream(data / "sub" / "x.tif") << "named";
    std::ofstream(data / "plan.cfg") << "data file";
    RCSslSet set;
    set.AddEntry(RCSslEntry(0));
    for (const char* name : {"sub/x.tif", "plan.cfg"}) {
        RCSslEntry file(1);
        file.SetDirectory(data.string());
        file.SetName(name);
        set.AddEntry(file);
    }
    RCCaptureLog log;
    RCScopedLog scope(&log);

    // The data file plan.cfg comes first and takes the name of its entry's ".cfg".
    const auto out = dir.Path() / "out";
    fs::create_directories(out);
    EXPECT_THROW(set.ToCfg(out.string()), TException);
    ClearError();
    EXPECT_EQ(ReadFile(out / "01-x.tif"), "named");
    EXPECT_EQ(ReadFile(out / "02-plan.cfg"), "data file");
    EXPECT_TRUE(
        log.Contains(1, "RCSslSet::ToCfg could not write " + (out / "02-plan.cfg").string()));

    // A link planted under a ".cfg" name and a file under a data name stay as they
    // are; the rest is written.
    const auto planted = dir.Path() / "planted";
    fs::create_directories(planted);
    std::ofstream(dir.Path() / "victim") << "keep";
    fs::create_symlink(dir.Path() / "victim", planted / "01-x.cfg");
    std::ofstream(planted / "01-x.tif") << "old";
    log.Clear();
    EXPECT_THROW(set.ToCfg(planted.string()), TException);
    ClearError();
    EXPECT_EQ(ReadFile(dir.Path() / "victim"), "keep");
    EXPECT_TRUE(fs::is_symlink(planted / "01-x.cfg"));
    EXPECT_EQ(ReadFile(planted / "01-x.tif"), "old");
    EXPECT_TRUE(fs::exists(planted / "02-plan.cfg"));
    // 01-x.tif, and the ".cfg" of plan.cfg; a data file not copied gets no ".cfg".
    EXPECT_EQ(log.GetEntries().size(), 2u);
}

}  // namespace
