// Colour-emulation tables of the plotter languages: HpglColorEmulation (23),
// CalcompColorEmulation (3) and VicColorEmulation (96).
//
// Fourteen SslColor entries, entry i for drawing colour i, each with the grey
// saturation and page it is printed with.  Written as the name and entry 0 with
// entries 1 to 13 on "\t+ " continuation lines.  Plain values; no locks.
#pragma once

#include <array>

#include "ssl2/SSLStatements/SslColor.h"
#include "ssl2/SSLStatements/SslStatementImpl.h"

/// The HPGL colour-emulation table: for each of the 14 drawing colours the grey
/// saturation (0 to 100) and the page (0 or 1) it is printed with.  The base of the
/// CalComp and VIC tables.
class SslHpglColorEmulation
    : public TSslStatementImpl<SslHpglColorEmulation, kId_SslHpglColorEmulation, SslStatement> {
public:
    /// The number of entries (drawing colours 0 to 13).
    static constexpr std::uint32_t kEntryCount = 14;

    /// Entry i: colour i, saturation 100, page 0.
    SslHpglColorEmulation();

    TString ToString() const override;
    /// The configuration lines of entries 2 to 13 (not white and black).
    TString ToCfg() const;

    /// Refused (0) for an entry above 13 or a saturation above 100.
    unsigned int SetSaturation(std::uint32_t saturation, std::uint32_t entry);
    /// 0 for an entry above 13.
    std::uint32_t GetSaturation(std::uint32_t entry) const;
    /// Refused (0) for an entry above 13 or a page above 1.
    unsigned int SetPage(std::uint32_t page, std::uint32_t entry);
    /// The page of an entry; 0 for an entry above 13.
    std::uint32_t GetPage(std::uint32_t entry) const;

    /// All fourteen entries equal.
    bool operator==(const SslHpglColorEmulation& other) const {
        return m_aColors == other.m_aColors;
    }
    /// Any entry differs.
    bool operator!=(const SslHpglColorEmulation& other) const { return !(*this == other); }

    // Generic interface: the member number is the entry, element 0 its saturation.
    unsigned int SetString(const std::string& text, std::uint32_t member,
                           std::uint32_t element) override;
    std::string GetString(std::uint32_t member, std::uint32_t element) const override;
    std::uint32_t GetArrayCount() const override { return kEntryCount; }
    std::uint32_t GetContainedType(std::uint32_t member) const override;
    TString GetSubStatementName(std::uint32_t member) override;

    /// The name of an entry's member in the generic interface.
    static const TString m_asMemberNames[1];

protected:
    /// The default table for a derived language's statement type and name.
    SslHpglColorEmulation(std::uint32_t statementType, TString name);

private:
    std::array<SslColor, kEntryCount> m_aColors;
};

/// The CalComp colour-emulation table (statement "CalcompColorEmulation"), as the
/// HPGL one.
class SslCalcompColorEmulation final
    : public TSslStatementImpl<SslCalcompColorEmulation, kId_SslCalcompColorEmulation,
                               SslHpglColorEmulation> {
public:
    SslCalcompColorEmulation();
};

/// The VIC colour-emulation table (statement "VicColorEmulation"), as the HPGL one.
class SslVicColorEmulation final
    : public TSslStatementImpl<SslVicColorEmulation, kId_SslVicColorEmulation,
                               SslHpglColorEmulation> {
public:
    SslVicColorEmulation();
};
