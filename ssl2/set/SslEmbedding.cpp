// RCSslSet: SSL text embedded in PJL comment lines, for printer streams.
//
// Each line of the UTF-16 text becomes one "@PJL COMMENT SSL (...)" record whose
// body is the line's UTF-16 units in little-endian byte order, written as hex
// pairs with a blank after every unit; the first record starts with the
// byte-order mark "FFFE".  No line ends are written between records.
#include <cstring>

#include "ssl2/set/RCSslSet.h"

namespace {

constexpr char kStart[] = "@PJL COMMENT SSLSTART(1)";
constexpr char kLine[] = "@PJL COMMENT SSL (";
constexpr char kLineEnd[] = ")";
constexpr char kEnd[] = "@PJL COMMENT SSLEND";
constexpr char kByteOrderMark[] = "FFFE";
constexpr std::uint32_t kBytesPerUnit = 5;

/// Bytes of a record's frame (prefix and closing parenthesis).
constexpr std::uint32_t kLineFrame = sizeof(kLine) - 1 + sizeof(kLineEnd) - 1;
/// Bytes of start, end, byte-order mark and the final NUL.
constexpr std::uint32_t kFixed = sizeof(kStart) - 1 + sizeof(kEnd) - 1 + sizeof(kByteOrderMark);

char* Append(char* out, const char* text) {
    const std::size_t length = std::strlen(text);
    std::memcpy(out, text, length);
    return out + length;
}

}  // namespace

std::uint32_t RCSslSet::LineSsl2EmbeddedSsl(const unsigned short* line, char* out) {
    if (out == nullptr) {
        std::uint32_t length = 0;
        while (line != nullptr && line[length] != 0)
            ++length;
        return kBytesPerUnit * length;
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    char* const begin = out;
    for (const unsigned short* unit = line; unit != nullptr && *unit != 0 && *unit != u'\n';
         ++unit) {
        const unsigned low = *unit & 0xFFu;
        const unsigned high = (*unit >> 8) & 0xFFu;
        *out++ = kHex[low >> 4];
        *out++ = kHex[low & 0xF];
        *out++ = kHex[high >> 4];
        *out++ = kHex[high & 0xF];
        *out++ = ' ';
    }
    *out = '\0';
    return static_cast<std::uint32_t>(out - begin);
}

std::uint32_t RCSslSet::Ssl2EmbeddedSsl(const unsigned short* text, char* out) {
    if (out == nullptr) {
        if (text == nullptr)
            return kFixed;
        std::uint32_t lineEnds = 0;
        std::uint32_t units = 0;
        for (const unsigned short* unit = text; *unit != 0; ++unit) {
            if (*unit == u'\n') {
                ++lineEnds;
            } else {
                ++units;
            }
        }
        return kFixed + kLineFrame * (lineEnds + 1) + kBytesPerUnit * units;
    }
    char* cursor = Append(out, kStart);
    if (text != nullptr) {
        const unsigned short* line = text;
        bool first = true;
        for (;;) {
            cursor = Append(cursor, kLine);
            if (first)
                cursor = Append(cursor, kByteOrderMark);
            first = false;
            cursor += LineSsl2EmbeddedSsl(line, cursor);
            cursor = Append(cursor, kLineEnd);
            while (*line != 0 && *line != u'\n')
                ++line;
            if (*line == 0)
                break;
            ++line;  // the text after each LF is a line, also when it is empty
        }
    }
    cursor = Append(cursor, kEnd);
    *cursor = '\0';
    return static_cast<std::uint32_t>(cursor - out);
}
