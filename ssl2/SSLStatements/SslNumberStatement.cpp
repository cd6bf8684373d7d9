#include "ssl2/SSLStatements/SslNumberStatement.h"

TString SslNumberStatement::ToString() const {
    return m_sName + " " + TString::Format("%u", static_cast<unsigned>(m_nValue));
}

unsigned int SslNumberStatement::SetString(const std::string& text, std::uint32_t, std::uint32_t) {
    std::int32_t number = 0;
    if (!ReadDecimal(text, number))
        return 0;
    return Set(static_cast<std::uint32_t>(number));
}

std::string SslNumberStatement::GetString(std::uint32_t, std::uint32_t) const {
    return std::to_string(Get());
}

unsigned int SslNumberStatement::Set(std::uint32_t value) {
    if (value > m_nMaxValue)
        return 0;
    m_nValue = value;
    return 1;
}

std::uint32_t SslNumberStatement::Get() const {
    return m_nValue;
}

SslNumberStatement& SslNumberStatement::operator=(const SslNumberStatement& other) {
    m_nValue = other.m_nValue;
    m_nMaxValue = other.m_nMaxValue;
    return *this;
}

bool SslNumberStatement::IsSmaller(const SslStatement& a, const SslStatement& b) {
    return dynamic_cast<const SslNumberStatement&>(a).Get() <
           dynamic_cast<const SslNumberStatement&>(b).Get();
}
