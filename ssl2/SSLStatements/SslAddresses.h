// SslAddress and SslAddresses: the postal and contact addresses of a job.
//
// An address is a type (customer, billing, delivery, reserved1) and fifteen texts.
// Its SSL text is multi-line and ends every line itself:
//
//   Address "Plan & Print Ltd"
//   	+ Type delivery
//   	+ Company "..."          (and so on for every key, in a fixed order)
//
// The statement's generic member interface addresses the list by element number
// and the address's members by member number; member 16 ("manage") adds (1) or
// removes (2) addresses.  Used by the job entry, the writer and the grammar.  Plain
// values without locks.
#pragma once

#include <vector>

#include "ssl2/SSLStatements/SslArrayContent.h"
#include "ssl2/SSLStatements/SslStatementImpl.h"

/// One postal and contact address of a job: a type (customer, billing, delivery,
/// reserved1) and fifteen texts.
class SslAddress : public SslArrayContent {
public:
    static constexpr std::uint32_t kMemberCount = 17;   ///< members of the generic interface
    static constexpr std::uint32_t kTypeMember = 0;     ///< the member of the address type
    static constexpr std::uint32_t kManageMember = 16;  ///< the member that adds or removes
    static constexpr std::uint32_t kMaxType = 4;        ///< the largest address type

    /// Address types by index: "", "customer", "billing", "delivery", "reserved1".
    static const TString m_asAddressTypes[kMaxType + 1];
    /// The types a user interface offers: 1 to 3.
    static const RSIndexString m_asAddressTypesPy[3];
    /// The "manage" choices: 0 "none", 1 "add", 2 "del".
    static const RSIndexString m_asManageOptionsPy[3];
    /// Continuation keys of the SSL text, each with its trailing blank.
    static const TString m_sKeyType;
#define SSL2_ADDRESS_FIELD(accessor, field, key, member) static const TString m_sKey##accessor;
#include "ssl2/SSLStatements/SslAddressFields.def"

    SslAddress() = default;
    ///@{
    /// Copies type and texts.
    SslAddress(const SslAddress&) = default;
    SslAddress& operator=(const SslAddress&) = default;
    SslAddress(SslAddress&&) = default;
    SslAddress& operator=(SslAddress&&) = default;
    ///@}
    ~SslAddress() override = default;

    /// Refused (0) above 4.
    unsigned int SetType(std::uint32_t type);
    /// The address type, 0 to 4 (m_asAddressTypes).
    std::uint32_t GetType() const {
        return m_nType;
    }
#define SSL2_ADDRESS_FIELD(accessor, field, key, member) \
    unsigned int Set##accessor(const TString& value) {   \
        field = value;                                   \
        return 1;                                        \
    }                                                    \
    TString Get##accessor() const {                      \
        return field;                                    \
    }
#include "ssl2/SSLStatements/SslAddressFields.def"

    /// The quoted name, then one continuation line per key; every line ends with
    /// CR LF.  The statement name goes in front.
    TString ToString() const;

    // --- element interface: 0 type (decimal), 1..15 texts, 16 manage ------------
    unsigned int SetString(const std::string& text, std::uint32_t member) override;
    std::string GetString(std::uint32_t member) const override;
    std::uint32_t GetContainedMemberCount() const override {
        return kMemberCount;
    }
    std::uint32_t GetContainedType(std::uint32_t member) const override {
        return MemberType(member);
    }
    TString GetSubStatementName(std::uint32_t member) override {
        return MemberName(member);
    }
    std::uint32_t GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                              const RCStatementInfluencingCapaRefined*) const override {
        return MemberKeywords(keywords, member);
    }

    ///@{
    /// The member descriptions of the generic interface (type code, name, keyword
    /// list), the same for every address.
    static std::uint32_t MemberType(std::uint32_t member);
    static TString MemberName(std::uint32_t member);
    static std::uint32_t MemberKeywords(const RSIndexString*& keywords, std::uint32_t member);
    ///@}

    /// All fields equal.
    bool operator==(const SslAddress& other) const;
    /// Ordered by name.
    bool operator<(const SslAddress& other) const {
        return m_sName < other.m_sName;
    }

private:
    /// The text field of member `member` (1..15).
    static TString SslAddress::*TextField(std::uint32_t member);

    std::uint32_t m_nType = 1;
#define SSL2_ADDRESS_FIELD(accessor, field, key, member) TString field;
#include "ssl2/SSLStatements/SslAddressFields.def"
};

/// The statement "Address": the list of addresses of a job.
class SslAddresses final : public TSslStatementImpl<SslAddresses, kId_SslAddresses, SslStatement> {
public:
    /// The addresses in list order.
    using RCAddressList = std::vector<SslAddress>;

    SslAddresses();

    /// Every address's text in list order (the empty text for no address).
    TString ToString() const override;
    /// Member 16: 0 nothing, 1 appends a default address, 2 removes address
    /// `element`; other members set that member of address `element`.
    unsigned int SetString(const std::string& text, std::uint32_t member,
                           std::uint32_t element) override;
    std::string GetString(std::uint32_t member, std::uint32_t element) const override;
    std::uint32_t GetArrayCount() const override;
    std::uint32_t GetContainedMemberCount() const override { return SslAddress::kMemberCount; }
    std::uint32_t GetContainedType(std::uint32_t member) const override {
        return SslAddress::MemberType(member);
    }
    std::uint32_t GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                              const RCStatementInfluencingCapaRefined*) const override {
        return SslAddress::MemberKeywords(keywords, member);
    }
    TString GetSubStatementName(std::uint32_t member) override {
        return SslAddress::MemberName(member);
    }

    /// Appends a copy; returns the new count.
    std::uint32_t AddAddress(const SslAddress& address);
    /// 1 when the address existed and was removed, else 0.
    unsigned int RemoveAddress(std::uint32_t index);
    /// Empties the list; returns the former count.
    std::uint32_t RemoveAll();
    /// Raises "SslErrors" 0 ("m_AddressList", index, count) for an index not
    /// below the count.
    const SslAddress& GetAddress(std::uint32_t index) const;
    /// The same, for changing the address in place.
    SslAddress& GetAddress(std::uint32_t index);
    /// The whole list.
    const RCAddressList& GetAddressList() const { return m_AddressList; }

    /// Equal lists (same addresses in the same order).
    bool operator==(const SslAddresses& other) const {
        return m_AddressList == other.m_AddressList;
    }

private:
    RCAddressList m_AddressList;
};
