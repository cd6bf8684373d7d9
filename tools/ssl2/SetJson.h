// The JSON form of a job set, written by "show --json" and read by
// "convert --from-json".  The library knows no JSON; this is the tool's own code.
//
//   {"file": "...", "complete": true, "form": "changes", "entries": [
//     {"index": 0, "ordinal": 0, "isEntry": false, "statements": {
//        "Copies": {"id": 7, "default": false, "ssl": "Copies 2", "members": {"value": 2}},
//        "Margin": {"id": 32, ..., "members": {"active": 1, "top": 5.0, ...}},
//        "HpglPens": {"id": 24, "ssl": "...", "elements": [{"number": 3, "width": 0.35,
//                     "color": 1, "saturation": 100, "page": 0}, ...]},
//        ...}, "errors": ""}]}
//
// "ssl" is the statement's SSL text as the writer writes it in dialect 5.0 (several
// lines for list statements); "members" holds each member's value by member name
// ("value" for a statement of one unnamed member), "elements" one object per element
// of a list statement (empty for an empty list; a pen table: one object per pen with
// its "number").  Whole numbers and selections are JSON integers, lengths are
// numbers in millimetres, texts are strings (UTF-8).  "default" says whether the
// statement holds its class default.  The full form lists every statement of every
// entry; the short form lists, for the job entry, the statements that differ from
// their defaults and, for a file entry, those that differ from what the reader starts
// a file entry with (the job entry's file-level statements, the job-level ones at
// their defaults); a pen table there lists only the pens that differ from the class's
// default pens.
//
// Reading is strict; the first fault ends it with the JSON path of the value at fault:
//   - keys appear once per object, nesting stays shallow, numbers are finite;
//   - each statement gives "ssl" (exactly one statement of the name it stands under,
//     read on its own as a file entry of the job read so far reads it) and/or
//     "members" / "elements"; members start from what the entry inherits (the
//     default for the job entry, the job entry's value for a file entry), so a member
//     or pen left out keeps what SSL would give it.  When both forms are given they
//     must agree: members that would change what "ssl" says are an error naming both;
//   - member values go through the library's one mapping (SslSetMemberValue): a
//     number in range or a keyword of that member; old string forms ("2", "0.250")
//     and member names with a trailing blank still read;
//   - a statement that the entry, written and read back, would not hold as given (a
//     statement at a level the writer does not write, a text the writer cannot write)
//     is an error.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>
#include <stdexcept>
#include <string>

#include "ssl2/ssl2.h"

namespace ssl2tool {

/// Writes the JSON form of `set` read from `path` to `out`, entry by entry: every
/// statement with `all`, else the short form.
void WriteSetJson(std::ostream& out, const std::string& path, const RCSslSet& set, bool all);

/// An error in a JSON ticket, with the JSON path of the value at fault
/// ("entries[2].statements.MediaType.members.value").
class RCJsonTicketError : public std::runtime_error {
public:
    RCJsonTicketError(const std::string& path, const std::string& message)
        : std::runtime_error(path + ": " + message) {}
};

/// The set a JSON ticket describes, to be written in `dialect`.  Raises
/// RCJsonTicketError for anything that is not a ticket in the form above,
/// nlohmann::json::parse_error for text that is no JSON.
RCSslSet SetFromJson(const std::string& text, SslStatement::TSyntaxVersion dialect);

}  // namespace ssl2tool
