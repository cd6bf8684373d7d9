// The selection families of statements.
//
// SslSelectionStatement: the value is an index into the class's table of SSL
// keywords, written as `Name keyword` (`Rotate 90`).  Each class also offers a
// user-interface list (value and display text) through GetKeywords; a few narrow
// that list to what the target plotters can do.  The text interface
// (SetString/GetString) carries the index in decimal, not the keyword.
// Selection statements are serialisable (type number 3: m_Index, m_MaxIndex).
//
// SslSelectionOptionStatement adds a bit set of options, written after the
// keyword (`PlotIt on 2`).
//
// The job entry holds one object of each concrete class.  Plain values, no locks;
// a capability-dependent GetKeywords changes the statement's keyword cache.
#pragma once

#include <string>

#include "ssl2/SSLStatements/SslStatement.h"
#include "ssl2/base/RCSerializeBase.h"

/// The base of the keyword statements: an index into the class's keyword table,
/// from 0 to the largest index, written as `Name keyword`.
class SslSelectionStatement : public SslStatement, public RCSerializeBase {
public:
    /// Keywords of every on/off statement: "off", "on".
    static const TString m_asOffOn[2];
    /// The 18 position keywords, "unknown" to "semiautomatic".
    static const TString m_asPositions[18];

    /// `Name keyword`.
    TString ToString() const override;
    /// Reads a decimal index (as strtol does; no digit reads 0) and passes it to Set.
    unsigned int SetString(const std::string& text, std::uint32_t member,
                           std::uint32_t element) override;
    /// Get() in decimal.
    std::string GetString(std::uint32_t member, std::uint32_t element) const override;

    /// Stores `index` and returns 1, or returns 0 when it exceeds the largest index.
    virtual unsigned int Set(std::uint32_t index);
    /// The index.
    virtual std::uint32_t Get() const;
    using SslStatement::GetKeywords;
    /// The user-interface list, narrowed to `capas` where the class depends on
    /// capabilities (`capas` may be null).  Points `keywords` at the list and
    /// returns its length; a list built for `capas` lives in the keyword cache.
    virtual std::uint32_t GetKeywords(const RSIndexString*& keywords,
                                      const RCStatementInfluencingCapaRefined* capas) const = 0;

    /// The SSL keyword at the current index (empty for an index without one).
    const TString& GetKeyword() const { return KeywordAt(m_Index); }

    /// Copies index, largest index and keyword table.
    SslSelectionStatement& operator=(const SslSelectionStatement& other);
    /// The same index.
    bool operator==(const SslSelectionStatement& other) const { return m_Index == other.m_Index; }
    /// True when the index of `a` is below that of `b`; both must be selection
    /// statements.
    static bool IsSmaller(const SslStatement& a, const SslStatement& b);

    // --- serialisation (type number 3) -------------------------------------------
    ///@{
    /// The wire form through RCSerializeBase: data type MakeDataTypeId(17, 3), the
    /// member table list and the functions that write and read each member.
    static std::uint32_t GetClassDataType() { return MakeDataTypeId(17, 3); }
    std::uint32_t GetDataType() const override { return GetClassDataType(); }
    const _TIDFunctionTableList* GetFunctionTableList() const override;
    /// The table list record: this class's members, chained to RCSerializeBase's.
    static _TIDFunctionTableList InitFunctionTableList();

    void Ser_m_Index(RSDataEntry* entry) const;
    /// Takes the stored index only when Set accepts it, so that stored data never
    /// selects an index outside the keyword table.
    void DeSer_m_Index(const RSDataEntry* entry);
    void Ser_m_MaxIndex(RSDataEntry* entry) const;
    /// Reads the stored largest index; the class's own limit stays in force.
    void DeSer_m_MaxIndex(const RSDataEntry* entry);
    static void Static_Ser_m_Index(RSDataEntry* entry, const RCSerializeBase* object);
    static void Static_DeSer_m_Index(const RSDataEntry* entry, RCSerializeBase* object);
    static void Static_Ser_m_MaxIndex(RSDataEntry* entry, const RCSerializeBase* object);
    static void Static_DeSer_m_MaxIndex(const RSDataEntry* entry, RCSerializeBase* object);

    static const _TIDFunctionTuple m_IDFunciontArray[];
    static const _TIDFunctionTableList m_IDFunctionTableList;
    ///@}

protected:
    /// The index starts at 0 and the keyword table is unset; the class then sets
    /// its keyword table and default index.
    SslSelectionStatement(std::uint32_t statementType, std::uint32_t maxIndex, TString name)
        : SslStatement(statementType, std::move(name)), m_MaxIndex(maxIndex) {}
    ///@{
    /// Copies name, type, index, largest index and keyword table.
    SslSelectionStatement(const SslSelectionStatement&) = default;
    SslSelectionStatement(SslSelectionStatement&&) = default;
    ///@}

    /// The keyword at `index`, or the empty text when the class has no keyword there.
    const TString& KeywordAt(std::uint32_t index) const;

    std::uint32_t m_Index = 0;              ///< the selected index
    std::uint32_t m_MaxIndex;               ///< the largest index Set accepts
    const TString* m_psKeywords = nullptr;  ///< the class's keyword table, if any
};

/// A selection (mostly on/off) with an options word, written as
/// `Name keyword options`.
class SslSelectionOptionStatement : public SslSelectionStatement {
public:
    /// `Name keyword options`, the options in unsigned decimal.
    TString ToString() const override;
    /// `Name keyword`.
    TString ToStringNoOption() const { return SslSelectionStatement::ToString(); }
    /// With the options when they are non-zero, else without.
    TString ToStringAutoOption() const { return m_nOptions ? ToString() : ToStringNoOption(); }

    /// Sets the bits of `option` and returns 1; 0 and no change when it exceeds the
    /// largest option.
    unsigned int AddOption(std::uint32_t option);
    /// Clears the bits of `option` when it does not exceed the largest option;
    /// returns 1 in every case.
    unsigned int RemoveOption(std::uint32_t option);
    /// True when every bit of `option` is set.
    bool HasOption(std::uint32_t option) const { return (m_nOptions & option) == option; }
    /// Stores any bit set; returns 1.
    unsigned int SetOptions(std::uint32_t options) {
        m_nOptions = options;
        return 1;
    }
    /// The options word.
    std::uint32_t GetOptions() const { return m_nOptions; }

    /// Copies the selection, the options and the largest option.
    SslSelectionOptionStatement& operator=(const SslSelectionOptionStatement& other);
    /// The same index and options.
    bool operator==(const SslSelectionOptionStatement& other) const {
        return m_Index == other.m_Index && m_nOptions == other.m_nOptions;
    }

protected:
    /// Index 0 of 0 to `maxIndex`, no options, options up to `maxOption`.
    SslSelectionOptionStatement(std::uint32_t statementType, std::uint32_t maxIndex,
                                std::uint32_t maxOption, TString name)
        : SslSelectionStatement(statementType, maxIndex, std::move(name)),
          m_nMaxOption(maxOption) {}
    ///@{
    /// Copies the selection and the options.
    SslSelectionOptionStatement(const SslSelectionOptionStatement&) = default;
    SslSelectionOptionStatement(SslSelectionOptionStatement&&) = default;
    ///@}

    std::uint32_t m_nOptions = 0;  ///< the options word
    std::uint32_t m_nMaxOption;    ///< the largest option AddOption accepts
};
