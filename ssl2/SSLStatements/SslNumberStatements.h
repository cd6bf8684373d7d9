// The number statements: SslSetCopies, SslOrdinal and SslResolution differ only in
// their limits and defaults and are generated from the list below; SslCopies and
// SslImageRotated add a plot configuration line, SslImageRotated also its own Set.
#pragma once

#include "ssl2/SSLStatements/SslNumberStatement.h"
#include "ssl2/SSLStatements/SslStatementImpl.h"

/// The base of a concrete number class: identifier, Clone, name, type, limit and
/// default.
template <class Derived, TSslStatementID Id>
class TSslNumber : public TSslStatementImpl<Derived, Id, SslNumberStatement> {
protected:
    /// A number from 0 to `maxValue`, starting at `defaultValue`.
    TSslNumber(std::uint32_t maxValue, std::uint32_t defaultValue)
        : TSslStatementImpl<Derived, Id, SslNumberStatement>(maxValue, kSslStatementTypes[Id],
                                                             kSslStatementNames[Id]) {
        this->m_nValue = defaultValue;
    }
};

// Class, largest value, default.
// clang-format off
#define SSL2_PLAIN_NUMBER_STATEMENTS(X) \
    X(SslSetCopies, 1000, 1)            \
    X(SslOrdinal, 10000, 4294967295u)   \
    X(SslResolution, 4800, 0)
// clang-format on

#define SSL2_NUMBER_CLASS(cls, maxValue, defaultValue)    \
    class cls final : public TSslNumber<cls, kId_##cls> { \
    public:                                               \
        cls() : TSslNumber(maxValue, defaultValue) {}     \
    };
SSL2_PLAIN_NUMBER_STATEMENTS(SSL2_NUMBER_CLASS)
#undef SSL2_NUMBER_CLASS

/// Copies of a file: 1 to 10000 (0 is taken as well), default 1.
class SslCopies final : public TSslNumber<SslCopies, kId_SslCopies> {
public:
    /// The plot configuration key "COPYCOUNT".
    inline static const TString m_sCfgName = "COPYCOUNT";

    SslCopies() : TSslNumber(10000, 1) {}
    /// `COPYCOUNT = n` and CR LF.
    TString ToCfg() const { return CfgLine(m_sCfgName, TString::Format("%u", m_nValue)); }
};

/// Rotation of the image as stored in the file: 0, 90, 180 or 270.
class SslImageRotated final : public TSslNumber<SslImageRotated, kId_SslImageRotated> {
public:
    SslImageRotated() : TSslNumber(359, 0) {}
    /// Accepts exactly 0, 90, 180 and 270.
    unsigned int Set(std::uint32_t value) override {
        if (value % 90 != 0 || value > 270)
            return 0;
        m_nValue = value;
        return 1;
    }
    /// The rotation is not a plot configuration setting: always empty.
    TString ToCfg() const { return {}; }
};
