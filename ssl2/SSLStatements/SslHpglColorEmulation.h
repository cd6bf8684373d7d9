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

class SslHpglColorEmulation
    : public TSslStatementImpl<SslHpglColorEmulation, kId_SslHpglColorEmulation, SslStatement> {
public:
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
    std::uint32_t GetPage(std::uint32_t entry) const;

    /// All fourteen entries equal.
    bool operator==(const SslHpglColorEmulation& other) const {
        return m_aColors == other.m_aColors;
    }
    bool operator!=(const SslHpglColorEmulation& other) const { return !(*this == other); }

    // Generic interface: the member number is the entry, element 0 its saturation.
    unsigned int SetString(const std::string& text, std::uint32_t member,
                           std::uint32_t element) override;
    std::string GetString(std::uint32_t member, std::uint32_t element) const override;
    std::uint32_t GetArrayCount() const override { return kEntryCount; }
    std::uint32_t GetContainedType(std::uint32_t member) const override;
    TString GetSubStatementName(std::uint32_t member) override;

    static const TString m_asMemberNames[1];

protected:
    SslHpglColorEmulation(std::uint32_t statementType, TString name);

private:
    std::array<SslColor, kEntryCount> m_aColors;
};

class SslCalcompColorEmulation final
    : public TSslStatementImpl<SslCalcompColorEmulation, kId_SslCalcompColorEmulation,
                               SslHpglColorEmulation> {
public:
    SslCalcompColorEmulation();
};

class SslVicColorEmulation final
    : public TSslStatementImpl<SslVicColorEmulation, kId_SslVicColorEmulation,
                               SslHpglColorEmulation> {
public:
    SslVicColorEmulation();
};
