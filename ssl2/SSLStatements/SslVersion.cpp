#include "ssl2/SSLStatements/SslVersion.h"

unsigned int SslVersion::SetAsString(const TString& text) {
    std::uint32_t number = 0;
    if (!text.Value(number, 0))
        return 0;
    // Version numbers 0..6 and above map onto the indices 0, 1, 1, 2, 3, 4, 5.
    static constexpr std::uint32_t kIndexOf[] = {0, 1, 1, 2, 3, 4, 5};
    m_Index = kIndexOf[std::min<std::uint32_t>(number, 6)];
    return m_Index != 0;
}
