// ssl2 check: reads tickets and reports everything wrong with them.
#include <algorithm>
#include <iostream>

#include "tools/ssl2/Commands.h"
#include "tools/ssl2/ToolSupport.h"

namespace ssl2tool {

namespace {

struct RSCheckOptions {
    std::vector<std::string> m_asTickets;
    std::uint32_t m_nResolution = kDefaultResolution;
};

/// Checks one ticket; unreadable files are reported and give kExitUsage.
TExitCode CheckOne(const std::string& path, std::uint32_t resolution) {
    try {
        const RSLoadedTicket ticket = LoadTicket(path, resolution);
        const std::vector<std::string> problems = ProblemLines(ticket);
        for (const std::string& line : problems)
            std::cout << line << '\n';
        const int files = std::max(0, ticket.m_Set.Size() - 1);
        std::cout << path << ": " << (problems.empty() ? "ok" : "has errors") << ", " << files
                  << (files == 1 ? " file" : " files") << ", "
                  << (ticket.ReachedEnd() ? "reached" : "did not reach") << " \"EndJob\"\n";
        return problems.empty() ? kExitOk : kExitInputErrors;
    } catch (const RCToolError& e) {
        std::cout.flush();
        std::cerr << "ssl2: " << e.what() << '\n';
        return e.GetCode();
    }
}

}  // namespace

void AddCheckCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<RSCheckOptions>();
    CLI::App* sub = app.add_subcommand(
        "check",
        "Read tickets and report every diagnostic as file:line: message, the error notes of "
        "each entry and whether the ticket reached \"EndJob\". Exit 1 when anything is wrong.");
    sub->add_option("tickets", options->m_asTickets, "SSL ticket files")->required();
    AddResolutionOption(*sub, options->m_nResolution);
    sub->callback([options, &status] {
        int worst = kExitOk;
        for (const std::string& path : options->m_asTickets)
            worst = std::max<int>(worst, CheckOne(path, options->m_nResolution));
        status = worst;
    });
}

}  // namespace ssl2tool
