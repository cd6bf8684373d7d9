// RCAccessSsl: which statements of a job ticket a user or caller may see and change.
//
// A set of 128 flags, one per statement identifier (flag n belongs to the statement
// with TSslStatementID n), held in four 32-bit words; identifiers 0..110 are in use,
// flags 111..127 are the unused statement flags.  The entry writer emits only the
// statements whose flag is set, entry merging takes over only permitted statements,
// and the job set passes a value through when it writes or delivers a job.
//
// External forms:
//   - text: the 16 bytes of the four little-endian words, "%02X" each (32 digits);
//   - old-style word: one bit per coarse group of statements (lossy);
//   - the tagged serialiser (RCSerializeBase, type 0, member 0: four TLong values);
//   - the old byte buffer (RCSerializable, object type 44, a 24-byte record).
//
//   RCAccessSsl access;                       // everything permitted
//   access.SetAllAccess(0);
//   access.SetCopiesAccess(1);
//   TString text = access.ToString();         // "8000..." (32 digits)
//
// A value type without shared state; callers synchronise use of one instance.
#pragma once

#include <array>
#include <cstdint>

#include "ssl2/SSLStatements/SslStatement.h"
#include "ssl2/base/RCSerializeBase.h"
#include "ssl2/base/TString.h"

// Declares the getter and setter of one statement's flag.
#define SSL2_ACCESS_ACCESSORS(name, cls)      \
    unsigned int Get##name##Access() const {  \
        return GetAccess(kId_##cls);          \
    }                                         \
    void Set##name##Access(unsigned int on) { \
        SetAccess(kId_##cls, on);             \
    }

/// Which statements of a job ticket a user or caller may see and change: one flag
/// per statement identifier (128 flags, 0..110 in use).  A value type without
/// shared state.
class RCAccessSsl : public RCSerializable, public RCSerializeBase {
public:
    /// Object type of the old byte-buffer form.
    static constexpr std::uint32_t kObjectType = 44;
    /// Size of the record OldSerialize writes.
    static constexpr std::uint32_t kOldRecordSize = 24;

    /// Full access: all 128 flags set, the unused ones included.
    RCAccessSsl();
    ///@{
    /// Copies all 128 flags.
    RCAccessSsl(const RCAccessSsl&) = default;
    RCAccessSsl& operator=(const RCAccessSsl&) = default;
    ///@}
    ~RCAccessSsl() override = default;

    /// Word-by-word comparison of all 128 flags; 1 or 0.
    unsigned int operator==(const RCAccessSsl& other) const;
    /// 1 when any flag differs, else 0.
    unsigned int operator!=(const RCAccessSsl& other) const { return *this == other ? 0 : 1; }
    ///@{
    /// Flag by flag: permitted by either (|) or by both (&).
    RCAccessSsl& operator|=(const RCAccessSsl& other);
    RCAccessSsl& operator&=(const RCAccessSsl& other);
    RCAccessSsl operator|(const RCAccessSsl& other) const;
    RCAccessSsl operator&(const RCAccessSsl& other) const;
    ///@}
    /// The complement of every flag, the unused ones included.
    RCAccessSsl operator~() const;

    /// True when all 128 flags are set (the unused flags count).
    bool HasFullAccess() const;
    /// True when any flag is set.
    bool HasAnyAccess() const;
    /// Sets (non-zero) or clears (zero) all 128 flags.
    void SetAllAccess(unsigned int on);
    /// Sets (non-zero) or clears (zero) the flag of `id`.  Identifiers above 127
    /// have no flag and are ignored.
    void SetAccess(TSslStatementID id, unsigned int on);
    /// 1 when the flag of `id` is set, else 0 (also for identifiers above 127).
    unsigned int GetAccess(TSslStatementID id) const;
    /// Sets or clears flags 111..127 only.
    void SetUnusedStatementAccess(unsigned int on);

    // Get<Name>Access / Set<Name>Access for every statement but SslError,
    // SslVersion and SslOrdinal.
#define SSL2_ACCESS_PAIR(name, cls) SSL2_ACCESS_ACCESSORS(name, cls)
#include "ssl2/access/RCAccessSslTable.def"

    /// The flags of every statement 0..110 whose statement type equals `type`; an
    /// invalid statement type selects nothing.  Unused flags are clear.
    static RCAccessSsl GenerateAccessValueForStatementType(SslStatement::TStatementType type);

    /// The 16 bytes in memory order as 32 upper-case hexadecimal digits.
    TString ToString() const;
    /// Reads the text form.  Accepts 16 (words 0-1), 24 (words 0-2) or 32, 40 or 48
    /// characters (all words; characters past the 32nd are ignored); the digits read
    /// must all be hexadecimal.  Returns 0 and changes nothing otherwise.  Words the
    /// text does not cover keep their values.
    unsigned int FromString(const TString& text);

    /// The old-style group word (one bit per statement group, bit 0x1 never set).
    std::uint32_t ToOldStyle() const;
    /// Sets or clears every statement group from its old-style bit and clears the
    /// statements the old form cannot express; other flags keep their values.
    void FromOldStyle(std::uint32_t oldStyle);
    /// ToOldStyle() in decimal.
    TString ToOldStyleString() const;
    /// Reads a decimal number (leading blanks and a sign allowed, as strtoul on a
    /// 32-bit platform) and applies FromOldStyle; 0 and no change when no digit.
    unsigned int FromOldStyleString(const TString& text);

    /// Writes the 24-byte old record (object type, total length, 16 flag bytes) into
    /// `buffer` as far as it fits within `size`; returns 24 also without a buffer,
    /// so that a caller can ask for the size first.
    std::uint32_t OldSerialize(std::uint8_t* buffer, std::uint32_t size) const;
    /// Reads an old record; returns its stored length.  A stored length of 16 takes
    /// words 0-1 and clears 2-3, 20 takes words 0-2 and clears 3, 24/28/32 take all
    /// words; any other length changes nothing.  Raises "SslErrors" 6 and changes
    /// nothing when `size` is below 8 or below the stored length (or no buffer).
    std::uint32_t OldDeSerialize(const std::uint8_t* buffer, std::uint32_t size);

    // --- serialisation through RCSerializeBase ----------------------------------
    ///@{
    /// The wire form through RCSerializeBase: data type MakeDataTypeId(17, 0), the
    /// member table list and the functions that write and read each member.
    static std::uint32_t GetClassDataType() {
        return MakeDataTypeId(17, 0);
    }
    std::uint32_t GetDataType() const override {
        return GetClassDataType();
    }
    const _TIDFunctionTableList* GetFunctionTableList() const override {
        return &m_IDFunctionTableList;
    }
    void Ser_m_AccessValue(RSDataEntry* entry) const;
    void DeSer_m_AccessValue(const RSDataEntry* entry);
    static void Static_Ser_m_AccessValue(RSDataEntry* entry, const RCSerializeBase* object);
    static void Static_DeSer_m_AccessValue(const RSDataEntry* entry, RCSerializeBase* object);

    /// Member tuples (constant-initialised, so usable before any dynamic
    /// initialisation runs) and the table list that points at them.
    static const _TIDFunctionTuple m_IDFunciontArray[];
    static const _TIDFunctionTableList m_IDFunctionTableList;
    ///@}

private:
    SSL2_ACCESS_ACCESSORS(Ordinal, SslOrdinal)

    std::array<std::uint32_t, 4> m_AccessValue;
};

#undef SSL2_ACCESS_ACCESSORS
