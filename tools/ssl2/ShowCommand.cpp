// ssl2 show: a readable summary of a ticket, or the whole set as JSON.
#include <iostream>
#include <memory>
#include <sstream>
#include <utility>

#include "tools/ssl2/Commands.h"
#include "tools/ssl2/SetJson.h"
#include "tools/ssl2/ToolSupport.h"

namespace ssl2tool {

namespace {

struct RSShowOptions {
    std::string m_sTicket;
    bool m_bJson = false;
    bool m_bAll = false;
    std::uint32_t m_nResolution = kDefaultResolution;
};

/// The statement `id` of `entry`, and whether it still holds its class default.
std::unique_ptr<SslStatement> StatementOf(const RCSslEntry& entry, TSslStatementID id,
                                          bool& isDefault) {
    std::unique_ptr<SslStatement> statement(SslStatement::CreateSslObject(id));
    const std::unique_ptr<SslStatement> fallback(SslStatement::CreateSslObject(id));
    entry.Get(id, statement.get());
    isDefault = *statement == *fallback;
    return statement;
}

/// The SSL text of a statement after its name ("-" while it holds its default).
std::string ValueText(const RCSslEntry& entry, TSslStatementID id) {
    bool isDefault = false;
    const std::unique_ptr<SslStatement> statement = StatementOf(entry, id, isDefault);
    if (isDefault)
        return "-";
    std::string text = ToUtf8(statement->ToString());
    const std::string name = ToUtf8(statement->GetStatementName(0));
    if (text.compare(0, name.size(), name) == 0)
        text.erase(0, name.size());
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? "-" : text.substr(first);
}

/// Display width of UTF-8 text (one column per character).
std::size_t Width(const std::string& text) {
    std::size_t width = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++width;
    }
    return width;
}

/// Prints `rows` as aligned columns; each cell terminal-safe.
void PrintTable(std::vector<std::vector<std::string>> rows) {
    for (auto& row : rows) {
        for (std::string& cell : row)
            cell = TerminalText(cell);
    }
    std::vector<std::size_t> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], Width(row[c]));
    }
    for (const auto& row : rows) {
        std::string line = " ";
        for (std::size_t c = 0; c < row.size(); ++c) {
            line += ' ' + row[c];
            if (c + 1 < row.size())
                line += std::string(widths[c] - Width(row[c]) + 1, ' ');
        }
        std::cout << line << '\n';
    }
}

std::string StampNames(const RCSslEntry& entry) {
    std::string names;
    for (std::uint32_t s = 0; s < entry.GetStampCount(); ++s) {
        const TString name = entry.GetStamp(s).GetName();
        names += (names.empty() ? "" : ",") +
                 (name.IsEmpty() ? "#" + std::to_string(s + 1) : ToUtf8(name));
    }
    return names.empty() ? "-" : names;
}

void PrintSummary(const RSLoadedTicket& ticket) {
    const RCSslSet& set = ticket.m_Set;
    std::cout << "Ticket: " << TerminalText(ticket.m_sPath) << " ("
              << (ticket.ReachedEnd() ? "complete" : "incomplete: no \"EndJob\"") << ")\n";
    if (set.Size() == 0)
        return;

    std::cout << "Job settings:\n";
    const RCSslEntry& job = set.GetEntry(0);
    for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
        const auto sid = static_cast<TSslStatementID>(id);
        if (sid == kId_SslError || sid == kId_SslOrdinal)
            continue;
        bool isDefault = false;
        const std::unique_ptr<SslStatement> statement = StatementOf(job, sid, isDefault);
        if (isDefault)
            continue;
        // List statements give one line per element; sub-lines ("\t+ ...") stay
        // indented under their line.
        std::istringstream lines(ToUtf8(statement->ToString()));
        for (std::string line; std::getline(lines, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.empty())
                continue;
            std::cout << TerminalText(line[0] == '\t' ? "      " + line.substr(1) : "  " + line)
                      << '\n';
        }
    }

    std::vector<std::vector<std::string>> rows = {
        {"#", "Name", "Copies", "Media", "Size", "Fold", "Stamps", "Pages", "mm"}};
    for (int i = 1; i < set.Size(); ++i) {
        const RCSslEntry& entry = set.GetEntry(i);
        const TString name = entry.GetName();
        rows.push_back({std::to_string(i), name.IsEmpty() ? "-" : ToUtf8(name),
                        std::to_string(entry.GetCopies()), ToUtf8(entry.GetMediaTypeAsString()),
                        ToUtf8(entry.GetOutputSizeAsString()), ValueText(entry, kId_SslFold),
                        StampNames(entry), std::to_string(entry.CountPages(true)),
                        std::to_string(entry.CountMillimeters(true))});
    }
    std::cout << "Files: " << set.Size() - 1 << '\n';
    if (set.Size() > 1)
        PrintTable(std::move(rows));
    std::cout << "Total: " << set.CountPages(true) << " pages, " << set.CountMillimeters(true)
              << " mm of media (set copies included)\n";
}

}  // namespace

void AddShowCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<RSShowOptions>();
    CLI::App* sub = app.add_subcommand(
        "show",
        "Summarise a ticket: job settings, one row per file (name, copies, media, size, fold, "
        "stamps, pages, millimetres) and totals; or, with --json, the statements of every "
        "entry by name.");
    sub->add_option("ticket", options->m_sTicket, "SSL ticket file")->required();
    CLI::Option* json = sub->add_flag(
        "--json", options->m_bJson,
        "write the set as JSON (UTF-8): per entry the statements that differ from the "
        "defaults (job entry) or from the job entry (file entries)");
    sub->add_flag("--all", options->m_bAll, "with --json: every statement of every entry")
        ->needs(json);
    AddResolutionOption(*sub, options->m_nResolution);
    sub->callback([options, &status] {
        const RSLoadedTicket ticket = LoadTicket(options->m_sTicket, options->m_nResolution);
        if (options->m_bJson) {
            WriteSetJson(std::cout, ticket.m_sPath, ticket.m_Set, options->m_bAll);
        } else {
            PrintSummary(ticket);
        }
        std::cout.flush();
        ReportProblems(ticket, std::cerr);
        status = ticket.HasParseErrors() ? kExitInputErrors : kExitOk;
    });
}

}  // namespace ssl2tool
