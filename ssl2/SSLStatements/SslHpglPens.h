// Pen tables of the plotter languages: HpglPens (24), CalcompPens (4) and
// VicPens (97), with their element HpglPen.
//
// A table has 256 pens (width, unit, colour, saturation, page).  Every table of a
// class starts from that class's default pens, kept once for the whole program and
// never changed; a table holds by value only the pens that were set since, so an
// entry of a job set stays small and a copy never shares changeable state.
//
// It is written as the table name and pen 0, then the remaining pens as runs of
// equal pens (`number 1-255 ...`) on "\t+ " continuation lines; switched off it is
// `HpglPens off`.  Plain values; no locks (the default pens are only read).
#pragma once

#include <array>
#include <utility>
#include <vector>

#include "ssl2/SSLStatements/SslColor.h"
#include "ssl2/SSLStatements/SslStatementImpl.h"

/// One pen of a pen table: numbers (a run from number to last number), width, unit,
/// colour, grey saturation and page.
class HpglPen : public SslArrayContent {
public:
    static constexpr double kMaxWidth = 20.0;             ///< the widest pen
    static constexpr std::uint32_t kMaxLastNumber = 256;  ///< the largest last number
    static constexpr std::uint32_t kMemberCount = 3;      ///< generic members

    HpglPen() = default;
    /// A default pen whose number and last number are `number`.
    explicit HpglPen(std::uint32_t number) : m_nNumber(number), m_nLastNumber(number) {}
    /// A pen of the given values (each taken when in range), not marked changed.
    HpglPen(std::uint32_t number, double width, std::uint32_t color, std::uint32_t saturation);
    ///@{
    /// Copies every field, the changed mark included.
    HpglPen(const HpglPen&) = default;
    HpglPen& operator=(const HpglPen&) = default;
    HpglPen(HpglPen&&) = default;
    HpglPen& operator=(HpglPen&&) = default;
    ///@}

    /// "number <n>-<last> width <w> <unit> color <c> saturation <s> " and, with
    /// `withPage`, "page <p>".
    TString ToString(unsigned int withPage) const;
    /// "PEN<nnn> = <width>, <padded colour>" and, for grey, ", <saturation>".
    TString ToCfg() const;

    // Setters return 0 and change nothing outside their ranges; on success they
    // mark the pen as changed.
    ///@{
    /// The pen number (any value; not marked changed).
    void SetNumber(std::uint32_t number) { m_nNumber = number; }
    std::uint32_t GetNumber() const { return m_nNumber; }
    ///@}
    /// 0 to 256.
    unsigned int SetLastNumber(std::uint32_t number);
    /// The last pen number of the run.
    std::uint32_t GetLastNumber() const { return m_nLastNumber; }
    /// 0.0 to 20.0.
    unsigned int SetWidth(double width);
    /// The width in the pen's unit.
    double GetWidth() const { return m_dWidth; }
    /// 0 none, 1 "mm", 2 "Inch".
    unsigned int SetUnit(std::uint32_t unit);
    /// The unit of the width: 0 none, 1 mm, 2 inch.
    std::uint32_t GetUnit() const { return m_nUnit; }
    /// 0 to 14.
    unsigned int SetColor(std::uint32_t color);
    /// The colour index (SslColor::m_asColors).
    std::uint32_t GetColor() const { return m_nColor; }
    /// 0 to 100.
    unsigned int SetSaturation(std::uint32_t saturation);
    /// The grey saturation in percent.
    std::uint32_t GetSaturation() const { return m_nSaturation; }
    /// 0 or 1.
    unsigned int SetPage(std::uint32_t page);
    /// The page, 0 or 1.
    std::uint32_t GetPage() const { return m_nPage; }
    /// 1 once a setter changed the pen.
    unsigned int GetChanged() const { return m_bChanged; }

    /// Converts the width with RCUnit::Convert.
    void ConvertUnit(std::uint32_t fromUnit, std::uint32_t toUnit, std::uint32_t resolution);

    /// Width, unit, colour, saturation and page equal; the numbers are not compared.
    bool operator==(const HpglPen& other) const {
        return m_dWidth == other.m_dWidth && m_nUnit == other.m_nUnit &&
               m_nColor == other.m_nColor && m_nSaturation == other.m_nSaturation &&
               m_nPage == other.m_nPage;
    }
    /// Any of them differs.
    bool operator!=(const HpglPen& other) const { return !(*this == other); }

    // Generic interface: 0 width, 1 colour (index), 2 saturation.
    unsigned int SetString(const std::string& text, std::uint32_t member) override;
    std::string GetString(std::uint32_t member) const override;
    std::uint32_t GetContainedMemberCount() const override { return kMemberCount; }
    std::uint32_t GetContainedType(std::uint32_t member) const override;
    TString GetSubStatementName(std::uint32_t member) override;
    std::uint32_t GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                              const RCStatementInfluencingCapaRefined* capas) const override;

    static const TString m_asUnits[3];   ///< the unit keywords: "", "mm", "Inch"
    static const TString m_sNumber;      ///< the key "number "
    static const TString m_sWidth;       ///< the key "width "
    static const TString m_sColor;       ///< the key "color "
    static const TString m_sSaturation;  ///< the key "saturation "
    static const TString m_sPage;        ///< the key "page "

private:
    std::uint32_t m_nNumber = 0;
    std::uint32_t m_nLastNumber = 0;
    double m_dWidth = 0.635;
    std::uint32_t m_nUnit = 0;
    std::uint32_t m_nColor = 1;
    std::uint32_t m_nSaturation = 100;
    std::uint32_t m_nPage = 0;
    unsigned int m_bChanged = 0;
};

/// The HPGL pen table (statement "HpglPens"): 256 pens and an on flag.  The base of
/// the CalComp and VIC tables.
class SslHpglPens : public TSslStatementImpl<SslHpglPens, kId_SslHpglPens, SslStatement> {
public:
    static constexpr std::uint32_t kPenSlots = 256;    ///< pens of a table, at most
    using TPenTable = std::array<HpglPen, kPenSlots>;  ///< a whole table of pens

    /// 256 pens numbered from 0, off.
    SslHpglPens();

    /// Off: "<name> off"; on: pen 0 and the runs of equal pens 1 to count - 1.
    TString ToString() const override;
    /// One configuration line per pen when on; empty when off.
    TString ToCfg() const;

    ///@{
    /// Whether the table is used: any non-zero `on` switches it on; Get returns 1
    /// or 0.
    unsigned int GetOn() const { return m_bOn; }
    void SetOn(unsigned int on) { m_bOn = on ? 1 : 0; }
    ///@}
    /// The number of pens of the table.
    std::uint32_t GetPenCount() const { return m_nPenCount; }
    /// The number of the table's first pen.
    std::uint32_t GetFirstPenNumber() const { return m_nFirstPenNumber; }
    /// The pen at position `index` (0 to 255); raises "SslErrors" 0 beyond.  The
    /// reference is valid until the table is changed.
    const HpglPen& GetPen(std::uint32_t index) const;

    ///@{
    /// Setters take a pen number, or a range of pen numbers from `first` to `last`.
    /// They refuse (0, nothing changed) a range that is reversed or reaches outside
    /// the table's pens; otherwise every pen of the range takes the value (as the
    /// HpglPen setters check it), the table is switched on when they all did, and
    /// the result is 1 when they all did.
    unsigned int SetColor(std::uint32_t color, std::uint32_t pen) {
        return SetColor(color, pen, pen);
    }
    unsigned int SetColor(std::uint32_t color, std::uint32_t first, std::uint32_t last);
    unsigned int SetWidth(double width, std::uint32_t pen) { return SetWidth(width, pen, pen); }
    unsigned int SetWidth(double width, std::uint32_t first, std::uint32_t last);
    unsigned int SetSaturation(std::uint32_t saturation, std::uint32_t pen) {
        return SetSaturation(saturation, pen, pen);
    }
    unsigned int SetSaturation(std::uint32_t saturation, std::uint32_t first, std::uint32_t last);
    unsigned int SetPage(std::uint32_t page, std::uint32_t pen) { return SetPage(page, pen, pen); }
    unsigned int SetPage(std::uint32_t page, std::uint32_t first, std::uint32_t last);
    ///@}
    ///@{
    /// Getters read the pen of a pen number; 0 for a number outside the table.
    std::uint32_t GetColor(std::uint32_t pen) const;
    double GetWidth(std::uint32_t pen) const;
    std::uint32_t GetSaturation(std::uint32_t pen) const;
    std::uint32_t GetPage(std::uint32_t pen) const;
    ///@}

    /// Converts every pen's width.
    void ConvertUnit(std::uint32_t fromUnit, std::uint32_t toUnit, std::uint32_t resolution);

    /// Same on flag and pens 0 to count - 1 pairwise equal.
    bool operator==(const SslHpglPens& other) const;
    /// The positions, from 0 to count - 1 in order, whose pens differ from `other`'s
    /// (a position past `other`'s count differs).  The on flag is not compared.
    std::vector<std::uint32_t> DifferingPens(const SslHpglPens& other) const;
    /// The flag or a pen differs.
    bool operator!=(const SslHpglPens& other) const { return !(*this == other); }

    // Generic interface: the member number selects the pen (0 to 255), the element
    // number the pen's member; member count, types, names and keywords are those
    // of HpglPen.
    unsigned int SetString(const std::string& text, std::uint32_t member,
                           std::uint32_t element) override;
    std::string GetString(std::uint32_t member, std::uint32_t element) const override;
    std::uint32_t GetArrayCount() const override { return kPenSlots; }
    /// "Pen %02d".
    TString GetArrayElementName(std::uint32_t element) override;
    std::uint32_t GetContainedMemberCount() const override { return HpglPen::kMemberCount; }
    std::uint32_t GetContainedType(std::uint32_t member) const override;
    std::uint32_t GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                              const RCStatementInfluencingCapaRefined* capas) const override;
    TString GetSubStatementName(std::uint32_t member) override;

protected:
    /// A table of `penCount` pens numbered from `firstPenNumber` whose pens start as
    /// `defaults` (a table that lives as long as the program and never changes).
    SslHpglPens(std::uint32_t statementType, TString name, std::uint32_t firstPenNumber,
                std::uint32_t penCount, const TPenTable& defaults);
    /// Whether the pen text carries the page.
    virtual unsigned int WritesPage() const { return 1; }
    /// Index of pen number `pen`, or kPenSlots when it is not one of the table's.
    std::uint32_t IndexOf(std::uint32_t pen) const;
    /// Applies `set` to every pen of the range; see the setters.
    template <typename Setter>
    unsigned int SetRange(std::uint32_t first, std::uint32_t last, Setter set);

private:
    /// The pen at position `index` (below kPenSlots).
    const HpglPen& Pen(std::uint32_t index) const;
    /// The pen at position `index` for changing: its own copy, made on first use.
    HpglPen& OwnPen(std::uint32_t index);
    /// Calls `visit(position)` for each position that DifferingPens lists, until it
    /// returns false; false when it did.
    template <typename Visit>
    bool VisitDifferingPens(const SslHpglPens& other, Visit visit) const;

    const TPenTable* m_pDefaultPens;
    /// The pens set since construction, by position, sorted by position.
    std::vector<std::pair<std::uint32_t, HpglPen>> m_aOwnPens;
    unsigned int m_bOn = 0;
    std::uint32_t m_nPenCount;
    std::uint32_t m_nFirstPenNumber;
};

/// The CalComp pen table (statement "CalcompPens"): 16 pens, written without pages.
class SslCalcompPens final
    : public TSslStatementImpl<SslCalcompPens, kId_SslCalcompPens, SslHpglPens> {
public:
    /// 16 pens numbered from 1.
    SslCalcompPens();

protected:
    unsigned int WritesPage() const override { return 0; }
};

/// The VIC pen table (statement "VicPens"): 256 pens, written without pages.
class SslVicPens final : public TSslStatementImpl<SslVicPens, kId_SslVicPens, SslHpglPens> {
public:
    /// 256 pens: width 0.254, black, saturations from the grey table.
    SslVicPens();

    /// Saturation of each pen of a new table.
    static const std::array<std::uint8_t, kPenSlots> m_anGreyTable;

protected:
    unsigned int WritesPage() const override { return 0; }
};
