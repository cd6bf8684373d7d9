// ssl2 preflight: will a ticket run on these plotters; with --fix, the ticket
// brought within what they offer.
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "tools/ssl2/Commands.h"
#include "tools/ssl2/JsonWriter.h"
#include "tools/ssl2/ToolSupport.h"

namespace ssl2tool {

namespace {

struct RSPreflightOptions {
    std::string m_sTicket;
    std::vector<std::string> m_asCapas;
    std::string m_sPlotter = "auto";
    bool m_bJson = false;
    bool m_bFix = false;
    std::string m_sOutput;
    std::uint32_t m_nResolution = kDefaultResolution;
};

void PrintFindings(const std::string& path, const RCSslSet& set,
                   const std::vector<RSSslFinding>& findings) {
    for (const RSSslFinding& f : findings) {
        std::cout << path << ": " << EntryText(set, f.m_nEntry) << ": "
                  << StatementName(f.m_nStatement) << ' ' << ToUtf8(f.m_sValue) << ": "
                  << ToUtf8(f.m_sMessage) << " (offered: " << ToUtf8(f.m_sOffered) << ")\n";
    }
}

/// The element of a report's array about `entry` of `set`: its number and name, then
/// the texts `members` in order.
std::string EntryElement(const RCSslSet& set, int entry,
                         std::initializer_list<std::pair<std::string_view, std::string>> members) {
    std::string text;
    RCJsonText element(text, 2);
    element.BeginObject();
    element.Key("entry");
    element.Integer(entry);
    element.Key("name");
    element.String(ToUtf8(set.GetEntry(entry).GetName()));
    for (const auto& [key, value] : members) {
        element.Key(key);
        element.String(value);
    }
    element.End();
    return text;
}

/// Writes the members every preflight report has: the ticket, the plotters, whether it
/// fits and the findings, one at a time.
void WriteFindingsJson(RCJsonObjectWriter& json, const std::string& path, const RCSslSet& set,
                       const std::vector<std::string>& plotters,
                       const std::vector<RSSslFinding>& findings) {
    json.Member("file", path);
    json.Member("plotters", plotters);
    json.Member("fits", findings.empty());
    json.BeginArray("findings");
    for (const RSSslFinding& f : findings) {
        json.RawElement(EntryElement(set, f.m_nEntry,
                                     {{"statement", StatementName(f.m_nStatement)},
                                      {"value", ToUtf8(f.m_sValue)},
                                      {"offered", ToUtf8(f.m_sOffered)},
                                      {"message", ToUtf8(f.m_sMessage)}}));
    }
    json.EndArray();
}

/// The dialect a fitted ticket is written in: the job's own when known, else the
/// plotters', else 5.0.
SslStatement::TSyntaxVersion FittedDialect(const RCSslSet& set,
                                           const RCStatementInfluencingCapaRefined& capas) {
    std::uint32_t version = set.GetEntry(0).GetVersion();
    if (version == 0 || version > SslStatement::kVersion50)
        version = capas.GetSslSyntaxVersion();
    if (version == 0 || version > SslStatement::kVersion50)
        version = SslStatement::kVersion50;
    return static_cast<SslStatement::TSyntaxVersion>(version);
}

TExitCode RunPreflight(const RSPreflightOptions& options) {
    if (options.m_bFix && options.m_sOutput.empty())
        throw RCToolError("--fix needs -o OUT", kExitUsage);
    const RCStatementInfluencingCapaRefined capas =
        LoadCapabilities(options.m_asCapas, options.m_sPlotter);
    RSLoadedTicket ticket = LoadTicket(options.m_sTicket, options.m_nResolution);
    std::vector<std::string> plotters;
    for (std::uint32_t i = 0; i < capas.GetPlotterCount(); ++i)
        plotters.push_back(ToUtf8(capas.GetPlotterName(i)));

    if (!options.m_bFix) {
        const std::vector<RSSslFinding> findings = ticket.m_Set.Preflight(capas);
        if (options.m_bJson) {
            RCJsonObjectWriter json(std::cout);
            WriteFindingsJson(json, options.m_sTicket, ticket.m_Set, plotters, findings);
            json.End();
        } else {
            PrintFindings(options.m_sTicket, ticket.m_Set, findings);
        }
        std::cout.flush();
        const TExitCode problems = ReportProblems(ticket, std::cerr);
        return findings.empty() && problems == kExitOk ? kExitOk : kExitInputErrors;
    }

    RequireCleanTicket(ticket, std::cerr);
    const std::vector<RSSslSubstitution> substitutions = ticket.m_Set.FitToCapabilities(capas);
    const std::vector<RSSslFinding> remaining = ticket.m_Set.Preflight(capas);
    const SslStatement::TSyntaxVersion dialect = FittedDialect(ticket.m_Set, capas);
    WriteOutput(options.m_sOutput,
                [&](std::ostream& out) { ticket.m_Set.WriteText(out, RCAccessSsl(), dialect, 0); });
    // With the ticket on standard output the report goes to standard error.
    std::ostream& report = options.m_sOutput == "-" ? std::cerr : std::cout;
    if (options.m_bJson) {
        RCJsonObjectWriter json(report);
        WriteFindingsJson(json, options.m_sTicket, ticket.m_Set, plotters, remaining);
        json.Member("output", options.m_sOutput);
        json.Member("dialect", DialectNames()[dialect - 1]);
        json.BeginArray("substitutions");
        for (const RSSslSubstitution& s : substitutions) {
            json.RawElement(EntryElement(ticket.m_Set, s.m_nEntry,
                                         {{"statement", StatementName(s.m_nStatement)},
                                          {"from", ToUtf8(s.m_sFrom)},
                                          {"to", ToUtf8(s.m_sTo)}}));
        }
        json.EndArray();
        json.End();
    } else {
        for (const RSSslSubstitution& s : substitutions) {
            report << options.m_sTicket << ": " << EntryText(ticket.m_Set, s.m_nEntry) << ": "
                   << StatementName(s.m_nStatement) << ' ' << ToUtf8(s.m_sFrom) << " -> "
                   << ToUtf8(s.m_sTo) << '\n';
        }
        report << options.m_sOutput << ": written in dialect " << DialectNames()[dialect - 1]
               << ", " << substitutions.size()
               << (substitutions.size() == 1 ? " substitution" : " substitutions") << ", "
               << (remaining.empty() ? "fits" : "still does not fit") << '\n';
    }
    return remaining.empty() ? kExitOk : kExitInputErrors;
}

}  // namespace

void AddPreflightCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<RSPreflightOptions>();
    CLI::App* sub = app.add_subcommand(
        "preflight",
        "Check a ticket against plotter capabilities: media, input and output trays, fold, "
        "nesting, colour depth, print size against the input trays (of several plotters: the "
        "largest), dialect. One line "
        "per value that does not fit. With --fix -o OUT, write the ticket with each such value "
        "replaced by the nearest offered one and list the replacements. Exit 0 when "
        "everything fits, 1 when something does not.");
    sub->add_option("ticket", options->m_sTicket, "SSL ticket file (\"-\": standard input)")
        ->required();
    sub->add_option("--capas", options->m_asCapas, "capability INI files, one per plotter")
        ->required();
    sub->add_option("--plotter", options->m_sPlotter,
                    "a plotter's name, or auto for what every plotter can do (default)");
    sub->add_flag("--json", options->m_bJson, "write the findings as JSON");
    AddResolutionOption(*sub, options->m_nResolution);
    CLI::Option* fix = sub->add_flag("--fix", options->m_bFix,
                                     "write the ticket fitted to the plotters (needs -o)");
    sub->add_option("-o,--output", options->m_sOutput,
                    "with --fix: output file (\"-\": standard output)")
        ->needs(fix);
    sub->callback([options, &status] { status = RunPreflight(*options); });
}

}  // namespace ssl2tool
