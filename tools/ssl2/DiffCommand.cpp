// ssl2 diff: what differs between two tickets, entry by entry: what the written
// tickets would tell a plot server (the plot time, error notes, dialect and ordinal
// are not compared).
#include <algorithm>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <unordered_map>
#include <vector>

#include "tools/ssl2/Commands.h"
#include "tools/ssl2/JsonWriter.h"
#include "tools/ssl2/ToolSupport.h"

namespace ssl2tool {

namespace {

struct RSDiffOptions {
    std::string m_sFirst;
    std::string m_sSecond;
    bool m_bJson = false;
    std::uint32_t m_nResolution = kDefaultResolution;
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

/// The lines the writer writes for statement `id` of `entry` in dialect 5.0 (the
/// default of convert).
std::string WrittenLines(const RCSslEntry& entry, TSslStatementID id) {
    std::string text = ToUtf8(entry.StatementText(id, SslStatement::kVersion50));
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

/// The written lines of statements, made once for each statement object that many
/// entries hold: those of either ticket's job entry and the class defaults (a file
/// entry holds most of its statements as its job entry's or the default objects, and
/// a statement's lines depend on the statement alone).  The tickets must not change
/// while it is used, so that those objects keep their addresses and values.
class RCWrittenLines {
public:
    RCWrittenLines(const RCSslSet& first, const RCSslSet& second) {
        m_aShared.push_back(&m_Defaults);
        for (const RCSslSet* set : {&first, &second}) {
            if (set->Size() > 0)
                m_aShared.push_back(&set->GetEntry(0));
        }
    }

    std::string Of(const RCSslEntry& entry, TSslStatementID id) {
        const SslStatement* statement = &entry.GetStatement(id);
        const bool shared =
            std::any_of(m_aShared.begin(), m_aShared.end(),
                        [&](const RCSslEntry* e) { return &e->GetStatement(id) == statement; });
        if (!shared)
            return WrittenLines(entry, id);
        const auto [known, added] = m_Texts.try_emplace(statement);
        if (added)
            known->second = WrittenLines(entry, id);
        return known->second;
    }

private:
    const RCSslEntry m_Defaults;
    std::vector<const RCSslEntry*> m_aShared;
    std::unordered_map<const SslStatement*, std::string> m_Texts;
};

/// A window without a unit of its own is in the job's unit, which is millimetres in
/// a ticket as read: the same size as one that names millimetres.
void NameSizeUnits(RCSslEntry& entry) {
    const auto named = [](SslSize size) {
        const std::uint32_t type = size.GetSizeType();
        if ((type == SslSize::kProportional || type == SslSize::kUnproportional) &&
            size.GetSizeUnit().Get() == SslUnit::kNone)
            size.SetSizeUnit(SslUnit(SslUnit::kMm));
        return size;
    };
    entry.SetOutputSize(named(entry.GetOutputSize()));
    entry.SetPaperSize(named(entry.GetPaperSize()));
    entry.SetZoom(named(entry.GetZoom()));
}

/// The statements of two entries that would tell a plot server different things:
/// those the entries' comparison finds different, and those written differently
/// (the comparison reads a selection such as MediaType by its index alone).
std::vector<RSStatementDiff> CompareEntries(RCSslEntry a, RCSslEntry b, RCWrittenLines& lines) {
    NameSizeUnits(a);
    NameSizeUnits(b);
    const RCSslEntry::RSCompReturn result = a == b;
    std::vector<RSStatementDiff> diffs;
    for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
        const auto sid = static_cast<TSslStatementID>(id);
        // Not compared, as in the entries' comparison: the plot time, error notes,
        // dialect and ordinal.
        if (sid == kId_SslEarliestPlotTime || sid == kId_SslError || sid == kId_SslVersion ||
            sid == kId_SslOrdinal)
            continue;
        std::string first = lines.Of(a, sid);
        std::string second = lines.Of(b, sid);
        if (result.Differences.GetAccess(sid) == 0 && first == second)
            continue;
        RSStatementDiff statement{StatementName(sid), std::move(first), std::move(second)};
        if (statement.m_sFirst == statement.m_sSecond) {
            // Members the line does not show (in every dialect) tell them apart.
            statement.m_sFirst += MemberDetail(a, b, sid);
            statement.m_sSecond += MemberDetail(b, a, sid);
        }
        diffs.push_back(std::move(statement));
    }
    return diffs;
}

/// The next entry from `index` on that is not the same in both sets (nothing when
/// none is left); `index` moves past it.  Entries are compared one at a time, so that
/// a difference is written before the next is looked for.
std::optional<RSEntryDiff> NextDiff(const RCSslSet& first, const RCSslSet& second, int& index,
                                    RCWrittenLines& lines) {
    const int common = std::min(first.Size(), second.Size());
    while (index < std::max(first.Size(), second.Size())) {
        const int i = index++;
        if (i >= common) {
            const RCSslSet& set = i < first.Size() ? first : second;
            return RSEntryDiff{i,
                               EntryText(set, i),
                               ToUtf8(set.GetEntry(i).GetName()),
                               i < first.Size() ? 1 : 2,
                               {}};
        }
        const RCSslEntry& a = first.GetEntry(i);
        std::vector<RSStatementDiff> statements = CompareEntries(a, second.GetEntry(i), lines);
        if (!statements.empty())
            return RSEntryDiff{i, EntryText(first, i), ToUtf8(a.GetName()), 0,
                               std::move(statements)};
    }
    return std::nullopt;
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

/// Prints the differences as they are found; returns their number.
std::size_t PrintDiffs(const RSDiffOptions& options, const RCSslSet& first,
                       const RCSslSet& second) {
    std::size_t count = 0;
    int index = 0;
    RCWrittenLines lines(first, second);
    for (std::optional<RSEntryDiff> diff; (diff = NextDiff(first, second, index, lines)); ++count) {
        if (diff->m_nOnlyIn != 0) {
            std::cout << diff->m_sWhere << ": only in "
                      << (diff->m_nOnlyIn == 1 ? options.m_sFirst : options.m_sSecond) << '\n';
            continue;
        }
        std::cout << diff->m_sWhere << ":\n";
        for (const RSStatementDiff& statement : diff->m_aStatements) {
            PrintPrefixed("  - ", statement.m_sFirst);
            PrintPrefixed("  + ", statement.m_sSecond);
        }
    }
    std::cout << options.m_sFirst << ", " << options.m_sSecond << ": ";
    if (count == 0)
        std::cout << "the same\n";
    else
        std::cout << count << (count == 1 ? " entry differs\n" : " entries differ\n");
    return count;
}

nlohmann::ordered_json DiffJson(const RSEntryDiff& diff) {
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
    return entry;
}

/// Writes the differences as JSON as they are found; returns their number.  Whether
/// the tickets are the same comes before the entries: the first difference is looked
/// for before anything is written.
std::size_t WriteDiffsJson(const RSDiffOptions& options, const RCSslSet& first,
                           const RCSslSet& second) {
    int index = 0;
    RCWrittenLines lines(first, second);
    std::optional<RSEntryDiff> diff = NextDiff(first, second, index, lines);
    RCJsonObjectWriter json(std::cout);
    json.Member("a", options.m_sFirst);
    json.Member("b", options.m_sSecond);
    json.Member("same", !diff);
    json.BeginArray("entries");
    std::size_t count = 0;
    for (; diff; diff = NextDiff(first, second, index, lines), ++count)
        json.Element(DiffJson(*diff));
    json.EndArray();
    json.End();
    return count;
}

TExitCode RunDiff(const RSDiffOptions& options) {
    const RSLoadedTicket first = LoadTicket(options.m_sFirst, options.m_nResolution);
    const RSLoadedTicket second = LoadTicket(options.m_sSecond, options.m_nResolution);
    const std::size_t differences = options.m_bJson
                                        ? WriteDiffsJson(options, first.m_Set, second.m_Set)
                                        : PrintDiffs(options, first.m_Set, second.m_Set);
    std::cout.flush();
    // Both tickets' problems are reported; error notes (statements a reader ignored)
    // are no difference, but a ticket the reader could not read whole is.
    ReportProblems(first, std::cerr);
    ReportProblems(second, std::cerr);
    const bool incomplete = first.HasParseErrors() || second.HasParseErrors();
    return differences == 0 && !incomplete ? kExitOk : kExitInputErrors;
}

}  // namespace

void AddDiffCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<RSDiffOptions>();
    CLI::App* sub = app.add_subcommand(
        "diff",
        "Compare two tickets entry by entry: for each entry that differs, the SSL lines of the "
        "statements that differ (- first ticket, + second), and entries only one ticket has. "
        "Exit 0 when they are the same, 1 when they differ or one could not be read whole (syntax "
        "errors; error notes are reported but are no difference), 2 on trouble (a file that "
        "cannot be read, wrong usage).");
    sub->add_option("first", options->m_sFirst, "SSL ticket file (\"-\": standard input)")
        ->required();
    sub->add_option("second", options->m_sSecond, "SSL ticket file (\"-\": standard input)")
        ->required();
    sub->add_flag("--json", options->m_bJson, "write the differences as JSON");
    AddResolutionOption(*sub, options->m_nResolution);
    sub->callback([options, &status] { status = RunDiff(*options); });
}

}  // namespace ssl2tool
