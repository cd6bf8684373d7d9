#include "ssl2/SSLStatements/SslFileInfo.h"

#include <algorithm>
#include <array>

#include "ssl2/base/TMessage.h"
#include "ssl2/sslmessages.h"

namespace {

// A colour depth: its value, SSL keyword and display message of "SslStatementStrings".
struct ColorDepth {
    std::uint32_t m_nValue;
    const char* m_sKeyword;
    std::uint32_t m_nMessage;
};

// In the order a user interface lists them.
constexpr ColorDepth kColorDepths[SslFileInfo::kColorDepthCount] = {
    {0, "PCM_INVALID", 26},    {32768, "PCM_NOMODE", 112}, {65535, "PCM_ORIGINAL", 114},
    {1, "PCM_1BIT", 81},       {2, "PCM_4BIT", 82},        {4, "PCM_4BITPAL", 83},
    {8, "PCM_8BIT", 84},       {16, "PCM_8BITPAL", 85},    {32, "PCM_16BIT", 86},
    {64, "PCM_24BIT", 87},     {128, "PCM_CMY", 115},      {256, "PCM_CMYK", 116},
    {512, "PCM_CcMmYK", 117},  {1024, "PCM_LAB", 118},     {2048, "PCM_XYZ", 119},
    {4096, "PCM_BICOLOR", 88},
};

const ColorDepth* FindColorDepth(std::uint32_t value) {
    const auto* it = std::find_if(std::begin(kColorDepths), std::end(kColorDepths),
                                  [value](const ColorDepth& d) { return d.m_nValue == value; });
    return it == std::end(kColorDepths) ? nullptr : it;
}

}  // namespace

const char* const SslFileInfo::m_asMemberNames[kMemberCount] = {
    "sizeDx", "sizeDy", "resolutionDx", "resolutionDy", "copies", "pages", "colordepth"};

const std::uint32_t SslFileInfo::m_anMemberTypes[kMemberCount] = {
    kMemberNumber, kMemberNumber, kMemberNumber,   kMemberNumber,
    kMemberNumber, kMemberNumber, kMemberSelection};

const std::uint32_t SslFileInfo::m_anAllowedColorDepths[kColorDepthCount] = {
    0, 1, 2, 4, 8, 16, 32, 64, 128, 256, 512, 1024, 2048, 4096, 32768, 65535};

SslFileInfo::SslFileInfo()
    : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID]) {}

TString SslFileInfo::ToString(unsigned int withColorDepth) const {
    TString text = m_sName + "  ";
    for (std::uint32_t member = 0; member < kColorDepthMember; ++member) {
        text += TString::Format("%#010X ", m_anValues[member]);
    }
    if (withColorDepth)
        text += GetSslKeyword(GetColorDepth());
    return text;
}

unsigned int SslFileInfo::SetMember(std::uint32_t member, std::uint32_t value) {
    if (member >= kMemberCount)
        return 0;
    if (member == kColorDepthMember && !FindColorDepth(value))
        return 0;
    m_anValues[member] = value;
    return 1;
}

unsigned int SslFileInfo::SetSizeDx(std::uint32_t value) {
    return SetMember(0, value);
}
unsigned int SslFileInfo::SetSizeDy(std::uint32_t value) {
    return SetMember(1, value);
}
unsigned int SslFileInfo::SetResolutionDx(std::uint32_t value) {
    return SetMember(2, value);
}
unsigned int SslFileInfo::SetResolutionDy(std::uint32_t value) {
    return SetMember(3, value);
}
unsigned int SslFileInfo::SetCopies(std::uint32_t value) {
    return SetMember(4, value);
}
unsigned int SslFileInfo::SetPages(std::uint32_t value) {
    return SetMember(5, value);
}
unsigned int SslFileInfo::SetColorDepth(std::uint32_t value) {
    return SetMember(kColorDepthMember, value);
}

unsigned int SslFileInfo::SetSize(std::uint32_t dx, std::uint32_t dy) {
    return SetSizeDx(dx) & SetSizeDy(dy);
}

unsigned int SslFileInfo::SetResolution(std::uint32_t dx, std::uint32_t dy) {
    return SetResolutionDx(dx) & SetResolutionDy(dy);
}

unsigned int SslFileInfo::SetString(const std::string& text, std::uint32_t member, std::uint32_t) {
    std::uint32_t value = 0;
    if (!TString::FromAnsi(text).Value(value, 10))
        return 0;
    return SetMember(member, value);
}

std::string SslFileInfo::GetString(std::uint32_t member, std::uint32_t) const {
    return member < kMemberCount ? std::to_string(m_anValues[member]) : std::string();
}

std::uint32_t SslFileInfo::GetContainedType(std::uint32_t member) const {
    return member < kMemberCount ? m_anMemberTypes[member] : 0;
}

std::uint32_t SslFileInfo::GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                                       const RCStatementInfluencingCapaRefined*) const {
    if (member != kColorDepthMember) {
        keywords = nullptr;
        return 0;
    }
    keywords = GetUserInterfaceKeywords();
    return kColorDepthCount;
}

TString SslFileInfo::GetSubStatementName(std::uint32_t member) {
    return member < kMemberCount ? TString(m_asMemberNames[member])
                                 : SslStatement::GetSubStatementName(member);
}

TString SslFileInfo::GetSslKeyword(std::uint32_t colorDepth) {
    const ColorDepth* depth = FindColorDepth(colorDepth);
    return depth ? TString(depth->m_sKeyword) : TString();
}

const RSIndexString* SslFileInfo::GetUserInterfaceKeywords() {
    // Built on first use, once the message tables are registered.
    static const std::array<RSIndexString, kColorDepthCount> keywords = [] {
        std::array<RSIndexString, kColorDepthCount> list;
        for (std::uint32_t i = 0; i < kColorDepthCount; ++i) {
            list[i] = RSIndexString(
                kColorDepths[i].m_nValue,
                VEMTO::GetMessage(RMCSslStatementStrings(), kColorDepths[i].m_nMessage));
        }
        return list;
    }();
    return keywords.data();
}

bool SslFileInfo::IsSmaller(const SslStatement& first, const SslStatement& second) {
    // 64-bit: the product of two areas in thousands overflows 32 bits for large files.
    const auto area = [](const SslStatement& statement) {
        const auto& info = static_cast<const SslFileInfo&>(statement);
        return std::uint64_t{info.GetSizeDx() / 1000} * (info.GetSizeDy() / 1000);
    };
    return area(first) < area(second);
}

bool SslFileInfo::operator==(const SslFileInfo& other) const {
    return std::equal(std::begin(m_anValues), std::end(m_anValues), std::begin(other.m_anValues));
}
