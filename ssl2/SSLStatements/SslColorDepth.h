// SslColorDepth: the colour depth to print with, written as a number
// (`ColorDepth 8`); only 0 (auto), 1, 8 and 64 are accepted.
#pragma once

#include "ssl2/SSLStatements/SslSelectionStatements.h"

/// The colour depth to print with, written as a number: 0 (auto), 1, 8 or 64.
class SslColorDepth final : public TSslSelection<SslColorDepth, kId_SslColorDepth> {
public:
    SslColorDepth() : TSslSelection(0, 0) {}

    /// None: the statement is written as a number, not a keyword.
    static const TString* KeywordTable() { return nullptr; }
    SSL2_SEL_UI(SSL2_MSG(0, 4), SSL2_MSG(1, 81), SSL2_MSG(8, 84), SSL2_MSG(64, 111))
    SSL2_SEL_ALLOWED(0, 1, 8, 64)

    /// Accepts exactly the allowed values (the largest index is not consulted).
    unsigned int Set(std::uint32_t depth) override {
        if (std::ranges::find(m_anAllowedValues, depth) == std::end(m_anAllowedValues))
            return 0;
        m_Index = depth;
        return 1;
    }
    /// `ColorDepth n`.
    TString ToString() const override { return m_sName + TString::Format(" %u", m_Index); }
};
