// SslOnError: what the server does when a file fails.  Index 0 ("notSet") writes
// nothing.
#pragma once

#include "ssl2/SSLStatements/SslSelectionStatements.h"

/// What the server does when a file fails: "notSet" (0, not written), "abort",
/// "continue" or "query".
class SslOnError final : public TSslSelection<SslOnError, kId_SslOnError> {
public:
    SslOnError() : TSslSelection(0, 3) {}

    SSL2_SEL_KEYWORDS("notSet", "abort", "continue", "query")
    SSL2_SEL_UI(SSL2_MSG(0, 62), SSL2_MSG(1, 63), SSL2_MSG(2, 64), SSL2_MSG(3, 65))

    /// Empty at index 0, else `OnError keyword`.
    TString ToString() const override {
        return m_Index == 0 ? TString() : SslSelectionStatement::ToString();
    }
};
