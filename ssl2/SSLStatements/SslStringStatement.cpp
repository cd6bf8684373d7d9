#include "ssl2/SSLStatements/SslStringStatement.h"

namespace {

// The line form shared by both text families.
TString QuotedLine(const TString& name, const TString& value) {
    return name + " \"" + value + "\"";
}

// The text of a statement of either text family (empty for any other statement).
TString TextOf(const SslStatement& statement) {
    if (const auto* s = dynamic_cast<const SslStringStatement*>(&statement))
        return s->Get();
    if (const auto* c = dynamic_cast<const SslCompoundStringStatement*>(&statement))
        return c->Get();
    return {};
}

}  // namespace

const TString SslStringStatement::m_NewLineReplacer = "<|>";
const TString SslStringStatement::m_NewLine = "\r\n";
const TString SslStringStatement::m_Nothing = "";
const TString SslStringStatement::m_Blank = " ";

TString SslStringStatement::QuotedForm(const TString& text, bool keepLineBreaks) {
    if (!NeedsQuotedForm(text, keepLineBreaks))
        return text;
    const std::string& in = text.str();
    std::string out;
    out.reserve(in.size() + 8);
    for (std::size_t i = 0; i < in.size(); ++i) {
        const char c = in[i];
        if (c == '"') {
            out += "''";
        } else if ((c == '\r' || c == '\n') && !keepLineBreaks) {
            out += m_NewLineReplacer.str();
            if (c == '\r' && i + 1 < in.size() && in[i + 1] == '\n')
                ++i;
        } else {
            out += c;
        }
    }
    return TString(std::move(out));
}

bool SslStringStatement::NeedsQuotedForm(const TString& text, bool keepLineBreaks) {
    return text.str().find_first_of(keepLineBreaks ? "\"" : "\"\r\n") != std::string::npos;
}

TString SslStringStatement::ToString() const {
    return QuotedLine(m_sName, m_sValue);
}

unsigned int SslStringStatement::SetString(const std::string& text, std::uint32_t, std::uint32_t) {
    m_sValue = TString::FromEightBit(text);
    return 1;
}

std::string SslStringStatement::GetString(std::uint32_t, std::uint32_t) const {
    return m_sValue.str();
}

unsigned int SslStringStatement::Set(const TString& value) {
    m_sValue = value;
    return 1;
}

TString SslStringStatement::Get() const {
    return m_sValue;
}

SslStringStatement& SslStringStatement::operator=(const SslStringStatement& other) {
    m_sValue = other.m_sValue;
    return *this;
}

bool SslStringStatement::IsSmaller(const SslStatement& a, const SslStatement& b) {
    return TextOf(a) < TextOf(b);
}

TString SslCompoundStringStatement::ToString() const {
    return QuotedLine(m_sName, m_sValue);
}

unsigned int SslCompoundStringStatement::SetString(const std::string& text, std::uint32_t,
                                                   std::uint32_t) {
    m_sValue = TString::FromEightBit(text);
    return 1;
}

std::string SslCompoundStringStatement::GetString(std::uint32_t, std::uint32_t) const {
    return m_sValue.str();
}

unsigned int SslCompoundStringStatement::Set(const TString& value) {
    m_sValue = value;
    return 1;
}

TString SslCompoundStringStatement::Get() const {
    return m_sValue;
}

SslCompoundStringStatement& SslCompoundStringStatement::operator=(
    const SslCompoundStringStatement& other) {
    m_sValue = other.m_sValue;
    return *this;
}
