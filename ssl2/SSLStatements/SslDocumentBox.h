// SslDocumentBox: the document box that stores a job for a user, with the box
// password kept enciphered (SslEncipheredText, keyed by the user name).
//
// SSL line `DocumentBox "user" "<enciphered password>" "job"` when on,
// `DocumentBox off` otherwise.  Used by the job entry, the writer and the grammar.
// A plain value without locks.
#pragma once

#include "ssl2/SSLStatements/SslStatementImpl.h"
#include "ssl2/SSLStatements/SslStringStatement.h"

/// The document box that stores a job for a user, its password enciphered.
class SslDocumentBox final
    : public TSslStatementImpl<SslDocumentBox, kId_SslDocumentBox, SslStringStatement> {
public:
    /// The constant that enters the key; stored tickets depend on it.
    static constexpr const char* kKeyConstant = "DcBx5";

    /// Off, with empty user name, job name and password.
    SslDocumentBox();

    /// `DocumentBox "user" "password" "job"` when on, else `DocumentBox off`.
    TString ToString() const override;
    /// Goes through Set.
    unsigned int SetString(const std::string& text, std::uint32_t member,
                           std::uint32_t element) override;

    /// Takes a stored form and switches the box on: the empty text or hexadecimal
    /// digits in groups of 24 (returns 1).  A text of the form "x" followed by the
    /// password's bytes as pairs of hexadecimal digits (odd length) sets that
    /// password (SetPassword); "x" and an even length switches the box off and
    /// returns 0.  Anything else, an "x" form with non-hexadecimal digits included,
    /// returns 0 and changes nothing.
    unsigned int Set(const TString& text) override;
    /// Enciphers a non-empty password with the current user name as a ticket
    /// writes it (a double quote as two single quotes, a line break as "<|>"), so
    /// that it deciphers the same after a round trip; the empty one stores the
    /// empty text.  Switches the box on and returns 1; a password with a character
    /// that Windows-1252 lacks is refused (0, nothing changes).
    unsigned int SetPassword(const TString& password);
    /// The deciphered password when on and one is stored, else the empty text.
    TString GetPassword() const;
    /// Empties password, user name and job name and switches the box off.
    void SetOff();

    /// Sets the user name (the key of the password) and marks it set.  Returns 1.
    unsigned int SetUserName(const TString& userName);
    /// Sets the name the job is stored under.  Returns 1.
    unsigned int SetJobName(const TString& jobName);
    /// The user name.
    TString GetUserNameA() const { return m_sUserName; }
    /// The name the job is stored under.
    TString GetJobName() const { return m_sJobName; }
    /// 1 when the box is on.
    unsigned int GetOn() const { return m_bOn; }
    /// 1 once a user name was set.
    unsigned int GetUserNameSet() const { return m_bUserNameSet; }

    /// Equal on flag, user name, job name and enciphered password.
    bool operator==(const SslDocumentBox& other) const;

private:
    unsigned int m_bOn = 0;
    TString m_sUserName;
    TString m_sJobName;
    unsigned int m_bUserNameSet = 0;
};
