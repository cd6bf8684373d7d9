// The unit and size statements: Units (53), OutputSize (44), PaperSize (101) and
// Zoom (56).
//
// Units holds the SslUnit in which the job's lengths are given (`Units mm`).  The
// three size statements each hold one SslSize and pass the generic member
// interface through to it; OutputSize and PaperSize are written in the size's
// statement form (`OutputSize DIN A4`), Zoom in its zoom form
// (`Zoom 50.000 50.000 `, `Zoom proportional 100.000 100.000 `).  Plain values;
// no locks.
#pragma once

#include "ssl2/SSLStatements/SslSize.h"
#include "ssl2/SSLStatements/SslStatementImpl.h"

/// The statement "Units": the unit in which the job's lengths are given.
class SslUnits final : public TSslStatementImpl<SslUnits, kId_SslUnits, SslStatement> {
public:
    /// Unit "mm".
    SslUnits();

    /// `Units <keyword>`.
    TString ToString() const override;
    /// Takes `unit`; returns 1.
    unsigned int Set(const SslUnit& unit);
    /// Refused (0, unit unchanged) above 6.
    unsigned int Set(std::uint32_t index) { return m_Unit.Set(index); }
    /// The unit.
    SslUnit Get() const { return m_Unit; }

    ///@{
    /// Compare the units.
    bool operator==(const SslUnits& other) const { return m_Unit == other.m_Unit; }
    bool operator!=(const SslUnits& other) const { return !(*this == other); }
    ///@}
    /// True when the unit index of `a` is below that of `b`.
    static bool IsSmaller(const SslUnits& a, const SslUnits& b) { return a.m_Unit < b.m_Unit; }

    /// Takes the unit that lengths were converted to: target code 0 pixel, 2 inch,
    /// 3 vemto, 4 cm, anything else mm (codes of RCUnit::Convert).
    void ConvertUnit(std::uint32_t fromUnit, std::uint32_t toUnit, std::uint32_t resolution);

    // Generic interface: one member, the unit index, with the unit keywords.
    unsigned int SetString(const std::string& text, std::uint32_t member,
                           std::uint32_t element) override;
    std::string GetString(std::uint32_t member, std::uint32_t element) const override;
    std::uint32_t GetContainedType(std::uint32_t member) const override;
    std::uint32_t GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                              const RCStatementInfluencingCapaRefined* capas) const override;

private:
    SslUnit m_Unit;
};

/// The part common to the three size statements: one SslSize and the generic
/// member interface passed through to it.
class SslSizeStatement : public SslStatement {
public:
    /// Copies `size`; returns 1.
    unsigned int Set(const SslSize& size);

    unsigned int SetString(const std::string& text, std::uint32_t member,
                           std::uint32_t element) override;
    std::string GetString(std::uint32_t member, std::uint32_t element) const override;
    std::uint32_t GetContainedMemberCount() const override;
    std::uint32_t GetContainedType(std::uint32_t member) const override;
    std::uint32_t GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                              const RCStatementInfluencingCapaRefined* capas) const override;
    TString GetSubStatementName(std::uint32_t member) override;

    /// The sizes are equal.
    bool operator==(const SslSizeStatement& other) const { return m_Size == other.m_Size; }
    /// The sizes differ.
    bool operator!=(const SslSizeStatement& other) const { return !(*this == other); }

protected:
    /// The default size for a class of `statementType` named `name`.
    SslSizeStatement(std::uint32_t statementType, TString name)
        : SslStatement(statementType, std::move(name)) {}
    SslSize m_Size;  ///< the size
};

/// The statement "OutputSize": the size of the printed output.
class SslOutputSize final
    : public TSslStatementImpl<SslOutputSize, kId_SslOutputSize, SslSizeStatement> {
public:
    /// The default size (size type auto).
    SslOutputSize();
    /// `OutputSize <size>`; `flag` non-zero writes "fittoprintwindow" sizes as such.
    TString ToString(unsigned int flag) const;
    TString ToString() const override { return ToString(0); }
    /// The size for display (mode 0).
    TString GetAsString() const { return m_Size.ToString(0, 0); }
    /// The size's plot configuration lines (SslSize::ToCfg, mode 0).
    TString ToCfg() const { return m_Size.ToCfg(0); }
    /// The size.
    const SslSize& Get() const { return m_Size; }
    /// Converts the size's lengths between RCUnit::Convert codes.
    void ConvertUnit(std::uint32_t fromUnit, std::uint32_t toUnit, std::uint32_t resolution) {
        m_Size.ConvertUnit(fromUnit, toUnit, resolution);
    }
};

/// The statement "PaperSize": the size of the paper to print on.
class SslPaperSize final
    : public TSslStatementImpl<SslPaperSize, kId_SslPaperSize, SslSizeStatement> {
public:
    /// The default size (size type auto).
    SslPaperSize();
    /// `PaperSize <size>`; `flag` as for OutputSize.
    TString ToString(unsigned int flag) const;
    TString ToString() const override { return ToString(0); }
    /// The size for display (mode 0).
    TString GetAsString() const { return m_Size.ToString(0, 0); }
    /// The size.
    const SslSize& Get() const { return m_Size; }
    /// Converts the size's lengths between RCUnit::Convert codes.
    void ConvertUnit(std::uint32_t fromUnit, std::uint32_t toUnit, std::uint32_t resolution) {
        m_Size.ConvertUnit(fromUnit, toUnit, resolution);
    }
};

/// The statement "Zoom": zoom factors in percent or a print window.
class SslZoom final : public TSslStatementImpl<SslZoom, kId_SslZoom, SslSizeStatement> {
public:
    /// 100 x 100 percent: zoom factors (size type 5), the file printed at its own size.
    SslZoom();
    /// `Zoom <size in zoom form>`; the default is `Zoom 100.000 100.000 `.
    TString ToString() const override;
    /// The zoom's plot configuration lines (SslSize::ToCfg, mode 1).
    TString ToCfg() const { return m_Size.ToCfg(1); }
    /// The zoom as a size.
    SslSize Get() const { return m_Size; }
    /// Converts a window zoom's lengths; zoom factors are percentages and stay.
    void ConvertUnit(std::uint32_t fromUnit, std::uint32_t toUnit, std::uint32_t resolution) {
        m_Size.ConvertUnit(fromUnit, toUnit, resolution);
    }
};
