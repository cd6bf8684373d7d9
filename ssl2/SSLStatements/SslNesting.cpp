#include "ssl2/SSLStatements/SslNesting.h"

unsigned int SslNesting::SetQuantity(std::uint32_t quantity) {
    for (std::uint32_t allowed : m_anAllowedQuantities) {
        if (allowed > quantity)
            break;  // ascending: no later value can match
        if (allowed == quantity) {
            m_nOptions = (m_nOptions & ~kQuantityMask) | quantity;
            return 1;
        }
    }
    return 0;
}

unsigned int SslNesting::SetDirection(std::uint32_t direction) {
    if (direction > 0xF)
        return 0;
    m_nOptions = (m_nOptions & ~kDirectionMask) | (direction << 12);
    return 1;
}

unsigned int SslNesting::SetString(const std::string& text, std::uint32_t, std::uint32_t) {
    std::int32_t number = 0;
    ReadDecimal(text, number);
    const auto value = static_cast<std::uint32_t>(number);
    if (SetQuantity(value & kQuantityMask)) {
        SetDirection((value & kDirectionMask) >> 12);
        m_Index = GetQuantity() != 0 ? 1 : 0;
        return 1;
    }
    m_nOptions &= ~(kQuantityMask | kDirectionMask);
    m_Index = 0;
    return 0;
}

std::string SslNesting::GetString(std::uint32_t, std::uint32_t) const {
    return std::to_string(m_nOptions);
}

std::uint32_t SslNesting::GetKeywords(const RSIndexString*& keywords,
                                      const RCStatementInfluencingCapaRefined* capas) const {
    if (capas) {
        keywords = m_asUserInterfaceKeywordsQuantities;
        return static_cast<std::uint32_t>(std::size(m_asUserInterfaceKeywordsQuantities));
    }
    keywords = m_asUserInterfaceKeywords;
    return static_cast<std::uint32_t>(std::size(m_asUserInterfaceKeywords));
}
