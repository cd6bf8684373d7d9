#include "ssl2/SSLStatements/SslEMail.h"

#include <array>

#include "ssl2/base/TMessage.h"
#include "ssl2/sslmessages.h"

const TString SslEMail::m_asKeywords[2] = {"off", "all"};
const TString SslEMail::m_sCfgName = "NOTIFICATION";
const char* const SslEMail::m_asMemberNames[kMemberCount] = {"active", "email"};

SslEMail::SslEMail()
    : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID]) {}

unsigned int SslEMail::Set(const TString& address) {
    m_sValue = address;
    m_bActive = address.IsEmpty() ? 0 : 1;
    return 1;
}

TString SslEMail::ToString() const {
    if (!m_bActive)
        return m_sName + " " + m_asKeywords[0];
    return m_sName + " " + m_asKeywords[1] + " \"" + m_sValue + "\"";
}

TString SslEMail::ToCfg() const {
    return m_bActive ? m_sCfgName + " = " + m_sValue + "\r\n" : TString();
}

unsigned int SslEMail::SetString(const std::string& text, std::uint32_t member, std::uint32_t) {
    switch (member) {
        case 0: {
            std::int32_t value = 0;
            if (!ReadDecimal(text, value))
                return 0;
            m_bActive = value != 0 ? 1 : 0;
            return 1;
        }
        case 1:
            return Set(TString::FromEightBit(text));
        default:
            return 0;
    }
}

std::string SslEMail::GetString(std::uint32_t member, std::uint32_t) const {
    switch (member) {
        case 0:
            return std::to_string(m_bActive);
        case 1:
            return m_sValue.str();
        default:
            return {};
    }
}

std::uint32_t SslEMail::GetContainedType(std::uint32_t member) const {
    switch (member) {
        case 0:
            return kMemberSelection;
        case 1:
            return kMemberText;
        default:
            return 0;
    }
}

std::uint32_t SslEMail::GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                                    const RCStatementInfluencingCapaRefined*) const {
    // Messages 0 and 1 of "SslStatementStrings" are the texts of every off/on choice.
    static const std::array<RSIndexString, 2> offOn = {
        RSIndexString(0, VEMTO::GetMessage(RMCSslStatementStrings(), 0)),
        RSIndexString(1, VEMTO::GetMessage(RMCSslStatementStrings(), 1))};
    if (member != 0) {
        keywords = nullptr;
        return 0;
    }
    keywords = offOn.data();
    return static_cast<std::uint32_t>(offOn.size());
}

TString SslEMail::GetSubStatementName(std::uint32_t member) {
    return member < kMemberCount ? TString(m_asMemberNames[member])
                                 : SslStringStatement::GetSubStatementName(member);
}

bool SslEMail::operator==(const SslEMail& other) const {
    return m_sValue == other.m_sValue && m_bActive == other.m_bActive;
}
