// Writing JSON as it is made, laid out exactly as nlohmann's dump(2) lays out the
// whole document, so that a command writes a document of any length without building
// it in memory first, and a hot loop writes its values without building JSON objects.
//
//   RCJsonObjectWriter json(std::cout);
//   json.Member("file", path);
//   json.BeginArray("entries");
//   for (...) {
//       std::string text;
//       RCJsonText entry(text, 2);          // inside the document and its array
//       entry.BeginObject();
//       entry.Key("index");
//       entry.Integer(i);
//       entry.End();
//       json.RawElement(text);              // written, dropped
//   }
//   json.EndArray();
//   json.End();                             // "\n}\n"
//
// Single-threaded; the objects write to their stream or text and hold no more than the
// value being written.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <string_view>

namespace ssl2tool {

/// Appends `text` as a quoted JSON string escaped as dump() escapes it; a text that
/// is not UTF-8 raises dump()'s nlohmann::json::type_error.
void AppendJsonString(std::string& out, std::string_view text);
/// Appends `value` as dump() writes it: the same shortest digits that read back as
/// `value`, ".0" after a whole number, null for a value that is not finite.
void AppendJsonNumber(std::string& out, double value);
/// Appends a whole number in decimal.
void AppendJsonNumber(std::string& out, std::int64_t value);

/// A JSON value appended to a text as dump(2) lays it out when the value stands
/// `depth` levels deep in its document.  Members and elements are written with Key
/// and Next; a container closes with End.  The caller keeps the nesting right.
class RCJsonText {
public:
    RCJsonText(std::string& out, int depth) : m_Out(out), m_nDepth(depth) {}

    /// Starts the next member of the open object (or the value itself, when no
    /// container is open): `key` and its colon.
    void Key(std::string_view key);
    /// Starts the next element of the open container: its separator and indent.  A
    /// member whose key and value come as one laid-out text (Raw) starts with Next too.
    void Next();
    void BeginObject() { Open('{', '}'); }
    void BeginArray() { Open('[', ']'); }
    /// Closes the innermost open object or array.
    void End();

    void String(std::string_view text) { AppendJsonString(m_Out, text); }
    void Number(double value) { AppendJsonNumber(m_Out, value); }
    void Integer(std::int64_t value) { AppendJsonNumber(m_Out, value); }
    void Bool(bool value) { m_Out += value ? "true" : "false"; }
    /// Text laid out by an RCJsonText at the depth this one writes at.
    void Raw(std::string_view text) { m_Out += text; }

private:
    void Open(char open, char close);
    void Indent(std::size_t levels);

    std::string& m_Out;
    std::size_t m_nDepth;
    std::string m_sClosers;         ///< the closing bracket of each open container
    std::uint64_t m_nNonEmpty = 0;  ///< bit n: open container n has a child
};

class RCJsonObjectWriter {
public:
    /// Starts the object on `out`.
    explicit RCJsonObjectWriter(std::ostream& out);

    /// Writes the member `key` with its whole value.
    void Member(const std::string& key, const nlohmann::ordered_json& value);
    /// Opens the array member `key`; Element and RawElement add to it until EndArray
    /// closes it.
    void BeginArray(const std::string& key);
    void Element(const nlohmann::ordered_json& value);
    /// An element laid out by RCJsonText at depth 2.
    void RawElement(std::string_view text);
    void EndArray();
    /// Closes the object and ends its line.
    void End();

private:
    void Key(const std::string& key);
    void NextElement();

    std::ostream& m_Out;
    bool m_bEmpty = true;       ///< no member written yet
    bool m_bEmptyArray = true;  ///< the open array has no element yet
};

}  // namespace ssl2tool
