#include "ssl2/SSLStatements/SslUnit.h"

#include "ssl2/base/RCUnit.h"

const TString SslUnit::m_asUnits[kMaxUnit + 1] = {"",      "mm",    "cm",    "inch",
                                                  "pixel", "vemto", "points"};

const RSIndexString SslUnit::m_asUnitsPy[kMaxUnit + 1] = {
    {0, ""}, {1, "mm"}, {2, "cm"}, {3, "inch"}, {4, "pixel"}, {5, "vemto"}, {6, "points"}};

unsigned int SslUnit::Set(std::uint32_t index) {
    if (index > kMaxUnit)
        return 0;
    m_idxUnit = index;
    return 1;
}

std::uint32_t SslUnit::GetConversionCode() const {
    switch (m_idxUnit) {
        case kCm:
            return RCUnit::kCm;
        case kInch:
            return RCUnit::kInch;
        case kVemto:
            return RCUnit::kVemto;
        case kPixel:
        case kPoints:
            return RCUnit::kPixel;
        default:
            return RCUnit::kMm;
    }
}

void SslUnit::Ser_m_idxUnit(RSDataEntry* entry) const {
    SerializeAsTLong(entry, &m_idxUnit);
}

void SslUnit::DeSer_m_idxUnit(const RSDataEntry* entry) {
    std::uint32_t value = 0;
    DeSerializeAsTLong(entry, &value);
    Set(value);  // an index out of range keeps the current unit
}

SSL2_SER_MEMBER_STATICS(SslUnit, m_idxUnit)

const RCSerializeBase::_TIDFunctionTuple SslUnit::m_IDFunciontArray[] = {
    SSL2_SER_MEMBER_TUPLE(SslUnit, 0, m_idxUnit),
    {0, nullptr, nullptr},
};

const RCSerializeBase::_TIDFunctionTableList& SslUnit::InitFunctionTableList() {
    static const _TIDFunctionTableList list = {GetClassDataType(), m_IDFunciontArray,
                                               GetBaseFunctionTableList()};
    return list;
}
