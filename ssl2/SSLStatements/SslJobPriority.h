// SslJobPriority: the priority of a job, "wait" to "immediate" (default
// "normal").  Older dialects know no "immediate": ToString(1) writes it as "high".
#pragma once

#include "ssl2/SSLStatements/SslSelectionStatements.h"

/// The priority of a job: "wait" (0) to "immediate" (4), default "normal" (2).
class SslJobPriority final : public TSslSelection<SslJobPriority, kId_SslJobPriority> {
public:
    SslJobPriority() : TSslSelection(2, 4) {}

    SSL2_SEL_KEYWORDS("wait", "low", "normal", "high", "immediate")
    SSL2_SEL_UI(SSL2_MSG(0, 43), SSL2_MSG(1, 44), SSL2_MSG(2, 45), SSL2_MSG(3, 46), SSL2_MSG(4, 47))

    using SslSelectionStatement::ToString;
    /// With `oldDialect` non-zero, index 4 is written as keyword 3 "high".
    TString ToString(unsigned int oldDialect) const {
        return oldDialect && m_Index == 4 ? m_sName + " " + m_asKeywords[3] : ToString();
    }
};
