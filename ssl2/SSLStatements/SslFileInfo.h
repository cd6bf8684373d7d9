// SslFileInfo: the technical description of a print file, written by the system.
//
// Seven unsigned numbers: size (dx, dy), resolution (dx, dy), copies, pages and
// the colour depth, which takes only the PCM_* values of m_anAllowedColorDepths.
// Its SSL line carries the first six as "%#010X" numbers and, when asked, the
// colour-depth keyword: `FileInfo  0X000003E8 0X000007D0 ... PCM_24BIT`.
// Used by the job entry and the grammar.  A plain value without locks.
#pragma once

#include <cstdint>

#include "ssl2/SSLStatements/SslStatementImpl.h"

/// The technical description of a print file, written by the system: image size
/// in pixels, resolution in dots and lines per inch, copies, pages and colour depth.
class SslFileInfo final : public TSslStatementImpl<SslFileInfo, kId_SslFileInfo, SslStatement> {
public:
    static constexpr std::uint32_t kMemberCount = 7;       ///< members of the generic interface
    static constexpr std::uint32_t kColorDepthMember = 6;  ///< the member of the colour depth
    static constexpr std::uint32_t kColorDepthCount = 16;  ///< the number of colour depths

    /// Member names, in member order.
    static const char* const m_asMemberNames[kMemberCount];
    /// Member type codes, in member order.
    static const std::uint32_t m_anMemberTypes[kMemberCount];
    /// The colour depths SetColorDepth accepts, ascending.
    static const std::uint32_t m_anAllowedColorDepths[kColorDepthCount];

    SslFileInfo();

    /// The SSL line without the colour-depth keyword.
    TString ToString() const override { return ToString(0); }
    /// The SSL line; with `withColorDepth` non-zero the colour-depth keyword follows.
    TString ToString(unsigned int withColorDepth) const;

    /// Every member as decimal text; member 6 goes through SetColorDepth.
    unsigned int SetString(const std::string& text, std::uint32_t member,
                           std::uint32_t element) override;
    std::string GetString(std::uint32_t member, std::uint32_t element) const override;
    std::uint32_t GetContainedMemberCount() const override { return kMemberCount; }
    std::uint32_t GetContainedType(std::uint32_t member) const override;
    /// The colour-depth list for member 6 (display texts from "SslStatementStrings");
    /// no keywords for the others.
    std::uint32_t GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                              const RCStatementInfluencingCapaRefined* capas) const override;
    TString GetSubStatementName(std::uint32_t member) override;

    ///@{
    /// Size in pixels, resolution in dots (dx) and lines (dy) per inch, copies and
    /// pages of the file; any value is taken, returns 1.
    unsigned int SetSizeDx(std::uint32_t value);
    unsigned int SetSizeDy(std::uint32_t value);
    unsigned int SetResolutionDx(std::uint32_t value);
    unsigned int SetResolutionDy(std::uint32_t value);
    unsigned int SetCopies(std::uint32_t value);
    unsigned int SetPages(std::uint32_t value);
    unsigned int SetSize(std::uint32_t dx, std::uint32_t dy);
    unsigned int SetResolution(std::uint32_t dx, std::uint32_t dy);
    ///@}
    /// Accepts only the values of m_anAllowedColorDepths.
    unsigned int SetColorDepth(std::uint32_t value);

    ///@{
    /// The numbers that the setters store.
    std::uint32_t GetSizeDx() const { return m_anValues[0]; }
    std::uint32_t GetSizeDy() const { return m_anValues[1]; }
    std::uint32_t GetResolutionDx() const { return m_anValues[2]; }
    std::uint32_t GetResolutionDy() const { return m_anValues[3]; }
    std::uint32_t GetCopies() const { return m_anValues[4]; }
    std::uint32_t GetPages() const { return m_anValues[5]; }
    std::uint32_t GetColorDepth() const { return m_anValues[kColorDepthMember]; }
    ///@}

    /// The SSL keyword of a colour depth ("PCM_24BIT"); empty for other values.
    static TString GetSslKeyword(std::uint32_t colorDepth);
    /// The user-interface list of colour depths with their display texts.
    static const RSIndexString* GetUserInterfaceKeywords();

    /// All seven members equal.
    bool operator==(const SslFileInfo& other) const;
    /// True when the first file's area in thousands, (dx / 1000) * (dy / 1000), is
    /// below the second's.  Both statements must be SslFileInfo.
    static bool IsSmaller(const SslStatement& first, const SslStatement& second);

private:
    /// Sets member `member` (0..5 any value, 6 a colour depth).
    unsigned int SetMember(std::uint32_t member, std::uint32_t value);

    /// sizeDx, sizeDy, resolutionDx, resolutionDy, copies, pages, colordepth.
    std::uint32_t m_anValues[kMemberCount] = {};
};
