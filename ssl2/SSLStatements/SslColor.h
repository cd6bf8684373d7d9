// SslColor: one entry of a colour-emulation table (a drawing colour, the grey
// saturation it is printed with, and its page), and the colour keywords shared with
// the pen tables.  An SslArrayContent element; plain value, no locks.
#pragma once

#include "ssl2/SSLStatements/SslArrayContent.h"

/// One entry of a colour-emulation table: a drawing colour (0 to 14), the grey
/// saturation it is printed with (0 to 100) and its page (0 or 1).
class SslColor : public SslArrayContent {
public:
    static constexpr std::uint32_t kMaxColor = 14;        ///< the largest colour index
    static constexpr std::uint32_t kMaxSaturation = 100;  ///< the largest saturation
    static constexpr std::uint32_t kGrey = 14;            ///< the colour index of grey

    SslColor() = default;
    /// Colour `color` (0 to 14) with saturation 100 on page 0.
    explicit SslColor(std::uint32_t color) { SetColor(color); }

    /// "color <padded keyword> saturation <s> page <p>".
    TString ToString() const;
    /// "<padded keyword> = grey\t\t, <saturation>".
    TString ToCfg() const;

    // Setters return 0 and change nothing outside their ranges.
    /// 0 to 14.
    unsigned int SetColor(std::uint32_t color);
    /// The colour index.
    std::uint32_t GetColor() const { return m_nColor; }
    /// 0 to 100.
    unsigned int SetSaturation(std::uint32_t saturation);
    /// The grey saturation in percent.
    std::uint32_t GetSaturation() const { return m_nSaturation; }
    /// 0 or 1.
    unsigned int SetPage(std::uint32_t page);
    /// The page, 0 or 1.
    std::uint32_t GetPage() const { return m_nPage; }

    ///@{
    /// Compare colour, saturation and page.
    bool operator==(const SslColor& other) const {
        return m_nColor == other.m_nColor && m_nSaturation == other.m_nSaturation &&
               m_nPage == other.m_nPage;
    }
    bool operator!=(const SslColor& other) const { return !(*this == other); }
    ///@}

    // Generic interface: 0 colour (index), 1 saturation.
    unsigned int SetString(const std::string& text, std::uint32_t member) override;
    std::string GetString(std::uint32_t member) const override;
    std::uint32_t GetContainedMemberCount() const override { return 2; }
    std::uint32_t GetContainedType(std::uint32_t member) const override;
    TString GetSubStatementName(std::uint32_t member) override;
    std::uint32_t GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                              const RCStatementInfluencingCapaRefined* capas) const override;

    /// Colour keywords padded to twelve characters ("grey" with two tabs,
    /// "lightgrey" with one).
    static const TString m_asColors[16];
    static const RSIndexString m_asColorsPy[16];  ///< the colours for user interfaces
    static const TString m_sColor;                ///< the key "color "
    static const TString m_sSaturation;           ///< the key "saturation "
    static const TString m_sPage;                 ///< the key "page "

private:
    std::uint32_t m_nColor = 0;
    std::uint32_t m_nSaturation = kMaxSaturation;
    std::uint32_t m_nPage = 0;
};
