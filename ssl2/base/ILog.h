// The log: numbered levels from 1 (severe) to 4 (chatty).
//
// g_ptheLogfile() returns the installed log.  By default that writes to standard
// error every message up to the level in the environment variable SSL2_LOG_LEVEL
// (default 0: nothing).  A caller installs its own log with SetLogfile, or for a
// scope with RCScopedLog; tests use RCCaptureLog to check the messages written.
// Installing and writing are thread-safe; an installed log must outlive its use.
#pragma once

#include <mutex>
#include <utility>
#include <vector>

#include "ssl2/base/TString.h"

class ILog {
public:
    virtual ~ILog() = default;
    /// Writes one message at `level` (1 severe .. 4 chatty).
    virtual void Write(int level, const TString& text) = 0;
};

/// The installed log (never null).
ILog* g_ptheLogfile();
/// Installs `log` (null: the default log); returns the log installed before.
ILog* SetLogfile(ILog* log);

/// Installs a log for the lifetime of this object and restores the previous one.
class RCScopedLog {
public:
    explicit RCScopedLog(ILog* log) : m_pPrevious(SetLogfile(log)) {}
    ~RCScopedLog() { SetLogfile(m_pPrevious); }
    RCScopedLog(const RCScopedLog&) = delete;
    RCScopedLog& operator=(const RCScopedLog&) = delete;

private:
    ILog* m_pPrevious;
};

/// A log that keeps every message, for tests and callers that report later.
class RCCaptureLog : public ILog {
public:
    struct Entry {
        int m_nLevel;
        TString m_sText;
        friend bool operator==(const Entry&, const Entry&) = default;
    };

    void Write(int level, const TString& text) override;
    std::vector<Entry> GetEntries() const;
    /// True when some message at `level` contains `text`.
    bool Contains(int level, const TString& text) const;
    void Clear();

private:
    mutable std::mutex m_mutex;
    std::vector<Entry> m_entries;
};
