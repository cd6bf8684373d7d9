// The JSON form of a job set, written by "show --json" and read by
// "convert --from-json".  The library knows no JSON; this is the tool's own code.
//
//   {"file": "...", "complete": true, "entries": [
//     {"index": 0, "ordinal": 0, "isEntry": false, "statements": {
//        "Copies": {"id": 7, "default": false, "ssl": "Copies 2", "members": {"value": "2"}},
//        "HpglPens": {"id": .., "ssl": "...", "elements": [{...}, ...]},
//        ...}, "errors": ""}]}
//
// "ssl" is the statement's SSL text as the writer writes it in dialect 5.0 (several
// lines for list statements); "members" holds each member's value by member name
// ("value" for a statement of one unnamed member), "elements" one object per element
// of a list statement (a pen table: {"number", "width", "color", "saturation",
// "page"} per pen); "default" says whether the statement holds its class default.
// The full form lists every statement of every entry; the short form lists, for the
// job entry, the statements that differ from their defaults and, for a file entry,
// those that differ from what the reader starts a file entry with (the job entry's
// file-level statements, the job-level ones at their defaults); a pen table there
// lists only the pens that differ from the class's default pens.
//
// Reading takes either form: each statement given by its "ssl" text or, without one,
// by its "members" (a selection by number or keyword) or, for a pen table, by its
// "elements" (the pens given by number on the default pens, the table switched on);
// everything else is ignored.
// The statements become an SSL ticket that the SSL reader reads, so the JSON means
// exactly what its SSL text means.  Texts are UTF-8.
#pragma once

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <vector>

#include "ssl2/ssl2.h"

namespace ssl2tool {

/// The JSON form of `set` read from `path`: every statement with `all`, else the
/// short form.
nlohmann::ordered_json SetToJson(const std::string& path, const RCSslSet& set, bool all);

/// An error in a JSON ticket, with the JSON path of the value at fault
/// ("entries[2].statements.MediaType.members.value").
class RCJsonTicketError : public std::runtime_error {
public:
    RCJsonTicketError(const std::string& path, const std::string& message)
        : std::runtime_error(path + ": " + message) {}
};

/// The SSL ticket a JSON ticket describes, and the JSON path each of its lines came
/// from (index 0 for line 1; empty for the framing lines).
struct RSJsonTicket {
    TString m_sText;
    std::vector<std::string> m_asLinePaths;
};

/// Raises RCJsonTicketError for anything that is not a ticket in the form above.
RSJsonTicket SslFromJson(const nlohmann::json& document);

}  // namespace ssl2tool
