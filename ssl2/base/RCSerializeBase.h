// Member-by-member serialisation of persistent classes.
//
// A serialisable class derives from RCSerializeBase, names its type with
// GetDataType() (MakeDataTypeId(17, type number) for this library) and lists its
// members in a static table of {member id, deserialise, serialise} tuples ended by
// a record of zeros.  The table list chains to the table list of the serialisable
// base class, so a derived class stores its base's members too.
//
// Wire form (little-endian): data type, number of tables; per table: its data
// type and member count; per member: id, kind, value count, values.  Readers skip
// tables and members they do not know (version tolerance) and raise a
// RMCBaseErrors error for data of another type, a member of the wrong kind or data
// that ends early.  Never crashes on malformed input.
//
//   class SslUnit : public RCSerializeBase { ... };
//   std::vector<std::uint8_t> bytes = unit.Serialize();
//   SslUnit copy; copy.DeSerialize(bytes);
#pragma once

#include <cstdint>
#include <span>
#include <vector>

class RCSerializeBase;
class TString;

/// One serialised member: its id, the kind of its values and the values' bytes.
struct RSDataEntry {
    /// The kind of a member's values.
    enum TKind : std::uint8_t {
        kNone = 0,     ///< no values
        kTLong = 1,    ///< unsigned 32-bit
        kTSLong = 2,   ///< signed 32-bit
        kTReal = 3,    ///< IEEE double
        kTBool = 4,    ///< one byte, 0 or 1
        kObject = 5,   ///< a nested serialised object
        kTString = 6,  ///< one text: the bytes of a TString
    };
    std::uint32_t m_nId = 0;            ///< the member id of the class's table
    TKind m_nKind = kNone;              ///< the kind of every value
    std::uint32_t m_nCount = 0;         ///< the number of values
    std::vector<std::uint8_t> m_aData;  ///< the values in wire form, little-endian
};

/// The base of every class with the member-by-member wire form: Serialize and
/// DeSerialize walk the class's table list of member functions.
class RCSerializeBase {
public:
    /// Writes one member of the object into the entry.
    using TSerFunction = void (*)(RSDataEntry*, const RCSerializeBase*);
    /// Reads one member of the object from the entry.
    using TDeSerFunction = void (*)(const RSDataEntry*, RCSerializeBase*);

    /// One member of a class's table; a record of zeros ends the table.
    struct _TIDFunctionTuple {
        std::uint32_t m_nId;            ///< the member id written with the member
        TDeSerFunction m_pDeSerialize;  ///< reads the member
        TSerFunction m_pSerialize;      ///< writes the member
    };
    /// A class's member table and the table list of its serialisable base.
    struct _TIDFunctionTableList {
        std::uint32_t m_nDataType;           ///< the class's data type (GetDataType)
        const _TIDFunctionTuple* m_pTuples;  ///< the member table
        const _TIDFunctionTableList*
            m_pBase;  ///< the base class's list; the end: GetBaseFunctionTableList
    };

    virtual ~RCSerializeBase() = default;
    /// The data type written first and checked by DeSerialize
    /// (MakeDataTypeId(17, type number) for this library's classes).
    virtual std::uint32_t GetDataType() const = 0;
    /// The class's table list, from the most derived class down to the end of the
    /// chain.
    virtual const _TIDFunctionTableList* GetFunctionTableList() const = 0;

    /// A data type: the module number in the high 16 bits, the type in the low 16.
    static constexpr std::uint32_t MakeDataTypeId(std::uint16_t module, std::uint16_t type) {
        return (std::uint32_t{module} << 16) | type;
    }
    /// The table list of RCSerializeBase itself: no members, end of every chain.
    static const _TIDFunctionTableList* GetBaseFunctionTableList();

    /// The whole object in wire form.
    std::vector<std::uint8_t> Serialize() const;
    /// Reads an object written by Serialize into this one.
    void DeSerialize(std::span<const std::uint8_t> data);

    ///@{
    /// Value conversions for the member functions: write `count` values (a nested
    /// object, a text) of one kind into `entry`, replacing its kind, count and data.
    static void SerializeAsTLong(RSDataEntry* entry, const std::uint32_t* values,
                                 std::uint32_t count = 1);
    static void SerializeAsTSLong(RSDataEntry* entry, const std::int32_t* values,
                                  std::uint32_t count = 1);
    static void SerializeAsTReal(RSDataEntry* entry, const double* values, std::uint32_t count = 1);
    static void SerializeAsTBool(RSDataEntry* entry, const bool* values, std::uint32_t count = 1);
    static void SerializeAsObject(RSDataEntry* entry, const RCSerializeBase& object);
    static void SerializeAsTString(RSDataEntry* entry, const TString& text);
    ///@}
    ///@{
    /// The twins: read `count` values of one kind from `entry`.  They raise
    /// RMCBaseErrors kSerialKind on a kind mismatch and kSerialTruncated when the
    /// entry holds fewer than `count` values.
    static void DeSerializeAsTLong(const RSDataEntry* entry, std::uint32_t* values,
                                   std::uint32_t count = 1);
    static void DeSerializeAsTSLong(const RSDataEntry* entry, std::int32_t* values,
                                    std::uint32_t count = 1);
    static void DeSerializeAsTReal(const RSDataEntry* entry, double* values,
                                   std::uint32_t count = 1);
    static void DeSerializeAsTBool(const RSDataEntry* entry, bool* values, std::uint32_t count = 1);
    static void DeSerializeAsObject(const RSDataEntry* entry, RCSerializeBase& object);
    static void DeSerializeAsTString(const RSDataEntry* entry, TString& text);
    ///@}

protected:
    ///@{
    /// Only derived classes make, copy and assign the base (it has no state).
    RCSerializeBase() = default;
    RCSerializeBase(const RCSerializeBase&) = default;
    RCSerializeBase& operator=(const RCSerializeBase&) = default;
    ///@}
};

/// Base of classes with the old byte-buffer form (an object type number and a
/// packed record written by the class itself).
class RCSerializable {
public:
    /// A class whose records carry `objectType`.
    explicit RCSerializable(std::uint32_t objectType) : m_nObjectType(objectType) {}
    virtual ~RCSerializable() = default;
    /// The object type number of the class's records.
    std::uint32_t GetObjectType() const { return m_nObjectType; }

    /// Appends `length` bytes of `source` at `position` of `buffer` when a buffer is
    /// given and they fit within `size`; always advances `position` by `length`, so a
    /// call without a buffer measures.  Returns true when the bytes were copied.
    static bool TryMemCpy(std::uint8_t* buffer, std::uint32_t& position, const void* source,
                          std::uint32_t length, std::uint32_t size);

protected:
    ///@{
    /// Only derived classes copy and assign the base.
    RCSerializable(const RCSerializable&) = default;
    RCSerializable& operator=(const RCSerializable&) = default;
    ///@}

private:
    std::uint32_t m_nObjectType;
};
