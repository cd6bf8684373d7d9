#include "ssl2/base/ILog.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace {

class StderrLog : public ILog {
public:
    StderrLog() {
        if (const char* level = std::getenv("SSL2_LOG_LEVEL"))
            m_nMaxLevel = std::atoi(level);
    }
    void Write(int level, const TString& text) override {
        if (level > m_nMaxLevel)
            return;
        std::lock_guard lock(m_mutex);
        std::fprintf(stderr, "ssl2[%d]: %s\n", level, text.c_str());
    }

private:
    int m_nMaxLevel = 0;
    std::mutex m_mutex;
};

ILog& DefaultLog() {
    static StderrLog log;
    return log;
}

std::atomic<ILog*> g_installedLog{nullptr};

}  // namespace

ILog* g_ptheLogfile() {
    ILog* log = g_installedLog.load(std::memory_order_acquire);
    return log ? log : &DefaultLog();
}

ILog* SetLogfile(ILog* log) {
    return g_installedLog.exchange(log, std::memory_order_acq_rel);
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
