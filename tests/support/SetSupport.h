// Helpers of the job-set tests: a parse that collects the reader's diagnostics and the
// example tickets of the source tree.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "ssl2/set/RCSslSet.h"
#include "tests/support/TempDir.h"

namespace ssl2::test {

/// The outcome of one parse: the result, the set and every diagnostic.
struct RSParse {
    int m_nResult = 0;
    RCSslSet m_Set;
    std::vector<RSSslDiagnostic> m_Diagnostics;

    /// The diagnostic lines as written to the standard streams, joined.
    std::string Messages(RSSslDiagnostic::TKind kind) const {
        std::string all;
        for (const auto& d : m_Diagnostics) {
            if (d.m_nKind == kind)
                all += d.m_sMessage.str();
        }
        return all;
    }
};

/// Parses `path` into `set` (a fresh one by default) collecting the diagnostics.
inline RSParse ParseFile(const std::string& path, RCSslSet set = RCSslSet()) {
    RSParse parse;
    parse.m_Set = std::move(set);
    parse.m_Set.SetDiagnosticHandler(
        [&parse](const RSSslDiagnostic& d) { parse.m_Diagnostics.push_back(d); });
    parse.m_nResult = parse.m_Set.ParseSsl(path, 300);
    parse.m_Set.SetDiagnosticHandler({});
    return parse;
}

/// Reads an example ticket of the source tree.
inline std::string ExamplePath(const std::string& name) {
    return std::string(SSL2_SOURCE_DIR) + "/examples/tickets/" + name;
}

/// Every example ticket of the source tree, sorted by name.
inline std::vector<std::filesystem::path> ExampleTickets() {
    std::vector<std::filesystem::path> tickets;
    for (const auto& file : std::filesystem::directory_iterator(ExamplePath("")))
        if (file.path().extension() == ".ssl")
            tickets.push_back(file.path());
    std::sort(tickets.begin(), tickets.end());
    return tickets;
}

}  // namespace ssl2::test
