// SslNotes: free notes of a job.  The text interface carries line breaks: SetString
// stores every CR LF as "<|>" (so a stored note never holds a line break) and
// GetString gives them back as CR LF.  Set and Get take the text unchanged.
#pragma once

#include <string>

#include "ssl2/SSLStatements/SslStatementImpl.h"
#include "ssl2/SSLStatements/SslStringStatement.h"

/// Free notes of a job; line breaks survive the text interface.
class SslNotes final : public TSslStatementImpl<SslNotes, kId_SslNotes, SslStringStatement> {
public:
    SslNotes()
        : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID]) {}

    /// Stores the text with every CR LF as "<|>".
    unsigned int SetString(const std::string& text, std::uint32_t member,
                           std::uint32_t element) override;
    /// The text with every "<|>" as CR LF.
    std::string GetString(std::uint32_t member, std::uint32_t element) const override;
};
