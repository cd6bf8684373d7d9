#include "ssl2/SSLStatements/SslSizeStatements.h"

// --- SslUnits ----------------------------------------------------------------------------

SslUnits::SslUnits()
    : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID]),
      m_Unit(SslUnit::kMm) {}

TString SslUnits::ToString() const {
    // Lengths without a unit are millimetres, which has a word.
    return m_sName + " " +
           (m_Unit.Get() == SslUnit::kNone ? SslUnit(SslUnit::kMm) : m_Unit).ToString();
}

unsigned int SslUnits::Set(const SslUnit& unit) {
    m_Unit = unit;
    return 1;
}

void SslUnits::ConvertUnit(std::uint32_t, std::uint32_t toUnit, std::uint32_t) {
    switch (toUnit) {
        case 0:
            m_Unit.Set(SslUnit::kPixel);
            break;
        case 2:
            m_Unit.Set(SslUnit::kInch);
            break;
        case 3:
            m_Unit.Set(SslUnit::kVemto);
            break;
        case 4:
            m_Unit.Set(SslUnit::kCm);
            break;
        default:
            m_Unit.Set(SslUnit::kMm);
            break;
    }
}

unsigned int SslUnits::SetString(const std::string& text, std::uint32_t member, std::uint32_t) {
    std::int32_t value = 0;
    if (member != 0 || !ReadDecimal(text, value) || value < 0)
        return 0;
    return m_Unit.Set(static_cast<std::uint32_t>(value));
}

std::string SslUnits::GetString(std::uint32_t member, std::uint32_t) const {
    return member == 0 ? std::to_string(m_Unit.Get()) : std::string();
}

std::uint32_t SslUnits::GetContainedType(std::uint32_t member) const {
    return member == 0 ? std::uint32_t{kMemberSelection} : 0u;
}

std::uint32_t SslUnits::GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                                    const RCStatementInfluencingCapaRefined*) const {
    keywords = member == 0 ? SslUnit::m_asUnitsPy : nullptr;
    return member == 0 ? SslUnit::kMaxUnit + 1 : 0;
}

// --- SslSizeStatement --------------------------------------------------------------------

unsigned int SslSizeStatement::Set(const SslSize& size) {
    m_Size = size;
    return 1;
}

unsigned int SslSizeStatement::SetString(const std::string& text, std::uint32_t member,
                                         std::uint32_t) {
    return m_Size.SetString(text, member);
}

std::string SslSizeStatement::GetString(std::uint32_t member, std::uint32_t) const {
    return m_Size.GetString(member);
}

std::uint32_t SslSizeStatement::GetContainedMemberCount() const {
    return m_Size.GetContainedMemberCount();
}

std::uint32_t SslSizeStatement::GetContainedType(std::uint32_t member) const {
    return m_Size.GetContainedType(member);
}

std::uint32_t SslSizeStatement::GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                                            const RCStatementInfluencingCapaRefined*) const {
    return m_Size.GetKeywords(keywords, member);
}

TString SslSizeStatement::GetSubStatementName(std::uint32_t member) {
    return m_Size.GetSubStatementName(member);
}

// --- the three size statements ---------------------------------------------------------------

SslOutputSize::SslOutputSize()
    : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID]) {}

TString SslOutputSize::ToString(unsigned int flag) const {
    return m_sName + " " + m_Size.ToString(1, flag);
}

SslPaperSize::SslPaperSize()
    : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID]) {}

TString SslPaperSize::ToString(unsigned int flag) const {
    return m_sName + " " + m_Size.ToString(1, flag);
}

SslZoom::SslZoom()
    : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID]) {
    m_Size.SetSizeType(SslSize::kPercent);
    m_Size.SetWidth(100.0);
    m_Size.SetHeight(100.0);
}

TString SslZoom::ToString() const {
    return m_sName + " " + m_Size.ToString(2, 0);
}
