// The fold statement's keyword lists narrowed to refined capabilities.
#include "ssl2/SSLStatements/SslFold.h"
#include "ssl2/capas/RCStatementInfluencingCapaRefined.h"

std::uint32_t SslFold::ProgramKeywords(const RSIndexString*& keywords,
                                       const RCStatementInfluencingCapaRefined& capas) const {
    const std::uint32_t count = capas.GetFoldProgramCount();
    if (count == 0) {
        const SslCapas::RCFoldProgramCapas& none = SslCapas::RCFoldProgramCapas::NoFold;
        RSIndexString* list = NewKeywordCache(1);
        list[0] = RSIndexString(none.GetProgramNo(), none.GetProgramName());
        keywords = list;
        return 1;
    }
    RSIndexString* list = NewKeywordCache(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const SslCapas::RCFoldProgramCapas& program = capas.GetFoldProgram(i);
        list[i] = RSIndexString(program.GetProgramNo(), program.GetProgramName());
    }
    keywords = list;
    return count;
}

std::uint32_t SslFold::TrayKeywords(const RSIndexString*& keywords,
                                    const RCStatementInfluencingCapaRefined& capas) const {
    const std::uint32_t count = capas.GetFolderOutputTrayCount();
    if (count == 0) {
        keywords = m_asUserInterfaceTrays;
        return 1;
    }
    m_pasTrayKeywordCache = std::make_unique<RSIndexString[]>(count);
    m_nTrayKeywordCacheCount = count;
    for (std::uint32_t i = 0; i < count; ++i) {
        const SslCapas::RCOutputTray& tray = capas.GetFolderOutputTray(i);
        m_pasTrayKeywordCache[i] = RSIndexString(tray.GetSslTrayNo(), tray.GetTrayName());
    }
    keywords = m_pasTrayKeywordCache.get();
    return count;
}
