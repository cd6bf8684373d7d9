// Round trips: read -> write -> read gives an equal set, and write -> read -> write
// gives the same text, for the example tickets and for random valid sets.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "ssl2/set/RCSslSet.h"
#include "ssl2/set/SslTestSupport.h"

namespace {

using ssl2::test::ExamplePath;
using ssl2::test::ParseFile;
using ssl2::test::RCTempDir;
using ssl2::test::RSParse;

/// The statement names whose bits are set in `differences`, for failure messages.
std::string Names(const RCAccessSsl& differences) {
    std::string names;
    for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
        if (differences.GetAccess(static_cast<TSslStatementID>(id)) != 0) {
            std::unique_ptr<SslStatement> statement(
                SslStatement::CreateSslObject(static_cast<TSslStatementID>(id)));
            names += statement->GetStatementName(0).str() + " ";
        }
    }
    return names;
}

/// Statements whose SSL text does not carry every value of the statement, so that
/// the first read of a text they were written to may differ from the set written:
/// the plotter-language widths are written with three decimals (their defaults
/// have more), and the default zoom (size type 2, 100 x 100) is written as two bare
/// numbers, which read back as zoom factors (size type 5); before "5.0" the file
/// information has no colour depth.  Once read, the values are stable: the second
/// round trip must give an equal set.
constexpr TSslStatementID kLossyStatements[] = {kId_SslHpgl, kId_SslVic, kId_SslCalcomp,
                                                kId_SslZoom};

/// The statements that differ between `a` and `b`, the lossy ones left out when
/// `allowLossy` is set.
std::string Differences(const RCSslSet& a, const RCSslSet& b, bool allowLossy,
                        SslStatement::TSyntaxVersion version) {
    const RCSslEntry::RSCompReturn compared = a == b;
    if (!compared.bSameEntryCount)
        return "entry count";
    RCAccessSsl differences = compared.Differences;
    if (allowLossy) {
        for (TSslStatementID id : kLossyStatements)
            differences.SetAccess(id, 0);
        if (version < SslStatement::kVersion50)
            differences.SetAccess(kId_SslFileInfo, 0);
    }
    return Names(differences);
}

/// Writes `set`, reads it back and checks both round trips: read -> write -> read
/// gives an equal set and write -> read -> write the same text.
void CheckRoundTrip(const RCSslSet& set, SslStatement::TSyntaxVersion version, const RCTempDir& dir,
                    const std::string& label) {
    const TString first = set.ToString(version);
    RSParse again = ParseFile(dir.Write("first.ssl", first.str()));
    ASSERT_EQ(again.m_nResult, set.Size()) << label << "\n" << first;
    EXPECT_EQ(again.m_Set.ParsedTilEnd(), 1u) << label;
    for (const RSSslDiagnostic& d : again.m_Diagnostics) {
        ADD_FAILURE() << label << ": " << d.m_sMessage;
    }
    EXPECT_EQ(Differences(again.m_Set, set, true, version), "") << label << "\n" << first;
    const TString second = again.m_Set.ToString(version);
    EXPECT_EQ(second, first) << label;

    RSParse third = ParseFile(dir.Write("second.ssl", second.str()));
    EXPECT_EQ(Differences(third.m_Set, again.m_Set, false, version), "") << label;
}

class SslRoundTrip : public ::testing::TestWithParam<SslStatement::TSyntaxVersion> {
protected:
    RCTempDir m_Dir;
};

TEST_P(SslRoundTrip, ExampleTickets) {
    for (const char* name :
         {"simple.ssl", "twenty_files.ssl", "unicode_utf16.ssl", "old_style_15.ssl"}) {
        RSParse parse = ParseFile(ExamplePath(name));
        ASSERT_GT(parse.m_nResult, 1) << name;
        CheckRoundTrip(parse.m_Set, GetParam(), m_Dir, name);
    }
}

/// A random valid set: values every statement accepts and the writer can express.
RCSslSet RandomSet(std::mt19937& random) {
    auto pick = [&](std::uint32_t n) {
        return std::uniform_int_distribution<std::uint32_t>(0, n - 1)(random);
    };
    auto text = [&](const char* prefix) {
        static const char* const words[] = {"plan", "Ärger", "north", "a;b", "x y", "#1", "über"};
        return TString(std::string(prefix) + words[pick(7)] + std::to_string(pick(1000)));
    };
    RCSslSet set;
    RCSslEntry job(0);
    job.SetJobName(text("job "));
    job.SetAccount(text(""));
    job.SetCustomer(text("c"));
    job.SetSetCopies(1 + pick(5));
    job.SetJobCollate(pick(2));
    job.SetJobPriority(pick(2) == 0 ? 1 : 3);
    job.SetOutputTray(pick(4));
    if (pick(2) == 0)
        job.AddSupportFile(text("/srv/support/"));
    if (pick(2) == 0) {
        SslAddress address;
        address.SetName(text("addr "));
        address.SetType(1 + pick(3));
        address.SetCity(text("city "));
        address.SetLine1(text("line "));
        job.AddAddress(address);
    }
    set.AddEntry(job);

    const int files = 1 + static_cast<int>(pick(6));
    for (int i = 0; i < files; ++i) {
        RCSslEntry file(job, 1);
        file.SetName(text("file") + ".plt");
        file.SetDirectory(text("/srv/in/"));
        file.SetCopies(1 + pick(20));
        file.SetRotate(pick(5));
        file.SetMediaType(pick(5));
        file.SetFileEmulation(pick(2) == 0 ? 6 : 11);
        if (pick(3) == 0)
            file.SetFoldPrg(static_cast<std::int32_t>(1 + pick(40)));
        if (file.GetFileEmulation() == 6 && pick(2) == 0) {  // pens are written for HPGL files
            file.SetHpglPensOn(1);
            file.SetHpglPensWidth(0.25 * (1 + pick(8)), 1 + pick(4), 5 + pick(4));
        }
        if (pick(2) == 0)
            file.SetFileInfo(1000 + pick(9000), 1000 + pick(9000), 400, 400, 1);
        set.AddEntry(file);
    }
    return set;
}

TEST_P(SslRoundTrip, RandomSets) {
    std::mt19937 random(20261206);
    for (int round = 0; round < 40; ++round) {
        const RCSslSet set = RandomSet(random);
        CheckRoundTrip(set, GetParam(), m_Dir, "random set " + std::to_string(round));
        if (HasFailure())
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(Dialects, SslRoundTrip,
                         ::testing::Values(SslStatement::kVersion40, SslStatement::kVersion50));

TEST(SslSyntaxErrorTicket, KeepsWhatWasReadAndReportsEachError) {
    RSParse p = ParseFile(ExamplePath("syntax_errors.ssl"));
    EXPECT_EQ(p.m_nResult, 2) << "the job entry and the first file";
    EXPECT_EQ(p.m_Set.ParsedTilEnd(), 0u);
    EXPECT_EQ(p.Messages(RSSslDiagnostic::kUnknownStatement),
              "unknownstatement \"Copeis\" In Zeile 3\n");
    EXPECT_EQ(p.Messages(RSSslDiagnostic::kSyntaxError),
              "parse error Token \"x\" In Zeile 7\n"
              "parse error Token \"b\" In Zeile 10\n"
              "parse error Token \"a\" In Zeile 15\n")
        << "\"m\" forms no token; \"a\" is a series letter";
    const RCSslEntry& first = p.m_Set.GetEntry(1);
    EXPECT_DOUBLE_EQ(first.GetHpglPensWidth(3), 0.5) << "the pen line after the bad one";
    EXPECT_EQ(first.GetStampCount(), 1u);
    EXPECT_NE(first.GetErrors().str().find("Error in HpglPens settings\n"), std::string::npos);
    EXPECT_NE(first.GetErrors().str().find("Error in Stamp settings\n"), std::string::npos);
}

}  // namespace
