// ssl2 preview: a ticket's sheet layouts as one self-contained HTML page (and,
// with --svg, one SVG drawing per printed file).
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>

#include "tools/ssl2/Commands.h"
#include "tools/ssl2/ToolSupport.h"

namespace ssl2tool {

namespace {

struct RSPreviewOptions {
    std::string m_sTicket;
    std::vector<std::string> m_asCapas;
    std::string m_sPlotter = "auto";
    std::string m_sOutput = "-";
    std::string m_sSvgDir;
    std::uint32_t m_nResolution = kDefaultResolution;
};

/// "3-plan_a.svg": the entry's number and the last component of its name, reduced to
/// characters that are safe in a file name everywhere.
std::string SvgFileName(const RSSslLayout& layout) {
    std::string name = layout.m_sName.str();
    name = name.substr(
        name.find_last_of("/\\") == std::string::npos ? 0 : name.find_last_of("/\\") + 1);
    for (char& c : name) {
        const bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
        c = safe ? c : '_';
    }
    return std::to_string(layout.m_nEntry) + (name.empty() ? "" : "-" + name) + ".svg";
}

void WriteSvgs(const std::string& directory, const RCSslSet& set,
               const RCStatementInfluencingCapaRefined* capas,
               const std::vector<RSSslFinding>& findings) {
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error)
        ThrowIoError("cannot create directory", directory, error.value());
    SslVisitLayouts(set, capas, findings, [&directory](const RSSslLayout& layout) {
        if (layout.m_nPages > 0)
            WriteOutput((std::filesystem::path(directory) / SvgFileName(layout)).string(),
                        SslLayoutSvg(layout));
    });
}

TExitCode RunPreview(const RSPreviewOptions& options) {
    std::optional<RCStatementInfluencingCapaRefined> capas;
    if (!options.m_asCapas.empty())
        capas = LoadCapabilities(options.m_asCapas, options.m_sPlotter);
    const RSLoadedTicket ticket = LoadTicket(options.m_sTicket, options.m_nResolution);
    const RCStatementInfluencingCapaRefined* refined = capas ? &*capas : nullptr;
    // One preflight for the page and the drawings.
    const std::vector<RSSslFinding> findings = SslLayoutFindings(ticket.m_Set, refined);
    WriteOutput(options.m_sOutput, [&](std::ostream& out) {
        SslPreviewHtml(out, ticket.m_Set, refined, findings, options.m_sTicket);
    });
    if (!options.m_sSvgDir.empty())
        WriteSvgs(options.m_sSvgDir, ticket.m_Set, refined, findings);
    return ReportProblems(ticket, std::cerr);
}

}  // namespace

void AddPreviewCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<RSPreviewOptions>();
    CLI::App* sub = app.add_subcommand(
        "preview",
        "Draw what a ticket does to the paper: one self-contained HTML page (no scripts, no "
        "network) with the job's summary, a roll overview at scale and one card per printed "
        "file (medium, print, margins, stamps, dimensions, key statements, preflight findings "
        "marked in red). With --capas the prints are laid on the input tray the plotter would "
        "use; without, each on its own size. Exit 1 when the ticket has errors.");
    sub->add_option("ticket", options->m_sTicket, "SSL ticket file (\"-\": standard input)")
        ->required();
    sub->add_option("--capas", options->m_asCapas, "capability INI files, one per plotter");
    sub->add_option("--plotter", options->m_sPlotter,
                    "with --capas: a plotter's name, or auto for what every plotter can do "
                    "(default)");
    sub->add_option("-o,--output", options->m_sOutput,
                    "the HTML page (default \"-\": standard output)");
    sub->add_option("--svg", options->m_sSvgDir,
                    "also write one SVG per printed file into this directory (N-NAME.svg)");
    AddResolutionOption(*sub, options->m_nResolution);
    sub->callback([options, &status] { status = RunPreview(*options); });
}

}  // namespace ssl2tool
