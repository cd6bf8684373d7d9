#include "ssl2/base/ILog.h"

#include <atomic>
#include <cstdlib>
#include <utility>

namespace {

// The module of messages written without one (through ILog::Write).
constexpr std::string_view kAnyModule = "ssl2";

ILog& DefaultLog() {
    static RCFileLog log = [] {
        const char* level = std::getenv("SSL2_LOG_LEVEL");
        const int maxLevel = level ? std::atoi(level) : 0;
        const char* file = std::getenv("SSL2_LOG_FILE");
        if (file && *file)
            return RCFileLog(TString(file), maxLevel);
        return RCFileLog(stderr, maxLevel);
    }();
    return log;
}

std::atomic<ILog*> g_processLog{nullptr};
thread_local ILog* t_threadLog = nullptr;

}  // namespace

void ILog::WriteFrom(int level, std::string_view, const TString& text) {
    Write(level, text);
}

ILog* g_ptheLogfile() {
    if (t_threadLog)
        return t_threadLog;
    ILog* log = g_processLog.load(std::memory_order_acquire);
    return log ? log : &DefaultLog();
}

ILog* SetLogfile(ILog* log) {
    return g_processLog.exchange(log, std::memory_order_acq_rel);
}

ILog* SetThreadLog(ILog* log) {
    return std::exchange(t_threadLog, log);
}

void SslLog(int level, std::string_view module, const TString& text) {
    g_ptheLogfile()->WriteFrom(level, module, text);
}

RCLogSink::RCLogSink(TCallback callback, int maxLevel)
    : m_Callback(std::move(callback)), m_nMaxLevel(maxLevel) {}

void RCLogSink::Write(int level, const TString& text) {
    WriteFrom(level, kAnyModule, text);
}

void RCLogSink::WriteFrom(int level, std::string_view module, const TString& text) {
    if (level > m_nMaxLevel || !m_Callback)
        return;
    std::lock_guard lock(m_mutex);
    m_Callback(level, module, text.str());
}

RCFileLog::RCFileLog(const TString& path, int maxLevel)
    : m_pOwned(std::fopen(path.c_str(), "a")), m_pStream(m_pOwned.get()), m_nMaxLevel(maxLevel) {}

RCFileLog::RCFileLog(std::FILE* stream, int maxLevel) : m_pStream(stream), m_nMaxLevel(maxLevel) {}

void RCFileLog::Write(int level, const TString& text) {
    WriteFrom(level, kAnyModule, text);
}

void RCFileLog::WriteFrom(int level, std::string_view module, const TString& text) {
    if (level > m_nMaxLevel || !m_pStream)
        return;
    std::lock_guard lock(m_mutex);
    std::fprintf(m_pStream, "ssl2[%d] %.*s: %s\n", level, static_cast<int>(module.size()),
                 module.data(), text.c_str());
    std::fflush(m_pStream);
}

void RCCaptureLog::Write(int level, const TString& text) {
    std::lock_guard lock(m_mutex);
    m_entries.push_back({level, text});
}

std::vector<RCCaptureLog::Entry> RCCaptureLog::GetEntries() const {
    std::lock_guard lock(m_mutex);
    return m_entries;
}

bool RCCaptureLog::Contains(int level, const TString& text) const {
    std::lock_guard lock(m_mutex);
    for (const auto& e : m_entries)
        if (e.m_nLevel == level && e.m_sText.Find(text) != TString::kNotFound)
            return true;
    return false;
}

void RCCaptureLog::Clear() {
    std::lock_guard lock(m_mutex);
    m_entries.clear();
}
