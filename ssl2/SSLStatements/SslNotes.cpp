#include "ssl2/SSLStatements/SslNotes.h"

unsigned int SslNotes::SetString(const std::string& text, std::uint32_t, std::uint32_t) {
    TString value = TString::FromEightBit(text);
    value.Replace(m_NewLine, m_NewLineReplacer);
    m_sValue = value;
    return 1;
}

std::string SslNotes::GetString(std::uint32_t, std::uint32_t) const {
    TString value = m_sValue;
    value.Replace(m_NewLineReplacer, m_NewLine);
    return value.str();
}
