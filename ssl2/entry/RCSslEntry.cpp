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

enum TLevel { kLevel_JOB, kLevel_FILE, kLevel_NEVER };

/// Whether the flagged copy constructor copies a member of `level`.
constexpr bool CopiedByFlag(TLevel level, unsigned int isEntry) {
    return level == kLevel_FILE || (level == kLevel_JOB && isEntry == 0);
}

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
    g_ptheLogfile()->Write(1, VEMTO::GetMessage(RMCSslErrors(), RMCSslErrors::kWrongStatementClass,
                                                givenName, requiredName));
    ThrowNewError(RMCSslErrors(), RMCSslErrors::kWrongStatementClass, givenName, requiredName);
}

template <class T>
void AssignFrom(T& member, const SslStatement& statement) {
    CheckClass(statement, typeid(T));
    member = static_cast<const T&>(statement);
}

template <class T>
void AssignTo(const T& member, SslStatement& statement) {
    CheckClass(statement, typeid(T));
    static_cast<T&>(statement) = member;
}

}  // namespace

RCSslEntry::RSCompReturn::RSCompReturn() = default;
RCSslEntry::RSCompReturn::RSCompReturn(const RSCompReturn& other) = default;
RCSslEntry::RSCompReturn& RCSslEntry::RSCompReturn::operator=(const RSCompReturn& other) = default;
RCSslEntry::RSCompReturn::~RSCompReturn() = default;

RCSslEntry::RCSslEntry() : RCSslEntry(1) {}

RCSslEntry::RCSslEntry(unsigned int isEntry)
    : m_pSortStatement(&m_SslName),
      m_pfnSortIsSmaller(&SslStringStatement::IsSmaller),
      m_bSortDescending(1),
      m_bIsEntry(isEntry) {}

RCSslEntry::RCSslEntry(const RCSslEntry& other)
    : m_pSortStatement(nullptr),
      m_pfnSortIsSmaller(other.m_pfnSortIsSmaller),
      m_bSortDescending(other.m_bSortDescending),
      m_bIsEntry(other.m_bIsEntry)
#define SSL2_ENTRY_MEMBER(cls, ident, level, merge, compared) , m_##cls(other.m_##cls)
#include "ssl2/entry/RCSslEntryMembers.def"
{
    RebaseSortKey(other);
}

RCSslEntry::RCSslEntry(const RCSslEntry& other, unsigned int isEntry)
    : m_pSortStatement(nullptr),
      m_pfnSortIsSmaller(other.m_pfnSortIsSmaller),
      m_bSortDescending(other.m_bSortDescending),
      m_bIsEntry(isEntry)
#define SSL2_ENTRY_MEMBER(cls, ident, level, merge, compared) \
    , m_##cls(CopiedByFlag(kLevel_##level, isEntry) ? cls(other.m_##cls) : cls())
#include "ssl2/entry/RCSslEntryMembers.def"
{
    RebaseSortKey(other);
}

RCSslEntry& RCSslEntry::operator=(const RCSslEntry& other) {
    if (this == &other) {
        return *this;
    }
    m_bIsEntry = other.m_bIsEntry;
#define SSL2_ENTRY_MEMBER(cls, ident, level, merge, compared) m_##cls = other.m_##cls;
#include "ssl2/entry/RCSslEntryMembers.def"
    m_pfnSortIsSmaller = other.m_pfnSortIsSmaller;
    m_bSortDescending = other.m_bSortDescending;
    RebaseSortKey(other);
    return *this;
}

RCSslEntry::RCSslEntry(RCSslEntry&& other) noexcept
    : m_pSortStatement(nullptr),
      m_pfnSortIsSmaller(other.m_pfnSortIsSmaller),
      m_bSortDescending(other.m_bSortDescending),
      m_bIsEntry(other.m_bIsEntry)
#define SSL2_ENTRY_MEMBER(cls, ident, level, merge, compared) , m_##cls(std::move(other.m_##cls))
#include "ssl2/entry/RCSslEntryMembers.def"
{
    RebaseSortKey(other);
}

RCSslEntry& RCSslEntry::operator=(RCSslEntry&& other) {
    if (this == &other) {
        return *this;
    }
    m_bIsEntry = other.m_bIsEntry;
#define SSL2_ENTRY_MEMBER(cls, ident, level, merge, compared) m_##cls = std::move(other.m_##cls);
#include "ssl2/entry/RCSslEntryMembers.def"
    m_pfnSortIsSmaller = other.m_pfnSortIsSmaller;
    m_bSortDescending = other.m_bSortDescending;
    RebaseSortKey(other);
    return *this;
}

RCSslEntry::~RCSslEntry() = default;

SslStatement* RCSslEntry::Member(std::uint32_t id) {
    return const_cast<SslStatement*>(std::as_const(*this).Member(id));
}

const SslStatement* RCSslEntry::Member(std::uint32_t id) const {
    switch (id) {
#define SSL2_ENTRY_MEMBER(cls, ident, level, merge, compared) \
    case ident:                                               \
        return &m_##cls;
#include "ssl2/entry/RCSslEntryMembers.def"
        default:
            return nullptr;
    }
}

void RCSslEntry::RebaseSortKey(const RCSslEntry& other) {
    m_pSortStatement = Member(other.m_pSortStatement->GetStatementID());
}

SslStatement* RCSslEntry::CreateSslObject(TSslStatementID id) {
    return SslStatement::CreateSslObject(id);
}

void RCSslEntry::AppendError(const TString& text) {
    m_SslError.Append(text);
}

TString RCSslEntry::GetErrors() const {
    return m_SslError.ToString();
}

void RCSslEntry::Set(TSslStatementID id, const SslStatement* statement) {
    switch (id) {
#define SSL2_ENTRY_MEMBER(cls, ident, level, merge, compared) \
    case ident:                                               \
        if (ident != kId_SslOrdinal) {                        \
            AssignFrom(m_##cls, *statement);                  \
            return;                                           \
        }                                                     \
        break;
#include "ssl2/entry/RCSslEntryMembers.def"
        default:
            break;
    }
    RaiseUnknownStatement(id);
}

void RCSslEntry::Get(TSslStatementID id, SslStatement* statement) const {
    if (statement == nullptr) {
        return;
    }
    switch (id) {
#define SSL2_ENTRY_MEMBER(cls, ident, level, merge, compared) \
    case ident:                                               \
        AssignTo(m_##cls, *statement);                        \
        return;
#include "ssl2/entry/RCSslEntryMembers.def"
        default:
            RaiseUnknownStatement(id);
    }
}
