// SslSecurityPrint: the secure-print password of a job, kept as its MD5 digest.
//
// The clear password never stays in the object: SetPassword stores the digest
// text (CMD5Checksum) and CheckPassword compares digests.  SSL line
// `SecurityPrint "<32 hex digits>"` when on with a password, `SecurityPrint on`
// when on without one, `SecurityPrint off` otherwise.
// Used by the job entry, the writer and the grammar.  A plain value without locks.
#pragma once

#include "ssl2/SSLStatements/SslStatementImpl.h"
#include "ssl2/SSLStatements/SslStringStatement.h"

/// The secure-print password of a job, kept as its MD5 digest.
class SslSecurityPrint final
    : public TSslStatementImpl<SslSecurityPrint, kId_SslSecurityPrint, SslStringStatement> {
public:
    /// Shortest password SetPassword accepts.
    static constexpr std::uint32_t kMinPasswordLength = 4;
    /// Length of a digest text.
    static constexpr std::uint32_t kDigestLength = 32;

    /// Off, without password.
    SslSecurityPrint();

    /// `SecurityPrint "digest"`, `SecurityPrint on` or `SecurityPrint off`.
    TString ToString() const override;
    /// Goes through Set: only a digest is taken.
    unsigned int SetString(const std::string& text, std::uint32_t member,
                           std::uint32_t element) override;

    /// Takes a digest only (32 hexadecimal digits) and switches on with password;
    /// anything else returns 0.
    unsigned int Set(const TString& digest) override;
    /// A password of at least 4 characters is stored as its digest (on, with
    /// password); the empty one clears value and flags; 1 to 3 characters are
    /// refused (0).
    unsigned int SetPassword(const TString& password);
    /// Empties the digest, sets on to `on` and clears the password mark.  Returns 1.
    unsigned int SetOn(unsigned int on);
    /// True when off; when on with a password, whether `password` has the stored
    /// digest; when on without a password, false.
    bool CheckPassword(const TString& password) const;
    /// 1 when secure print is on.
    unsigned int GetOn() const { return m_bOn; }
    /// 1 when a password digest is stored.
    unsigned int HasPswd() const { return m_bHasPassword; }

    /// Equal flags and equal digest.
    bool operator==(const SslSecurityPrint& other) const;

private:
    unsigned int m_bOn = 0;
    unsigned int m_bHasPassword = 0;
};
