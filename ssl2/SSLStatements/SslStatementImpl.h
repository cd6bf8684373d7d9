// Building blocks for concrete statement classes.
//
// TSslStatementImpl supplies what every concrete statement class repeats: its
// identifier (m_StatementID, GetStatementID) and Clone.  kSslStatementNames and
// kSslStatementTypes give the name and statement type of every identifier as
// constants, so a class constructor never depends on the order in which the
// library's static objects are built.
//
//   class SslAccount final
//       : public TSslStatementImpl<SslAccount, kId_SslAccount, SslStringStatement> {
//   public:
//       SslAccount() : TSslStatementImpl(kSslStatementTypes[m_StatementID],
//                                        kSslStatementNames[m_StatementID]) {}
//   };
#pragma once

#include <new>

#include "ssl2/SSLStatements/SslStatement.h"

/// The statement name of every identifier, trailing blanks included.
inline constexpr const char* kSslStatementNames[kSslStatementCount] = {
#define SSL2_STATEMENT(id, cls, name, family, type, member) name,
#include "ssl2/SSLStatements/SslStatementTable.def"
};

/// The class name of every identifier.
inline constexpr const char* kSslStatementClassNames[kSslStatementCount] = {
#define SSL2_STATEMENT(id, cls, name, family, type, member) #cls,
#include "ssl2/SSLStatements/SslStatementTable.def"
};

/// The statement type of every identifier (the values of m_anAccessibility).
inline constexpr std::uint32_t kSslStatementTypes[kSslStatementCount] = {
#define SSL2_STATEMENT(id, cls, name, family, type, member) type,
#include "ssl2/SSLStatements/SslStatementTable.def"
};

/// Identifier and Clone of the concrete class `Derived` on top of the family `Base`.
template <class Derived, TSslStatementID Id, class Base>
class TSslStatementImpl : public Base {
public:
    /// The statement identifier of `Derived`.
    static constexpr TSslStatementID m_StatementID = Id;

    /// A new copy of the statement (a `Derived`); the caller owns it.  Null when
    /// memory runs out.
    SslStatement* Clone() const override {
        return new (std::nothrow) Derived(static_cast<const Derived&>(*this));
    }
    /// The statement identifier of `Derived`.
    TSslStatementID GetStatementID() const override { return Id; }

protected:
    using Base::Base;
};
