#include "ssl2/SSLStatements/SslOutputTray.h"

#include "ssl2/capas/RCStatementInfluencingCapaRefined.h"

std::uint32_t SslOutputTray::GetKeywords(const RSIndexString*& keywords,
                                         const RCStatementInfluencingCapaRefined* capas) const {
    keywords = m_asUserInterfaceKeywords;
    if (!capas)
        return static_cast<std::uint32_t>(std::size(m_asUserInterfaceKeywords));
    const std::uint32_t trays = capas->GetOutputTrayCount();
    if (trays == 0)
        return 1;
    RSIndexString* list = NewKeywordCache(trays);
    for (std::uint32_t i = 0; i < trays; ++i) {
        const SslCapas::RCOutputTray& tray = capas->GetOutputTray(i);
        list[i] = RSIndexString(tray.GetSslTrayNo(), tray.GetTrayName());
    }
    keywords = list;
    return trays;
}
