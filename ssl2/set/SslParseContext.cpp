// The parse context: token values, diagnostics and the grammar's helper actions.
#include "ssl2/set/SslParseContext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <utility>

#include "ssl2/parsers/Ssl.tab.h"
#include "ssl2/set/RCSslSet.h"

namespace ssl2::internal {

namespace {

using TTextSetter = unsigned int (*)(RCSslEntry&, const TString&);
using TValueSetter = unsigned int (*)(RCSslEntry&, std::uint32_t);

const TTextSetter kTextSetters[] = {
#define SSL2_READER_TEXT(tag, setter) \
    [](RCSslEntry& e, const TString& v) -> unsigned int { return e.setter(v); },
#include "ssl2/set/SslReaderStatements.def"
};
const TValueSetter kNumberSetters[] = {
#define SSL2_READER_NUMBER(tag, setter) \
    [](RCSslEntry& e, std::uint32_t v) -> unsigned int { return e.setter(v); },
#include "ssl2/set/SslReaderStatements.def"
};
const TValueSetter kSwitchSetters[] = {
#define SSL2_READER_SWITCH(tag, setter) \
    [](RCSslEntry& e, std::uint32_t v) -> unsigned int { return e.setter(v); },
#include "ssl2/set/SslReaderStatements.def"
};
const TValueSetter kSwitchIntSetters[] = {
#define SSL2_READER_SWITCHINT(tag, setter) \
    [](RCSslEntry& e, std::uint32_t v) -> unsigned int { return e.setter(v); },
#include "ssl2/set/SslReaderStatements.def"
};
const TValueSetter kOptionSetters[] = {
#define SSL2_READER_OPTION(tag, setter, optionSetter) \
    [](RCSslEntry& e, std::uint32_t v) -> unsigned int { return e.setter(v); },
#include "ssl2/set/SslReaderStatements.def"
};
const TValueSetter kOptionOptionSetters[] = {
#define SSL2_READER_OPTION(tag, setter, optionSetter) \
    [](RCSslEntry& e, std::uint32_t v) -> unsigned int { return e.optionSetter(v); },
#include "ssl2/set/SslReaderStatements.def"
};
const TTextSetter kLongSetters[] = {
#define SSL2_READER_LONG(tag, setter) \
    [](RCSslEntry& e, const TString& v) -> unsigned int { return e.setter(v); },
#include "ssl2/set/SslReaderStatements.def"
};

/// The setter of `tag` in `table` (tags come from the scanner's own table).
template <class Setter, std::size_t N>
Setter Lookup(const Setter (&table)[N], std::int32_t tag) {
    if (tag < 0 || static_cast<std::size_t>(tag) >= N) {
        throw std::logic_error("SSL reader: statement tag out of range");
    }
    return table[tag];
}

/// The value of `digits` (only digits of `base`, as the scanner matched them), or
/// `limit` when it is larger.
std::uint64_t DigitsValue(std::string_view digits, unsigned base, std::uint64_t limit) {
    std::uint64_t value = 0;
    for (const char c : digits) {
        const unsigned digit = c <= '9' ? static_cast<unsigned>(c - '0')
                                        : static_cast<unsigned>((c | 0x20) - 'a' + 10);
        value = value * base + digit;
        if (value > limit)
            return limit;
    }
    return value;
}

}  // namespace

void SslScannerFailure(const char* message) {
    throw std::runtime_error(message);
}

TString UnquoteStampText(TString text) {
    text.Replace("''", "\"");
    return text;
}

// --- scanner side --------------------------------------------------------------------------

// The number forms of the scanner have no sign, exponent or blanks for these
// functions to handle; none of them depends on the locale.

std::uint32_t SslParseContext::HexValue(std::string_view digits) const {
    return static_cast<std::uint32_t>(
        DigitsValue(digits, 16, std::numeric_limits<std::uint32_t>::max()));
}

std::int32_t SslParseContext::IntegerValue(std::string_view digits) const {
    return static_cast<std::int32_t>(
        DigitsValue(digits, 10, std::numeric_limits<std::int32_t>::max()));
}

double SslParseContext::FloatValue(std::string_view text) const {
    // The common short form: at most 15 digits are an exact integer and 10^22 is an
    // exact double, so one division gives the correctly rounded value, the same
    // as a full conversion (which the other forms take).
    static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const bool negative = !text.empty() && text.front() == '-';
    std::uint64_t mantissa = 0;
    std::size_t digits = 0;
    std::size_t decimals = 0;
    bool afterSeparator = false;
    for (const char c : text.substr(negative ? 1 : 0)) {
        if (c == '.' || c == ',') {
            afterSeparator = true;
            continue;
        }
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
        ++digits;
        decimals += afterSeparator ? 1 : 0;
        if (digits > 15)
            break;
    }
    if (digits <= 15) {
        const double value = static_cast<double>(mantissa) / kPowersOfTen[decimals];
        return negative ? -value : value;
    }

    double value = 0.0;
    const auto parse = [&value](std::string_view number) {
        const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
        return result.ec == std::errc() ? value : 0.0;
    };
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos)
        return parse(text);
    // The separator may be written as ',' as well.
    std::string number(text);
    number[comma] = '.';
    return parse(number);
}

int SslParseContext::StoreString(const char* text, std::size_t length) {
    if (length > kMaxTokenLength)
        SslScannerFailure("string longer than the reader accepts");
    const std::size_t slot = m_nNextString;
    m_nNextString = (m_nNextString + 1) % kStringSlots;
    m_asStrings[slot] = std::string_view(text + 1, length - 2);
    return static_cast<int>(slot);
}

bool SslParseContext::Refill() {
    SslScanInput* const input = m_Scan.input;
    if (input == nullptr || !input->Refillable())
        return false;
    // A view not showing its own copy shows the window.
    const auto keep = [](std::string_view& view, std::string& copy) {
        if (!view.empty() && view.data() != copy.data())
            view = copy.assign(view);
    };
    for (std::size_t slot = 0; slot < kStringSlots; ++slot)
        keep(m_asStrings[slot], m_asKept[slot]);
    keep(m_LastToken, m_asKept[kStringSlots]);
    keep(m_StatementWord, m_asKept[kStringSlots + 1]);
    return input->Fill(m_Scan);
}

void SslParseContext::Report(RSSslDiagnostic::TKind kind, std::int32_t line, TString text,
                             TString message, bool toStdout) {
    RSSslDiagnostic diagnostic;
    diagnostic.m_nKind = kind;
    diagnostic.m_sFile = m_sFile;
    diagnostic.m_nLine = line;
    diagnostic.m_sText = std::move(text);
    diagnostic.m_sMessage = std::move(message);
    ++m_nReported;
    if (m_nPassOver > 0) {
        --m_nPassOver;
        return;
    }
    if (m_pHandler != nullptr) {
        (*m_pHandler)(diagnostic);
        return;
    }
    std::fwrite(diagnostic.m_sMessage.c_str(), 1, diagnostic.m_sMessage.GetLength(),
                toStdout ? stdout : stderr);
}

void SslParseContext::ReadAgain(std::uint32_t unit, std::size_t reported) {
    m_nUnit = unit;
    m_bUnitSettled = true;
    m_nPassOver = reported;
}

void SslParseContext::UnknownStatement(const char* word, std::size_t length) {
    FlushStray();
    const TString text = Decode(std::string_view(word, length));
    Report(RSSslDiagnostic::kUnknownStatement, m_nLine, text,
           TString::Format("unknownstatement \"%s\" In Zeile %d\n", text.c_str(), m_nLine), false);
}

void SslParseContext::Stray(const char* text, std::size_t length) {
    if (!m_sStray.empty() && m_nStrayLine != m_nLine)
        FlushStray();
    if (m_sStray.empty())
        m_nStrayLine = m_nLine;
    m_sStray.append(text, length);
}

void SslParseContext::ReportStray() {
    const TString text = Decode(m_sStray);
    m_sStray.clear();
    Report(RSSslDiagnostic::kStrayText, m_nStrayLine, text, text, true);
}

void SslParseContext::ReportFailure(const char* what) {
    Report(RSSslDiagnostic::kReaderFailure, m_nLine, what, TString(what) + "\n", false);
}

// --- grammar side ----------------------------------------------------------------------------

const TString& SslParseContext::String(int slot) {
    const std::string_view text = m_asStrings[static_cast<std::size_t>(slot) % kStringSlots];
    // ASCII, as most values are, reads the same in every encoding but the escaped one.
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii && m_nEncoding != TInputEncoding::kEscapedUtf16)
        m_sString.Assign(text);
    else
        m_sString = Decode(text);
    return m_sString;
}

TString SslParseContext::Decode(std::string_view bytes) const {
    switch (m_nEncoding) {
        case TInputEncoding::kUtf8:
            return TString::FromUtf8(bytes);
        case TInputEncoding::kWindows1252:
            return TString::FromAnsi(bytes);
        case TInputEncoding::kEscapedUtf16:
            break;
    }
    return TString::SaveFromAnsi(bytes, '#');
}

void SslParseContext::SyntaxError(const char* message) {
    if (m_pFailure)
        return;  // the failure itself is reported instead
    FlushStray();
    // Bison's own text for a full stack; the system calls it a stack overflow.
    const char* what =
        std::string_view(message) == "memory exhausted" ? "parser stack overflow" : "parse error";
    const TString token = Decode(m_LastToken);
    Report(RSSslDiagnostic::kSyntaxError, m_nLine, token,
           TString::Format("%s Token \"%s\" In Zeile %d\n", what, token.c_str(), m_nLine), false);
}

void SslParseContext::BeginJob() {
    if (m_pSet->IsEmpty() == 0) {
        m_DefaultEntry = std::as_const(*m_pSet).GetEntry(0);
        m_pSet->RemoveEntry(0);
    } else {
        m_DefaultEntry = RCSslEntry(0);
    }
    // The starting entry's lengths are in its own unit, which is the ticket's too
    // unless the ticket names one.
    const std::uint32_t startUnit = m_DefaultEntry.GetUnits().GetConversionCode();
    if (startUnit != RCUnit::kMm)
        m_DefaultEntry.ConvertUnit(startUnit, RCUnit::kMm, m_nResolution);
    if (!m_bUnitSettled)
        m_nUnit = startUnit;
    m_CurrentEntry = RCSslEntry(m_DefaultEntry, 0);
    // List statements add to their lists, so the starting lists are set aside: a
    // ticket that names addresses, support files or job stamps of its own replaces
    // them (EndJobStatements), and reading a ticket again into the same set gives
    // the same lists.  Error notes belong to one reading and are never carried over.
    m_CurrentEntry.RemoveAllAddresses();
    m_CurrentEntry.RemoveAllSupportFiles();
    m_CurrentEntry.RemoveAllStamps();
    const SslError noNotes;
    m_CurrentEntry.Set(kId_SslError, &noNotes);
}

bool SslParseContext::EndJobStatements() {
    if (!m_bUnitSettled) {
        if (m_nLengthUnit && (m_bLengthUnitsDiffer || *m_nLengthUnit != m_nUnit)) {
            m_nReadAgainInUnit = m_nUnit;
            return false;
        }
        m_bUnitSettled = true;
    }
    // Every length of the job entry, and of the file entries made from it, is in
    // millimetres now.
    if (m_CurrentEntry.GetUnits().Get() != SslUnit::kMm)
        m_CurrentEntry.SetUnits(SslUnit::kMm);
    // The starting lists stay where the ticket named none (m_DefaultEntry still holds
    // the starting defaults here).
    if (m_CurrentEntry.GetAddressCount() == 0)
        m_CurrentEntry.SetAllAddresses(m_DefaultEntry.GetAllAddresses());
    if (m_CurrentEntry.GetSupportFileCount() == 0)
        m_CurrentEntry.SetAllSupportFiles(m_DefaultEntry.GetAllSupportFiles());
    if (m_CurrentEntry.GetStampCount() == 0)
        m_CurrentEntry.SetAllStamps(m_DefaultEntry.GetAllStamps());
    m_CurrentEntry.ShareIdenticalStatements(m_DefaultEntry, m_Pool);
    m_pSet->AddEntry(m_CurrentEntry);
    m_bJobStored = true;
    m_CurrentEntry.RemoveAllStamps();
    m_DefaultEntry = m_CurrentEntry;
    return true;
}

void SslParseContext::BeginFile() {
    m_CurrentEntry = RCSslEntry(m_DefaultEntry, 1);
    m_bInFile = true;
    m_bHolding = false;
    m_nReportedAtBlock = m_nReported;
    ++m_nBlocks;
}

void SslParseContext::EndFile() {
    // Nothing reads the current entry again before the next BeginFile assigns it.
    m_CurrentEntry.ShareIdenticalStatements(m_DefaultEntry, m_Pool);
    if (m_Repeats.Armed())
        m_Repeats.EndBlock(m_CurrentEntry);
    m_bInFile = false;
    m_pSet->AddEntry(std::move(m_CurrentEntry));
}

void SslParseContext::SkipRepeatedLines() {
    if (!m_Repeats.Armed()) {
        // The line end just read tells how the texts end their lines.
        if (m_nBlocks < kBlocksBeforeSkipping || m_nEncoding == TInputEncoding::kEscapedUtf16 ||
            (m_LastToken != "\r\n" && m_LastToken != "\n"))
            return;
        m_Repeats.Arm(m_DefaultEntry, m_LastToken == "\r\n", m_nEncoding);
    }
    m_Repeats.Skip(*this);
}

bool SslParseContext::ReadsAs(std::string_view text, const RCSslEntry& fresh, std::uint32_t id,
                              const SslStatement& expected) {
    RCSslSet scratch;
    scratch.AddEntry(m_DefaultEntry);
    bool reported = false;
    const TSslDiagnosticHandler note = [&reported](const RSSslDiagnostic&) { reported = true; };
    SslParseContext probe(scratch, m_sFile, m_nEncoding, &note, m_nResolution);
    probe.ReadAgain(m_nUnit, 0);
    std::string input = "BeginJob\nBeginOutput\n";
    input.append(text);
    input += "EndOutput\nEndJob\n";
    SslScanStart(probe.m_Scan, input.data(), input.data() + input.size());
    SslYyparse(&probe);
    if (reported || probe.m_pFailure || scratch.ParsedTilEnd() == 0 || scratch.Size() != 2)
        return false;
    const RCSslEntry& read = std::as_const(scratch).GetEntry(1);
    for (std::uint32_t other = 0; other < kSslStatementCount; ++other) {
        if (RCSslStatementStore::LevelOf(other) == RCSslStatementStore::kLevelNever)
            continue;
        const auto otherId = static_cast<TSslStatementID>(other);
        if (!RCSslStatementStore::Identical(other, read.GetStatement(otherId),
                                            other == id ? expected : fresh.GetStatement(otherId)))
            return false;
    }
    return true;
}

void SslParseContext::SetText(std::int32_t tag, const TString& value) {
    Lookup(kTextSetters, tag)(m_CurrentEntry, value);
}

void SslParseContext::SetNumber(std::int32_t tag, std::int32_t value) {
    Took(Lookup(kNumberSetters, tag)(m_CurrentEntry, static_cast<std::uint32_t>(value)));
}

void SslParseContext::SetSwitch(std::int32_t tag, std::int32_t value) {
    Lookup(kSwitchSetters, tag)(m_CurrentEntry, static_cast<std::uint32_t>(value));
}

void SslParseContext::SetSwitchInt(std::int32_t tag, std::int32_t value) {
    Lookup(kSwitchIntSetters, tag)(m_CurrentEntry, static_cast<std::uint32_t>(value));
}

void SslParseContext::SetOption(std::int32_t tag, std::int32_t value) {
    Lookup(kOptionSetters, tag)(m_CurrentEntry, static_cast<std::uint32_t>(value));
}

void SslParseContext::SetOptionWithOptions(std::int32_t tag, std::int32_t value,
                                           std::int32_t options) {
    SetOption(tag, value);
    Took(Lookup(kOptionOptionSetters, tag)(m_CurrentEntry, static_cast<std::uint32_t>(options)));
}

void SslParseContext::SetLongString(std::int32_t tag, const TString& value) {
    Lookup(kLongSetters, tag)(m_CurrentEntry, value);
}

double SslParseContext::Length(double value, std::uint32_t unit) {
    std::uint32_t from = m_nUnit;
    if (unit != SslUnit::kNone) {
        from = SslUnit(unit).GetConversionCode();
    } else if (!m_bUnitSettled) {
        if (!m_nLengthUnit)
            m_nLengthUnit = m_nUnit;
        else if (*m_nLengthUnit != m_nUnit)
            m_bLengthUnitsDiffer = true;
    }
    if (from == RCUnit::kMm)
        return value;
    // Pixels need a resolution; no setter takes the length then.
    if (from == RCUnit::kPixel && m_nResolution == 0)
        return std::numeric_limits<double>::quiet_NaN();
    const double mm = RCUnit::Convert(from, RCUnit::kMm, value, m_nResolution);
    // To a nanometre, far below what any plotter resolves: a length given as 1.1
    // inch holds 27.94 mm, not the binary noise of the product.
    return std::abs(mm) < 1e6 ? std::round(mm * 1e9) / 1e9 : mm;
}

void SslParseContext::SetUnits(std::uint32_t unit) {
    if (m_bJobStored)
        return;  // output blocks carry no unit of their own
    m_CurrentEntry.SetUnits(static_cast<SslUnit::RCSslUnits>(unit));
    if (!m_bUnitSettled)
        m_nUnit = SslUnit(unit).GetConversionCode();
}

void SslParseContext::Refused() {
    m_CurrentEntry.AppendError(TString::Format("Error in line %d: %s value refused\n",
                                               m_nStatementLine, Decode(m_StatementWord).c_str()));
}

void SslParseContext::SizeOfType(std::uint32_t type) {
    m_Size = SslSize();
    m_bSizeRefused = m_Size.SetSizeType(type) == 0;
}

void SslParseContext::SizeFormat(std::uint32_t type, std::int32_t family, std::int32_t format) {
    SizeOfType(type);
    // Asia with an A or C format gives no format number.
    if (m_Size.SetFormatName(static_cast<std::uint32_t>(family)) == 0 || format < 0 ||
        m_Size.SetFormat(static_cast<std::uint32_t>(format)) == 0)
        m_bSizeRefused = true;
}

void SslParseContext::SizeWindow(std::uint32_t type, const SslDims& dims) {
    SizeOfType(type);
    if (m_Size.SetWidth(Length(dims.width, dims.unit)) == 0 ||
        m_Size.SetHeight(Length(dims.height, dims.unit)) == 0)
        m_bSizeRefused = true;
    // A size that named its unit now holds millimetres, and says so.
    m_Size.SetSizeUnit(SslUnit(dims.unit == SslUnit::kNone ? SslUnit::kNone : SslUnit::kMm));
}

void SslParseContext::SizeFactors(double width, double height) {
    SizeOfType(SslSize::kPercent);
    if (m_Size.SetWidth(width) == 0 || m_Size.SetHeight(height) == 0)
        m_bSizeRefused = true;
}

void SslParseContext::StoreSize(std::int32_t statement) {
    if (m_bSizeRefused) {
        Refused();
        return;
    }
    switch (statement) {
        case kSizeOutput:
            m_CurrentEntry.SetOutputSize(m_Size);
            break;
        case kSizePaper:
            m_CurrentEntry.SetPaperSize(m_Size);
            break;
        case kSizeFlagsheet:
            m_CurrentEntry.SetJobFlagsheetSize(m_Size);
            break;
        default:
            m_CurrentEntry.SetZoom(m_Size);
            break;
    }
}

void SslParseContext::BeginFileInfo() {
    // Fresh slots: a short FileInfo line never picks up values of an earlier one.
    m_anHex.fill(0);
    m_nHexCount = 0;
}

void SslParseContext::FileInfoHex(std::uint32_t value) {
    m_anHex[m_nHexCount % m_anHex.size()] = value;
    ++m_nHexCount;
}

void SslParseContext::EndFileInfo() {
    if (m_nHexCount > 5) {
        m_CurrentEntry.SetFileInfo(m_anHex[0], m_anHex[1], m_anHex[2], m_anHex[3], m_anHex[4],
                                   m_anHex[5]);
    } else {
        m_CurrentEntry.SetFileInfo(m_anHex[0], m_anHex[1], m_anHex[2], m_anHex[3], m_anHex[4]);
    }
    m_nHexCount = 0;
}

void SslParseContext::BeginStamp() {
    m_Stamp = SslSingleStamp();
    m_nFontFlags = 0;
    m_bHolding = true;
}

void SslParseContext::EndStamp() {
    m_bHolding = false;
    if (m_Stamp.IsVisible())
        m_CurrentEntry.AddStamp(m_Stamp);
}

}  // namespace ssl2::internal
