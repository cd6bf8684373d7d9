#include "ssl2/SSLStatements/SslSecurityPrint.h"

#include <algorithm>
#include <cctype>

#include "ssl2/support/CMD5Checksum.h"

SslSecurityPrint::SslSecurityPrint()
    : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID]) {}

unsigned int SslSecurityPrint::Set(const TString& digest) {
    const std::string& text = digest.str();
    if (text.size() != kDigestLength || !std::all_of(text.begin(), text.end(), [](char c) {
            return std::isxdigit(static_cast<unsigned char>(c)) != 0;
        })) {
        return 0;
    }
    m_sValue = digest;
    m_bOn = 1;
    m_bHasPassword = 1;
    return 1;
}

unsigned int SslSecurityPrint::SetString(const std::string& text, std::uint32_t, std::uint32_t) {
    return Set(TString::FromEightBit(text));
}

unsigned int SslSecurityPrint::SetPassword(const TString& password) {
    if (password.IsEmpty()) {
        m_sValue = TString();
        m_bOn = 0;
        m_bHasPassword = 0;
        return 1;
    }
    if (password.CharCount() < kMinPasswordLength)
        return 0;
    m_sValue = CMD5Checksum::GetMD5(password);
    m_bOn = 1;
    m_bHasPassword = 1;
    return 1;
}

unsigned int SslSecurityPrint::SetOn(unsigned int on) {
    m_sValue = TString();
    m_bOn = on;
    m_bHasPassword = 0;
    return 1;
}

bool SslSecurityPrint::CheckPassword(const TString& password) const {
    if (!m_bOn)
        return true;
    if (!m_bHasPassword)
        return false;
    return CMD5Checksum::GetMD5(password).CompareNoCase(m_sValue) == 0;
}

TString SslSecurityPrint::ToString() const {
    if (!m_bOn)
        return m_sName + " off";
    // On without a password: "on", which reads back through SetOn (an empty digest
    // would be refused by Set and switch the statement off).
    if (!m_bHasPassword)
        return m_sName + " on";
    return SslStringStatement::ToString();
}

bool SslSecurityPrint::operator==(const SslSecurityPrint& other) const {
    return m_bOn == other.m_bOn && m_bHasPassword == other.m_bHasPassword &&
           m_sValue == other.m_sValue;
}
