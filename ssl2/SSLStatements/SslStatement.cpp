#include "ssl2/SSLStatements/SslStatement.h"

#include <algorithm>
#include <cstdint>

#include "ssl2/base/TMessage.h"
#include "ssl2/sslmessages.h"

const std::uint32_t SslStatement::m_anAccessibility[kSslStatementCount] = {
#define SSL2_STATEMENT(id, cls, name, family, type, member) type,
#include "ssl2/SSLStatements/SslStatementTable.def"
};

const std::uint32_t SslStatement::m_anMemberTypes[kSslStatementCount] = {
#define SSL2_STATEMENT(id, cls, name, family, type, member) member,
#include "ssl2/SSLStatements/SslStatementTable.def"
};

unsigned int SslStatement::SetString(const std::string&, std::uint32_t, std::uint32_t) {
    return 0;
}

std::string SslStatement::GetString(std::uint32_t, std::uint32_t) const {
    return {};
}

std::uint32_t SslStatement::GetArrayCount() const {
    return 0;
}

TString SslStatement::GetArrayElementName(std::uint32_t element) {
    return TString::Format("Element %d", static_cast<int>(element));
}

std::uint32_t SslStatement::GetContainedMemberCount() const {
    return 1;
}

std::uint32_t SslStatement::GetContainedType(std::uint32_t) const {
    return 0;
}

std::uint32_t SslStatement::GetKeywords(const RSIndexString*& keywords, std::uint32_t,
                                        const RCStatementInfluencingCapaRefined*) const {
    keywords = nullptr;
    return 0;
}

TString SslStatement::GetStatementName(unsigned int fromMessages) {
    TString name =
        fromMessages ? VEMTO::GetMessage(RMCSslStatementNames(), GetStatementID()) : m_sName;
    return name.StripTail(" ");
}

TString SslStatement::GetSubStatementName(std::uint32_t) {
    return "GetSubStatementName() not implemented";
}

bool SslStatement::IsValidStatementType(std::uint32_t type) {
    if (type == kNotSupported)
        return true;
    return type < kNotSupported && (type & (kJob | kEntry)) != 0;
}

bool SslStatement::_HasOneBit(std::uint32_t value, std::uint32_t halfWidth, std::uint32_t mask) {
    if (halfWidth == 0)
        return value != 0;
    const bool low = (value & mask) != 0;
    const bool high = ((value >> halfWidth) & mask) != 0;
    if (low == high)
        return false;  // both halves hold bits, or neither does
    const std::uint32_t half = low ? (value & mask) : ((value >> halfWidth) & mask);
    const std::uint32_t next = halfWidth / 2;
    return _HasOneBit(half, next, (1u << next) - 1u);
}

bool SslStatement::ReadDecimal(const std::string& text, std::int32_t& value) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const std::size_t firstDigit = i;
    std::int64_t magnitude = 0;
    constexpr std::int64_t kLimit = std::int64_t{INT32_MAX} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        magnitude = std::min(kLimit, magnitude * 10 + (text[i] - '0'));
    if (i == firstDigit)
        return false;
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    value = static_cast<std::int32_t>(std::clamp<std::int64_t>(signedValue, INT32_MIN, INT32_MAX));
    return true;
}

RSIndexString* SslStatement::NewKeywordCache(std::uint32_t count) const {
    m_pasKeywordCache = std::make_unique<RSIndexString[]>(count ? count : 1);
    m_nKeywordCacheCount = count;
    return m_pasKeywordCache.get();
}
