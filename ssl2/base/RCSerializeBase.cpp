#include "ssl2/base/RCSerializeBase.h"

#include <cstring>

#include "ssl2/base/TException.h"
#include "ssl2/base/TMessage.h"

namespace {

[[noreturn]] void Truncated() {
    ThrowNewError(RMCBaseErrors(), RMCBaseErrors::kSerialTruncated);
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// Reads the wire form with bounds checks on every step.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> data) : m_data(data) {}
    std::uint32_t U32() {
        Need(4);
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= std::uint32_t{m_data[m_pos + i]} << (8 * i);
        m_pos += 4;
        return v;
    }
    std::uint8_t U8() {
        Need(1);
        return m_data[m_pos++];
    }
    std::span<const std::uint8_t> Bytes(std::size_t n) {
        Need(n);
        auto s = m_data.subspan(m_pos, n);
        m_pos += n;
        return s;
    }

private:
    void Need(std::size_t n) const {
        if (n > m_data.size() - m_pos)
            Truncated();
    }
    std::span<const std::uint8_t> m_data;
    std::size_t m_pos = 0;
};

template <typename T>
void PutValues(RSDataEntry* entry, RSDataEntry::TKind kind, const T* values, std::uint32_t count) {
    entry->m_nKind = kind;
    entry->m_nCount = count;
    entry->m_aData.clear();
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &values[i], sizeof(T));
        for (std::size_t b = 0; b < sizeof(T); ++b)
            entry->m_aData.push_back(static_cast<std::uint8_t>(bits >> (8 * b)));
    }
}

void CheckKind(const RSDataEntry* entry, RSDataEntry::TKind kind) {
    if (entry->m_nKind != kind)
        ThrowNewError(RMCBaseErrors(), RMCBaseErrors::kSerialKind, TString(entry->m_nId),
                      TString(entry->m_nKind), TString(kind));
}

template <typename T>
void GetValues(const RSDataEntry* entry, RSDataEntry::TKind kind, T* values, std::uint32_t count) {
    CheckKind(entry, kind);
    if (entry->m_nCount < count || entry->m_aData.size() < std::size_t{count} * sizeof(T))
        Truncated();
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint64_t bits = 0;
        for (std::size_t b = 0; b < sizeof(T); ++b)
            bits |= std::uint64_t{entry->m_aData[i * sizeof(T) + b]} << (8 * b);
        std::memcpy(&values[i], &bits, sizeof(T));
    }
}

constexpr RCSerializeBase::_TIDFunctionTuple kNoMembers[] = {{0, nullptr, nullptr}};
constexpr RCSerializeBase::_TIDFunctionTableList kBaseTableList = {0, kNoMembers, nullptr};

}  // namespace

const RCSerializeBase::_TIDFunctionTableList* RCSerializeBase::GetBaseFunctionTableList() {
    return &kBaseTableList;
}

std::vector<std::uint8_t> RCSerializeBase::Serialize() const {
    std::vector<std::uint8_t> out;
    PutU32(out, GetDataType());
    std::vector<const _TIDFunctionTableList*> tables;
    for (auto* t = GetFunctionTableList(); t; t = t->m_pBase)
        tables.push_back(t);
    PutU32(out, static_cast<std::uint32_t>(tables.size()));
    for (const auto* table : tables) {
        std::uint32_t count = 0;
        for (auto* m = table->m_pTuples; m && m->m_pSerialize; ++m)
            ++count;
        PutU32(out, table->m_nDataType);
        PutU32(out, count);
        for (auto* m = table->m_pTuples; m && m->m_pSerialize; ++m) {
            RSDataEntry entry;
            m->m_pSerialize(&entry, this);
            entry.m_nId = m->m_nId;
            PutU32(out, entry.m_nId);
            out.push_back(entry.m_nKind);
            PutU32(out, entry.m_nCount);
            PutU32(out, static_cast<std::uint32_t>(entry.m_aData.size()));
            out.insert(out.end(), entry.m_aData.begin(), entry.m_aData.end());
        }
    }
    return out;
}

void RCSerializeBase::DeSerialize(std::span<const std::uint8_t> data) {
    Reader in(data);
    const std::uint32_t type = in.U32();
    if (type != GetDataType())
        ThrowNewError(RMCBaseErrors(), RMCBaseErrors::kSerialType, TString(type),
                      TString(GetDataType()));
    const std::uint32_t tableCount = in.U32();
    for (std::uint32_t t = 0; t < tableCount; ++t) {
        const std::uint32_t tableType = in.U32();
        const std::uint32_t memberCount = in.U32();
        const _TIDFunctionTableList* table = GetFunctionTableList();
        while (table && table->m_nDataType != tableType)
            table = table->m_pBase;
        for (std::uint32_t m = 0; m < memberCount; ++m) {
            RSDataEntry entry;
            entry.m_nId = in.U32();
            entry.m_nKind = static_cast<RSDataEntry::TKind>(in.U8());
            entry.m_nCount = in.U32();
            const std::uint32_t size = in.U32();
            const auto bytes = in.Bytes(size);
            if (!table)
                continue;  // a table this version does not know
            entry.m_aData.assign(bytes.begin(), bytes.end());
            for (auto* f = table->m_pTuples; f && f->m_pDeSerialize; ++f) {
                if (f->m_nId == entry.m_nId) {
                    f->m_pDeSerialize(&entry, this);
                    break;
                }
            }
        }
    }
}

void RCSerializeBase::SerializeAsTLong(RSDataEntry* entry, const std::uint32_t* values,
                                       std::uint32_t count) {
    PutValues(entry, RSDataEntry::kTLong, values, count);
}
void RCSerializeBase::SerializeAsTSLong(RSDataEntry* entry, const std::int32_t* values,
                                        std::uint32_t count) {
    PutValues(entry, RSDataEntry::kTSLong, values, count);
}
void RCSerializeBase::SerializeAsTReal(RSDataEntry* entry, const double* values,
                                       std::uint32_t count) {
    PutValues(entry, RSDataEntry::kTReal, values, count);
}
void RCSerializeBase::SerializeAsTBool(RSDataEntry* entry, const bool* values,
                                       std::uint32_t count) {
    entry->m_nKind = RSDataEntry::kTBool;
    entry->m_nCount = count;
    entry->m_aData.assign(count, 0);
    for (std::uint32_t i = 0; i < count; ++i)
        entry->m_aData[i] = values[i] ? 1 : 0;
}
void RCSerializeBase::SerializeAsObject(RSDataEntry* entry, const RCSerializeBase& object) {
    entry->m_nKind = RSDataEntry::kObject;
    entry->m_nCount = 1;
    entry->m_aData = object.Serialize();
}

void RCSerializeBase::SerializeAsTString(RSDataEntry* entry, const TString& text) {
    entry->m_nKind = RSDataEntry::kTString;
    entry->m_nCount = 1;
    entry->m_aData.assign(text.str().begin(), text.str().end());
}

void RCSerializeBase::DeSerializeAsTLong(const RSDataEntry* entry, std::uint32_t* values,
                                         std::uint32_t count) {
    GetValues(entry, RSDataEntry::kTLong, values, count);
}
void RCSerializeBase::DeSerializeAsTSLong(const RSDataEntry* entry, std::int32_t* values,
                                          std::uint32_t count) {
    GetValues(entry, RSDataEntry::kTSLong, values, count);
}
void RCSerializeBase::DeSerializeAsTReal(const RSDataEntry* entry, double* values,
                                         std::uint32_t count) {
    GetValues(entry, RSDataEntry::kTReal, values, count);
}
void RCSerializeBase::DeSerializeAsTBool(const RSDataEntry* entry, bool* values,
                                         std::uint32_t count) {
    CheckKind(entry, RSDataEntry::kTBool);
    if (entry->m_nCount < count || entry->m_aData.size() < count)
        Truncated();
    for (std::uint32_t i = 0; i < count; ++i)
        values[i] = entry->m_aData[i] != 0;
}
void RCSerializeBase::DeSerializeAsObject(const RSDataEntry* entry, RCSerializeBase& object) {
    CheckKind(entry, RSDataEntry::kObject);
    object.DeSerialize(entry->m_aData);
}

void RCSerializeBase::DeSerializeAsTString(const RSDataEntry* entry, TString& text) {
    CheckKind(entry, RSDataEntry::kTString);
    text = TString(std::string(entry->m_aData.begin(), entry->m_aData.end()));
}

bool RCSerializable::TryMemCpy(std::uint8_t* buffer, std::uint32_t& position, const void* source,
                               std::uint32_t length, std::uint32_t size) {
    const bool fits = buffer && position <= size && length <= size - position;
    if (fits && length)
        std::memcpy(buffer + position, source, length);
    position += length;
    return fits;
}
