// The statement factory and statement equality, both dispatched over the table of
// the 111 identifiers.
#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <typeinfo>

#include "ssl2/SSLStatements/SslStatements.h"
#include "ssl2/base/ILog.h"
#include "ssl2/base/TException.h"
#include "ssl2/sslmessages.h"

namespace {

/// Logs "SslErrors" `number` at level 1, then raises it.
[[noreturn]] void LogAndThrow(std::uint32_t number, const TString& arg1, const TString& arg2 = {}) {
    SslLog(1, "statements", VEMTO::GetMessage(RMCSslErrors(), number, arg1, arg2));
    ThrowNewError(RMCSslErrors(), number, arg1, arg2);
}

[[noreturn]] void UnknownStatement(std::uint32_t id) {
    ThrowNewError(RMCSslErrors(), RMCSslErrors::kUnknownStatement, TString(id));
}

/// The class name of the object's dynamic type.
TString RunTimeClassName(const SslStatement& statement) {
    const char* mangled = typeid(statement).name();
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> name(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
    return status == 0 && name ? TString(name.get()) : TString(mangled);
}

template <class T>
bool Equal(const SslStatement& a, const SslStatement& b) {
    return static_cast<const T&>(a) == static_cast<const T&>(b);
}

}  // namespace

SslStatement* SslStatement::CreateSslObject(TSslStatementID id) {
    switch (id) {
#define SSL2_STATEMENT(id, cls, name, family, type, member) \
    case id:                                                \
        return new (std::nothrow) cls;
#include "ssl2/SSLStatements/SslStatementTable.def"
    }
    UnknownStatement(id);
}

bool SslStatement::operator==(const SslStatement& other) const {
    const std::uint32_t id = GetStatementID();
    if (other.GetStatementID() != id)
        LogAndThrow(RMCSslErrors::kWrongStatementClass, RunTimeClassName(other),
                    RunTimeClassName(*this));
    switch (id) {
#define SSL2_STATEMENT(id, cls, name, family, type, member) \
    case id:                                                \
        return Equal<cls>(*this, other);
#include "ssl2/SSLStatements/SslStatementTable.def"
    }
    LogAndThrow(RMCSslErrors::kUnknownStatement, TString(id));
}
