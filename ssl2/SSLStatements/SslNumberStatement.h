// The number family of statements: one unsigned number with a largest value
// fixed by the class, written as `Name 3`.
//
// The job entry holds one object of each concrete class; the reader's actions
// call Set, the writer ToString.  Plain values, no locks.
#pragma once

#include <string>

#include "ssl2/SSLStatements/SslStatement.h"

/// The base of statements that hold one unsigned number up to a largest value.
class SslNumberStatement : public SslStatement {
public:
    /// `Name value`, the value in unsigned decimal.
    TString ToString() const override;
    /// Reads a decimal number (as strtol does) and passes it, taken as unsigned, to
    /// Set; 0 and no change when the text holds no digit.
    unsigned int SetString(const std::string& text, std::uint32_t member,
                           std::uint32_t element) override;
    /// Get() in decimal.
    std::string GetString(std::uint32_t member, std::uint32_t element) const override;

    /// Stores `value` and returns 1, or returns 0 when it exceeds the largest value.
    virtual unsigned int Set(std::uint32_t value);
    /// The number.
    virtual std::uint32_t Get() const;

    /// Copies value and largest value.
    SslNumberStatement& operator=(const SslNumberStatement& other);
    /// Equal numbers.
    bool operator==(const SslNumberStatement& other) const { return m_nValue == other.m_nValue; }
    /// True when the number of `a` is below that of `b`; both must be number
    /// statements.
    static bool IsSmaller(const SslStatement& a, const SslStatement& b);

protected:
    /// The value starts at 0; the class then sets its default.
    SslNumberStatement(std::uint32_t maxValue, std::uint32_t statementType, TString name)
        : SslStatement(statementType, std::move(name)), m_nMaxValue(maxValue) {}
    SslNumberStatement(const SslNumberStatement&) = default;  ///< copies value and largest value
    SslNumberStatement(SslNumberStatement&&) = default;       ///< as the copy

    std::uint32_t m_nValue = 0;  ///< the number
    std::uint32_t m_nMaxValue;   ///< the largest number Set takes
};
