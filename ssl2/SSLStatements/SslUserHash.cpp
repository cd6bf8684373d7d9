#include "ssl2/SSLStatements/SslUserHash.h"

#include "ssl2/SSLStatements/SslEncipheredText.h"

SslUserHash::SslUserHash()
    : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID]) {}

unsigned int SslUserHash::Set(const TString& text) {
    if (!SslEncipheredText::IsEncipheredForm(text))
        return 0;
    m_sValue = text;
    return 1;
}

unsigned int SslUserHash::SetString(const std::string& text, std::uint32_t, std::uint32_t) {
    return Set(TString::FromEightBit(text));
}

unsigned int SslUserHash::SetClear(const TString& clear, const TString& user) {
    if (!clear.HasAnsiForm())
        return 0;
    m_sValue = SslEncipheredText::Encipher(clear, user, kKeyConstant);
    return 1;
}

TString SslUserHash::GetClear(const TString& user) const {
    return SslEncipheredText::Decipher(m_sValue, user, kKeyConstant);
}
