#include "ssl2/SSLStatements/SslJobPlotter.h"

const TString SslJobPlotter::m_sAuto = "auto";
const TString SslJobPlotter::m_sDelimiter = ":";

SslJobPlotter::SslJobPlotter()
    : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID]) {}

unsigned int SslJobPlotter::Set(const TString& text) {
    if (text.IsEmpty() || text.CompareNoCase(m_sAuto) == 0) {
        m_bAuto = 1;
        m_sValue = TString();
    } else {
        m_bAuto = 0;
        m_sValue = text;
    }
    return 1;
}

unsigned int SslJobPlotter::SetString(const std::string& text, std::uint32_t, std::uint32_t) {
    const TString value = TString::FromEightBit(text);
    if (value.CompareNoCase(m_sAuto) == 0)
        return Set(value);
    m_bAuto = 0;
    m_sValue = value;
    return 1;
}

std::string SslJobPlotter::GetString(std::uint32_t, std::uint32_t) const {
    return m_bAuto ? m_sAuto.str() : m_sValue.str();
}

TString SslJobPlotter::ToString() const {
    return m_bAuto ? m_sName + " " + m_sAuto : SslStringStatement::ToString();
}

unsigned int SslJobPlotter::SetAll(const TPlotterList& plotters) {
    TString joined;
    for (std::uint32_t i = 0; i < plotters.size(); ++i) {
        if (i)
            joined += m_sDelimiter;
        joined += plotters[i];
    }
    m_bAuto = joined.IsEmpty() ? 1 : 0;
    m_sValue = joined;
    return 1;
}

SslJobPlotter::TPlotterList SslJobPlotter::GetAll() const {
    return m_bAuto ? TPlotterList() : PlotterListFromString(m_sValue);
}

std::uint32_t SslJobPlotter::GetCount() const {
    return m_bAuto ? 0 : PlotterCountFromString(m_sValue);
}

SslJobPlotter::TPlotterList SslJobPlotter::PlotterListFromString(const TString& text) {
    TPlotterList plotters;
    if (text.IsEmpty())
        return plotters;
    TString rest = text;
    for (;;) {
        plotters.push_back(rest.Token(m_sDelimiter.c_str()));
        if (rest.IsEmpty())
            break;
        rest = rest.Mid(m_sDelimiter.GetLength());
    }
    return plotters;
}

std::uint32_t SslJobPlotter::PlotterCountFromString(const TString& text) {
    return static_cast<std::uint32_t>(PlotterListFromString(text).size());
}

bool SslJobPlotter::operator==(const SslJobPlotter& other) const {
    return m_bAuto == other.m_bAuto && m_sValue == other.m_sValue;
}
