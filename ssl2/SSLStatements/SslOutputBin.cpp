#include "ssl2/SSLStatements/SslOutputBin.h"

#include "ssl2/capas/RCStatementInfluencingCapaRefined.h"

TString SslOutputBin::ToString() const {
    TString line = SslSelectionStatement::ToString();
    if (m_Index == kBinIndex)
        line += TString::Format("%u", m_BinNo);
    return line;
}

TString SslOutputBin::ToCfg() const {
    TString value = m_asCfgKeywords[m_Index];
    if (m_Index == kBinIndex)
        value += TString::Format("%u", m_BinNo);
    return CfgLine(m_sCfgName, value);
}

unsigned int SslOutputBin::SetString(const std::string& text, std::uint32_t, std::uint32_t) {
    std::int32_t number = 0;
    ReadDecimal(text, number);
    return FromPCW(static_cast<std::uint32_t>(number));
}

std::string SslOutputBin::GetString(std::uint32_t, std::uint32_t) const {
    return std::to_string(ToPCW());
}

unsigned int SslOutputBin::SetBinNo(std::uint32_t binNo) {
    if (binNo > kMaxBinNo)
        return 0;
    m_BinNo = binNo;
    m_Index = kBinIndex;
    return 1;
}

std::uint32_t SslOutputBin::ToDB() const {
    return (m_Index << 16) + (m_Index == kBinIndex ? (m_BinNo & 0xFFFF) : 0);
}

std::uint32_t SslOutputBin::ToPCW() const {
    return m_Index + (m_Index == kBinIndex ? (m_BinNo << 16) : 0);
}

unsigned int SslOutputBin::FromDB(std::uint32_t value) {
    return FromHalves(value >> 16, value & 0xFFFF);
}

unsigned int SslOutputBin::FromPCW(std::uint32_t value) {
    return FromHalves(value & 0xFFFF, value >> 16);
}

unsigned int SslOutputBin::FromHalves(std::uint32_t index, std::uint32_t binNo) {
    if (!Set(index))
        return 0;
    if (m_Index != kBinIndex) {
        m_BinNo = 0;
        return 1;
    }
    if (binNo > kMaxBinNo)
        return 0;
    m_BinNo = binNo;
    return 1;
}

std::uint32_t SslOutputBin::GetKeywords(const RSIndexString*& keywords,
                                        const RCStatementInfluencingCapaRefined* capas) const {
    if (!capas) {
        keywords = m_asUserInterfaceKeywords;
        return static_cast<std::uint32_t>(std::size(m_asUserInterfaceKeywords));
    }
    const std::uint32_t trays = capas->GetInputTrayCount();
    if (trays == 0) {
        keywords = m_asUserInterfaceKeywords;
        return 1;
    }
    // At most "auto", "manual" and one entry per tray.
    std::vector<RSIndexString> list{m_asUserInterfaceKeywords[0]};
    bool manual = false;
    for (std::uint32_t i = 0; i < trays; ++i) {
        const SslCapas::RCInputTray& tray = capas->GetInputTray(i);
        switch (tray.GetTrayType()) {
            case VEMTO::kTrayManual:
                if (!manual)
                    list.push_back(m_asUserInterfaceKeywords[1]);
                manual = true;
                break;
            case VEMTO::kTrayRoll:
            case VEMTO::kTrayCutSheet:
                list.emplace_back((tray.GetOrdinal() << 16) | kBinIndex, tray.GetTrayName());
                break;
            default:
                break;
        }
    }
    RSIndexString* cache = NewKeywordCache(static_cast<std::uint32_t>(list.size()));
    std::ranges::copy(list, cache);
    keywords = cache;
    return static_cast<std::uint32_t>(list.size());
}

bool SslOutputBin::operator==(const SslOutputBin& other) const {
    return this == &other || (m_Index == other.m_Index && m_BinNo == other.m_BinNo);
}

bool SslOutputBin::IsSmaller(const SslStatement& a, const SslStatement& b) {
    const auto& x = dynamic_cast<const SslOutputBin&>(a);
    const auto& y = dynamic_cast<const SslOutputBin&>(b);
    if (x.m_Index == kBinIndex && y.m_Index == kBinIndex)
        return x.m_BinNo < y.m_BinNo;
    return x.m_Index < y.m_Index;
}

// --- serialisation ---------------------------------------------------------------

const RCSerializeBase::_TIDFunctionTuple SslOutputBin::m_IDFunciontArray[] = {
    {0, &SslOutputBin::Static_DeSer_m_BinNo, &SslOutputBin::Static_Ser_m_BinNo},
    {0, nullptr, nullptr},
};

RCSerializeBase::_TIDFunctionTableList SslOutputBin::InitFunctionTableList() {
    return {GetClassDataType(), m_IDFunciontArray, &SslSelectionStatement::m_IDFunctionTableList};
}

const RCSerializeBase::_TIDFunctionTableList SslOutputBin::m_IDFunctionTableList =
    SslOutputBin::InitFunctionTableList();

const RCSerializeBase::_TIDFunctionTableList* SslOutputBin::GetFunctionTableList() const {
    return &m_IDFunctionTableList;
}

void SslOutputBin::Ser_m_BinNo(RSDataEntry* entry) const {
    SerializeAsTLong(entry, &m_BinNo);
    entry->m_nId = 0;
}

void SslOutputBin::DeSer_m_BinNo(const RSDataEntry* entry) {
    std::uint32_t binNo = 0;
    DeSerializeAsTLong(entry, &binNo);
    if (binNo <= kMaxBinNo)
        m_BinNo = binNo;
}

void SslOutputBin::Static_Ser_m_BinNo(RSDataEntry* entry, const RCSerializeBase* object) {
    dynamic_cast<const SslOutputBin&>(*object).Ser_m_BinNo(entry);
}

void SslOutputBin::Static_DeSer_m_BinNo(const RSDataEntry* entry, RCSerializeBase* object) {
    dynamic_cast<SslOutputBin&>(*object).DeSer_m_BinNo(entry);
}
