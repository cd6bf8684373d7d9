#include "ssl2/SSLStatements/SslFold.h"

#include "ssl2/sslmessages.h"

namespace {

constexpr RSMessageText kFoldOptionTexts[] = {
    {1, "punch"},       {2, "crossfold"}, {3, "reinforcement"}, {4, "tab"},
    {5, "US bookfold"}, {6, "C-fold"},    {7, "landscape"},
};

// The option bit of generic members 2 to 8.
std::uint32_t MemberBit(std::uint32_t member) {
    return 1u << (member - 2);
}

}  // namespace

SslFold::RMCSslFoldOptionNames::RMCSslFoldOptionNames()
    : TMessageBase("SslFold::SslFoldOptionNames", "SSL2", "ssl2/SSLStatements/SslFold.h", 129,
                   kFoldOptionTexts) {}

const SslFold::RMCSslFoldOptionNames SslFold::SslFoldOptionNames;

const TString SslFold::m_asMemberNames[kMemberCount] = {
    "Fold Program", "Output Tray",       "Punch",  "Crossfold", "Reinforce",
    "Tab",          "US style bookfold", "C-Fold", "Landscape", "Error Reaction"};
const RSIndexString SslFold::m_asUserInterfacePrograms[4] = {
    {0, "No Fold"}, {1, "Packet 210"}, {2, "190 / 20"}, {43, "8.5 x 11"}};
const RSIndexString SslFold::m_asUserInterfaceTrays[1] = {{0, "auto"}};
const RSIndexString SslFold::m_asOnOff[2] = {{0, VEMTO::GetMessage(RMCSslStatementStrings(), 0)},
                                             {1, VEMTO::GetMessage(RMCSslStatementStrings(), 1)}};
const RSIndexString SslFold::m_asErrorSettings[3] = {
    {0, "server default"}, {1, "ignore"}, {2, "report"}};
const TString SslFold::m_sProgram = "Prg ";
const TString SslFold::m_sTray = "Tray ";
const TString SslFold::m_sOption = "Option ";

SslFold::SslFold()
    : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID]) {}

SslFold::SslFold(const SslFold& other)
    : TSslStatementImpl(other),
      RCSerializeBase(other),
      m_FoldPrg(other.m_FoldPrg),
      m_Tray(other.m_Tray),
      m_Options(other.m_Options),
      m_bOptionsSet(other.m_bOptionsSet) {}

SslFold& SslFold::operator=(const SslFold& other) {
    SslStatement::operator=(other);
    m_FoldPrg = other.m_FoldPrg;
    m_Tray = other.m_Tray;
    m_Options = other.m_Options;
    m_bOptionsSet = other.m_bOptionsSet;
    return *this;
}

TString SslFold::ToString(unsigned int noOptions) const {
    if (m_FoldPrg < 0)
        return m_sName + " off";
    TString text = m_sName + " " + m_sProgram + TString(m_FoldPrg);
    if (m_Tray >= 0)
        text += " " + m_sTray + TString(m_Tray);
    if (noOptions == 0)
        text += " " + m_sOption + TString(m_Options);
    return text;
}

unsigned int SslFold::SetPrg(std::int32_t program) {
    if (program < -1 || program > kMaxPrg)
        return 0;
    m_FoldPrg = program;
    return 1;
}

unsigned int SslFold::SetTray(std::int32_t tray) {
    if (tray < -1 || tray > kMaxTray)
        return 0;
    m_Tray = tray;
    return 1;
}

unsigned int SslFold::AddOption(std::uint32_t option) {
    if (option > kLandscape)
        return 0;  // also excludes every bit from 24 up
    m_bOptionsSet = true;
    m_Options |= option;
    return 1;
}

unsigned int SslFold::RemoveOption(std::uint32_t option) {
    if (option > kLandscape)
        return 0;
    m_bOptionsSet = true;
    m_Options &= ~option;
    return 1;
}

unsigned int SslFold::SetOption(std::uint32_t option, unsigned int on) {
    return on ? AddOption(option) : RemoveOption(option);
}

unsigned int SslFold::AddSpecialOption(std::uint32_t option) {
    if ((option & kOptionMask) != 0 || option > kErrorIfImpossible)
        return 0;
    m_Options |= option;
    return 1;
}

unsigned int SslFold::RemoveSpecialOption(std::uint32_t option) {
    if ((option & kOptionMask) != 0 || option > kErrorIfImpossible)
        return 0;
    m_bOptionsSet = true;
    m_Options &= ~option;
    return 1;
}

unsigned int SslFold::SetIfFoldImpossible(std::uint32_t reaction) {
    static constexpr std::uint32_t kBits[3] = {0, kIgnoreIfImpossible, kErrorIfImpossible};
    if (reaction > 2)
        return 0;
    m_Options = (m_Options & ~(kIgnoreIfImpossible | kErrorIfImpossible)) | kBits[reaction];
    return 1;
}

std::uint32_t SslFold::GetIfFoldImpossible() const {
    if (m_Options & kErrorIfImpossible)
        return 2;
    return (m_Options & kIgnoreIfImpossible) ? 1 : 0;
}

unsigned int SslFold::SetOptions(std::uint32_t options) {
    static constexpr std::uint32_t kKnown = 0x7F;
    m_bOptionsSet = true;
    if ((options & kOptionMask) < 128) {
        m_Options = (m_Options & kSpecialMask) | (options & kOptionMask);
        return 1;
    }
    m_Options = (m_Options & ~kKnown) | (options & kKnown);
    return 0;
}

unsigned int SslFold::SetSpecialOptions(std::uint32_t options) {
    static constexpr std::uint32_t kReaction = kIgnoreIfImpossible | kErrorIfImpossible;
    if ((options & kSpecialMask) < 0x4000000) {
        m_Options = (m_Options & kOptionMask) | (options & kSpecialMask);
        return 1;
    }
    m_Options = (m_Options & ~kReaction) | (options & kReaction);
    return 0;
}

unsigned int SslFold::SetAllOptions(std::uint32_t options) {
    const unsigned int low = SetOptions(options);
    const unsigned int high = SetSpecialOptions(options);
    return low && high ? 1 : 0;
}

TString SslFold::ChargedOptionsAsString(std::uint8_t options) {
    if (options & kPunch) {
        TString text = VEMTO::GetMessage(RMCSslFoldOptionNames(), 1);
        if (options & kReinforce)
            text += " " + VEMTO::GetMessage(RMCSslFoldOptionNames(), 3);
        return text;
    }
    if (options & kTab)
        return VEMTO::GetMessage(RMCSslFoldOptionNames(), 4);
    return {};
}

void SslFold::Reset() {
    m_FoldPrg = -1;
    m_Tray = -1;
    m_Options = 0;
    m_bOptionsSet = false;
}

int SslFold::Translate(const RCFoldPrgTranslator& table) {
    if (m_bOptionsSet)
        return -1;
    if (m_FoldPrg < 1)
        return 0;
    std::array<std::uint32_t, 8> entry{};
    {
        VEMTO::RCAutoFreeMutex lock(table.m_Mutex);
        if (static_cast<std::uint32_t>(m_FoldPrg) < RCFoldPrgTranslator::kEntryCount)
            entry = table.m_aEntries[static_cast<std::size_t>(m_FoldPrg)];
    }
    // A program the table maps outside the valid range is no program either.
    if (entry[0] == 0 || entry[0] > static_cast<std::uint32_t>(kMaxPrg)) {
        Reset();
        return 1;
    }
    static constexpr std::uint32_t kBitOfValue[8] = {
        0, kPunch, kCrossfold, kTab, kReinforce, kUsBookfold, kCFold, kLandscape};
    std::uint32_t options = 0;
    for (std::size_t i = 1; i < entry.size(); ++i)
        if (entry[i])
            options |= kBitOfValue[i];
    m_FoldPrg = static_cast<std::int32_t>(entry[0]);
    m_Options = options;
    m_bOptionsSet = true;
    return 1;
}

int SslFold::ReTranslate(const RCFoldPrgReTranslator& table) {
    if (!m_bOptionsSet || m_FoldPrg < 1)
        return 0;
    std::uint32_t oldProgram = 0;
    {
        VEMTO::RCAutoFreeMutex lock(table.m_Mutex);
        for (std::size_t i = static_cast<std::size_t>(m_FoldPrg);
             i < RCFoldPrgReTranslator::kEntryCount; ++i) {
            const auto& entry = table.m_aEntries[i];
            if (entry[0] == 0)
                break;
            if (entry[0] == static_cast<std::uint32_t>(m_FoldPrg) && entry[1] == GetOptions()) {
                oldProgram = entry[2];
                break;
            }
        }
    }
    if (oldProgram == 0) {
        Reset();
        return -1;
    }
    m_FoldPrg = static_cast<std::int32_t>(oldProgram);
    m_Options = 0;
    return 1;
}

bool SslFold::operator==(const SslFold& other) const {
    return m_FoldPrg == other.m_FoldPrg && m_Tray == other.m_Tray && m_Options == other.m_Options;
}

unsigned int SslFold::SetString(const std::string& text, std::uint32_t member, std::uint32_t) {
    std::int32_t value = 0;
    if (member >= kMemberCount || !ReadDecimal(text, value))
        return 0;
    switch (member) {
        case 0:
            return SetPrg(value);
        case 1:
            return SetTray(value);
        case 9:
            return value < 0 ? 0 : SetIfFoldImpossible(static_cast<std::uint32_t>(value));
        default:
            m_bOptionsSet = true;
            if (value)
                m_Options |= MemberBit(member);
            else
                m_Options &= ~MemberBit(member);
            return 1;
    }
}

std::string SslFold::GetString(std::uint32_t member, std::uint32_t) const {
    switch (member) {
        case 0:
            return std::to_string(m_FoldPrg < 0 ? 0 : m_FoldPrg);
        case 1:
            return std::to_string(m_Tray < 0 ? 0 : m_Tray);
        case 9:
            return std::to_string(GetIfFoldImpossible());
        default:
            if (member >= kMemberCount)
                return {};
            return (m_Options & MemberBit(member)) ? "1" : "0";
    }
}

std::uint32_t SslFold::GetContainedType(std::uint32_t member) const {
    return member < kMemberCount ? std::uint32_t{kMemberSelection} : 0u;
}

TString SslFold::GetSubStatementName(std::uint32_t member) {
    return member < kMemberCount ? m_asMemberNames[member] : TString("error");
}

std::uint32_t SslFold::GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                                   const RCStatementInfluencingCapaRefined* capas) const {
    switch (member) {
        case 0:
            if (capas)
                return ProgramKeywords(keywords, *capas);
            keywords = m_asUserInterfacePrograms;
            return 4;
        case 1:
            if (capas)
                return TrayKeywords(keywords, *capas);
            keywords = m_asUserInterfaceTrays;
            return 1;
        case 9:
            keywords = m_asErrorSettings;
            return 3;
        default:
            if (member >= kMemberCount) {
                keywords = nullptr;
                return 0;
            }
            keywords = m_asOnOff;
            return 2;
    }
}

// --- serialisation ---------------------------------------------------------------------
// Values read back go through the setters' checks; out-of-range data is ignored.

void SslFold::Ser_m_FoldPrg(RSDataEntry* entry) const {
    SerializeAsTSLong(entry, &m_FoldPrg);
}
void SslFold::DeSer_m_FoldPrg(const RSDataEntry* entry) {
    std::int32_t value = 0;
    DeSerializeAsTSLong(entry, &value);
    SetPrg(value);
}
void SslFold::Ser_m_Tray(RSDataEntry* entry) const {
    SerializeAsTSLong(entry, &m_Tray);
}
void SslFold::DeSer_m_Tray(const RSDataEntry* entry) {
    std::int32_t value = 0;
    DeSerializeAsTSLong(entry, &value);
    SetTray(value);
}
void SslFold::Ser_m_Options(RSDataEntry* entry) const {
    SerializeAsTLong(entry, &m_Options);
}
void SslFold::DeSer_m_Options(const RSDataEntry* entry) {
    DeSerializeAsTLong(entry, &m_Options);
}
void SslFold::Ser_m_bOptionsSet(RSDataEntry* entry) const {
    SerializeAsTBool(entry, &m_bOptionsSet);
}
void SslFold::DeSer_m_bOptionsSet(const RSDataEntry* entry) {
    DeSerializeAsTBool(entry, &m_bOptionsSet);
}

SSL2_SER_MEMBER_STATICS(SslFold, m_FoldPrg)
SSL2_SER_MEMBER_STATICS(SslFold, m_Tray)
SSL2_SER_MEMBER_STATICS(SslFold, m_Options)
SSL2_SER_MEMBER_STATICS(SslFold, m_bOptionsSet)

const RCSerializeBase::_TIDFunctionTuple SslFold::m_IDFunciontArray[] = {
    SSL2_SER_MEMBER_TUPLE(SslFold, 0, m_FoldPrg),
    SSL2_SER_MEMBER_TUPLE(SslFold, 1, m_Tray),
    SSL2_SER_MEMBER_TUPLE(SslFold, 2, m_Options),
    SSL2_SER_MEMBER_TUPLE(SslFold, 3, m_bOptionsSet),
    {0, nullptr, nullptr},
};

const RCSerializeBase::_TIDFunctionTableList& SslFold::InitFunctionTableList() {
    static const _TIDFunctionTableList list = {GetClassDataType(), m_IDFunciontArray,
                                               GetBaseFunctionTableList()};
    return list;
}
