#include "ssl2/base/TString.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <ostream>

#include "ssl2/base/RCClassicNumbers.h"

const TString TString::NullString;

namespace {

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Windows-1252 code points of the bytes 0x80..0x9F; the other bytes map to Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsSurrogate(std::uint32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// Decodes one (generalised) UTF-8 sequence at `i`; surrogates encoded in three bytes
// are accepted so that unpaired surrogates survive a round trip.  Returns the
// number of bytes used, 0 when the bytes there are not a valid sequence.
std::size_t DecodeUtf8(std::string_view s, std::size_t i, std::uint32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    std::size_t len = 0;
    std::uint32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > s.size())
        return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF)
        return 0;
    return len;
}

void EncodeUtf8(std::uint32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The character of a Windows-1252 byte.
std::uint32_t Cp1252ToUnicode(unsigned char b) {
    return (b >= 0x80 && b < 0xA0) ? kCp1252High[b - 0x80] : b;
}

// The Windows-1252 byte of a character, or -1 when it has none.
int UnicodeToCp1252(std::uint32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (int k = 0; k < 32; ++k) {
        if (kCp1252High[k] == cp)
            return 0x80 + k;
    }
    return -1;
}

// The character at `i` and the number of bytes it takes: one (generalised) UTF-8
// sequence, or one byte that starts none, taken as a Windows-1252 character.
std::size_t NextChar(std::string_view s, std::size_t i, std::uint32_t& cp) {
    const std::size_t n = DecodeUtf8(s, i, cp);
    if (n != 0)
        return n;
    cp = Cp1252ToUnicode(static_cast<unsigned char>(s[i]));
    return 1;
}

// Calls `f` with every character of `s` (as NextChar reads them) until it returns
// false; true when it never did.
template <class F>
bool EveryChar(std::string_view s, F f) {
    for (std::size_t i = 0; i < s.size();) {
        std::uint32_t cp = 0;
        i += NextChar(s, i, cp);
        if (!f(cp))
            return false;
    }
    return true;
}

// Appends UTF-16 code units, joining surrogate pairs into one character.
void AppendUtf16(std::u16string_view text, std::string& out) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        EncodeUtf8(c, out);
    }
}

// Four hex digits at `i`, or -1.
long Hex4(std::string_view s, std::size_t i) {
    if (i + 4 > s.size())
        return -1;
    long v = 0;
    for (std::size_t k = 0; k < 4; ++k) {
        const int d = TString::HexDigitValue(s[i + k]);
        if (d < 0)
            return -1;
        v = v * 16 + d;
    }
    return v;
}

bool InSet(char c, const char* set) {
    for (; set && *set; ++set)
        if (*set == c)
            return true;
    return false;
}

// strtoull/strtoll/strtod want a terminated buffer and skip blanks themselves.
/// The end of the run of ASCII bytes of `bytes` that starts at `from`; the bulk of
/// every text is ASCII, so runs are checked eight bytes at a time.
std::size_t AsciiRunEnd(std::string_view bytes, std::size_t from) {
    std::size_t i = from;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + i, sizeof word);
        if ((word & 0x8080808080808080ULL) != 0)
            break;
    }
    while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80)
        ++i;
    return i;
}

// Numbers in the library's texts always have a decimal point, whatever the locale.
template <typename T, typename Parse>
int ParseNumber(const std::string& s, T& value, Parse parse) {
    const RCClassicNumbers classic;
    errno = 0;
    char* end = nullptr;
    const auto v = parse(s.c_str(), &end);
    if (end == s.c_str() || errno == ERANGE)
        return 0;
    if constexpr (std::numeric_limits<T>::is_integer) {
        if (v < static_cast<decltype(v)>(std::numeric_limits<T>::min()) ||
            v > static_cast<decltype(v)>(std::numeric_limits<T>::max()))
            return 0;
    }
    value = static_cast<T>(v);
    return 1;
}

bool ValidRadix(int radix) {
    return radix == 0 || radix == 10 || radix == 16 || radix == 8;
}

}  // namespace

TString::TString(const char* text, std::uint32_t maxLength) {
    if (!text)
        return;
    std::size_t n = 0;
    while (n < maxLength && text[n] != '\0')
        ++n;
    m_s.assign(text, n);
}

TString TString::Left(std::uint32_t n) const {
    return TString(m_s.substr(0, n));
}

TString TString::Right(std::uint32_t n) const {
    return n >= m_s.size() ? *this : TString(m_s.substr(m_s.size() - n));
}

TString TString::Mid(std::uint32_t pos, std::uint32_t n) const {
    return pos >= m_s.size() ? TString() : TString(m_s.substr(pos, n));
}

int TString::Find(const TString& what, std::uint32_t start) const {
    const auto p = m_s.find(what.m_s, start);
    return p == std::string::npos ? kNotFound : static_cast<int>(p);
}

int TString::Find(char what, std::uint32_t start) const {
    const auto p = m_s.find(what, start);
    return p == std::string::npos ? kNotFound : static_cast<int>(p);
}

int TString::FindReverse(const TString& what) const {
    const auto p = m_s.rfind(what.m_s);
    return p == std::string::npos ? kNotFound : static_cast<int>(p);
}

int TString::FindReverse(char what) const {
    const auto p = m_s.rfind(what);
    return p == std::string::npos ? kNotFound : static_cast<int>(p);
}

TString TString::Token(const char* delimiters) {
    const auto p = m_s.find_first_of(delimiters ? delimiters : "");
    TString head;
    if (p == std::string::npos) {
        head.m_s.swap(m_s);
    } else {
        head.m_s = m_s.substr(0, p);
        m_s.erase(0, p);
    }
    return head;
}

std::uint32_t TString::Replace(const TString& what, const TString& with) {
    if (what.IsEmpty())
        return 0;
    std::uint32_t count = 0;
    std::string out;
    std::size_t from = 0;
    for (auto p = m_s.find(what.m_s); p != std::string::npos; p = m_s.find(what.m_s, from)) {
        out.append(m_s, from, p - from);
        out += with.m_s;
        from = p + what.m_s.size();
        ++count;
    }
    if (count) {
        out.append(m_s, from, std::string::npos);
        m_s.swap(out);
    }
    return count;
}

TString& TString::StripTail(const char* chars) {
    std::size_t n = m_s.size();
    while (n > 0 && InSet(m_s[n - 1], chars))
        --n;
    m_s.resize(n);
    return *this;
}

TString& TString::StripHead(const char* chars) {
    std::size_t n = 0;
    while (n < m_s.size() && InSet(m_s[n], chars))
        ++n;
    m_s.erase(0, n);
    return *this;
}

TString& TString::LowCase() {
    for (auto& c : m_s)
        c = AsciiLower(c);
    return *this;
}

TString& TString::UpCase() {
    for (auto& c : m_s)
        c = AsciiUpper(c);
    return *this;
}

int TString::CompareNoCase(const TString& other) const {
    const std::size_t n = std::min(m_s.size(), other.m_s.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto a = static_cast<unsigned char>(AsciiLower(m_s[i]));
        const auto b = static_cast<unsigned char>(AsciiLower(other.m_s[i]));
        if (a != b)
            return a < b ? -1 : 1;
    }
    if (m_s.size() == other.m_s.size())
        return 0;
    return m_s.size() < other.m_s.size() ? -1 : 1;
}

TString TString::Format(const char* format, ...) {
    const RCClassicNumbers classic;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    TString out;
    if (n > 0) {
        out.m_s.resize(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(out.m_s.data(), out.m_s.size(), format, args);
        out.m_s.resize(static_cast<std::size_t>(n));
    }
    va_end(args);
    return out;
}

int TString::Value(std::uint32_t& value, int radix) const {
    if (!ValidRadix(radix))
        return 0;
    // strtoull accepts a minus sign and wraps; a negative number is not unsigned.
    const auto first = m_s.find_first_not_of(" \t\n\v\f\r");
    if (first != std::string::npos && m_s[first] == '-')
        return 0;
    return ParseNumber(m_s, value,
                       [radix](const char* s, char** e) { return std::strtoull(s, e, radix); });
}

int TString::Value(std::int32_t& value, int radix) const {
    if (!ValidRadix(radix))
        return 0;
    return ParseNumber(m_s, value,
                       [radix](const char* s, char** e) { return std::strtoll(s, e, radix); });
}

int TString::Value(double& value) const {
    return ParseNumber(m_s, value, [](const char* s, char** e) { return std::strtod(s, e); });
}

std::uint32_t TString::CharCount() const {
    std::uint32_t count = 0;
    EveryChar(m_s, [&count](std::uint32_t) { return ++count != 0; });
    return count;
}

TString TString::FromAnsi(std::string_view bytes) {
    TString out;
    out.m_s.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::size_t end = AsciiRunEnd(bytes, i);
        out.m_s.append(bytes, i, end - i);
        if (end == bytes.size())
            break;
        EncodeUtf8(Cp1252ToUnicode(static_cast<unsigned char>(bytes[end])), out.m_s);
        i = end;
    }
    return out;
}

TString TString::FromUtf8(std::string_view bytes) {
    TString out;
    out.m_s.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t end = AsciiRunEnd(bytes, i);
        out.m_s.append(bytes, i, end - i);
        if (end == bytes.size())
            break;
        i = end;
        std::uint32_t cp = 0;
        const std::size_t n = NextChar(bytes, i, cp);
        if (n == 1 && static_cast<unsigned char>(bytes[i]) >= 0x80)
            EncodeUtf8(cp, out.m_s);
        else
            out.m_s.append(bytes, i, n);
        i += n;
    }
    return out;
}

TString TString::FromEightBit(std::string_view bytes) {
    return IsUtf8(bytes) ? TString(bytes) : FromAnsi(bytes);
}

bool TString::IsUtf8(std::string_view bytes) {
    for (std::size_t i = AsciiRunEnd(bytes, 0); i < bytes.size(); i = AsciiRunEnd(bytes, i)) {
        std::uint32_t cp = 0;
        const std::size_t n = DecodeUtf8(bytes, i, cp);
        if (n == 0 || IsSurrogate(cp))
            return false;
        i += n;
    }
    return true;
}

std::string TString::AsAnsi() const {
    std::string out;
    out.reserve(m_s.size());
    EveryChar(m_s, [&out](std::uint32_t cp) {
        const int byte = UnicodeToCp1252(cp);
        out += byte < 0 ? '?' : static_cast<char>(byte);
        return true;
    });
    return out;
}

bool TString::HasAnsiForm() const {
    return EveryChar(m_s, [](std::uint32_t cp) { return UnicodeToCp1252(cp) >= 0; });
}

std::string TString::AsFileBytes() const {
    if (HasAnsiForm())
        return AsAnsi();
    const std::u16string units = AsUnicode();
    std::string bytes = "\xFF\xFE";
    bytes.reserve(2 + 2 * units.size());
    for (char16_t unit : units) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::u16string TString::AsUnicode() const {
    std::u16string out;
    out.reserve(m_s.size());
    EveryChar(m_s, [&out](std::uint32_t cp) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        return true;
    });
    return out;
}

TString TString::FromUnicode(std::u16string_view text) {
    TString out;
    out.m_s.reserve(text.size());
    AppendUtf16(text, out.m_s);
    return out;
}

std::string TString::SaveAsAnsi(char escape) const {
    std::string out;
    out.reserve(m_s.size());
    for (std::size_t i = 0; i < m_s.size();) {
        std::uint32_t cp = 0;
        std::size_t n = DecodeUtf8(m_s, i, cp);
        if (n == 0) {
            out += m_s[i++];  // a legacy byte passes through as it is
            continue;
        }
        if (cp == static_cast<unsigned char>(escape) || IsSurrogate(cp)) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(cp));
            out += escape;
            out += hex;
        } else {
            out.append(m_s, i, n);
        }
        i += n;
    }
    return out;
}

TString TString::SaveFromAnsi(std::string_view bytes, char escape) {
    TString out;
    out.m_s.reserve(bytes.size());
    std::u16string units;  // pending escaped code units, joined into pairs on flush
    auto flush = [&] {
        AppendUtf16(units, out.m_s);
        units.clear();
    };
    for (std::size_t i = 0; i < bytes.size();) {
        if (bytes[i] == escape) {
            const long v = Hex4(bytes, i + 1);
            if (v >= 0) {
                units += static_cast<char16_t>(v);
                i += 5;
                continue;
            }
        }
        flush();
        out.m_s += bytes[i++];
    }
    flush();
    return out;
}

std::ostream& operator<<(std::ostream& out, const TString& text) {
    return out << text.str();
}
