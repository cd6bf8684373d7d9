#include "ssl2/SSLStatements/SslFold.h"

std::uint32_t SslFold::ProgramKeywords(const RSIndexString*& keywords,
                                       const RCStatementInfluencingCapaRefined&) const {
    keywords = m_asUserInterfacePrograms;
    return 4;
}

std::uint32_t SslFold::TrayKeywords(const RSIndexString*& keywords,
                                    const RCStatementInfluencingCapaRefined&) const {
    keywords = m_asUserInterfaceTrays;
    return 1;
}
