// The state of one SSL parse, shared by the generated scanner and grammar.
//
// Internal to the reader: RCSslSet's SslParseFunction makes one context per
// parse, so parses never share or leak state.  Token values travel on the
// grammar's value stack; only the quoted strings live here, in a small ring of
// slots (a rule holds at most three strings at once).
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "ssl2/base/RCUnit.h"
#include "ssl2/entry/RCSslEntry.h"
#include "ssl2/set/SslDiagnostic.h"
#include "ssl2/set/SslRepeatedLines.h"

class RCSslSet;

namespace ssl2::internal {

// Tags of the single-value statements (SslReaderStatements.def).
enum TTextStatement : std::int32_t {
#define SSL2_READER_TEXT(tag, setter) kText##tag,
#include "ssl2/set/SslReaderStatements.def"
};
enum TNumberStatement : std::int32_t {
#define SSL2_READER_NUMBER(tag, setter) kNumber##tag,
#include "ssl2/set/SslReaderStatements.def"
};
enum TSwitchStatement : std::int32_t {
#define SSL2_READER_SWITCH(tag, setter) kSwitch##tag,
#include "ssl2/set/SslReaderStatements.def"
};
enum TSwitchIntStatement : std::int32_t {
#define SSL2_READER_SWITCHINT(tag, setter) kSwitchInt##tag,
#include "ssl2/set/SslReaderStatements.def"
};
enum TOptionStatement : std::int32_t {
#define SSL2_READER_OPTION(tag, setter, optionSetter) kOption##tag,
#include "ssl2/set/SslReaderStatements.def"
};
enum TLongStatement : std::int32_t {
#define SSL2_READER_LONG(tag, setter) kLong##tag,
#include "ssl2/set/SslReaderStatements.def"
};

/// Which plotter language a multi-line statement is about.
enum TPlotter : std::int32_t { kPlotterHpgl, kPlotterVic, kPlotterCalcomp, kPlotterOldStyle };
/// Which size statement a size form goes to.
enum TSizeStatement : std::int32_t { kSizeOutput, kSizePaper, kSizeZoom, kSizeFlagsheet };

/// Longest token the scanner accepts (a quoted or long string); longer ones end
/// the parse with a reader failure instead of exhausting memory.
inline constexpr std::size_t kMaxTokenLength = 64u << 20;

/// Raised inside the scanner when it cannot go on; ends the parse.
[[noreturn]] void SslScannerFailure(const char* message);

/// A stamp's name or text with every "''" turned back into a double quote.
TString UnquoteStampText(TString text);

/// How the bytes of the scanned input become text.
enum class TInputEncoding {
    kUtf8,          ///< an 8-bit file that is UTF-8 (byte-order mark, or valid throughout)
    kWindows1252,   ///< any other 8-bit file
    kEscapedUtf16,  ///< the escaped 8-bit copy of a UTF-16 file (TString::SaveAsAnsi)
};

class SslScanInput;
class SslParseContext;

/// Where the scanner stands in its input: a window of bytes in memory whose byte at
/// `limit` is a NUL (the scanner's end mark, or where the window is refilled; NULs
/// before it are input).
struct SslScanState {
    const unsigned char* cursor = nullptr;
    const unsigned char* marker = nullptr;         ///< where a longer match was tried
    const unsigned char* contextMarker = nullptr;  ///< start of a trailing context
    const unsigned char* limit = nullptr;
    const unsigned char* token = nullptr;  ///< start of the current token
    int condition = 0;                     ///< the scanner's mode
    SslScanInput* input = nullptr;         ///< what refills the window
};

/// Starts scanning the bytes [begin, end); *end must be a NUL.
void SslScanStart(SslScanState& state, const char* begin, const char* end);
/// Whether the scanner, with `scratch` as its context, reads `word` at the start of a
/// line as the keyword of a statement (not as a comment or an unknown word).
bool SslStartsStatement(SslParseContext& scratch, std::string_view word);

/// The bytes the scanner reads.  A regular file is read block by block into a window
/// that always holds the current token whole, so a parse needs memory for its longest
/// token, not for the whole file, and no token is scanned twice.  Any other input (a
/// pipe, a stream in memory) is read whole first: it cannot be read again from its
/// start, which the encoding check and a second reading need.
class SslScanInput {
public:
    /// Reads `file` whole unless it is a regular file (raises what reading raises).
    explicit SslScanInput(std::FILE* file);
    /// The encoding of the input as 8-bit text: UTF-8 when it starts with the UTF-8
    /// byte-order mark or is valid UTF-8 throughout, Windows-1252 otherwise.  Reads a
    /// regular file once through.
    TInputEncoding EightBitEncoding();
    /// Puts the scanner at the start of the input.
    void Start(SslScanState& state);
    /// Whether Fill may move the window (a windowed input not yet at its end).
    bool Refillable() const { return m_bWindowed && !m_bAtEnd; }
    /// Moves the bytes from the current token on to the front of the window, reads the
    /// next block after them and moves the state's pointers along; false at the end of
    /// the input.  Views into the window are stale afterwards.
    bool Fill(SslScanState& state);

private:
    std::FILE* m_pFile;
    bool m_bWindowed = false;
    bool m_bAtEnd = false;
    long m_nStart = 0;        ///< where the input starts in the file
    std::size_t m_nRead = 0;  ///< bytes read so far by this reading
    std::string m_Window;     ///< the window (or the whole input); a NUL follows its end
};

/// Two window dimensions as the ticket gives them, with the unit word that may follow
/// (an SslUnit index; 0 when none does).
struct SslDims {
    double width = 0;
    double height = 0;
    std::uint32_t unit = 0;
};

/// Lengths.  Every length the reader stores is in millimetres.  A length that names
/// its own unit (a window size followed by a unit word) is in that unit; any other is
/// in the ticket's unit, which is the job's: the last `Units` statement among the job
/// statements, wherever it stands among them (the writer puts `Units` after the
/// lengths of the job entry), or, when there is none, the unit of the starting entry
/// (millimetres for an empty set).  A `Units` statement in an output block changes
/// nothing: file entries carry no unit of their own.  Lengths are converted as they
/// are stored, so setters check their ranges in millimetres and defaults are never
/// touched.  While the job statements are read the unit is the one in force so far;
/// when a later `Units` statement changes it after lengths were stored, the parse
/// stops at the end of the job statements and the ticket is read again with the
/// job's unit from the start (m_nReadAgainInUnit).
class SslParseContext {
public:
    /// `resolution` (dots per inch) converts pixel lengths.
    SslParseContext(RCSslSet& set, TString file, TInputEncoding encoding,
                    const TSslDiagnosticHandler* handler, std::uint32_t resolution)
        : m_pSet(&set),
          m_sFile(std::move(file)),
          m_nEncoding(encoding),
          m_pHandler(handler),
          m_nResolution(resolution) {}

    /// Makes this a second reading: lengths are in `unit` (an RCUnit code) from the
    /// start, and the first `reported` diagnostics, which the first reading reported
    /// already, are passed over.
    void ReadAgain(std::uint32_t unit, std::size_t reported);
    /// Diagnostics reported so far.
    std::size_t Reported() const { return m_nReported; }

    // --- scanner side -------------------------------------------------------------
    std::uint32_t HexValue(std::string_view digits) const;
    std::int32_t IntegerValue(std::string_view digits) const;
    double FloatValue(std::string_view text) const;
    /// Keeps a quoted string (quotes dropped) and returns its slot.
    int StoreString(const char* text, std::size_t length);
    /// Unrecognised text: collected and reported at the next token, with the line
    /// it stands on (the next token may be the line end that counts the next line).
    void Stray(const char* text, std::size_t length);
    void UnknownStatement(const char* word, std::size_t length);
    /// Reports collected stray text (called after every token, so the check is inline).
    void FlushStray() {
        if (!m_sStray.empty())
            ReportStray();
    }
    /// Reports that the scanner could not go on.
    void ReportFailure(const char* what);

    // --- grammar side ---------------------------------------------------------------
    /// The value of a string slot as text (escapes of a converted Unicode file undone).
    /// Valid until the next call (every action uses it at once).
    const TString& String(int slot);
    /// Scanned bytes as text, decoded by the input's encoding.
    TString Decode(std::string_view bytes) const;
    void SyntaxError(const char* message);

    void BeginJob();
    /// Stores the job entry; false (nothing stored) when lengths of the job statements
    /// were converted with another unit than the job's (m_nReadAgainInUnit).
    bool EndJobStatements();
    void BeginFile();
    void EndFile();
    /// Called by the scanner at the start of a line of statements: passes over the
    /// statements that a ticket repeats, where they can be taken without reading them
    /// (SslRepeatedLines).
    void AtLineStart() {
        if (m_bInFile && !m_bHolding && m_nReported == m_nReportedAtBlock)
            SkipRepeatedLines();
    }
    /// Whether `text`, statement lines as this input gives them, reads in a parse of its
    /// own from `fresh` (a new file entry of this ticket) as `expected` in the statement
    /// `id`, every other statement unchanged and nothing reported.
    bool ReadsAs(std::string_view text, const RCSslEntry& fresh, std::uint32_t id,
                 const SslStatement& expected);

    void SetText(std::int32_t tag, const TString& value);
    void SetNumber(std::int32_t tag, std::int32_t value);
    void SetSwitch(std::int32_t tag, std::int32_t value);
    void SetSwitchInt(std::int32_t tag, std::int32_t value);
    void SetOption(std::int32_t tag, std::int32_t value);
    void SetOptionWithOptions(std::int32_t tag, std::int32_t value, std::int32_t options);
    void SetLongString(std::int32_t tag, const TString& value);

    /// A length as the ticket gives it, in millimetres: converted from `unit` (an
    /// SslUnit index) when the length names its own, else from the ticket's unit.
    /// NaN, which no setter takes, for pixels when the parse was given no resolution.
    double Length(double value, std::uint32_t unit = SslUnit::kNone);
    /// A `Units` statement (`unit` an SslUnit index).
    void SetUnits(std::uint32_t unit);

    /// Size forms: a fresh size of `type`, optionally a format, window or zoom factors.
    /// A form with a part its size cannot take is refused whole by StoreSize: never a
    /// size made of the parts that were taken and the defaults of the rest.
    void SizeOfType(std::uint32_t type);
    void SizeFormat(std::uint32_t type, std::int32_t family, std::int32_t format);
    void SizeWindow(std::uint32_t type, const SslDims& dims);
    void SizeFactors(double width, double height);
    void StoreSize(std::int32_t statement);

    /// The margin item read (m_nMarginSide, m_dMargin), its length in `unit` (an
    /// SslUnit index; kNone: the ticket's unit).
    void StoreMargin(std::uint32_t unit) {
        Took(m_CurrentEntry.SetMargin(m_nMarginSide, Length(m_dMargin, unit)));
    }

    void BeginFileInfo();
    void FileInfoHex(std::uint32_t value);
    void EndFileInfo();

    void BeginStamp();
    void EndStamp();

    /// The error note of the multi-line statement being read, for its recovery rule.
    void AppendError(const char* note) { m_CurrentEntry.AppendError(note); }
    /// Whether a setter took its value (`result` non-zero).  A refused value leaves
    /// the statement as it was and gets an error note naming the statement and the
    /// line, so that no value the ticket gives is lost without a word.
    bool Took(unsigned int result) {
        if (result == 0)
            Refused();
        return result != 0;
    }
    /// The error note of a value the current statement cannot take.
    void Refused();
    /// Called by the scanner where a statement or one of its `+` lines starts.
    void StatementStarts(const char* word, std::size_t length) {
        m_nStatementLine = m_nLine;
        m_StatementWord = std::string_view(word, length);
    }
    void SubLineStarts() { m_nStatementLine = m_nLine; }
    /// Refills the scan window (the scanner's fill hook), first copying what still
    /// refers to the window out of it; false at the end of the input.
    bool Refill();

    RCSslSet* m_pSet;
    RCSslEntry m_DefaultEntry{0};
    RCSslEntry m_CurrentEntry{0};
    /// Recent statement objects of this reading, shared by the entries it completes.
    RCSslStatementStore::RCPool m_Pool;
    TString m_sFile;
    TInputEncoding m_nEncoding;
    const TSslDiagnosticHandler* m_pHandler;

    SslScanState m_Scan;
    std::int32_t m_nLine = 1;
    bool m_bInputDone = false;
    std::string_view m_LastToken;       ///< the last token's text, in the scan window
    std::int32_t m_nStatementLine = 1;  ///< the line of the current statement or `+` line
    std::string_view m_StatementWord;   ///< its keyword as written, in the scan window
    std::exception_ptr m_pFailure;
    bool m_bAtLineStart = false;  ///< the last token was a line end
    /// An address or stamp is open: it takes effect when the next statement begins.
    bool m_bHolding = false;

    /// The job's unit (an RCUnit code) when the parse stopped at the end of the job
    /// statements because lengths before a `Units` statement were converted with
    /// another unit: the caller puts the starting entry (m_DefaultEntry, already in
    /// millimetres) back into the set and reads the ticket again in this unit.
    std::optional<std::uint32_t> m_nReadAgainInUnit;

    // Scratch values of multi-line statements.
    TPlotter m_nPlotter = kPlotterHpgl;
    std::uint32_t m_nPenFirst = 0;
    std::uint32_t m_nPenLast = 0;
    std::uint32_t m_nColour = 0;
    std::uint32_t m_nMarginSide = 0;  ///< a margin item's side (4: all) and length
    double m_dMargin = 0;
    std::uint32_t m_nFontFlags = 0;
    SslAddress m_Address;
    SslSize m_Size;
    bool m_bSizeRefused = false;  ///< a part of the size form in m_Size was refused
    SslDims m_Dims;
    SslSingleStamp m_Stamp;

private:
    void ReportStray();
    void Report(RSSslDiagnostic::TKind kind, std::int32_t line, TString text, TString message,
                bool toStdout);

    static constexpr std::size_t kStringSlots = 8;
    /// Quoted values without their quotes: views into the scan window, which is never
    /// written to while they are in use, or into m_asKept once the window moved on.
    std::array<std::string_view, kStringSlots> m_asStrings;
    /// Copies of what the views above, m_LastToken and m_StatementWord showed of a
    /// window that moved on (the last two after the slots).
    std::array<std::string, kStringSlots + 2> m_asKept;
    TString m_sString;  ///< the last String() result; its storage is reused
    std::size_t m_nNextString = 0;
    std::array<std::uint32_t, 6> m_anHex{};
    std::uint32_t m_nHexCount = 0;
    std::string m_sStray;
    std::int32_t m_nStrayLine = 0;
    std::size_t m_nReported = 0;
    std::size_t m_nPassOver = 0;

    void SkipRepeatedLines();

    /// Output blocks read before repeated statements are looked for: a small ticket
    /// pays nothing for them.
    static constexpr std::uint32_t kBlocksBeforeSkipping = 4;
    SslRepeatedLines m_Repeats;
    std::uint32_t m_nBlocks = 0;
    bool m_bInFile = false;  ///< between the start and the end of an output block
    std::size_t m_nReportedAtBlock = 0;

    std::uint32_t m_nResolution;
    /// The ticket's unit (RCUnit code): the unit in force so far until m_bUnitSettled.
    std::uint32_t m_nUnit = RCUnit::kMm;
    bool m_bUnitSettled = false;
    bool m_bJobStored = false;
    /// The unit the job statements' first length was converted with, and whether a
    /// later one was converted with another.
    std::optional<std::uint32_t> m_nLengthUnit;
    bool m_bLengthUnitsDiffer = false;
};

}  // namespace ssl2::internal
