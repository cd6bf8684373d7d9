// Helpers of the job-set tests: parses from files and memory that collect the reader's
// diagnostics, a parse's outcome as text, set comparison by statement, print sizes,
// UTF-16 files and the example tickets of the source tree.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ssl2/base/TPoint.h"
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

/// Runs `read` (a reader call on the set, giving its result) into `set`, collecting the
/// diagnostics.
template <typename TRead>
RSParse CollectParse(RCSslSet set, TRead read) {
    RSParse parse;
    parse.m_Set = std::move(set);
    parse.m_Set.SetDiagnosticHandler(
        [&parse](const RSSslDiagnostic& d) { parse.m_Diagnostics.push_back(d); });
    parse.m_nResult = read(parse.m_Set);
    parse.m_Set.SetDiagnosticHandler({});
    return parse;
}

/// Parses `path` into `set` (a fresh one by default) at 300 dpi.
inline RSParse ParseFile(const std::string& path, RCSslSet set = RCSslSet()) {
    return CollectParse(std::move(set), [&](RCSslSet& s) { return s.ParseSsl(path, 300); });
}

/// Parses the ticket bytes `bytes` from memory into `set` at 300 dpi.
inline RSParse ParseBuffer(const std::string& bytes, RCSslSet set = RCSslSet(),
                           const std::string& name = "ticket.ssl") {
    return CollectParse(std::move(set), [&](RCSslSet& s) {
        return s.ParseSslBuffer(bytes.data(), bytes.size(), name, 300);
    });
}

/// What a parse gave, as one text: the result, whether EndJob was read, every
/// diagnostic with its file and line, and the set written back as "5.0".
inline std::string Outcome(const RSParse& parse) {
    std::string outcome =
        std::to_string(parse.m_nResult) + " " + std::to_string(parse.m_Set.ParsedTilEnd()) + "\n";
    for (const auto& d : parse.m_Diagnostics)
        outcome += d.m_sFile.str() + ":" + std::to_string(d.m_nLine) + ": " + d.m_sMessage.str();
    return outcome + parse.m_Set.ToString(SslStatement::kVersion50).str();
}

/// The size a file entry prints at.
inline TPoint ImageSize(const RCSslEntry& entry) {
    TPoint size;
    entry.CalculateSize(size);
    return size;
}

/// `text` as a UTF-16 file with its byte-order mark, little- or big-endian.
inline std::string Utf16File(const std::u16string& text, bool bigEndian = false) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

/// The names of the statements in which `a` and `b` differ, leaving out what `version`
/// cannot express: before "5.0" the file information has no colour depth and the
/// plotter settings strings are not written; "5.0" writes no CalComp settings, pens or
/// colour emulation.  "entry count" when the counts differ.
inline std::string StatementDifferences(const RCSslSet& a, const RCSslSet& b,
                                        SslStatement::TSyntaxVersion version) {
    RCSslEntry::RSCompReturn compared = a == b;
    if (!compared.bSameEntryCount)
        return "entry count";
    const std::vector<TSslStatementID> unwritten =
        version < SslStatement::kVersion50
            ? std::vector{kId_SslFileInfo, kId_SslHpglAsString, kId_SslPdfAsString,
                          kId_SslPsAsString}
            : std::vector{kId_SslCalcomp, kId_SslCalcompPens, kId_SslCalcompColorEmulation};
    for (TSslStatementID id : unwritten)
        compared.Differences.SetAccess(id, 0);
    std::string names;
    for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
        if (compared.Differences.GetAccess(static_cast<TSslStatementID>(id)) != 0) {
            const std::unique_ptr<SslStatement> statement(
                SslStatement::CreateSslObject(static_cast<TSslStatementID>(id)));
            names += statement->GetStatementName(0).str() + " ";
        }
    }
    return names;
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
