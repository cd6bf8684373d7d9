// SslOutputBin: the paper source of a print: "auto", "manual" or a numbered bin
// (`OutputBin Bin 3`, bin numbers 0 to 20).  Index and bin number travel packed
// in one 32-bit value: the database form (ToDB/FromDB: index in the high half)
// and the text form of SetString/GetString (index in the low half).  With
// capabilities, the user-interface list offers the target plotters' trays in the
// text form.  Serialisable (type number 2: m_BinNo, on top of the selection's
// members).
#pragma once

#include "ssl2/SSLStatements/SslSelectionStatements.h"

/// The paper source of a print: "auto", "manual" or a numbered bin (index 2, bin
/// numbers 0 to kMaxBinNo).
class SslOutputBin final : public TSslSelection<SslOutputBin, kId_SslOutputBin> {
public:
    /// The largest bin number.
    static constexpr std::uint32_t kMaxBinNo = 20;

    SslOutputBin() : TSslSelection(0, 2) {}

    SSL2_SEL_KEYWORDS("auto", "manual", "Bin ")
    SSL2_SEL_UI(SSL2_MSG(0, 66), SSL2_MSG(1, 67), SSL2_MSG(2, 68))
    /// The plot configuration key "INPUTBIN".
    inline static const TString m_sCfgName = "INPUTBIN";
    /// The plot configuration value of each index (a bin writes its number).
    inline static const TString m_asCfgKeywords[] = {"AUTO", "MANUAL", ""};

    /// `OutputBin keyword`; for a bin the number follows "Bin " directly.
    TString ToString() const override;
    /// `INPUTBIN = ...` (for a bin: the bin number) and CR LF.
    TString ToCfg() const;
    /// Reads the decimal text form and applies it as FromPCW does.
    unsigned int SetString(const std::string& text, std::uint32_t member,
                           std::uint32_t element) override;
    /// The text form in decimal.
    std::string GetString(std::uint32_t member, std::uint32_t element) const override;

    /// Selects bin `binNo` (index 2); 0 and no change beyond kMaxBinNo.
    unsigned int SetBinNo(std::uint32_t binNo);
    /// The bin number (meaningful at index 2).
    std::uint32_t GetBinNo() const { return m_BinNo; }

    /// Index in the high half, bin number (index 2 only) in the low half.
    std::uint32_t ToDB() const;
    /// Undoes ToDB: Set of the high half (0 when refused); for index 2 the low half
    /// must be a bin number (else 0, with the index already set), otherwise the bin
    /// number becomes 0.  Returns 1 on success.
    unsigned int FromDB(std::uint32_t value);

    /// Without capabilities "auto", "manual", "Bin".  With them "auto" only when they
    /// list no input tray; else "auto", "manual" once for manual trays, and each
    /// roll or cut-sheet tray as (ordinal << 16) | 2 with the tray's name (a list
    /// built in the keyword cache).
    std::uint32_t GetKeywords(const RSIndexString*& keywords,
                              const RCStatementInfluencingCapaRefined* capas) const override;

    /// The same object, or equal index and bin number.
    bool operator==(const SslOutputBin& other) const;
    /// Bin numbers when both select a bin, else the indices.
    static bool IsSmaller(const SslStatement& a, const SslStatement& b);

    // --- serialisation (type number 2) -------------------------------------------
    ///@{
    /// The wire form through RCSerializeBase: data type MakeDataTypeId(17, 2), the
    /// member table list and the functions that write and read each member.
    static std::uint32_t GetClassDataType() { return MakeDataTypeId(17, 2); }
    std::uint32_t GetDataType() const override { return GetClassDataType(); }
    const _TIDFunctionTableList* GetFunctionTableList() const override;
    static _TIDFunctionTableList InitFunctionTableList();
    void Ser_m_BinNo(RSDataEntry* entry) const;
    /// Takes a stored bin number only when it is a valid one.
    void DeSer_m_BinNo(const RSDataEntry* entry);
    static void Static_Ser_m_BinNo(RSDataEntry* entry, const RCSerializeBase* object);
    static void Static_DeSer_m_BinNo(const RSDataEntry* entry, RCSerializeBase* object);
    static const _TIDFunctionTuple m_IDFunciontArray[];
    static const _TIDFunctionTableList m_IDFunctionTableList;
    ///@}

protected:
    /// Index in the low half, bin number (index 2 only) in the high half.
    std::uint32_t ToPCW() const;
    /// Undoes ToPCW, as FromDB with the halves exchanged.
    unsigned int FromPCW(std::uint32_t value);

private:
    static constexpr std::uint32_t kBinIndex = 2;
    /// Applies an index and a bin number read from a packed value.
    unsigned int FromHalves(std::uint32_t index, std::uint32_t binNo);

    std::uint32_t m_BinNo = 0;
};
