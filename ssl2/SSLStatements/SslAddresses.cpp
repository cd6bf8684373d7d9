#include "ssl2/SSLStatements/SslAddresses.h"

#include <utility>

#include "ssl2/base/TException.h"
#include "ssl2/sslmessages.h"

namespace {

constexpr std::uint32_t kFirstTextMember = 1;
constexpr std::uint32_t kTextCount = 15;

// Keys and member names of the text fields, in member order.
constexpr const char* kTextKeys[kTextCount] = {
#define SSL2_ADDRESS_FIELD(accessor, field, key, member) key,
#include "ssl2/SSLStatements/SslAddressFields.def"
};
constexpr const char* kTextMemberNames[kTextCount] = {
#define SSL2_ADDRESS_FIELD(accessor, field, key, member) member,
#include "ssl2/SSLStatements/SslAddressFields.def"
};

bool IsTextMember(std::uint32_t member) {
    return member >= kFirstTextMember && member < kFirstTextMember + kTextCount;
}

}  // namespace

const TString SslAddress::m_asAddressTypes[kMaxType + 1] = {"", "customer", "billing", "delivery",
                                                            "reserved1"};
const RSIndexString SslAddress::m_asAddressTypesPy[3] = {
    {1, "customer"}, {2, "billing"}, {3, "delivery"}};
const RSIndexString SslAddress::m_asManageOptionsPy[3] = {{0, "none"}, {1, "add"}, {2, "del"}};
const TString SslAddress::m_sKeyType = "Type ";
#define SSL2_ADDRESS_FIELD(accessor, field, key, member) \
    const TString SslAddress::m_sKey##accessor = key;
#include "ssl2/SSLStatements/SslAddressFields.def"

TString SslAddress::*SslAddress::TextField(std::uint32_t member) {
    static constexpr TString SslAddress::*kFields[kTextCount] = {
#define SSL2_ADDRESS_FIELD(accessor, field, key, member) &SslAddress::field,
#include "ssl2/SSLStatements/SslAddressFields.def"
    };
    return kFields[member - kFirstTextMember];
}

unsigned int SslAddress::SetType(std::uint32_t type) {
    if (type > kMaxType)
        return 0;
    m_nType = type;
    return 1;
}

TString SslAddress::ToString() const {
    static const TString kContinuation = "\t+ ";
    static const TString kLineEnd = "\r\n";
    TString text = "\"" + m_sName + "\"" + kLineEnd;
    text += kContinuation + m_sKeyType + m_asAddressTypes[m_nType] + kLineEnd;
    // Every text after the name, each on its own continuation line.
    for (std::uint32_t member = kFirstTextMember + 1; IsTextMember(member); ++member) {
        text += kContinuation + kTextKeys[member - kFirstTextMember] + "\"" +
                this->*TextField(member) + "\"" + kLineEnd;
    }
    return text;
}

unsigned int SslAddress::SetString(const std::string& text, std::uint32_t member) {
    if (member == kTypeMember) {
        std::int32_t type = 0;
        if (!SslStatement::ReadDecimal(text, type) || type < 0)
            return 0;
        return SetType(static_cast<std::uint32_t>(type));
    }
    if (!IsTextMember(member))
        return 0;
    this->*TextField(member) = TString::FromEightBit(text);
    return 1;
}

std::string SslAddress::GetString(std::uint32_t member) const {
    if (member == kTypeMember)
        return std::to_string(m_nType);
    if (member == kManageMember)
        return "0";
    if (!IsTextMember(member))
        return {};
    return (this->*TextField(member)).str();
}

std::uint32_t SslAddress::MemberType(std::uint32_t member) {
    if (member == kTypeMember || member == kManageMember)
        return SslStatement::kMemberSelection;
    return IsTextMember(member) ? std::uint32_t{SslStatement::kMemberText} : 0;
}

TString SslAddress::MemberName(std::uint32_t member) {
    if (member == kTypeMember)
        return "type";
    if (member == kManageMember)
        return "manage";
    return IsTextMember(member) ? TString(kTextMemberNames[member - kFirstTextMember]) : TString();
}

std::uint32_t SslAddress::MemberKeywords(const RSIndexString*& keywords, std::uint32_t member) {
    keywords = nullptr;
    if (member == kTypeMember)
        keywords = m_asAddressTypesPy;
    if (member == kManageMember)
        keywords = m_asManageOptionsPy;
    return keywords ? 3 : 0;
}

bool SslAddress::operator==(const SslAddress& other) const {
    if (m_nType != other.m_nType)
        return false;
    for (std::uint32_t member = kFirstTextMember; IsTextMember(member); ++member) {
        if (!(this->*TextField(member) == other.*TextField(member)))
            return false;
    }
    return true;
}

SslAddresses::SslAddresses()
    : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID]) {}

TString SslAddresses::ToString() const {
    TString text;
    for (const SslAddress& address : m_AddressList)
        text += m_sName + address.ToString();
    return text;
}

unsigned int SslAddresses::SetString(const std::string& text, std::uint32_t member,
                                     std::uint32_t element) {
    if (member == SslAddress::kManageMember) {
        std::int32_t action = 0;
        if (!ReadDecimal(text, action))
            return 0;
        switch (action) {
            case 0:
                return 1;
            case 1:
                AddAddress(SslAddress());
                return 1;
            case 2:
                return RemoveAddress(element);
            default:
                return 0;
        }
    }
    if (element >= m_AddressList.size())
        return 0;
    return m_AddressList[element].SetString(text, member);
}

std::string SslAddresses::GetString(std::uint32_t member, std::uint32_t element) const {
    if (element >= m_AddressList.size())
        return {};
    return m_AddressList[element].GetString(member);
}

std::uint32_t SslAddresses::GetArrayCount() const {
    return static_cast<std::uint32_t>(m_AddressList.size());
}

std::uint32_t SslAddresses::AddAddress(const SslAddress& address) {
    m_AddressList.push_back(address);
    return GetArrayCount();
}

unsigned int SslAddresses::RemoveAddress(std::uint32_t index) {
    if (index >= m_AddressList.size())
        return 0;
    m_AddressList.erase(m_AddressList.begin() + index);
    return 1;
}

std::uint32_t SslAddresses::RemoveAll() {
    const std::uint32_t count = GetArrayCount();
    m_AddressList.clear();
    return count;
}

const SslAddress& SslAddresses::GetAddress(std::uint32_t index) const {
    if (index >= m_AddressList.size()) {
        ThrowNewError(RMCSslErrors(), RMCSslErrors::kIndexOutOfRange, "m_AddressList",
                      TString(index), TString(GetArrayCount()));
    }
    return m_AddressList[index];
}

SslAddress& SslAddresses::GetAddress(std::uint32_t index) {
    return const_cast<SslAddress&>(std::as_const(*this).GetAddress(index));
}
