#include "ssl2/base/TException.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "ssl2/base/ILog.h"
#include "ssl2/base/TMessage.h"

namespace {
thread_local RCInfo t_pendingError;
}

RCInfo::RCInfo(unsigned short table, std::uint32_t number, TString arg1, TString arg2, TString arg3)
    : RCInfoRaw(table, number), m_asArgs{std::move(arg1), std::move(arg2), std::move(arg3)} {}

TString RCInfo::GetText() const {
    if (!IsError())
        return {};
    return VEMTO::GetMessage(m_nOrigin, m_nNumber, m_asArgs[0], m_asArgs[1], m_asArgs[2]);
}

TException::TException(RCInfo info) : m_Info(std::move(info)), m_sText(m_Info.GetText()) {}

void ThrowNewError(unsigned short table, std::uint32_t number, const TString& arg1,
                   const TString& arg2, const TString& arg3) {
    RCInfo info(table, number, arg1, arg2, arg3);
    t_pendingError = info;
    throw TException(std::move(info));
}

void ThrowLastError(const TString& operation, const TString& object) {
    const int error = errno;
    ThrowNewError(RMCBaseErrors(), RMCBaseErrors::kSystemError, operation,
                  TString(std::strerror(error)), object);
}

void RethrowAsLibraryError() {
    try {
        throw;
    } catch (const TException& e) {
        t_pendingError = e.GetInfo();
        throw;
    } catch (const std::exception& e) {
        ThrowNewError(RMCBaseErrors(), RMCBaseErrors::kSystemError, "operation", e.what());
    } catch (...) {
        ThrowNewError(RMCBaseErrors(), RMCBaseErrors::kSystemError, "operation",
                      "unknown exception");
    }
}

RCInfo GetErrorInfo() {
    return t_pendingError;
}

TString GetErrorString() {
    return t_pendingError.GetText();
}

void ClearError() {
    t_pendingError = RCInfo();
}

void VemtoUnhandledException() {
    try {
        RethrowAsLibraryError();
    } catch (const TException& e) {
        SslLog(1, "base", TString("unhandled exception: ") + e.what());
    }
}

void DecrementPendingCount() {
    ClearError();
}
