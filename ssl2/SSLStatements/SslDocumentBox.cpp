#include "ssl2/SSLStatements/SslDocumentBox.h"

#include "ssl2/SSLStatements/SslEncipheredText.h"

namespace {

// The key is made from the user name as a ticket writes it (a double quote as two
// single quotes, a line break as "<|>"), which is also how a reader gets it back:
// the password deciphers the same before and after a round trip.  For every other
// name this is the name itself.
TString KeyName(const TString& userName) {
    return SslStringStatement::QuotedForm(userName);
}

}  // namespace

SslDocumentBox::SslDocumentBox()
    : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID]) {}

unsigned int SslDocumentBox::Set(const TString& text) {
    if (SslEncipheredText::IsEncipheredForm(text)) {
        m_sValue = text;
        m_bOn = 1;
        return 1;
    }
    if (text.IsEmpty() || text[0] != 'x')
        return 0;
    if (text.GetLength() % 2 == 0) {
        m_bOn = 0;
        return 0;
    }
    // "x" followed by the clear password's bytes, two hexadecimal digits each.
    std::string password;
    if (!SslEncipheredText::BytesFromHex(text.Mid(1), password))
        return 0;
    return SetPassword(TString::FromAnsi(password));
}

unsigned int SslDocumentBox::SetString(const std::string& text, std::uint32_t, std::uint32_t) {
    return Set(TString::FromEightBit(text));
}

unsigned int SslDocumentBox::SetPassword(const TString& password) {
    if (!password.HasAnsiForm())
        return 0;
    m_sValue = SslEncipheredText::Encipher(password, KeyName(m_sUserName), kKeyConstant);
    m_bOn = 1;
    return 1;
}

TString SslDocumentBox::GetPassword() const {
    if (!m_bOn || m_sValue.IsEmpty())
        return {};
    return SslEncipheredText::Decipher(m_sValue, KeyName(m_sUserName), kKeyConstant);
}

void SslDocumentBox::SetOff() {
    m_sValue = TString();
    m_sUserName = TString();
    m_sJobName = TString();
    m_bUserNameSet = 0;
    m_bOn = 0;
}

unsigned int SslDocumentBox::SetUserName(const TString& userName) {
    m_sUserName = userName;
    m_bUserNameSet = 1;
    return 1;
}

unsigned int SslDocumentBox::SetJobName(const TString& jobName) {
    m_sJobName = jobName;
    return 1;
}

TString SslDocumentBox::ToString() const {
    if (!m_bOn)
        return m_sName + " off";
    return m_sName + " \"" + m_sUserName + "\" \"" + m_sValue + "\" \"" + m_sJobName + "\"";
}

bool SslDocumentBox::operator==(const SslDocumentBox& other) const {
    return m_bOn == other.m_bOn && m_sUserName == other.m_sUserName &&
           m_sJobName == other.m_sJobName && m_sValue == other.m_sValue;
}
