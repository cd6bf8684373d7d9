#include "ssl2/SSLStatements/SslMargin.h"

#include "ssl2/SSLStatements/SslFold.h"
#include "ssl2/SSLStatements/SslNumberText.h"
#include "ssl2/base/RCUnit.h"

namespace {
constexpr double kZeroLength = 0.0001;
}  // namespace

const TString SslMargin::m_asDirections[4] = {"top ", "left ", "bottom ", "right "};
const TString SslMargin::m_asCfgDirections[4] = {"BORDERTOP   ", "BORDERLEFT  ", "BORDERBOTTOM",
                                                 "BORDERRIGHT "};
const TString SslMargin::m_sCfgName = "BORDERACTIVE";
const TString SslMargin::m_sCfgName2 = "BORDERSAME  ";
const TString SslMargin::m_asMemberNames[kMemberCount] = {"active", "top ", "left ", "bottom ",
                                                          "right "};

SslMargin::SslMargin()
    : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID]) {}

TString SslMargin::ToString() const {
    if (!m_bOn)
        return m_sName + " off";
    TString text = m_sName + " " + m_asDirections[kTop] + SslDecimalText(m_adMargins[0]);
    for (std::uint32_t d = kLeft; d <= kRight; ++d)
        text += "\r\n\t+ " + m_asDirections[d] + SslDecimalText(m_adMargins[d]);
    return text;
}

TString SslMargin::ToCfg() const {
    TString text = m_sCfgName + " = " + (m_bOn ? "on" : "off") + "\r\n";
    if (!m_bOn)
        return text;
    for (std::uint32_t d = kTop; d <= kRight; ++d)
        text += m_asCfgDirections[d] + " = " + TString::Format("%.3f", m_adMargins[d]) + "\r\n";
    return text + m_sCfgName2 + " = off\r\n";
}

unsigned int SslMargin::Set(std::uint32_t direction, double length) {
    // Written as "not >= 0" so that NaN is refused too.
    if (!(length >= 0.0) || direction > kAll)
        return 0;
    if (direction == kAll)
        for (double& margin : m_adMargins)
            margin = length;
    else
        m_adMargins[direction] = length;
    m_bOn = 1;
    bool allZero = true;
    for (double margin : m_adMargins)
        allZero = allZero && margin < kZeroLength;
    if (allZero)
        m_bOn = 0;
    return 1;
}

double SslMargin::Get(std::uint32_t direction) const {
    return direction <= kRight ? m_adMargins[direction] : -1.0;
}

void SslMargin::ConvertUnit(std::uint32_t fromUnit, std::uint32_t toUnit,
                            std::uint32_t resolution) {
    if (!m_bOn)
        return;
    for (double& margin : m_adMargins)
        margin = RCUnit::Convert(fromUnit, toUnit, margin, resolution);
}

bool SslMargin::operator==(const SslMargin& other) const {
    if (this == &other)
        return true;
    if (m_bOn != other.m_bOn)
        return false;
    for (std::uint32_t d = kTop; d <= kRight; ++d)
        if (m_adMargins[d] != other.m_adMargins[d])
            return false;
    return true;
}

unsigned int SslMargin::SetString(const std::string& text, std::uint32_t member, std::uint32_t) {
    if (member == 0) {
        std::int32_t on = 0;
        if (!ReadDecimal(text, on))
            return 0;
        m_bOn = on != 0 ? 1 : 0;
        return 1;
    }
    double length = 0.0;
    if (member >= kMemberCount || !TString(text).Value(length))
        return 0;
    return Set(member - 1, length);
}

std::string SslMargin::GetString(std::uint32_t member, std::uint32_t) const {
    if (member == 0)
        return m_bOn ? "1" : "0";
    if (member >= kMemberCount)
        return {};
    return TString::Format("%.2f", m_adMargins[member - 1]).str();
}

std::uint32_t SslMargin::GetContainedType(std::uint32_t member) const {
    if (member >= kMemberCount)
        return 0;
    return member == 0 ? kMemberSelection : kMemberReal;
}

std::uint32_t SslMargin::GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                                     const RCStatementInfluencingCapaRefined*) const {
    keywords = member == 0 ? SslFold::m_asOnOff : nullptr;
    return member == 0 ? 2 : 0;
}

TString SslMargin::GetSubStatementName(std::uint32_t member) {
    return member < kMemberCount ? m_asMemberNames[member] : TString("error");
}
