// ssl2 diff: what differs between two tickets, entry by entry, by the entries'
// own comparison (the plot time, error notes, dialect and ordinal are not compared).
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>

#include "tools/ssl2/Commands.h"
#include "tools/ssl2/ToolSupport.h"

namespace ssl2tool {

namespace {

struct RSDiffOptions {
    std::string m_sFirst;
    std::string m_sSecond;
    bool m_bJson = false;
};

/// One statement that differs: its name and its text in either ticket.
struct RSStatementDiff {
    std::string m_sName;
    std::string m_sFirst;
    std::string m_sSecond;
};

/// One entry of either ticket that is not the same in the other.
struct RSEntryDiff {
    int m_nEntry = 0;
    std::string m_sWhere;  ///< "entry 3 (B-003.plt)"
    std::string m_sName;   ///< the file name of a file entry
    int m_nOnlyIn = 0;     ///< 1 or 2 when the other ticket has no such entry
    std::vector<RSStatementDiff> m_aStatements;
};

/// " [member value ...]": the members of `id` in `entry` whose value differs in
/// `other`, element by element for list statements.
std::string MemberDetail(const RCSslEntry& entry, const RCSslEntry& other, TSslStatementID id) {
    const std::unique_ptr<SslStatement> own(SslStatement::CreateSslObject(id));
    const std::unique_ptr<SslStatement> theirs(SslStatement::CreateSslObject(id));
    entry.Get(id, own.get());
    other.Get(id, theirs.get());
    const std::uint32_t elements = std::max<std::uint32_t>(own->GetArrayCount(), 1);
    std::string detail;
    for (std::uint32_t e = 0; e < elements; ++e) {
        for (std::uint32_t m = 0; m < own->GetContainedMemberCount(); ++m) {
            const std::string value = own->GetString(m, e);
            if (e < std::max<std::uint32_t>(theirs->GetArrayCount(), 1) &&
                value == theirs->GetString(m, e))
                continue;
            detail += (detail.empty() ? " [" : " ") + ToUtf8(own->GetSubStatementName(m)) + " " +
                      ToUtf8(TString(value));
        }
    }
    return detail.empty() ? detail : detail + "]";
}

std::vector<RSEntryDiff> Compare(const RCSslSet& first, const RCSslSet& second) {
    std::vector<RSEntryDiff> diffs;
    const int common = std::min(first.Size(), second.Size());
    for (int i = 0; i < common; ++i) {
        const RCSslEntry& a = first.GetEntry(i);
        const RCSslEntry& b = second.GetEntry(i);
        const RCSslEntry::RSCompReturn result = a == b;
        if (result.bEqual)
            continue;
        RSEntryDiff diff{i, EntryText(first, i), ToUtf8(a.GetName()), 0, {}};
        for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
            const auto sid = static_cast<TSslStatementID>(id);
            if (result.Differences.GetAccess(sid) == 0)
                continue;
            RSStatementDiff statement{StatementName(sid), StatementLines(a, sid),
                                      StatementLines(b, sid)};
            if (statement.m_sFirst == statement.m_sSecond) {
                // Members the line does not show (in every dialect) tell them apart.
                statement.m_sFirst += MemberDetail(a, b, sid);
                statement.m_sSecond += MemberDetail(b, a, sid);
            }
            diff.m_aStatements.push_back(std::move(statement));
        }
        diffs.push_back(std::move(diff));
    }
    for (int i = common; i < first.Size(); ++i)
        diffs.push_back({i, EntryText(first, i), ToUtf8(first.GetEntry(i).GetName()), 1, {}});
    for (int i = common; i < second.Size(); ++i)
        diffs.push_back({i, EntryText(second, i), ToUtf8(second.GetEntry(i).GetName()), 2, {}});
    return diffs;
}

/// Each line of `text` behind `prefix`.
void PrintPrefixed(const std::string& prefix, const std::string& text) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::cout << prefix << line << '\n';
    }
}

void PrintDiffs(const RSDiffOptions& options, const std::vector<RSEntryDiff>& diffs) {
    for (const RSEntryDiff& diff : diffs) {
        if (diff.m_nOnlyIn != 0) {
            std::cout << diff.m_sWhere << ": only in "
                      << (diff.m_nOnlyIn == 1 ? options.m_sFirst : options.m_sSecond) << '\n';
            continue;
        }
        std::cout << diff.m_sWhere << ":\n";
        for (const RSStatementDiff& statement : diff.m_aStatements) {
            PrintPrefixed("  - ", statement.m_sFirst);
            PrintPrefixed("  + ", statement.m_sSecond);
        }
    }
    std::cout << options.m_sFirst << ", " << options.m_sSecond << ": ";
    if (diffs.empty())
        std::cout << "the same\n";
    else
        std::cout << diffs.size() << (diffs.size() == 1 ? " entry differs\n" : " entries differ\n");
}

nlohmann::ordered_json DiffsJson(const RSDiffOptions& options,
                                 const std::vector<RSEntryDiff>& diffs) {
    nlohmann::ordered_json json = {
        {"a", options.m_sFirst}, {"b", options.m_sSecond}, {"same", diffs.empty()}};
    json["entries"] = nlohmann::ordered_json::array();
    for (const RSEntryDiff& diff : diffs) {
        nlohmann::ordered_json entry = {{"entry", diff.m_nEntry},
                                        {"name", diff.m_sName},
                                        {"status", diff.m_nOnlyIn == 1   ? "missing"
                                                   : diff.m_nOnlyIn == 2 ? "added"
                                                                         : "changed"}};
        entry["statements"] = nlohmann::ordered_json::array();
        for (const RSStatementDiff& statement : diff.m_aStatements) {
            entry["statements"].push_back({{"statement", statement.m_sName},
                                           {"a", statement.m_sFirst},
                                           {"b", statement.m_sSecond}});
        }
        json["entries"].push_back(std::move(entry));
    }
    return json;
}

TExitCode RunDiff(const RSDiffOptions& options) {
    const RSLoadedTicket first = LoadTicket(options.m_sFirst);
    const RSLoadedTicket second = LoadTicket(options.m_sSecond);
    const std::vector<RSEntryDiff> diffs = Compare(first.m_Set, second.m_Set);
    if (options.m_bJson)
        std::cout << DiffsJson(options, diffs).dump(2) << '\n';
    else
        PrintDiffs(options, diffs);
    std::cout.flush();
    const bool problems =
        ReportProblems(first, std::cerr) != kExitOk || ReportProblems(second, std::cerr) != kExitOk;
    return diffs.empty() && !problems ? kExitOk : kExitInputErrors;
}

}  // namespace

void AddDiffCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<RSDiffOptions>();
    CLI::App* sub = app.add_subcommand(
        "diff",
        "Compare two tickets entry by entry: for each entry that differs, the SSL lines of the "
        "statements that differ (- first ticket, + second), and entries only one ticket has. "
        "Exit 0 when they are the same, 1 when they differ (or have errors).");
    sub->add_option("first", options->m_sFirst, "SSL ticket file (\"-\": standard input)")
        ->required();
    sub->add_option("second", options->m_sSecond, "SSL ticket file (\"-\": standard input)")
        ->required();
    sub->add_flag("--json", options->m_bJson, "write the differences as JSON");
    sub->callback([options, &status] { status = RunDiff(*options); });
}

}  // namespace ssl2tool
