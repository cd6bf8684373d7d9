// SslMargin: the Margin statement (identifier 32): an on flag and four margin
// lengths in the order top, left, bottom, right.
//
// Written as `Margin off`, or `Margin top 10.000` with three continuation lines
// for left, bottom and right.  The margin switches itself off whenever all four
// lengths are (nearly) zero.  Plain value; no locks.
#pragma once

#include "ssl2/SSLStatements/SslStatementImpl.h"

/// The margin statement: an on flag and four margin lengths (top, left, bottom,
/// right) in the job's unit.  Switches itself off when all four are (nearly) zero.
class SslMargin final : public TSslStatementImpl<SslMargin, kId_SslMargin, SslStatement> {
public:
    /// The sides of Set and Get; kAll (Set only) sets all four.
    enum TDirection : std::uint32_t { kTop = 0, kLeft = 1, kBottom = 2, kRight = 3, kAll = 4 };
    /// Members of the generic interface: on/off and the four lengths.
    static constexpr std::uint32_t kMemberCount = 5;

    /// Off, all lengths 0.
    SslMargin();

    TString ToString() const override;
    /// BORDERACTIVE, the four lengths when on, and BORDERSAME.
    TString ToCfg() const;

    /// Stores `length` for one direction (0 to 3) or all four (4) and switches the
    /// margin on; refused (0) for a negative or non-numeric length or a direction
    /// above 4.  Lengths all below 0.0001 switch the margin off again.
    unsigned int Set(std::uint32_t direction, double length);
    /// The length of a direction, -1.0 for a direction above 3.
    double Get(std::uint32_t direction) const;
    /// 1 when the margin is on.
    unsigned int GetOn() const { return m_bOn; }
    /// Converts the lengths with RCUnit::Convert when the margin is on.
    void ConvertUnit(std::uint32_t fromUnit, std::uint32_t toUnit, std::uint32_t resolution);

    ///@{
    /// Equal on flag and, when on, the four lengths.
    bool operator==(const SslMargin& other) const;
    bool operator!=(const SslMargin& other) const { return !(*this == other); }
    ///@}

    // Generic interface: 0 on/off, 1 to 4 the lengths top, left, bottom, right.
    unsigned int SetString(const std::string& text, std::uint32_t member,
                           std::uint32_t element) override;
    std::string GetString(std::uint32_t member, std::uint32_t element) const override;
    std::uint32_t GetContainedMemberCount() const override { return kMemberCount; }
    std::uint32_t GetContainedType(std::uint32_t member) const override;
    std::uint32_t GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                              const RCStatementInfluencingCapaRefined* capas) const override;
    TString GetSubStatementName(std::uint32_t member) override;

    static const TString m_asDirections[4];              ///< SSL keys of the sides ("top ", ...)
    static const TString m_asCfgDirections[4];           ///< configuration keys of the sides
    static const TString m_sCfgName;                     ///< the configuration key "BORDERACTIVE"
    static const TString m_sCfgName2;                    ///< the configuration key "BORDERSAME"
    static const TString m_asMemberNames[kMemberCount];  ///< generic member names

private:
    unsigned int m_bOn = 0;
    double m_adMargins[4] = {0.0, 0.0, 0.0, 0.0};
};
