#include "ssl2/SSLStatements/SslSelectionStatement.h"

const TString SslSelectionStatement::m_asOffOn[2] = {"off", "on"};

const TString SslSelectionStatement::m_asPositions[18] = {
    "unknown",    "upperleft",    "uppercenter", "upperright",  "leftupper",   "leftcenter",
    "leftbottom", "centercenter", "rightupper",  "rightcenter", "rightbottom", "bottomleft",
    "lowerleft",  "bottomcenter", "bottomright", "lowerright",  "auto",        "semiautomatic",
};

const TString& SslSelectionStatement::KeywordAt(std::uint32_t index) const {
    static const TString kNone;
    return m_psKeywords && index <= m_MaxIndex ? m_psKeywords[index] : kNone;
}

TString SslSelectionStatement::ToString() const {
    return m_sName + " " + KeywordAt(m_Index);
}

unsigned int SslSelectionStatement::SetString(const std::string& text, std::uint32_t,
                                              std::uint32_t) {
    std::int32_t number = 0;
    ReadDecimal(text, number);
    return Set(static_cast<std::uint32_t>(number));
}

std::string SslSelectionStatement::GetString(std::uint32_t, std::uint32_t) const {
    return std::to_string(Get());
}

unsigned int SslSelectionStatement::Set(std::uint32_t index) {
    if (index > m_MaxIndex)
        return 0;
    m_Index = index;
    return 1;
}

std::uint32_t SslSelectionStatement::Get() const {
    return m_Index;
}

SslSelectionStatement& SslSelectionStatement::operator=(const SslSelectionStatement& other) {
    m_Index = other.m_Index;
    m_MaxIndex = other.m_MaxIndex;
    m_psKeywords = other.m_psKeywords;
    return *this;
}

bool SslSelectionStatement::IsSmaller(const SslStatement& a, const SslStatement& b) {
    return dynamic_cast<const SslSelectionStatement&>(a).Get() <
           dynamic_cast<const SslSelectionStatement&>(b).Get();
}

// --- serialisation ---------------------------------------------------------------

const RCSerializeBase::_TIDFunctionTuple SslSelectionStatement::m_IDFunciontArray[] = {
    {0, &SslSelectionStatement::Static_DeSer_m_Index, &SslSelectionStatement::Static_Ser_m_Index},
    {1, &SslSelectionStatement::Static_DeSer_m_MaxIndex,
     &SslSelectionStatement::Static_Ser_m_MaxIndex},
    {0, nullptr, nullptr},
};

RCSerializeBase::_TIDFunctionTableList SslSelectionStatement::InitFunctionTableList() {
    return {GetClassDataType(), m_IDFunciontArray, GetBaseFunctionTableList()};
}

const RCSerializeBase::_TIDFunctionTableList SslSelectionStatement::m_IDFunctionTableList =
    SslSelectionStatement::InitFunctionTableList();

const RCSerializeBase::_TIDFunctionTableList* SslSelectionStatement::GetFunctionTableList() const {
    return &m_IDFunctionTableList;
}

void SslSelectionStatement::Ser_m_Index(RSDataEntry* entry) const {
    SerializeAsTLong(entry, &m_Index);
    entry->m_nId = 0;
}

void SslSelectionStatement::DeSer_m_Index(const RSDataEntry* entry) {
    std::uint32_t index = 0;
    DeSerializeAsTLong(entry, &index);
    Set(index);
}

void SslSelectionStatement::Ser_m_MaxIndex(RSDataEntry* entry) const {
    SerializeAsTLong(entry, &m_MaxIndex);
    entry->m_nId = 1;
}

void SslSelectionStatement::DeSer_m_MaxIndex(const RSDataEntry* entry) {
    std::uint32_t maxIndex = 0;
    DeSerializeAsTLong(entry, &maxIndex);
}

void SslSelectionStatement::Static_Ser_m_Index(RSDataEntry* entry, const RCSerializeBase* object) {
    dynamic_cast<const SslSelectionStatement&>(*object).Ser_m_Index(entry);
}

void SslSelectionStatement::Static_DeSer_m_Index(const RSDataEntry* entry,
                                                 RCSerializeBase* object) {
    dynamic_cast<SslSelectionStatement&>(*object).DeSer_m_Index(entry);
}

void SslSelectionStatement::Static_Ser_m_MaxIndex(RSDataEntry* entry,
                                                  const RCSerializeBase* object) {
    dynamic_cast<const SslSelectionStatement&>(*object).Ser_m_MaxIndex(entry);
}

void SslSelectionStatement::Static_DeSer_m_MaxIndex(const RSDataEntry* entry,
                                                    RCSerializeBase* object) {
    dynamic_cast<SslSelectionStatement&>(*object).DeSer_m_MaxIndex(entry);
}

// --- selection with options --------------------------------------------------------

TString SslSelectionOptionStatement::ToString() const {
    return SslSelectionStatement::ToString() +
           TString::Format(" %u", static_cast<unsigned>(m_nOptions));
}

unsigned int SslSelectionOptionStatement::AddOption(std::uint32_t option) {
    if (option > m_nMaxOption)
        return 0;
    m_nOptions |= option;
    return 1;
}

unsigned int SslSelectionOptionStatement::RemoveOption(std::uint32_t option) {
    if (option <= m_nMaxOption)
        m_nOptions &= ~option;
    return 1;
}

SslSelectionOptionStatement& SslSelectionOptionStatement::operator=(
    const SslSelectionOptionStatement& other) {
    SslSelectionStatement::operator=(other);
    m_nOptions = other.m_nOptions;
    m_nMaxOption = other.m_nMaxOption;
    return *this;
}
