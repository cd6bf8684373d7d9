// SslError: the read-only text that collects error reports of a job; it has the
// empty statement name.  Append adds to the text.
#pragma once

#include "ssl2/SSLStatements/SslStatementImpl.h"
#include "ssl2/SSLStatements/SslStringStatement.h"

/// The read-only collected error reports of a job.
class SslError final : public TSslStatementImpl<SslError, kId_SslError, SslStringStatement> {
public:
    SslError()
        : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID]) {}

    /// The current text followed by `text`.
    void Append(const TString& text) { m_sValue += text; }
};
