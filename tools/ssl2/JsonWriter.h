// JSON output of the ssl2 tool: a small streaming writer and the JSON form of a
// whole job set.
//
// The set is written through the generic statement interface, so every statement of
// every entry appears by name without the tool knowing the statement classes:
//
//   {"file": "...", "complete": true, "entries": [
//     {"index": 0, "ordinal": 0, "isEntry": false, "statements": {
//        "Copies": {"id": 24, "ssl": "Copies 2", "members": {"value": "2"}},
//        "HpglPens": {"id": .., "ssl": "...", "elements": [{"Number": "1", ...}, ...]},
//        ...}}]}
//
// "ssl" is the statement's own SSL line; "members" holds each member's value by its
// member name ("value" for a statement of one unnamed member); array statements give
// one object per element in "elements".  Texts are UTF-8 strings.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "ssl2/ssl2.h"

namespace ssl2tool {

class RCJsonWriter {
public:
    explicit RCJsonWriter(std::ostream& out) : m_Out(out) {}

    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    /// The name of the next value inside an object.
    void Key(std::string_view name);
    /// A string value; `text` must be UTF-8.
    void String(std::string_view text);
    void Number(long long value);
    void Bool(bool value);

    /// `text` as a JSON string literal, quotes included.
    static std::string Quote(std::string_view text);

private:
    void BeforeValue();
    void Indent();

    std::ostream& m_Out;
    std::string m_sStack;  ///< '{' or '[' per open level
    bool m_bFirst = true;  ///< no value yet at this level
    bool m_bAfterKey = false;
};

/// Writes the set read from `path` as described above.
void WriteSetJson(RCJsonWriter& json, const std::string& path, const RCSslSet& set);

}  // namespace ssl2tool
