#include "ssl2/access/RCAccessSsl.h"

#include <algorithm>
#include <initializer_list>

#include "ssl2/base/TException.h"
#include "ssl2/sslmessages.h"

namespace {

using TWords = std::array<std::uint32_t, 4>;

constexpr std::uint32_t kAllSet = 0xFFFFFFFF;
constexpr std::uint32_t kFlagCount = 128;
// Flags 111..127: bits 15..31 of word 3.
constexpr std::uint32_t kUnusedMask = 0xFFFF8000;

constexpr TWords MaskOf(std::initializer_list<std::uint32_t> ids) {
    TWords mask{};
    for (std::uint32_t id : ids)
        mask[id / 32] |= std::uint32_t{1} << (id % 32);
    return mask;
}

constexpr TWords MaskOfRange(std::uint32_t first, std::uint32_t last) {
    TWords mask{};
    for (std::uint32_t id = first; id <= last; ++id)
        mask[id / 32] |= std::uint32_t{1} << (id % 32);
    return mask;
}

constexpr TWords operator|(const TWords& a, const TWords& b) {
    return {a[0] | b[0], a[1] | b[1], a[2] | b[2], a[3] | b[3]};
}

constexpr bool Intersects(const TWords& a, const TWords& b) {
    return (a[0] & b[0]) | (a[1] & b[1]) | (a[2] & b[2]) | (a[3] & b[3]);
}

// One bit of the old-style word: the statements ToOldStyle looks at, and the
// statements FromOldStyle sets or clears (for the pen-language and user groups the
// first is only the group's leading statement).
struct TOldStyleGroup {
    std::uint32_t m_nOldBit;
    TWords m_Tested;
    TWords m_Members;
};

constexpr TOldStyleGroup Group(std::uint32_t bit, std::initializer_list<std::uint32_t> ids) {
    return {bit, MaskOf(ids), MaskOf(ids)};
}

constexpr TOldStyleGroup LeaderGroup(std::uint32_t bit, std::initializer_list<std::uint32_t> ids) {
    return {bit, MaskOf({*ids.begin()}), MaskOf(ids)};
}

constexpr TOldStyleGroup kOldStyleGroups[] = {
    Group(0x2, {kId_SslJobCollate, kId_SslJobSort, kId_SslNesting}),
    Group(0x4, {kId_SslCopies, kId_SslSetCopies, kId_SslPlotIt}),
    LeaderGroup(0x8, {kId_SslCalcomp, kId_SslCalcompColorEmulation, kId_SslCalcompPens}),
    Group(0x10, {kId_SslCopyrigth}),
    Group(0x20, {kId_SslCutMethod}),
    Group(0x40, {kId_SslDeleteAfterPlot}),
    Group(0x80, {kId_SslEMail}),
    Group(0x100, {kId_SslOnError, kId_SslOperatorMode}),
    Group(0x200, {kId_SslJobFlagsheet}),
    Group(0x400, {kId_SslFold}),
    LeaderGroup(0x800, {kId_SslHpgl, kId_SslHpglColorEmulation, kId_SslHpglPens}),
    Group(0x1000, {kId_SslJobName}),
    Group(0x2000, {kId_SslMargin, kId_SslMediaPosition}),
    Group(0x4000, {kId_SslMediaType}),
    Group(0x8000, {kId_SslMediaFeed}),
    Group(0x10000, {kId_SslMirror, kId_SslRotate, kId_SslInvert}),
    Group(0x20000, {kId_SslNotes}),
    Group(0x40000, {kId_SslOutputBin}),
    Group(0x80000, {kId_SslOutputSize, kId_SslZoom, kId_SslImageContent}),
    Group(0x100000, {kId_SslJobPlotter}),
    Group(0x200000, {kId_SslJobPriority, kId_SslEarliestPlotTime}),
    Group(0x400000, {kId_SslStamp}),
    Group(0x800000, {kId_SslAccount, kId_SslCostCenter, kId_SslCreationAppl, kId_SslCustomer,
                     kId_SslDistribution}),
    LeaderGroup(0x1000000, {kId_SslUserName, kId_SslUserHash, kId_SslUserId}),
    LeaderGroup(0x2000000, {kId_SslVic, kId_SslVicColorEmulation, kId_SslVicPens}),
    Group(0x4000000, {kId_SslDocumentBox}),
};

// Statements the old-style word cannot express; FromOldStyle clears them.
constexpr TWords kNotInOldStyle =
    MaskOf({kId_SslColorDepth, kId_SslResolution, kId_SslPlotRaw, kId_SslSupportFiles,
            kId_SslPaperSize, kId_SslSetDistribution, kId_SslClientFileCaching,
            kId_SslDeleteFileAfterProcessing, kId_SslOriginHost, kId_SslPrintQuality}) |
    MaskOfRange(kId_SslHpglAsString, kId_SslReimbursable);

// The named accessor table must list each statement once, in identifier order,
// and leave out exactly SslError, SslVersion and SslOrdinal.
constexpr std::uint32_t kNamedIds[] = {
#define SSL2_ACCESS_PAIR(name, cls) kId_##cls,
#include "ssl2/access/RCAccessSslTable.def"
};
constexpr bool NamedTableIsComplete() {
    std::uint32_t next = 0;
    for (std::uint32_t id : kNamedIds) {
        while (next == kId_SslError || next == kId_SslVersion || next == kId_SslOrdinal)
            ++next;
        if (id != next++)
            return false;
    }
    return next == kSslStatementCount;
}
static_assert(NamedTableIsComplete(), "RCAccessSslTable.def does not match the statement table");

constexpr std::uint32_t GetLE32(const std::uint8_t* bytes) {
    return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 24;
}

constexpr std::array<std::uint8_t, 4> PutLE32(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

// strtoul(text, 0, 10) as on a platform with 32-bit unsigned long: leading white
// space, an optional sign (a minus negates modulo 2^32), decimal digits; a value
// beyond 32 bits gives 0xFFFFFFFF.  Returns false when no digit was read.
bool ParseUnsigned32(const std::string& text, std::uint32_t& value) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r')))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    const std::size_t firstDigit = pos;
    std::uint64_t magnitude = 0;
    bool overflow = false;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(text[pos] - '0');
        if (magnitude > kAllSet) {
            overflow = true;
            magnitude = kAllSet;
        }
    }
    if (pos == firstDigit)
        return false;
    const auto low = static_cast<std::uint32_t>(magnitude);
    value = overflow ? kAllSet : negative ? 0u - low : low;
    return true;
}

[[noreturn]] void DataTooShort() {
    ThrowNewError(RMCSslErrors(), RMCSslErrors::kAccessDataTooShort);
}

}  // namespace

const RCSerializeBase::_TIDFunctionTuple RCAccessSsl::m_IDFunciontArray[] = {
    {0, &RCAccessSsl::Static_DeSer_m_AccessValue, &RCAccessSsl::Static_Ser_m_AccessValue},
    {0, nullptr, nullptr},
};

const RCSerializeBase::_TIDFunctionTableList RCAccessSsl::m_IDFunctionTableList = {
    RCSerializeBase::MakeDataTypeId(17, 0), RCAccessSsl::m_IDFunciontArray, nullptr};

RCAccessSsl::RCAccessSsl()
    : RCSerializable(kObjectType), m_AccessValue{kAllSet, kAllSet, kAllSet, kAllSet} {}

unsigned int RCAccessSsl::operator==(const RCAccessSsl& other) const {
    return m_AccessValue == other.m_AccessValue ? 1 : 0;
}

RCAccessSsl& RCAccessSsl::operator|=(const RCAccessSsl& other) {
    for (std::size_t i = 0; i < m_AccessValue.size(); ++i)
        m_AccessValue[i] |= other.m_AccessValue[i];
    return *this;
}

RCAccessSsl& RCAccessSsl::operator&=(const RCAccessSsl& other) {
    for (std::size_t i = 0; i < m_AccessValue.size(); ++i)
        m_AccessValue[i] &= other.m_AccessValue[i];
    return *this;
}

RCAccessSsl RCAccessSsl::operator|(const RCAccessSsl& other) const {
    RCAccessSsl result(*this);
    return result |= other;
}

RCAccessSsl RCAccessSsl::operator&(const RCAccessSsl& other) const {
    RCAccessSsl result(*this);
    return result &= other;
}

RCAccessSsl RCAccessSsl::operator~() const {
    RCAccessSsl result(*this);
    for (auto& word : result.m_AccessValue)
        word = ~word;
    return result;
}

bool RCAccessSsl::HasFullAccess() const {
    for (auto word : m_AccessValue)
        if (word != kAllSet)
            return false;
    return true;
}

bool RCAccessSsl::HasAnyAccess() const {
    for (auto word : m_AccessValue)
        if (word != 0)
            return true;
    return false;
}

void RCAccessSsl::SetAllAccess(unsigned int on) {
    m_AccessValue.fill(on ? kAllSet : 0);
}

void RCAccessSsl::SetAccess(TSslStatementID id, unsigned int on) {
    if (id >= kFlagCount)
        return;
    const std::uint32_t bit = std::uint32_t{1} << (id % 32);
    if (on)
        m_AccessValue[id / 32] |= bit;
    else
        m_AccessValue[id / 32] &= ~bit;
}

unsigned int RCAccessSsl::GetAccess(TSslStatementID id) const {
    if (id >= kFlagCount)
        return 0;
    return (m_AccessValue[id / 32] >> (id % 32)) & 1;
}

void RCAccessSsl::SetUnusedStatementAccess(unsigned int on) {
    if (on)
        m_AccessValue[3] |= kUnusedMask;
    else
        m_AccessValue[3] &= ~kUnusedMask;
}

RCAccessSsl RCAccessSsl::GenerateAccessValueForStatementType(SslStatement::TStatementType type) {
    RCAccessSsl result;
    result.SetAllAccess(0);
    if (!SslStatement::IsValidStatementType(type))
        return result;
    for (std::uint32_t id = 0; id < kSslStatementCount; ++id)
        if (SslStatement::m_anAccessibility[id] == type)
            result.SetAccess(TSslStatementID(id), 1);
    return result;
}

TString RCAccessSsl::ToString() const {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(32);
    for (auto word : m_AccessValue) {
        for (auto byte : PutLE32(word)) {
            text += kDigits[byte >> 4];
            text += kDigits[byte & 0xF];
        }
    }
    return text;
}

unsigned int RCAccessSsl::FromString(const TString& text) {
    // Lengths and positions count characters, not bytes of the UTF-8 form.
    const std::u16string chars = text.AsUnicode();
    std::uint32_t bytes = 0;
    switch (chars.size()) {
        case 16:
            bytes = 8;
            break;
        case 24:
            bytes = 12;
            break;
        case 32:
        case 40:
        case 48:
            bytes = 16;
            break;
        default:
            return 0;
    }
    const auto digit = [&](std::size_t at) {
        return chars[at] < 0x80 ? TString::HexDigitValue(static_cast<char>(chars[at])) : -1;
    };
    for (std::uint32_t i = 0; i < 2 * bytes; ++i)
        if (digit(i) < 0)
            return 0;
    for (std::uint32_t word = 0; word < bytes / 4; ++word) {
        std::uint8_t le[4];
        for (std::uint32_t b = 0; b < 4; ++b) {
            const std::size_t at = 8 * word + 2 * b;
            le[b] = static_cast<std::uint8_t>(digit(at) << 4 | digit(at + 1));
        }
        m_AccessValue[word] = GetLE32(le);
    }
    return 1;
}

std::uint32_t RCAccessSsl::ToOldStyle() const {
    std::uint32_t oldStyle = 0;
    for (const auto& group : kOldStyleGroups)
        if (Intersects(m_AccessValue, group.m_Tested))
            oldStyle |= group.m_nOldBit;
    return oldStyle;
}

void RCAccessSsl::FromOldStyle(std::uint32_t oldStyle) {
    for (const auto& group : kOldStyleGroups) {
        const bool on = (oldStyle & group.m_nOldBit) != 0;
        for (std::size_t i = 0; i < m_AccessValue.size(); ++i) {
            if (on)
                m_AccessValue[i] |= group.m_Members[i];
            else
                m_AccessValue[i] &= ~group.m_Members[i];
        }
    }
    for (std::size_t i = 0; i < m_AccessValue.size(); ++i)
        m_AccessValue[i] &= ~kNotInOldStyle[i];
}

TString RCAccessSsl::ToOldStyleString() const {
    return TString::Format("%d", static_cast<int>(ToOldStyle()));
}

unsigned int RCAccessSsl::FromOldStyleString(const TString& text) {
    std::uint32_t oldStyle = 0;
    if (!ParseUnsigned32(text.str(), oldStyle))
        return 0;
    FromOldStyle(oldStyle);
    return 1;
}

std::uint32_t RCAccessSsl::OldSerialize(std::uint8_t* buffer, std::uint32_t size) const {
    std::uint32_t position = 0;
    const auto type = PutLE32(GetObjectType());
    TryMemCpy(buffer, position, type.data(), 4, size);
    const std::uint32_t lengthAt = position;
    const auto placeholder = PutLE32(0);
    TryMemCpy(buffer, position, placeholder.data(), 4, size);
    std::array<std::uint8_t, 16> flags{};
    for (std::size_t word = 0; word < m_AccessValue.size(); ++word) {
        const auto le = PutLE32(m_AccessValue[word]);
        std::copy(le.begin(), le.end(), flags.begin() + 4 * word);
    }
    TryMemCpy(buffer, position, flags.data(), 16, size);
    // The length word is patched only where the buffer holds it: a buffer smaller
    // than the header gets nothing written past its end.
    if (buffer && size >= lengthAt + 4) {
        const auto length = PutLE32(position);
        std::copy(length.begin(), length.end(), buffer + lengthAt);
    }
    return position;
}

std::uint32_t RCAccessSsl::OldDeSerialize(const std::uint8_t* buffer, std::uint32_t size) {
    if (!buffer || size < 8)
        DataTooShort();
    const std::uint32_t length = GetLE32(buffer + 4);
    if (size < length)
        DataTooShort();
    std::uint32_t words = 0;
    switch (length) {
        case 16:
            words = 2;
            break;
        case 20:
            words = 3;
            break;
        case 24:
        case 28:
        case 32:
            words = 4;
            break;
        default:
            return length;
    }
    for (std::uint32_t word = 0; word < 4; ++word)
        m_AccessValue[word] = word < words ? GetLE32(buffer + 8 + 4 * word) : 0;
    return length;
}

void RCAccessSsl::Ser_m_AccessValue(RSDataEntry* entry) const {
    SerializeAsTLong(entry, m_AccessValue.data(), 4);
    entry->m_nId = 0;
}

void RCAccessSsl::DeSer_m_AccessValue(const RSDataEntry* entry) {
    std::array<std::uint32_t, 4> words{};
    DeSerializeAsTLong(entry, words.data(), 4);
    m_AccessValue = words;
}

void RCAccessSsl::Static_Ser_m_AccessValue(RSDataEntry* entry, const RCSerializeBase* object) {
    dynamic_cast<const RCAccessSsl&>(*object).Ser_m_AccessValue(entry);
}

void RCAccessSsl::Static_DeSer_m_AccessValue(const RSDataEntry* entry, RCSerializeBase* object) {
    dynamic_cast<RCAccessSsl&>(*object).DeSer_m_AccessValue(entry);
}
