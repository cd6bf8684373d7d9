// SslUserHash: a user record kept enciphered (SslEncipheredText, keyed by a user
// text, normally the job's user name).
//
// The stored text is the enciphered form (`UserHash "<hex digits>"`); SetClear and
// GetClear convert from and to the clear text.  Used by the job entry, the writer
// and the grammar.  A plain value without locks.
#pragma once

#include "ssl2/SSLStatements/SslStatementImpl.h"
#include "ssl2/SSLStatements/SslStringStatement.h"

/// A user record kept enciphered with a user text.
class SslUserHash final
    : public TSslStatementImpl<SslUserHash, kId_SslUserHash, SslStringStatement> {
public:
    /// The constant that enters the key; stored tickets depend on it.
    static constexpr const char* kKeyConstant = "UsHs8";

    /// The empty record.
    SslUserHash();

    /// Goes through Set.
    unsigned int SetString(const std::string& text, std::uint32_t member,
                           std::uint32_t element) override;
    /// Takes the empty text or hexadecimal digits in groups of 24 (returns 1);
    /// anything else returns 0 and changes nothing.
    unsigned int Set(const TString& text) override;
    /// Stores `clear` enciphered with `user` (the empty text for an empty clear
    /// text).  Returns 1; a clear text with a character that Windows-1252 lacks is
    /// refused (0, nothing changes).
    unsigned int SetClear(const TString& clear, const TString& user);
    /// The clear text deciphered with `user`; empty when nothing is stored.
    TString GetClear(const TString& user) const;

    /// Equal enciphered texts.
    bool operator==(const SslUserHash& other) const { return m_sValue == other.m_sValue; }
};
