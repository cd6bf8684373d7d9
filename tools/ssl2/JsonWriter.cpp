// A JSON object written as it is made (JsonWriter.h).
#include "tools/ssl2/JsonWriter.h"

#include <string_view>

namespace ssl2tool {

namespace {

/// `value` as dump(2) writes it, each of its lines after the first behind `indent`.
void WriteIndented(std::ostream& out, const nlohmann::ordered_json& value,
                   std::string_view indent) {
    const std::string text = value.dump(2);
    const std::string_view rest(text);
    std::size_t from = 0;
    for (std::size_t at; (at = rest.find('\n', from)) != std::string_view::npos; from = at + 1)
        out << rest.substr(from, at + 1 - from) << indent;
    out << rest.substr(from);
}

}  // namespace

RCJsonObjectWriter::RCJsonObjectWriter(std::ostream& out) : m_Out(out) {
    m_Out << '{';
}

void RCJsonObjectWriter::Key(const std::string& key) {
    m_Out << (m_bEmpty ? "\n  " : ",\n  ") << nlohmann::ordered_json(key).dump() << ": ";
    m_bEmpty = false;
}

void RCJsonObjectWriter::Member(const std::string& key, const nlohmann::ordered_json& value) {
    Key(key);
    WriteIndented(m_Out, value, "  ");
}

void RCJsonObjectWriter::BeginArray(const std::string& key) {
    Key(key);
    m_Out << '[';
    m_bEmptyArray = true;
}

void RCJsonObjectWriter::Element(const nlohmann::ordered_json& value) {
    m_Out << (m_bEmptyArray ? "\n    " : ",\n    ");
    m_bEmptyArray = false;
    WriteIndented(m_Out, value, "    ");
}

void RCJsonObjectWriter::EndArray() {
    m_Out << (m_bEmptyArray ? "]" : "\n  ]");
}

void RCJsonObjectWriter::End() {
    m_Out << (m_bEmpty ? "}\n" : "\n}\n");
}

}  // namespace ssl2tool
