// The text families of statements: SslStringStatement (free text such as names,
// billing data and dates held as text) and SslCompoundStringStatement (a whole
// settings string of a plotter language).  Both hold one text, written as
// `Name "text"`; the text is stored and written unchanged (quoting is the
// writer's business).
//
// The job entry holds one object of each concrete class; the reader's actions
// call Set, the writer ToString.  Plain values, no locks.
#pragma once

#include <string>

#include "ssl2/SSLStatements/SslStatement.h"

/// The base of the free-text statements (names, billing data, dates held as text):
/// one text, written as `Name "text"`.
class SslStringStatement : public SslStatement {
public:
    /// Texts shared with the writer.
    static const TString m_NewLineReplacer;  ///< "<|>": stands for a line break
    static const TString m_NewLine;          ///< "\r\n"
    static const TString m_Nothing;          ///< ""
    static const TString m_Blank;            ///< " "

    /// `Name "text"`.
    TString ToString() const override;
    /// Stores the 8-bit text (UTF-8, or Windows-1252 when it is not valid UTF-8);
    /// member and element are ignored.  Returns 1.
    unsigned int SetString(const std::string& text, std::uint32_t member,
                           std::uint32_t element) override;
    std::string GetString(std::uint32_t member, std::uint32_t element) const override;

    /// Stores the text unchanged; returns 1.
    virtual unsigned int Set(const TString& value);
    /// The text.
    virtual TString Get() const;
    /// Stores a text without the checks and side effects of Set: every flag stays
    /// as it is (the writer stores an escaped text in a copy it only writes).
    void SetTextOnly(const TString& value) { m_sValue = value; }

    /// `text` as it stands between the quotes of a written line, where it must read
    /// back: every double quote as two single quotes and, unless `keepLineBreaks`,
    /// every line break (CR LF, CR or LF) as m_NewLineReplacer.
    static TString QuotedForm(const TString& text, bool keepLineBreaks = false);
    /// True when QuotedForm changes `text`.
    static bool NeedsQuotedForm(const TString& text, bool keepLineBreaks = false);

    /// Copies the text only.
    SslStringStatement& operator=(const SslStringStatement& other);
    /// The same text.
    bool operator==(const SslStringStatement& other) const { return m_sValue == other.m_sValue; }
    /// True when the text of `a` sorts before that of `b`.  Both must be string or
    /// compound-string statements (the same order serves both families).
    static bool IsSmaller(const SslStatement& a, const SslStatement& b);

protected:
    /// The empty text for a class of `statementType` named `name`.
    SslStringStatement(std::uint32_t statementType, TString name)
        : SslStatement(statementType, std::move(name)) {}
    ///@{
    /// Copies name, type and text.
    SslStringStatement(const SslStringStatement&) = default;
    SslStringStatement(SslStringStatement&&) = default;
    ///@}

    TString m_sValue;  ///< the text
};

/// The base of the settings-string statements of the plotter languages: one text,
/// written as `Name "text"`, as SslStringStatement.
class SslCompoundStringStatement : public SslStatement {
public:
    TString ToString() const override;
    unsigned int SetString(const std::string& text, std::uint32_t member,
                           std::uint32_t element) override;
    std::string GetString(std::uint32_t member, std::uint32_t element) const override;

    /// Stores the text unchanged; returns 1.
    virtual unsigned int Set(const TString& value);
    /// The text.
    virtual TString Get() const;
    /// Stores a text without the checks and side effects of Set.
    void SetTextOnly(const TString& value) { m_sValue = value; }

    /// Copies the text only.
    SslCompoundStringStatement& operator=(const SslCompoundStringStatement& other);
    /// The same text.
    bool operator==(const SslCompoundStringStatement& other) const {
        return m_sValue == other.m_sValue;
    }
    /// The text order of SslStringStatement::IsSmaller.
    static bool IsSmaller(const SslStatement& a, const SslStatement& b) {
        return SslStringStatement::IsSmaller(a, b);
    }

protected:
    /// The empty text for a class of `statementType` named `name`.
    SslCompoundStringStatement(std::uint32_t statementType, TString name)
        : SslStatement(statementType, std::move(name)) {}
    ///@{
    /// Copies name, type and text.
    SslCompoundStringStatement(const SslCompoundStringStatement&) = default;
    SslCompoundStringStatement(SslCompoundStringStatement&&) = default;
    ///@}

    TString m_sValue;  ///< the text
};
