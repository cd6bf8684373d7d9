#include "ssl2/SSLStatements/SslMediaType.h"

#include <algorithm>

#include "ssl2/capas/RCStatementInfluencingCapaRefined.h"

namespace {

// Media numbers by SSL index, and SSL indices by media number.
constexpr VEMTO::_TMedia kMediaOfIndex[] = {
    VEMTO::kMediaDontCare, VEMTO::kMediaPaper, VEMTO::kMediaRecycledPaper, VEMTO::kMediaTransparent,
    VEMTO::kMediaFilm,     VEMTO::kMediaPaper, VEMTO::kMediaPaper,         VEMTO::kMediaPaper,
    VEMTO::kMediaPaper,    VEMTO::kMediaPaper, VEMTO::kMediaPaper};
constexpr std::uint32_t kIndexOfMedia[] = {0, 1, 3, 4, 2, 6, 7, 8, 9, 10, 5};

// Entries "dontcare" to "custom": the ones offered to users.
constexpr std::uint32_t kOfferedCount = 6;

}  // namespace

VEMTO::_TMedia SslMediaType::SslMediaToTMedia(std::uint32_t sslIndex) {
    return sslIndex < std::size(kMediaOfIndex) ? kMediaOfIndex[sslIndex] : VEMTO::kMediaDontCare;
}

std::uint32_t SslMediaType::TMediaToSslMedia(VEMTO::_TMedia media) {
    return media < std::size(kIndexOfMedia) ? kIndexOfMedia[media] : 0;
}

TString SslMediaType::ToString(unsigned int withSubType) const {
    if (withSubType)
        return m_sName + " " + GetKeyword() + " " + m_sSubType + TString::Format(" %u", m_nSubType);
    return m_sName + " " + KeywordAt(m_Index > 4 ? 1 : m_Index);
}

std::uint32_t SslMediaType::GetKeywords(const RSIndexString*& keywords,
                                        const RCStatementInfluencingCapaRefined* capas) const {
    if (!capas) {
        keywords = m_asUserInterfaceKeywords;
        return kOfferedCount;
    }
    // An entry is offered when some medium of the capabilities is that entry's
    // medium (compared as SSL indices: the two numberings differ).
    const auto& media = capas->GetMedia();
    const auto offered = [&](std::uint32_t index) {
        return std::ranges::any_of(media,
                                   [&](VEMTO::_TMedia m) { return TMediaToSslMedia(m) == index; });
    };
    std::uint32_t chosen[kOfferedCount] = {0};
    std::uint32_t count = 1;
    for (std::uint32_t i = 1; i < kOfferedCount; ++i)
        if (offered(m_asUserInterfaceKeywords[i].m_nIndex))
            chosen[count++] = i;
    RSIndexString* list = NewKeywordCache(count);
    for (std::uint32_t i = 0; i < count; ++i)
        list[i] = m_asUserInterfaceKeywords[chosen[i]];
    keywords = list;
    return count;
}
