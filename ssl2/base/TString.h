// TString: the owned text value used throughout the library.
//
// A TString holds UTF-8 text.  Text enters and leaves in the encodings of the
// files it comes from and goes to, converted at that boundary: "ANSI" is
// Windows-1252 (FromAnsi/AsAnsi convert; its five unassigned bytes stand for the
// C1 controls of the same number, so no byte is lost), 8-bit text of unknown
// encoding is UTF-8 when it is valid UTF-8 and Windows-1252 otherwise
// (FromEightBit), and a whole 8-bit file is written as Windows-1252, or as UTF-16
// when a character has no Windows-1252 form (AsFileBytes).  So a legacy
// Windows-1252 ticket reads and writes back byte for byte.  Case folding
// (LowCase, UpCase, CompareNoCase) is ASCII-only, as keywords and names are.
//
// Positions and lengths are byte counts of the UTF-8 form (CharCount counts
// characters).  A TString is a value: copies never share
// state, and it may be used from any thread that owns it.
//
//   TString s = TString::Format("%d copies", 3);
//   TString head = s.Token(" ");   // head == "3", s == " copies"
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

/// The owned text value used throughout the library: UTF-8 text, converted to and
/// from the encodings of files at their boundary.  Positions and lengths count
/// bytes of the UTF-8 form.  A value: copies never share state.
class TString {
public:
    /// Length limit meaning "the whole text" for the limited constructor.
    static constexpr std::uint32_t kWholeText = 0x7fffffff;
    /// Result of Find/FindReverse when nothing is found.
    static constexpr int kNotFound = -1;
    /// The empty text.
    static const TString NullString;

    TString() = default;
    /// The text of a C string; a null pointer gives the empty text.
    TString(const char* text) : m_s(text ? text : "") {}  // NOLINT: implicit by design
    /// Takes at most `maxLength` bytes of `text` (kWholeText: all of it).
    TString(const char* text, std::uint32_t maxLength);
    ///@{
    /// The UTF-8 text `text`.
    TString(std::string text) : m_s(std::move(text)) {}  // NOLINT: implicit by design
    TString(std::string_view text) : m_s(text) {}        // NOLINT: implicit by design
    ///@}
    /// The decimal form of a number.
    explicit TString(long long number) : m_s(std::to_string(number)) {}

    // --- access --------------------------------------------------------------
    ///@{
    /// The UTF-8 bytes.
    const std::string& str() const { return m_s; }
    const char* c_str() const { return m_s.c_str(); }
    ///@}
    /// The length in bytes.
    std::uint32_t GetLength() const { return static_cast<std::uint32_t>(m_s.size()); }
    /// The number of characters (a byte that is no part of a UTF-8 sequence counts
    /// as one).
    std::uint32_t CharCount() const;
    /// True for the empty text.
    bool IsEmpty() const { return m_s.empty(); }
    /// The byte at `i`, which must be below GetLength().
    char operator[](std::size_t i) const { return m_s[i]; }

    // --- pieces --------------------------------------------------------------
    /// The first `n` bytes (all when shorter).
    TString Left(std::uint32_t n) const;
    /// The last `n` bytes (all when shorter).
    TString Right(std::uint32_t n) const;
    /// `n` bytes from `pos` (up to the end when `n` reaches past it).
    TString Mid(std::uint32_t pos, std::uint32_t n = kWholeText) const;
    ///@{
    /// Position of the first `what` at or after `start`, or kNotFound.
    int Find(const TString& what, std::uint32_t start = 0) const;
    int Find(char what, std::uint32_t start = 0) const;
    ///@}
    ///@{
    /// Position of the last `what`, or kNotFound.
    int FindReverse(const TString& what) const;
    int FindReverse(char what) const;
    ///@}
    /// Splits off the leading token: returns the text before the first byte that is
    /// one of `delimiters` and keeps the rest, starting with that delimiter, in this
    /// text.  Without a delimiter the whole text is returned and this text emptied.
    TString Token(const char* delimiters);

    // --- changes (in place; each returns *this) -------------------------------
    /// Replaces the text by `text`, keeping this text's storage where it suffices.
    TString& Assign(std::string_view text) {
        m_s.assign(text);
        return *this;
    }
    /// Replaces every occurrence of `what` (non-empty) by `with`; returns the count.
    std::uint32_t Replace(const TString& what, const TString& with);
    /// Removes trailing bytes that are in `chars`.
    TString& StripTail(const char* chars = " ");
    /// Removes leading bytes that are in `chars`.
    TString& StripHead(const char* chars = " ");
    ///@{
    /// Folds the ASCII letters to lower or upper case; other bytes stay.
    TString& LowCase();
    TString& UpCase();
    ///@}

    // --- comparison -------------------------------------------------------------
    /// ASCII case-insensitive comparison: <0, 0 or >0.
    int CompareNoCase(const TString& other) const;
    ///@{
    /// Byte-wise comparison; a null C string compares as the empty text.
    friend bool operator==(const TString& a, const TString& b) { return a.m_s == b.m_s; }
    friend bool operator==(const TString& a, const char* b) { return a.m_s == (b ? b : ""); }
    friend auto operator<=>(const TString& a, const TString& b) { return a.m_s <=> b.m_s; }
    ///@}

    // --- concatenation ------------------------------------------------------------
    ///@{
    /// Appends; a null C string appends nothing.
    TString& operator+=(const TString& other) {
        m_s += other.m_s;
        return *this;
    }
    TString& operator+=(const char* other) {
        m_s += other ? other : "";
        return *this;
    }
    TString& operator+=(char c) {
        m_s += c;
        return *this;
    }
    friend TString operator+(TString a, const TString& b) { return a += b; }
    friend TString operator+(TString a, const char* b) { return a += b; }
    friend TString operator+(const char* a, const TString& b) { return TString(a) += b; }
    friend TString operator+(TString a, char b) { return a += b; }
    ///@}

    // --- numbers --------------------------------------------------------------
    // Numbers are written and read with the "C" conventions (decimal point, no
    // grouping) whatever locale the calling program has set: they serve file formats.
    /// printf-style formatting.
    static TString Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
    /// Parses a number at the start of the text (leading blanks skipped, trailing
    /// text ignored).  Radix 0 accepts 0x.. (hex), 0.. (octal) and decimal; 10 and 16
    /// are fixed.  Returns non-zero on success; on failure `value` is unchanged.
    /// Numbers outside the target type fail.
    ///@{
    int Value(std::uint32_t& value, int radix = 10) const;
    int Value(std::int32_t& value, int radix = 10) const;
    int Value(double& value) const;
    ///@}
    /// The value of one hexadecimal digit (either case), or -1 for any other byte.
    static constexpr int HexDigitValue(char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    // --- 8-bit and UTF-16 forms --------------------------------------------------
    /// Text from Windows-1252 bytes.
    static TString FromAnsi(std::string_view bytes);
    /// Text from UTF-8 bytes; a byte that is no part of a valid sequence is taken
    /// as a Windows-1252 character.
    static TString FromUtf8(std::string_view bytes);
    /// Text from 8-bit bytes of unknown encoding: UTF-8 when they are valid UTF-8
    /// throughout, Windows-1252 otherwise.
    static TString FromEightBit(std::string_view bytes);
    /// True when `bytes` are valid UTF-8 throughout (no encoded surrogates).
    static bool IsUtf8(std::string_view bytes);
    /// The Windows-1252 bytes; a character without a Windows-1252 form becomes '?'
    /// (HasAnsiForm tells beforehand).
    std::string AsAnsi() const;
    /// True when every character has a Windows-1252 form.
    bool HasAnsiForm() const;
    /// The bytes of a whole 8-bit file holding this text (a ticket, a configuration
    /// file): Windows-1252 when every character has a form there, otherwise UTF-16
    /// little-endian with byte-order mark, so that nothing is lost and no file
    /// mixes encodings.
    std::string AsFileBytes() const;
    /// UTF-16 form.  Bytes that are not valid UTF-8 are taken as Windows-1252
    /// characters; surrogates stored in the text come back as they were.
    std::u16string AsUnicode() const;
    /// Text from UTF-16.  Unpaired surrogates are kept (in the generalised UTF-8
    /// form), so AsUnicode gives the same code units back.
    static TString FromUnicode(std::u16string_view text);

    /// The text as escaped 8-bit bytes: `escape` itself and unpaired surrogates are
    /// written as `escape` plus four upper-case hex digits of the UTF-16 code unit;
    /// everything else as UTF-8.  The result never holds '"', CR or LF inside an
    /// escape, and SaveFromAnsi gives the text back unchanged.
    std::string SaveAsAnsi(char escape = '#') const;
    /// Undoes SaveAsAnsi: `escape` followed by four hex digits is one UTF-16 code
    /// unit (a high and a low one in a row form one character); an `escape` not
    /// followed by four hex digits stays as it is.
    static TString SaveFromAnsi(std::string_view bytes, char escape = '#');

private:
    std::string m_s;
};

/// The 8-bit twin of TString; on this platform both hold the same bytes.
using RCAnsiString = TString;

std::ostream& operator<<(std::ostream& out, const TString& text);

// Hashes a TString as its bytes, so texts serve as keys of unordered containers.
// (Left out of the API reference: Doxygen cannot place a specialisation in std.)
/// \cond
template <>
struct std::hash<TString> {
    std::size_t operator()(const TString& s) const noexcept {
        return std::hash<std::string>{}(s.str());
    }
};
/// \endcond
