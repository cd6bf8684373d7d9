// SslMediaType: the media to print on ("dontcare", "paper", ... the photo media),
// with a media subtype.  Converts between SSL indices and the media numbers of the
// device capabilities, and narrows its user-interface list to the media the
// target plotters have.  Statement equality compares the index only.
#pragma once

#include "ssl2/SSLStatements/SslSelectionStatements.h"
#include "ssl2/capas/SslCapas.h"

/// The media to print on ("dontcare", "paper", ... the photo media) and a media
/// subtype.  Statement equality compares the index only.
class SslMediaType final : public TSslSelection<SslMediaType, kId_SslMediaType> {
public:
    SslMediaType() : TSslSelection(0, 10) {}

    SSL2_SEL_KEYWORDS("dontcare", "paper", "recycledpaper", "transparent", "film", "custom",
                      "HeavyPhotoGloss", "HeavyPhotoMatt", "LightPhotoGloss", "HeavyPaperPureWhite",
                      "HeavyPaperOffWhite")
    SSL2_SEL_UI(SSL2_MSG(0, 52), SSL2_MSG(1, 53), SSL2_MSG(2, 54), SSL2_MSG(3, 55), SSL2_MSG(4, 56),
                SSL2_MSG(5, 57), SSL2_MSG(6, 97), SSL2_MSG(7, 98), SSL2_MSG(8, 99),
                SSL2_MSG(9, 100), SSL2_MSG(10, 101))
    /// The plot configuration key "MEDIUM".
    inline static const TString m_sCfgName = "MEDIUM";
    /// The plot configuration value of each index.
    inline static const TString m_asCfgKeywords[] = {"DONT CARE", "PAPER", "PAPER", "TRANSPARENT",
                                                     "FILM",      "PAPER", "PAPER", "PAPER",
                                                     "PAPER",     "PAPER", "PAPER"};
    /// The keyword in front of the subtype in the SSL line.
    inline static const TString m_sSubType = "subtype";

    /// Stores any subtype; returns 1.
    unsigned int SetSubType(std::uint32_t subType) {
        m_nSubType = subType;
        return 1;
    }
    /// The media subtype.
    std::uint32_t GetSubType() const { return m_nSubType; }
    /// The user-interface text of the index.
    TString GetAsString() const { return m_asUserInterfaceKeywords[m_Index].m_sText; }

    using SslSelectionStatement::ToString;
    /// `withSubType` non-zero: `MediaType keyword subtype n`; zero: the plain line
    /// with every medium beyond "film" written as "paper" (older dialects).
    TString ToString(unsigned int withSubType) const;
    /// `MEDIUM = ...` and CR LF.
    TString ToCfg() const { return CfgLine(m_sCfgName, m_asCfgKeywords[m_Index]); }

    /// Without capabilities the first six entries ("dontcare" to "custom"); with
    /// them "dontcare" and those of "paper" to "custom" that the capabilities' media
    /// list holds (a list built in the keyword cache).
    std::uint32_t GetKeywords(const RSIndexString*& keywords,
                              const RCStatementInfluencingCapaRefined* capas) const override;

    /// The capabilities' media number of an SSL index (0 beyond 10).
    static VEMTO::_TMedia SslMediaToTMedia(std::uint32_t sslIndex);
    /// The SSL index of a capabilities' media number (0 beyond 10).
    static std::uint32_t TMediaToSslMedia(VEMTO::_TMedia media);

private:
    std::uint32_t m_nSubType = 0;
};
