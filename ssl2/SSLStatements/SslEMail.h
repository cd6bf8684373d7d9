// SslEMail: the e-mail notification of a job: an address and whether it is active.
//
// SSL line `EMail all "someone@example.org"` when active, `EMail off` otherwise;
// configuration line "NOTIFICATION = address".  Generic members: 0 "active"
// (on/off), 1 "email" (text).  Used by the job entry, the writer and the grammar.
// A plain value without locks.
#pragma once

#include "ssl2/SSLStatements/SslStatementImpl.h"
#include "ssl2/SSLStatements/SslStringStatement.h"

/// The e-mail notification of a job: an address and whether it is active.
class SslEMail final : public TSslStatementImpl<SslEMail, kId_SslEMail, SslStringStatement> {
public:
    /// The generic members: "active" and "email".
    static constexpr std::uint32_t kMemberCount = 2;
    /// SSL keywords: 0 "off", 1 "all".
    static const TString m_asKeywords[2];
    /// "NOTIFICATION".
    static const TString m_sCfgName;
    /// "active", "email".
    static const char* const m_asMemberNames[kMemberCount];

    /// Inactive, without address.
    SslEMail();

    /// `EMail all "address"` when active, else `EMail off`.
    TString ToString() const override;
    /// Member 0: a decimal number, non-zero activates; member 1: the address (Set).
    unsigned int SetString(const std::string& text, std::uint32_t member,
                           std::uint32_t element) override;
    /// Member 0: "1" or "0"; member 1: the address.
    std::string GetString(std::uint32_t member, std::uint32_t element) const override;
    /// Two: "active" and "email".
    std::uint32_t GetContainedMemberCount() const override { return kMemberCount; }
    /// A selection for member 0, text for member 1.
    std::uint32_t GetContainedType(std::uint32_t member) const override;
    /// The on/off list for member 0; none for member 1.
    std::uint32_t GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                              const RCStatementInfluencingCapaRefined* capas) const override;
    /// "active" or "email" ("" for any other member).
    TString GetSubStatementName(std::uint32_t member) override;

    /// Stores the address; active exactly when it is non-empty.  Returns 1.
    unsigned int Set(const TString& address) override;
    /// 1 when the notification is active.
    unsigned int GetActive() const { return m_bActive; }
    /// "NOTIFICATION = address\r\n" when active, else the empty text.
    TString ToCfg() const;

    /// Equal address and active flag.
    bool operator==(const SslEMail& other) const;

private:
    unsigned int m_bActive = 0;
};
