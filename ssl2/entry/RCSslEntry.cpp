// RCSslEntry: construction, copying, access by identifier and the small
// operations.  Every walk over the statement members is generated from
// RCSslEntryMembers.def, so the declaration order is kept in one place.
#include "ssl2/entry/RCSslEntry.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>
#include <utility>

#include "ssl2/base/ILog.h"
#include "ssl2/base/TException.h"
#include "ssl2/base/TMessage.h"
#include "ssl2/sslmessages.h"

const TString RCSslEntry::m_sBeginOutput = "BeginOutput";
const TString RCSslEntry::m_sEndOutput = "EndOutput";
const TString RCSslEntry::m_sZelvarinIdentifier = "ZelvarinSsl";
const TString RCSslEntry::m_sZelvarinJobIDTag = "JobID";
const TString RCSslEntry::m_sZelvarinIDTag = "ID";

namespace {

/// The readable name of a class from its type information.
TString ClassName(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    return status == 0 && name ? TString(name.get()) : TString(type.name());
}

[[noreturn]] void RaiseUnknownStatement(std::uint32_t id) {
    ThrowNewError(RMCSslErrors(), RMCSslErrors::kUnknownStatement, TString::Format("%u", id));
}

/// Logs and raises "SslErrors" 3 unless `given` is exactly of class `required`.
void CheckClass(const SslStatement& given, const std::type_info& required) {
    if (typeid(given) == required) {
        return;
    }
    const TString givenName = ClassName(typeid(given));
    const TString requiredName = ClassName(required);
    SslLog(1, "entry",
           VEMTO::GetMessage(RMCSslErrors(), RMCSslErrors::kWrongStatementClass, givenName,
                             requiredName));
    ThrowNewError(RMCSslErrors(), RMCSslErrors::kWrongStatementClass, givenName, requiredName);
}

}  // namespace

RCSslEntry::RSCompReturn::RSCompReturn() = default;
RCSslEntry::RSCompReturn::RSCompReturn(const RSCompReturn& other) = default;
RCSslEntry::RSCompReturn& RCSslEntry::RSCompReturn::operator=(const RSCompReturn& other) = default;
RCSslEntry::RSCompReturn::~RSCompReturn() = default;

RCSslEntry::RCSslEntry() : RCSslEntry(1) {}

RCSslEntry::RCSslEntry(unsigned int isEntry)
    : m_nSortID(kId_SslName),
      m_pfnSortIsSmaller(&SslStringStatement::IsSmaller),
      m_bSortDescending(1),
      m_bIsEntry(isEntry) {}

RCSslEntry::RCSslEntry(const RCSslEntry& other) = default;

RCSslEntry::RCSslEntry(const RCSslEntry& other, unsigned int isEntry)
    : m_nSortID(other.m_nSortID),
      m_pfnSortIsSmaller(other.m_pfnSortIsSmaller),
      m_bSortDescending(other.m_bSortDescending),
      m_bIsEntry(isEntry),
      m_Statements(other.m_Statements, isEntry == 0) {}

RCSslEntry& RCSslEntry::operator=(const RCSslEntry& other) = default;
RCSslEntry::RCSslEntry(RCSslEntry&& other) noexcept = default;
RCSslEntry& RCSslEntry::operator=(RCSslEntry&& other) = default;
RCSslEntry::~RCSslEntry() = default;

SslStatement* RCSslEntry::CreateSslObject(TSslStatementID id) {
    return SslStatement::CreateSslObject(id);
}

void RCSslEntry::AppendError(const TString& text) {
    Write<SslError>().Append(text);
}

TString RCSslEntry::GetErrors() const {
    return Read<SslError>().ToString();
}

void RCSslEntry::Set(TSslStatementID id, const SslStatement* statement) {
    if (id >= kSslStatementCount || id == kId_SslOrdinal)
        RaiseUnknownStatement(id);
    const SslStatement& model = RCSslStatementStore::DefaultOf(id);
    CheckClass(*statement, typeid(model));
    if (RCSslStatementStore::Identical(id, m_Statements.Get(id), *statement))
        return;
    SslStatement& member = m_Statements.Modify(id);
    switch (id) {
#define SSL2_STATEMENT(ident, cls, name, family, type, memberType)       \
    case ident:                                                          \
        static_cast<cls&>(member) = static_cast<const cls&>(*statement); \
        return;
#include "ssl2/SSLStatements/SslStatementTable.def"
    }
}

void RCSslEntry::Get(TSslStatementID id, SslStatement* statement) const {
    if (statement == nullptr) {
        return;
    }
    if (id >= kSslStatementCount)
        RaiseUnknownStatement(id);
    const SslStatement& model = RCSslStatementStore::DefaultOf(id);
    CheckClass(*statement, typeid(model));
    const SslStatement& member = m_Statements.Get(id);
    switch (id) {
#define SSL2_STATEMENT(ident, cls, name, family, type, memberType)       \
    case ident:                                                          \
        static_cast<cls&>(*statement) = static_cast<const cls&>(member); \
        return;
#include "ssl2/SSLStatements/SslStatementTable.def"
    }
}
