// SslNesting: nesting of several pages on the media.  On/off with options that
// hold a quantity (bits 0 to 11: 0, 2, 4, 8 or 16 pages) and a direction (bits 12
// to 15: 0 Z style, 1 N style); the text interface carries the whole options value.
#pragma once

#include "ssl2/SSLStatements/SslSelectionStatements.h"

/// Nesting of several pages on the media: on/off, with options holding a quantity
/// (bits 0 to 11: 0, 2, 4, 8 or 16 pages) and a direction (bits 12 to 15).
class SslNesting final
    : public TSslSelection<SslNesting, kId_SslNesting, SslSelectionOptionStatement> {
public:
    SslNesting() : TSslSelection(0, 1, 65535) {}

    SSL2_SEL_OFFON
    SSL2_SEL_UI_OFFON
    /// Quantity and direction choices, as options values.
    inline static const RSIndexString m_asUserInterfaceKeywordsQuantities[] = {
        {0, "off"},          {2, "2 Z-Style"},    {4, "4 Z-Style"},
        {8, "8 Z-Style"},    {16, "16 Z-Style"},  {4098, "2 N-Style"},
        {4100, "4 N-Style"}, {4104, "8 N-Style"}, {4112, "16 N-Style"}};
    /// The quantities SetQuantity accepts.
    static constexpr std::uint32_t m_anAllowedQuantities[] = {0, 2, 4, 8, 16};

    /// Replaces the quantity when it is an allowed one; 0 and no change otherwise.
    unsigned int SetQuantity(std::uint32_t quantity);
    /// The quantity: 0, 2, 4, 8 or 16 pages.
    std::uint32_t GetQuantity() const { return m_nOptions & kQuantityMask; }
    /// Replaces the direction when it fits in 4 bits; 0 and no change otherwise.
    unsigned int SetDirection(std::uint32_t direction);
    /// The direction: 0 Z style, 1 N style (any 4-bit value is kept).
    std::uint32_t GetDirection() const { return (m_nOptions & kDirectionMask) >> 12; }

    /// Reads a decimal options value: an allowed quantity sets quantity and
    /// direction, and "on" for a non-zero quantity; anything else clears both and
    /// selects "off".  Returns whether the quantity was allowed.
    unsigned int SetString(const std::string& text, std::uint32_t member,
                           std::uint32_t element) override;
    /// The options value in decimal.
    std::string GetString(std::uint32_t member, std::uint32_t element) const override;

    /// On/off without capabilities, the quantity list with them.
    std::uint32_t GetKeywords(const RSIndexString*& keywords,
                              const RCStatementInfluencingCapaRefined* capas) const override;

private:
    static constexpr std::uint32_t kQuantityMask = 0x0FFF;
    static constexpr std::uint32_t kDirectionMask = 0xF000;
};
