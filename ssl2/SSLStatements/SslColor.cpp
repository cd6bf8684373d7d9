#include "ssl2/SSLStatements/SslColor.h"

#include <string>
#include <utility>

const TString SslColor::m_asColors[16] = {
    "white       ", "black       ", "red         ", "green       ", "yellow      ", "blue        ",
    "magenta     ", "cyan        ", "darkred     ", "darkgreen   ", "darkyellow  ", "darkblue    ",
    "darkmagenta ", "darkcyan    ", "grey\t\t",     "lightgrey\t"};
const RSIndexString SslColor::m_asColorsPy[16] = {
    {0, m_asColors[0]},   {1, m_asColors[1]},   {2, m_asColors[2]},   {3, m_asColors[3]},
    {4, m_asColors[4]},   {5, m_asColors[5]},   {6, m_asColors[6]},   {7, m_asColors[7]},
    {8, m_asColors[8]},   {9, m_asColors[9]},   {10, m_asColors[10]}, {11, m_asColors[11]},
    {12, m_asColors[12]}, {13, m_asColors[13]}, {14, m_asColors[14]}, {15, m_asColors[15]}};
const TString SslColor::m_sColor = "color ";
const TString SslColor::m_sSaturation = "saturation ";
const TString SslColor::m_sPage = "page ";

TString SslColor::ToString() const {
    // One buffer: a table writes sixteen of these per entry.
    std::string text;
    text.reserve(64);
    text += m_sColor.str();
    text += m_asColors[m_nColor].str();
    text += ' ';
    text += m_sSaturation.str();
    text += std::to_string(m_nSaturation);
    text += ' ';
    text += m_sPage.str();
    text += std::to_string(m_nPage);
    return TString(std::move(text));
}

TString SslColor::ToCfg() const {
    return m_asColors[m_nColor] + " = " + m_asColors[kGrey] + ", " + TString(m_nSaturation);
}

unsigned int SslColor::SetColor(std::uint32_t color) {
    if (color > kMaxColor)
        return 0;
    m_nColor = color;
    return 1;
}

unsigned int SslColor::SetSaturation(std::uint32_t saturation) {
    if (saturation > kMaxSaturation)
        return 0;
    m_nSaturation = saturation;
    return 1;
}

unsigned int SslColor::SetPage(std::uint32_t page) {
    if (page > 1)
        return 0;
    m_nPage = page;
    return 1;
}

unsigned int SslColor::SetString(const std::string& text, std::uint32_t member) {
    std::int32_t value = 0;
    if (member > 1 || !SslStatement::ReadDecimal(text, value) || value < 0)
        return 0;
    const auto number = static_cast<std::uint32_t>(value);
    return member == 0 ? SetColor(number) : SetSaturation(number);
}

std::string SslColor::GetString(std::uint32_t member) const {
    if (member > 1)
        return {};
    return std::to_string(member == 0 ? m_nColor : m_nSaturation);
}

std::uint32_t SslColor::GetContainedType(std::uint32_t member) const {
    if (member > 1)
        return 0;
    return member == 0 ? SslStatement::kMemberSelection : SslStatement::kMemberNumber;
}

TString SslColor::GetSubStatementName(std::uint32_t member) {
    if (member > 1)
        return {};
    return member == 0 ? m_sColor : m_sSaturation;
}

std::uint32_t SslColor::GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                                    const RCStatementInfluencingCapaRefined*) const {
    keywords = member == 0 ? m_asColorsPy : nullptr;
    return member == 0 ? kMaxColor : 0;
}
