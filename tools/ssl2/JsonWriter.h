// Writing a JSON object member by member, and an array member element by element,
// laid out as nlohmann's dump(2) lays out the whole document: a command writes a
// document of any length as it makes it, instead of building it in memory first.
//
//   RCJsonObjectWriter json(std::cout);
//   json.Member("file", path);
//   json.BeginArray("entries");
//   for (...) json.Element(EntryJson(...));   // built, written, dropped
//   json.EndArray();
//   json.End();                                // "\n}\n"
//
// Single-threaded; the object writes to its stream and holds one value at a time.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

namespace ssl2tool {

class RCJsonObjectWriter {
public:
    /// Starts the object on `out`.
    explicit RCJsonObjectWriter(std::ostream& out);

    /// Writes the member `key` with its whole value.
    void Member(const std::string& key, const nlohmann::ordered_json& value);
    /// Opens the array member `key`; Element adds to it until EndArray closes it.
    void BeginArray(const std::string& key);
    void Element(const nlohmann::ordered_json& value);
    void EndArray();
    /// Closes the object and ends its line.
    void End();

private:
    void Key(const std::string& key);

    std::ostream& m_Out;
    bool m_bEmpty = true;       ///< no member written yet
    bool m_bEmptyArray = true;  ///< the open array has no element yet
};

}  // namespace ssl2tool
