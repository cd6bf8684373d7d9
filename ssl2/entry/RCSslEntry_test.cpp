// Tests of the job entry record: access by identifier, copying and assignment, the
// typed accessors with their ranges, merge, equality and sorting.
#include "ssl2/entry/RCSslEntry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "ssl2/base/ILog.h"
#include "ssl2/base/TException.h"
#include "ssl2/capas/RCStatementInfluencingCapaRefined.h"
#include "ssl2/sslmessages.h"
#include "tests/support/EntryTestData.h"

namespace {

using ssl2_test::AccessTo;
using ssl2_test::FilledEntry;

/// Level of each member for the flagged copy: 'J' job, 'F' file, 'N' never.
struct RSMemberLevel {
    TSslStatementID m_nId;
    char m_cLevel;
};
constexpr RSMemberLevel kLevels[] = {
#define SSL2_ENTRY_MEMBER(cls, ident, level, merge, compared) {kId_##cls, #level[0]},
#include "ssl2/entry/RCSslEntryMembers.def"
};

/// The statements merged only into the job entry.
const std::set<std::uint32_t> kJobOnlyMerge = {0,  78, 104, 71, 8,  11,  13, 79,  80,  81,  15, 103,
                                               82, 83, 84,  85, 86, 87,  17, 88,  27,  28,  29, 30,
                                               31, 59, 89,  90, 91, 92,  93, 99,  38,  106, 74, 72,
                                               73, 75, 94,  49, 50, 102, 77, 100, 108, 109, 54};

/// The statements that identify the printed file.
const std::set<std::uint32_t> kFileIdentity = {14, 60, 37, 99};

std::unique_ptr<SslStatement> StatementOf(const RCSslEntry& entry, std::uint32_t id) {
    std::unique_ptr<SslStatement> statement(
        RCSslEntry::CreateSslObject(static_cast<TSslStatementID>(id)));
    entry.Get(static_cast<TSslStatementID>(id), statement.get());
    return statement;
}

bool SameStatement(const RCSslEntry& a, const RCSslEntry& b, std::uint32_t id) {
    return *StatementOf(a, id) == *StatementOf(b, id);
}

/// Runs `call` and returns the "SslErrors" message number it raised (-1 for none).
template <class Call>
long long RaisedMessage(Call call, TString* firstArgument = nullptr) {
    try {
        call();
    } catch (const TException& error) {
        EXPECT_EQ(error.GetTable(), static_cast<unsigned short>(RMCSslErrors()));
        if (firstArgument != nullptr) {
            *firstArgument = error.GetArgument(0);
        }
        ClearError();
        return error.GetNumber();
    }
    return -1;
}

TEST(RCSslEntry, AccessByIdentifierChecksTheClassAndTheIdentifier) {
    RCSslEntry entry;
    SslCopies copies;
    copies.Set(5);
    entry.Set(kId_SslCopies, &copies);
    EXPECT_EQ(entry.GetCopies(), 5u);

    RCCaptureLog log;
    RCScopedLog scope(&log);
    SslSetCopies setCopies;
    TString given;
    EXPECT_EQ(RaisedMessage([&] { entry.Set(kId_SslCopies, &setCopies); }, &given), 3);
    EXPECT_EQ(given, "SslSetCopies");
    ASSERT_EQ(log.GetEntries().size(), 1u);
    EXPECT_EQ(log.GetEntries()[0].m_nLevel, 1);
    EXPECT_EQ(log.GetEntries()[0].m_sText,
              VEMTO::GetMessage(RMCSslErrors(), 3, "SslSetCopies", "SslCopies"));
    EXPECT_EQ(entry.GetCopies(), 5u);

    // Unknown identifiers, and the ordinal, which is set only through its own setter.
    SslOrdinal ordinal;
    TString argument;
    EXPECT_EQ(RaisedMessage([&] { entry.Set(kId_SslOrdinal, &ordinal); }, &argument), 2);
    EXPECT_EQ(argument, "57");
    EXPECT_EQ(RaisedMessage([&] { entry.Set(static_cast<TSslStatementID>(111), &ordinal); }), 2);
    EXPECT_EQ(
        RaisedMessage([&] { entry.Get(static_cast<TSslStatementID>(111), &ordinal); }, &argument),
        2);
    EXPECT_EQ(argument, "111");

    entry.SetOrdinal(9);
    entry.Get(kId_SslOrdinal, &ordinal);
    EXPECT_EQ(ordinal.Get(), 9u);
    entry.Get(kId_SslCopies, nullptr);
    entry.Get(static_cast<TSslStatementID>(500), nullptr);
}

// Copies, flagged copies and moves keep their values and sort by their own
// statements after the original changes and is gone; a job set's list grows by
// moving its entries.
TEST(RCSslEntry, CopiesAndMovesKeepValuesAndSortKeyOfTheirOwn) {
    auto original = std::make_unique<RCSslEntry>(FilledEntry(1));
    original->InitCompare(kId_SslComment, 1);
    const RCSslEntry expected(*original);
    std::vector<RCSslEntry> entries;
    entries.emplace_back(*original, 1);
    entries.emplace_back(*original);
    entries.emplace_back(0);
    entries.back() = *original;
    RCSslEntry moved(*original);
    entries.push_back(std::move(moved));
    entries.emplace_back(0);
    entries.back() = RCSslEntry(*original);

    original->SetComment("zzz");
    original->SetHpglPensColor(9, 1, 200);
    original->RemoveAllStamps();
    original->RemoveAllAddresses();
    original->RemoveAllSupportFiles();
    original.reset();
    EXPECT_EQ(entries[0].GetComment(), "comment");
    EXPECT_EQ(entries[0].GetHpglPensColor(100), 1u);
    EXPECT_EQ(entries[0].GetStampCount(), 1u);
    // Sorted by comment: "comment" before "d"; the name "plan.plt" would sort after it.
    RCSslEntry other;
    other.SetComment("d");
    other.InitCompare(kId_SslComment, 1);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_TRUE(i == 0 || (entries[i] == expected).bEqual) << "entry " << i;
        EXPECT_TRUE(RCSslEntry::Compare(entries[i], other)) << "entry " << i;
        EXPECT_FALSE(RCSslEntry::Compare(other, entries[i])) << "entry " << i;
    }
    entries[1].SetComment("e");
    EXPECT_FALSE(RCSslEntry::Compare(entries[1], other));
    EXPECT_TRUE(RCSslEntry::Compare(entries[2], other));
}

TEST(RCSslEntry, KeywordCachesStayWithTheirStatements) {
    const RCStatementInfluencingCapaRefined capas;
    const RSIndexString* keywords = nullptr;
    auto media = std::make_unique<SslMediaType>();
    media->Set(3);
    ASSERT_GT(media->GetKeywords(keywords, &capas), 0u);  // fills the statement's cache
    RCSslEntry entry;
    entry.Set(kId_SslMediaType, media.get());
    RCSslEntry copy(entry);
    RCSslEntry assigned;
    assigned = copy;
    media.reset();
    SslMediaType out;
    ASSERT_GT(out.GetKeywords(keywords, &capas), 0u);
    assigned.Get(kId_SslMediaType, &out);
    EXPECT_EQ(out.Get(), 3u);
    EXPECT_EQ(keywords[0].m_nIndex, 0u) << "the receiving statement keeps its own cache";
    EXPECT_EQ(copy.GetMediaType(), 3u);
}

TEST(RCSslEntry, AChangedPenSwitchesThePensOn) {
    RCSslEntry entry;
    EXPECT_EQ(entry.SetHpglPensColor(2, 5), 1u);
    EXPECT_EQ(entry.GetHpglPensOn(), 1u);
}

// The flag sheet's own setters check their ranges; any non-zero flag is written as set.
TEST(RCSslEntry, JobFlagsheetSetters) {
    struct Case {
        const char* name;
        unsigned int (RCSslEntry::*set)(std::int32_t);
        std::int32_t low;
        std::int32_t high;
    };
    const Case cases[] = {
        {"output tray", &RCSslEntry::SetJobFlagsheetOutputTray, -1, 3},
        {"input tray", &RCSslEntry::SetJobFlagsheetInputTray, -1, 20},
        {"fold program", &RCSslEntry::SetJobFlagsheetFoldProgram, -2, 1000},
        {"fold tray", &RCSslEntry::SetJobFlagsheetFoldTray, -1, 100},
    };
    for (const Case& c : cases) {
        RCSslEntry entry;
        EXPECT_EQ((entry.*c.set)(c.low), 1u) << c.name;
        EXPECT_EQ((entry.*c.set)(c.high), 1u) << c.name;
        EXPECT_EQ((entry.*c.set)(c.low - 1), 0u) << c.name;
        EXPECT_EQ((entry.*c.set)(c.high + 1), 0u) << c.name;
    }
    RCSslEntry entry(0);
    entry.SetJobFlagsheetFoldProgram(1000);
    EXPECT_EQ(entry.SetJobFlagsheetFoldProgram(-3), 0u);
    EXPECT_EQ(entry.GetJobFlagsheetFoldProgram(), 1000);
    EXPECT_EQ(entry.SetJobFlagsheetPerJob(2), 1u);
    EXPECT_EQ(entry.SetJobFlagsheetPerJob(3), 0u);
    EXPECT_EQ(entry.GetJobFlagsheetPerJob(), 2u);
    entry.SetJobFlagsheetOn(5);
    entry.SetJobFlagsheetAccount(7);
    entry.SetJobFlagsheetDistribution(2);
    const std::string text =
        entry.ToString(AccessTo({kId_SslJobFlagsheet}), SslStatement::kVersion50, 0).str();
    EXPECT_NE(text.find("\t+ account"), std::string::npos) << text;
    EXPECT_NE(text.find("\t+ distribution"), std::string::npos) << text;
}

TEST(RCSslEntry, FoldTriStateAndOptionWord) {
    // The tri-state and the option word are stored apart: neither overwrites the other.
    RCSslEntry entry;
    entry.SetIgnoreIfFoldImpossible();
    EXPECT_EQ(entry.GetIfFoldImpossible(), 1u);
    entry.SetErrorIfFoldImpossible();
    entry.SetFoldOption(0x41);
    EXPECT_EQ(entry.GetFoldOption(), 0x41u);
    EXPECT_EQ(entry.GetIfFoldImpossible(), 2u);
    EXPECT_TRUE(entry.FoldOptionsWereSet());
    entry.FoldOptionsWereNeverSet();
    EXPECT_FALSE(entry.FoldOptionsWereSet());
    entry.SetDefaultIfFoldImpossible();
    EXPECT_EQ(entry.GetIfFoldImpossible(), 0u);
}

// --- merge ------------------------------------------------------------------------------

// Full access keeps every statement of the target; no access takes over every
// statement the target's level merges.
TEST(RCSslEntryMerge, AccessDecidesWhichStatementsAreTakenOver) {
    const std::set<std::uint32_t> neverMerged = {kId_SslError, kId_SslVersion, kId_SslOrdinal};
    for (const bool full : {true, false}) {
        for (unsigned int isEntry : {0u, 1u}) {
            const RCSslEntry source = FilledEntry(0);
            RCSslEntry target(isEntry);
            target.InitCompare(kId_SslCopies, 1);
            RCSslEntry::MergeSettings(target, source, full ? RCAccessSsl() : AccessTo({}));
            const RCSslEntry fresh(isEntry);
            for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
                const bool merged =
                    !full && !neverMerged.count(id) && (isEntry == 0 || !kJobOnlyMerge.count(id));
                EXPECT_TRUE(SameStatement(target, merged ? source : fresh, id))
                    << "statement " << id << " into " << (isEntry ? "file" : "job") << " entry";
            }
            EXPECT_EQ(target.GetIsEntry(), isEntry);
            RCSslEntry lower(isEntry);
            lower.SetCopies(1);
            EXPECT_FALSE(RCSslEntry::Compare(target, lower)) << "sort state kept";
        }
    }
}

TEST(RCSslEntryMerge, OnlyTheClearedStatementIsTakenOver) {
    RCAccessSsl access;
    access.SetAccess(kId_SslCopies, 0);
    RCSslEntry target;
    const RCSslEntry source = FilledEntry(1);
    RCSslEntry::MergeSettings(target, source, access);
    const RCSslEntry::RSCompReturn result = target == RCSslEntry();
    EXPECT_EQ(target.GetCopies(), 3u);
    EXPECT_TRUE(result.Differences == AccessTo({kId_SslCopies}));

    RCSslEntry self = FilledEntry(1);
    RCSslEntry::MergeSettings(self, self, access);
    EXPECT_TRUE((self == source).bEqual);
}

// --- equality -------------------------------------------------------------------------

TEST(RCSslEntryEquality, EachStatementReportsItsOwnDifference) {
    const std::set<std::uint32_t> ignored = {kId_SslEarliestPlotTime, kId_SslError, kId_SslVersion,
                                             kId_SslOrdinal};
    const RCSslEntry filled = FilledEntry(1);
    for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
        RCSslEntry a;
        RCSslEntry b;
        if (id == kId_SslOrdinal) {
            b.SetOrdinal(7);
        } else {
            b.Set(static_cast<TSslStatementID>(id), StatementOf(filled, id).get());
        }
        EXPECT_FALSE(SameStatement(a, filled, id)) << "the test entry fills statement " << id;
        const RCSslEntry::RSCompReturn result = a == b;
        const RCAccessSsl expected =
            ignored.count(id) ? AccessTo({}) : AccessTo({static_cast<TSslStatementID>(id)});
        EXPECT_EQ(result.bEqual, ignored.count(id) == 1) << "statement " << id;
        EXPECT_EQ(result.bSameFile, kFileIdentity.count(id) == 0) << "statement " << id;
        EXPECT_TRUE(result.bSameEntryCount);
        EXPECT_TRUE(result.Differences == expected) << "statement " << id;
    }
}

// --- sorting --------------------------------------------------------------------------

TEST(RCSslEntrySort, KeyAndDirection) {
    RCSslEntry one;
    RCSslEntry three;
    one.SetName("a");
    three.SetName("b");
    EXPECT_TRUE(RCSslEntry::Compare(three, one)) << "by name, descending, by default";
    EXPECT_FALSE(RCSslEntry::Compare(one, three));
    three.SetCopies(3);
    one.InitCompare(kId_SslCopies, 1);
    three.InitCompare(kId_SslCopies, 1);
    EXPECT_TRUE(RCSslEntry::Compare(one, three));
    EXPECT_FALSE(RCSslEntry::Compare(three, one));
    EXPECT_TRUE(one < three);
    one.InitCompare(kId_SslCopies, 0);
    three.InitCompare(kId_SslCopies, 0);
    EXPECT_FALSE(RCSslEntry::Compare(one, three));
    EXPECT_TRUE(RCSslEntry::Compare(three, one));
    EXPECT_FALSE(RCSslEntry::Compare(one, one)) << "equal keys compare false";

    // Identifiers without an order of their own keep the key and change the direction.
    for (TSslStatementID id : {kId_SslMargin, kId_SslZoom, kId_SslOutputSize}) {
        one.InitCompare(kId_SslCopies, 0);
        one.InitCompare(id, 1);
        EXPECT_TRUE(RCSslEntry::Compare(one, three)) << "identifier " << id;
    }
    EXPECT_EQ(RaisedMessage([&] { one.InitCompare(static_cast<TSslStatementID>(111), 0); }), 2);
    EXPECT_FALSE(RCSslEntry::Compare(one, three)) << "direction changed before the error";
}

// Keys of the same kind: b's own key is compared, not b's statement of a's key.
TEST(RCSslEntrySort, EachEntryContributesItsOwnKey) {
    RCSslEntry byCopies;
    RCSslEntry byResolution;
    byResolution.SetCopies(5);
    byResolution.SetResolution(0);
    byCopies.InitCompare(kId_SslCopies, 1);
    byResolution.InitCompare(kId_SslResolution, 1);
    EXPECT_FALSE(RCSslEntry::Compare(byCopies, byResolution)) << "copies 1 against resolution 0";
    EXPECT_TRUE(RCSslEntry::Compare(byResolution, byCopies));
}

TEST(RCSslEntrySort, EveryIdentifierGivesAStrictOrder) {
    const RCSslEntry filled = FilledEntry(1);
    for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
        for (unsigned int ascending : {0u, 1u}) {
            RCSslEntry a;
            RCSslEntry b(filled);
            a.InitCompare(static_cast<TSslStatementID>(id), ascending);
            b.InitCompare(static_cast<TSslStatementID>(id), ascending);
            EXPECT_FALSE(RCSslEntry::Compare(a, b) && RCSslEntry::Compare(b, a))
                << "statement " << id;
            EXPECT_FALSE(RCSslEntry::Compare(a, a)) << "statement " << id;
        }
    }
    RCSslEntry inch;
    inch.SetUnits(SslUnit(SslUnit::kInch));
    RCSslEntry mm;
    inch.InitCompare(kId_SslUnits, 1);
    mm.InitCompare(kId_SslUnits, 1);
    EXPECT_TRUE(RCSslEntry::Compare(mm, inch));
}

}  // namespace

// --- copy-on-write storage -----------------------------------------------------------

// A full copy and an assignment take every statement; a flagged copy takes the
// file-level statements, and the job-level ones only with flag 0.  Changes to any
// copy never reach its source.
TEST(RCSslEntry, CopiesTakeTheirLevelsAndChangesNeverReachTheSource) {
    const RCSslEntry source = FilledEntry(0);
    const RCSslEntry fresh(0);
    std::vector<RCSslEntry> copies;
    copies.emplace_back(source);
    copies.emplace_back(source, 0);
    copies.emplace_back(source, 1);
    copies.emplace_back(0);
    copies.back() = source;
    const RCSslEntry& self = copies.back();
    copies.back() = self;  // self-assignment keeps every statement
    copies.emplace_back(0);
    RCSslEntry::MergeSettings(copies.back(), source, AccessTo({}));
    // The levels ('J' job, 'F' file, 'N' never) each copy but the merged one takes.
    const char* const levels[] = {"JFN", "JF", "F", "JFN"};
    const unsigned int isEntry[] = {0, 0, 1, 0};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(copies[i].GetIsEntry(), isEntry[i]) << "copy " << i;
        for (const RSMemberLevel& member : kLevels) {
            const bool taken = std::strchr(levels[i], member.m_cLevel) != nullptr;
            EXPECT_TRUE(SameStatement(copies[i], taken ? source : fresh, member.m_nId))
                << "copy " << i << ", statement " << member.m_nId;
        }
    }

    // Every route that changes a statement: each copy turns every statement back to
    // the default, and the writeable references, the error text, the ordinal and the
    // unit conversion change what remains.
    for (RCSslEntry& copy : copies) {
        if (copy.GetAddressCount() > 0)
            copy.GetWriteableAddress(0).SetName("changed");
        if (copy.GetSupportFileCount() > 0)
            copy.GetWriteableSupportFile(0).SetString("/elsewhere", 0);
        copy.SetHpglPensWidth(0.7, 1);
        copy.SetStampBmp(0, "other.bmp");
        copy.AppendError("more");
        copy.SetOrdinal(5);
        copy.ConvertUnit(2, 1, 300);
        for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
            if (id != kId_SslOrdinal)
                copy.Set(static_cast<TSslStatementID>(id), StatementOf(fresh, id).get());
        }
    }
    const RCSslEntry filled = FilledEntry(0);
    for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
        EXPECT_TRUE(SameStatement(source, filled, id)) << "statement " << id;
    }
}
