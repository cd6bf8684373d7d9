// SslPlotOption: a free plot option line.  An empty option writes nothing; a set
// one writes its line with its own CR LF.
#pragma once

#include "ssl2/SSLStatements/SslStatementImpl.h"
#include "ssl2/SSLStatements/SslStringStatement.h"

/// A free plot option line.
class SslPlotOption final
    : public TSslStatementImpl<SslPlotOption, kId_SslPlotOption, SslStringStatement> {
public:
    SslPlotOption()
        : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID]) {}

    /// Empty for an empty text, else `PlotOption "text"` followed by CR LF.
    TString ToString() const override {
        return m_sValue.IsEmpty() ? m_Nothing : SslStringStatement::ToString() + m_NewLine;
    }
};
