// SslSize: the size value shared by the OutputSize, PaperSize and Zoom statements,
// the job flag sheet and the entry computations.
//
// A size is given by a named standard format (family and format, e.g. DIN A4), by
// width and height in a unit, or by a mode (auto, manual, original, ...).  It has
// its own small generic member interface (six members) that the size statements
// pass through, its SSL text forms (ToString modes 0 display, 1 statement, 2 zoom)
// and its plot configuration lines (ToCfg).
//
// The format sort order (which default format a new size gets) is process-wide;
// everything else is a plain value without locks.
#pragma once

#include <cstdint>

#include "ssl2/SSLStatements/SslUnit.h"

namespace VEMTO {
/// Which standard format a newly constructed size starts with.
enum TFormatSortOrder : std::uint32_t {
    kFormatSortDin = 0,   ///< DIN A4, 210 x 297
    kFormatSortAnsi = 1,  ///< ANSI A, 215.9 x 279.4
    kFormatSortAsia = 2,  ///< Asia b5, 182 x 257
};
}  // namespace VEMTO

/// A size: a named standard format (family and format, e.g. DIN A4), width and
/// height in a unit, or a mode (auto, manual, original, ...).  Shared by the size
/// statements, the job flag sheet and the entry computations.
class SslSize : public RCSerializeBase {
public:
    /// Size types (m_idxSizeType).
    enum TSizeType : std::uint32_t {
        kAuto = 0,              ///< the server chooses
        kFormat = 1,            ///< a standard format
        kProportional = 2,      ///< width or height, the other kept in proportion
        kUnproportional = 3,    ///< width and height
        kManual = 4,            ///< set by the operator
        kPercent = 5,           ///< zoom factors in percent
        kOriginal = 6,          ///< the file's own size
        kScaleToFitRoll = 7,    ///< scaled to the roll width
        kFitToPrintWindow = 8,  ///< fitted into a standard format's print window
    };
    static constexpr std::uint32_t kMaxSizeType = kFitToPrintWindow;  ///< the largest size type
    static constexpr std::uint32_t kFamilyCount = 5;                  ///< format families
    static constexpr std::uint32_t kMaxFormatsPerFamily = 21;  ///< formats per family, at most
    static constexpr std::uint32_t kMemberCount = 6;           ///< generic members
    static constexpr double kMinLength = 1.0;                  ///< the shortest width or height
    static constexpr double kMaxLength = 60000.0;              ///< the longest width or height

    /// Approximate size of a standard format in whole millimetres.
    struct RSApproxSize {
        std::int32_t x;  ///< width
        std::int32_t y;  ///< height
    };

    /// Size type 0, no unit, and the default format of the current sort order.
    SslSize();
    ///@{
    /// Copies every field.
    SslSize(const SslSize&) = default;
    SslSize& operator=(const SslSize&) = default;
    SslSize(SslSize&&) = default;
    SslSize& operator=(SslSize&&) = default;
    ///@}

    // --- values (setters: 1 taken, 0 refused and nothing changed) -------------------
    // A size of a standard format (types 1 and 8) reports the format's width and
    // height: each of the next three setters leaves such a size with the dimensions
    // of its family and format, in millimetres.
    /// Refused above 8.
    unsigned int SetSizeType(std::uint32_t type);
    /// Refused above 4; a format beyond the new family's largest is lowered to it.
    unsigned int SetFormatName(std::uint32_t family);
    /// Refused above the current family's largest format index.
    unsigned int SetFormat(std::uint32_t format);
    /// Refused unless 1.0 <= value <= 60000.0; the size type becomes 2
    /// (proportional) unless it is 3 (unproportional) or 5 (percent).
    ///@{
    unsigned int SetWidth(double width);
    unsigned int SetHeight(double height);
    ///@}
    /// The unit of width and height; returns 1.
    unsigned int SetSizeUnit(const SslUnit& unit);

    /// The size type (TSizeType).
    std::uint32_t GetSizeType() const { return m_idxSizeType; }
    /// The format family, 0 to 4 (m_asFormatNames).
    std::uint32_t GetFormatName() const { return m_idxFormatName; }
    /// The format index within the family.
    std::uint32_t GetFormat() const { return m_idxFormat; }
    /// Format code: the family's code base plus the format index (DIN A4 is 104).
    std::uint32_t GetFormatCode() const;
    /// The unit of width and height.
    const SslUnit& GetSizeUnit() const { return m_Unit; }
    ///@{
    /// Width and height in the size's unit (a format's in millimetres).
    double GetWidth() const { return m_Width; }
    double GetHeight() const { return m_Height; }
    ///@}

    /// The approximate size of format `format` of family `family` in whole
    /// millimetres; (0, 0) outside the table.
    static RSApproxSize ApproxFormatSize(std::uint32_t family, std::uint32_t format);

    /// Equal size type, family, format, unit, width and height (doubles exactly).
    bool operator==(const SslSize& other) const;
    /// Any of them differs.
    bool operator!=(const SslSize& other) const { return !(*this == other); }

    /// The size text: mode 0 for display, 1 for the OutputSize and PaperSize
    /// statements, 2 for the Zoom statement.  `flag` non-zero writes size type 8
    /// as "fittoprintwindow <family> <format>" in mode 1; mode 2 always does.
    TString ToString(unsigned char mode, unsigned int flag) const;
    /// Plot configuration lines; flag 0 for the output size, 1 for the zoom.
    TString ToCfg(unsigned int flag) const;
    /// Converts width and height of sizes of type 2 and 3 with RCUnit::Convert, from
    /// the size's own unit when it names one, else from `fromUnit`; in every case the
    /// unit becomes "no unit".
    void ConvertUnit(std::uint32_t fromUnit, std::uint32_t toUnit, std::uint32_t resolution);

    // --- generic member interface ----------------------------------------------------
    ///@{
    /// The generic member interface that the size statements pass through.
    /// Members: 0 size type, 1 unit, 2 format family, 3 format (as a format code),
    /// 4 width, 5 height.
    std::uint32_t GetContainedMemberCount() const { return kMemberCount; }
    std::uint32_t GetContainedType(std::uint32_t member) const;
    TString GetSubStatementName(std::uint32_t member) const;
    std::uint32_t GetKeywords(const RSIndexString*& keywords, std::uint32_t member) const;
    std::string GetString(std::uint32_t member) const;
    ///@}
    /// Member 3 takes a format code of the current family (set the family first).
    unsigned int SetString(const std::string& text, std::uint32_t member);

    // --- process-wide default format ---------------------------------------------
    ///@{
    /// Which standard format new sizes start with, for the whole process.
    static VEMTO::TFormatSortOrder GetFormatSortOrder();
    static void SetFormatSortOrder(VEMTO::TFormatSortOrder order);
    ///@}

    // --- tables ---------------------------------------------------------------------
    /// The SSL keywords of the size types.
    static const TString m_asSizeTypes[kMaxSizeType + 1];
    /// The plot configuration values of size types 0 to 6.
    static const TString m_asCfgSizeTypes[7];
    /// The format family names.
    static const TString m_asFormatNames[kFamilyCount];
    /// The largest format index of each family.
    static const std::uint32_t m_MaxFormatIdx[kFamilyCount];
    /// The format-code base of each family (100, 200, ... 500).
    static const std::uint32_t m_anFormatModifierPy[kFamilyCount];
    /// The format names by family and index.
    static const TString m_aasFormats[kFamilyCount][kMaxFormatsPerFamily];
    /// The approximate format sizes by family and index, in whole millimetres.
    static const RSApproxSize m_aaApproxFormatSizes[kFamilyCount][kMaxFormatsPerFamily];
    /// The size types for user interfaces.
    static const RSIndexString m_asSizeTypesPy[kMaxSizeType + 1];
    /// The units for user interfaces (SslUnit::m_asUnitsPy).
    static const RSIndexString* const m_asUnitsPy;
    /// The families for user interfaces.
    static const RSIndexString m_asFormatNamesPy[kFamilyCount];
    /// The formats for user interfaces, by format code.
    static const RSIndexString m_asFormatsPy[40];
    /// Formats offered by GetKeywords: all but the last four of m_asFormatsPy.
    static constexpr std::uint32_t kOfferedFormatCount = 36;
    static const TString m_asMemberNames[kMemberCount];  ///< generic member names
    static const TString m_sCfgNameMode;                 ///< the configuration key "SCALEMODE"
    static const TString m_sCfgNameAux1;                 ///< the configuration key "SCALEAUX1"
    static const TString m_sCfgNameAux2;                 ///< the configuration key "SCALEAUX2"

    // --- serialisation (type number 4) ---------------------------------------------
    ///@{
    static constexpr std::uint32_t kTypeNumber = 4;
    /// The wire form through RCSerializeBase: data type MakeDataTypeId(17, 4), the
    /// member table list and the functions that write and read each member.
    static std::uint32_t GetClassDataType() { return MakeDataTypeId(17, kTypeNumber); }
    std::uint32_t GetDataType() const override { return GetClassDataType(); }
    const _TIDFunctionTableList* GetFunctionTableList() const override {
        return &InitFunctionTableList();
    }
    static const _TIDFunctionTableList& InitFunctionTableList();
    static const _TIDFunctionTuple m_IDFunciontArray[];
    SSL2_SER_MEMBER_DECLARE(m_idxSizeType)
    SSL2_SER_MEMBER_DECLARE(m_idxFormatName)
    SSL2_SER_MEMBER_DECLARE(m_idxFormat)
    SSL2_SER_MEMBER_DECLARE(m_Unit)
    SSL2_SER_MEMBER_DECLARE(m_Width)
    SSL2_SER_MEMBER_DECLARE(m_Height)
    ///@}

private:
    /// For a format size (types 1 and 8): width and height become the format's.
    void TakeFormatDimensions();
    /// "family format", e.g. "DIN A4" (the family name is empty for family 4).
    TString FamilyAndFormat() const;
    /// Width and height with three decimals (more only where three would change
    /// the value), each followed by a blank.
    TString WidthAndHeight() const;
    /// A window's statement text: its type keyword, width, height and unit, in
    /// millimetres when the size is in vemto.
    TString WindowText() const;

    std::uint32_t m_idxSizeType = kAuto;
    std::uint32_t m_idxFormatName = 0;
    std::uint32_t m_idxFormat = 4;
    SslUnit m_Unit;
    double m_Width = 210.0;
    double m_Height = 297.0;
};
