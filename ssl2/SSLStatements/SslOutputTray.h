// SslOutputTray: where printed sheets go ("auto", "default", "front", "rear").
// With capabilities, the user-interface list offers the target plotters' output
// trays by their SSL tray numbers.
#pragma once

#include "ssl2/SSLStatements/SslSelectionStatements.h"

/// Where printed sheets go: "auto", "default", "front" or "rear" (0 to 3).
class SslOutputTray final : public TSslSelection<SslOutputTray, kId_SslOutputTray> {
public:
    SslOutputTray() : TSslSelection(0, 3) {}

    SSL2_SEL_KEYWORDS("auto", "default", "front", "rear")
    SSL2_SEL_UI(SSL2_MSG(0, 69), SSL2_MSG(1, 70), SSL2_MSG(2, 71), SSL2_MSG(3, 72))

    /// Without capabilities the four keywords.  With them "auto" only when they list
    /// no output tray; else one entry per output tray (SSL tray number, tray name),
    /// built in the keyword cache.
    std::uint32_t GetKeywords(const RSIndexString*& keywords,
                              const RCStatementInfluencingCapaRefined* capas) const override;
};
