// SslUnit: the unit in which lengths of a job are given (mm, inch, pixel, ...).
//
// A small serialisable value used by SslSize, the Units statement and the job
// entry's unit conversions.  Plain value; no locks.
#pragma once

#include <cstdint>

#include "ssl2/SSLStatements/SslSerialMembers.h"
#include "ssl2/SSLStatements/SslStatement.h"
#include "ssl2/base/TString.h"

/// The unit in which lengths of a job are given (mm, cm, inch, pixel, vemto,
/// points, or none).
class SslUnit : public RCSerializeBase {
public:
    /// Unit indices; the values of m_idxUnit.
    enum RCSslUnits : std::uint32_t {
        kNone = 0,    ///< no unit given
        kMm = 1,      ///< millimetres
        kCm = 2,      ///< centimetres
        kInch = 3,    ///< inches
        kPixel = 4,   ///< pixels at the job's resolution
        kVemto = 5,   ///< vemto
        kPoints = 6,  ///< points
    };
    /// The largest unit index.
    static constexpr std::uint32_t kMaxUnit = kPoints;

    SslUnit() = default;
    /// A unit of `index`; an index above 6 gives the empty unit.
    explicit SslUnit(std::uint32_t index) { Set(index); }
    ///@{
    /// Copies the unit index.
    SslUnit(const SslUnit&) = default;
    SslUnit& operator=(const SslUnit&) = default;
    SslUnit(SslUnit&&) = default;
    SslUnit& operator=(SslUnit&&) = default;
    ///@}

    /// Refused (0) above 6; else stored and 1.
    unsigned int Set(std::uint32_t index);
    /// The unit index (RCSslUnits).
    std::uint32_t Get() const { return m_idxUnit; }
    /// The unit keyword ("mm", "inch", ...; empty for no unit).
    TString ToString() const { return m_asUnits[m_idxUnit]; }
    /// The RCUnit::Convert code that lengths in this unit are converted from: points
    /// count as pixels (at the resolution of the conversion), no unit as millimetres.
    std::uint32_t GetConversionCode() const;

    ///@{
    /// Compare the unit indices.
    bool operator==(const SslUnit& other) const { return m_idxUnit == other.m_idxUnit; }
    bool operator!=(const SslUnit& other) const { return !(*this == other); }
    bool operator<(const SslUnit& other) const { return m_idxUnit < other.m_idxUnit; }
    ///@}

    /// Unit keywords by index.
    static const TString m_asUnits[kMaxUnit + 1];
    /// The seven units for user interfaces (value = index, text = keyword).
    static const RSIndexString m_asUnitsPy[kMaxUnit + 1];

    // --- serialisation (type number 5) ---------------------------------------------
    ///@{
    static constexpr std::uint32_t kTypeNumber = 5;
    /// The wire form through RCSerializeBase: data type MakeDataTypeId(17, 5), the
    /// member table list and the functions that write and read each member.
    static std::uint32_t GetClassDataType() { return MakeDataTypeId(17, kTypeNumber); }
    std::uint32_t GetDataType() const override { return GetClassDataType(); }
    const _TIDFunctionTableList* GetFunctionTableList() const override {
        return &InitFunctionTableList();
    }
    static const _TIDFunctionTableList& InitFunctionTableList();
    static const _TIDFunctionTuple m_IDFunciontArray[];
    SSL2_SER_MEMBER_DECLARE(m_idxUnit)
    ///@}

private:
    std::uint32_t m_idxUnit = kNone;
};
