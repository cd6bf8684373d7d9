#include "ssl2/SSLStatements/SslHpglColorEmulation.h"

#include <string>
#include <utility>

const TString SslHpglColorEmulation::m_asMemberNames[1] = {"Saturation"};

SslHpglColorEmulation::SslHpglColorEmulation()
    : SslHpglColorEmulation(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID]) {}

SslHpglColorEmulation::SslHpglColorEmulation(std::uint32_t statementType, TString name)
    : TSslStatementImpl(statementType, std::move(name)) {
    for (std::uint32_t i = 0; i < kEntryCount; ++i)
        m_aColors[i] = SslColor(i);
}

TString SslHpglColorEmulation::ToString() const {
    std::string text = m_sName.str() + " " + m_aColors[0].ToString().str();
    text.reserve(kEntryCount * 48);
    for (std::uint32_t i = 1; i < kEntryCount; ++i) {
        text += "\r\n\t+ ";
        text += m_aColors[i].ToString().str();
    }
    return TString(std::move(text));
}

TString SslHpglColorEmulation::ToCfg() const {
    TString text;
    for (std::uint32_t i = 2; i < kEntryCount; ++i)
        text += m_aColors[i].ToCfg() + "\r\n";
    return text;
}

unsigned int SslHpglColorEmulation::SetSaturation(std::uint32_t saturation, std::uint32_t entry) {
    return entry < kEntryCount ? m_aColors[entry].SetSaturation(saturation) : 0;
}

std::uint32_t SslHpglColorEmulation::GetSaturation(std::uint32_t entry) const {
    return entry < kEntryCount ? m_aColors[entry].GetSaturation() : 0;
}

unsigned int SslHpglColorEmulation::SetPage(std::uint32_t page, std::uint32_t entry) {
    return entry < kEntryCount ? m_aColors[entry].SetPage(page) : 0;
}

std::uint32_t SslHpglColorEmulation::GetPage(std::uint32_t entry) const {
    return entry < kEntryCount ? m_aColors[entry].GetPage() : 0;
}

unsigned int SslHpglColorEmulation::SetString(const std::string& text, std::uint32_t member,
                                              std::uint32_t element) {
    std::int32_t value = 0;
    if (element != 0 || member >= kEntryCount || !ReadDecimal(text, value) || value < 0)
        return 0;
    return SetSaturation(static_cast<std::uint32_t>(value), member);
}

std::string SslHpglColorEmulation::GetString(std::uint32_t member, std::uint32_t element) const {
    if (element != 0 || member >= kEntryCount)
        return {};
    return std::to_string(m_aColors[member].GetSaturation());
}

std::uint32_t SslHpglColorEmulation::GetContainedType(std::uint32_t member) const {
    return member < kEntryCount ? std::uint32_t{kMemberNumber} : 0u;
}

TString SslHpglColorEmulation::GetSubStatementName(std::uint32_t member) {
    return member < kEntryCount ? m_asMemberNames[0] : TString("error");
}

SslCalcompColorEmulation::SslCalcompColorEmulation()
    : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID]) {}

SslVicColorEmulation::SslVicColorEmulation()
    : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID]) {}
