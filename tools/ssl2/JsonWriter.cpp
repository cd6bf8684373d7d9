// JSON written as it is made (JsonWriter.h).
#include "tools/ssl2/JsonWriter.h"

#include <array>
#include <charconv>
#include <cmath>
#include <stdexcept>

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

/// The escape of an ASCII character dump() escapes, or 0 for one it writes as it is.
char ShortEscape(unsigned char c) {
    switch (c) {
        case '\b':
            return 'b';
        case '\t':
            return 't';
        case '\n':
            return 'n';
        case '\f':
            return 'f';
        case '\r':
            return 'r';
        case '"':
            return '"';
        case '\\':
            return '\\';
        default:
            return 0;
    }
}

// Containers open at once in one RCJsonText (one bit each in its mask): far more
// than any document of the tool.
constexpr std::size_t kMaxOpen = 64;

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
    // Characters beyond ASCII are copied or refused by dump() itself, which decides
    // what is valid UTF-8; the texts of a ticket are ASCII almost always.
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            out += nlohmann::json(std::string(text)).dump();
            return;
        }
    }
    out += '"';
    std::size_t plain = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        out.append(text, plain, i - plain);
        plain = i + 1;
        out += '\\';
        if (const char escape = ShortEscape(c)) {
            out += escape;
        } else {
            constexpr std::string_view kHex = "0123456789abcdef";
            out += "u00";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
    out.append(text, plain);
    out += '"';
}

void AppendJsonNumber(std::string& out, double value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    // dump()'s own conversion, so that the digits are the same.
    std::array<char, 64> digits{};
    const char* end =
        nlohmann::detail::to_chars(digits.data(), digits.data() + digits.size(), value);
    out.append(digits.data(), static_cast<std::size_t>(end - digits.data()));
}

void AppendJsonNumber(std::string& out, std::int64_t value) {
    std::array<char, 24> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    out.append(digits.data(), static_cast<std::size_t>(result.ptr - digits.data()));
}

void RCJsonText::Indent(std::size_t levels) {
    m_Out.append(2 * levels, ' ');
}

void RCJsonText::Next() {
    if (m_sClosers.empty())
        return;
    const std::uint64_t innermost = std::uint64_t{1} << (m_sClosers.size() - 1);
    m_Out += (m_nNonEmpty & innermost) != 0 ? ",\n" : "\n";
    m_nNonEmpty |= innermost;
    Indent(m_nDepth + m_sClosers.size());
}

void RCJsonText::Key(std::string_view key) {
    Next();
    AppendJsonString(m_Out, key);
    m_Out += ": ";
}

void RCJsonText::Open(char open, char close) {
    if (m_sClosers.size() == kMaxOpen)
        throw std::length_error("JSON nested too deeply");
    m_Out += open;
    m_nNonEmpty &= ~(std::uint64_t{1} << m_sClosers.size());
    m_sClosers += close;
}

void RCJsonText::End() {
    const char close = m_sClosers.back();
    m_sClosers.pop_back();
    if ((m_nNonEmpty & (std::uint64_t{1} << m_sClosers.size())) != 0) {
        m_Out += '\n';
        Indent(m_nDepth + m_sClosers.size());
    }
    m_Out += close;
}

RCJsonObjectWriter::RCJsonObjectWriter(std::ostream& out) : m_Out(out) {
    m_Out << '{';
}

void RCJsonObjectWriter::Key(const std::string& key) {
    std::string text = m_bEmpty ? "\n  " : ",\n  ";
    AppendJsonString(text, key);
    text += ": ";
    m_Out << text;
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

void RCJsonObjectWriter::NextElement() {
    m_Out << (m_bEmptyArray ? "\n    " : ",\n    ");
    m_bEmptyArray = false;
}

void RCJsonObjectWriter::Element(const nlohmann::ordered_json& value) {
    NextElement();
    WriteIndented(m_Out, value, "    ");
}

void RCJsonObjectWriter::RawElement(std::string_view text) {
    NextElement();
    m_Out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

void RCJsonObjectWriter::EndArray() {
    m_Out << (m_bEmptyArray ? "]" : "\n  ]");
}

void RCJsonObjectWriter::End() {
    m_Out << (m_bEmpty ? "}\n" : "\n}\n");
}

}  // namespace ssl2tool
