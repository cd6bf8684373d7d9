// ssl2 check: reads tickets and reports everything wrong with them, as text lines or,
// with --json, as one JSON document (see check.schema.json).
#include <algorithm>
#include <iostream>
#include <nlohmann/json.hpp>

#include "tools/ssl2/Commands.h"
#include "tools/ssl2/JsonWriter.h"
#include "tools/ssl2/ToolSupport.h"

namespace ssl2tool {

namespace {

struct RSCheckOptions {
    std::vector<std::string> m_asTickets;
    bool m_bJson = false;
    std::uint32_t m_nResolution = kDefaultResolution;
};

/// The ticket's JSON object as dump() writes it, problem by problem: a diagnostic with
/// its line, an error note with its entry, a missing "EndJob" with its message alone.
std::string TicketJson(const RSLoadedTicket& ticket, bool ok) {
    std::string text = "{\"file\":";
    AppendJsonString(text, ticket.m_sPath);
    text += ok ? ",\"ok\":true" : ",\"ok\":false";
    text += ",\"files\":";
    AppendJsonNumber(text, std::int64_t{std::max(0, ticket.m_Set.Size() - 1)});
    text += ticket.ReachedEnd() ? ",\"complete\":true" : ",\"complete\":false";
    text += ",\"problems\":[";
    const auto problem = [&](const char* key, int number, std::string_view message) {
        text += text.back() == '[' ? "{" : ",{";
        if (key != nullptr) {
            text += key;
            AppendJsonNumber(text, std::int64_t{number});
            text += ',';
        }
        text += "\"message\":";
        AppendJsonString(text, message);
        text += '}';
    };
    for (const RSSslDiagnostic& d : ticket.m_aDiagnostics)
        problem("\"line\":", d.m_nLine, DiagnosticMessage(d));
    for (const auto& [entry, note] : ticket.m_aErrorNotes)
        problem("\"entry\":", entry, ToUtf8(TString(note)));
    if (!ticket.ReachedEnd())
        problem(nullptr, 0, "the ticket ends before \"EndJob\"");
    return text + "]}";
}

/// Checks one ticket; unreadable files are reported and give kExitUsage.  With `json`
/// the result is the ticket's JSON object, else text lines.
TExitCode CheckOne(const std::string& path, bool json, std::uint32_t resolution) {
    try {
        const RSLoadedTicket ticket = LoadTicket(path, resolution);
        const std::vector<std::string> problems = ProblemLines(ticket);
        const int files = std::max(0, ticket.m_Set.Size() - 1);
        if (json) {
            std::cout << TicketJson(ticket, problems.empty());
        } else {
            for (const std::string& line : problems)
                std::cout << line << '\n';
            std::cout << ticket.m_sPath << ": " << (problems.empty() ? "ok" : "has errors") << ", "
                      << files << (files == 1 ? " file" : " files") << ", "
                      << (ticket.ReachedEnd() ? "reached" : "did not reach") << " \"EndJob\"\n";
        }
        return problems.empty() ? kExitOk : kExitInputErrors;
    } catch (const RCToolError& e) {
        if (json) {
            std::cout << nlohmann::ordered_json{
                {"file", path == "-" ? kStandardInputName : path},
                {"ok", false},
                {"error",
                 e.what()}}.dump();
        } else {
            std::cout.flush();
            std::cerr << "ssl2: " << e.what() << '\n';
        }
        return e.GetCode();
    }
}

}  // namespace

void AddCheckCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<RSCheckOptions>();
    CLI::App* sub = app.add_subcommand(
        "check",
        "Read tickets and report every diagnostic as file:line: message, the error notes of "
        "each entry and whether the ticket reached \"EndJob\". Exit 1 when anything is wrong, "
        "2 when a ticket cannot be read.");
    sub->add_option("tickets", options->m_asTickets, "SSL ticket files (\"-\": standard input)")
        ->required();
    AddResolutionOption(*sub, options->m_nResolution);
    sub->add_flag("--json", options->m_bJson,
                  "write {\"tickets\": [...]}: per ticket its file, ok, files, complete and "
                  "problems (line or entry, message), or the error that kept it from being read");
    sub->callback([options, &status] {
        int worst = kExitOk;
        if (options->m_bJson)
            std::cout << "{\"tickets\": [";
        for (std::size_t i = 0; i < options->m_asTickets.size(); ++i) {
            if (options->m_bJson && i > 0)
                std::cout << ",";
            if (options->m_bJson)
                std::cout << "\n  ";
            worst = std::max<int>(
                worst, CheckOne(options->m_asTickets[i], options->m_bJson, options->m_nResolution));
        }
        if (options->m_bJson)
            std::cout << "\n]}\n";
        status = worst;
    });
}

}  // namespace ssl2tool
