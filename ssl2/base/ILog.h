// The log: every message the library writes, with a level and the library part
// ("module") that wrote it.
//
// Levels:
//   1  severe       an operation failed or refused something (a file not copied, a
//                   ticket not written, an unknown statement identifier)
//   2  warning      an operation went on past a fault (a parse that ended in error)
//   3  information  what an operation did to files (a file deleted by a purge)
//   4  trace        the begin and end of each parse
// Modules: "base", "statements", "entry", "set" (reading and writing tickets),
// "delivery" (delivery, normalisation, queues), "capas" (INI and RCF readers).
//
// Routing: g_ptheLogfile() returns the log of the calling thread when one is
// installed (SetThreadLog, or RCScopedLog for a scope), else the log of the process
// (SetLogfile), else the default log: standard error, or the file named by the
// environment variable SSL2_LOG_FILE, up to the level in SSL2_LOG_LEVEL (default 0:
// nothing).  A server routes the messages of the requests each of its threads works
// on into its own log with an RCLogSink per thread; two threads never see each
// other's messages.  Installing and writing are thread-safe; an installed log must
// outlive its use.
#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

#include "ssl2/base/TString.h"

/// Where the library's messages go: the interface every log implements.
class ILog {
public:
    virtual ~ILog() = default;
    /// Writes one message at `level` (1 severe .. 4 trace).
    virtual void Write(int level, const TString& text) = 0;
    /// Writes one message of the library part `module`; a log that does not tell the
    /// parts apart writes it as Write does.
    virtual void WriteFrom(int level, std::string_view module, const TString& text);
};

/// The log of the calling thread, else of the process, else the default (never null).
ILog* g_ptheLogfile();
/// Installs `log` for the whole process (null: the default log); returns the log
/// installed before.
ILog* SetLogfile(ILog* log);
/// Installs `log` for the calling thread only, in front of the process log (null: the
/// process log again); returns the thread's log installed before (or null).
ILog* SetThreadLog(ILog* log);
/// Writes one message of `module` to g_ptheLogfile().
void SslLog(int level, std::string_view module, const TString& text);

/// Installs a log for the calling thread for the lifetime of this object and restores
/// the thread's previous one.  Messages of other threads do not reach it.
class RCScopedLog {
public:
    /// Installs `log` (null: the process log) for the calling thread.
    explicit RCScopedLog(ILog* log) : m_pPrevious(SetThreadLog(log)) {}
    ~RCScopedLog() { SetThreadLog(m_pPrevious); }
    RCScopedLog(const RCScopedLog&) = delete;
    RCScopedLog& operator=(const RCScopedLog&) = delete;

private:
    ILog* m_pPrevious;
};

/// A log that hands every message up to a level to a callback: the way a server
/// routes the library's messages into its own log.  The callback may be called from
/// every thread that writes to this log, one call at a time.
class RCLogSink : public ILog {
public:
    /// Receives level (1 to 4), module and text of each message.
    using TCallback =
        std::function<void(int level, std::string_view module, std::string_view text)>;

    /// Messages above `maxLevel` are dropped before the callback.
    explicit RCLogSink(TCallback callback, int maxLevel = 4);
    void Write(int level, const TString& text) override;
    void WriteFrom(int level, std::string_view module, const TString& text) override;

private:
    TCallback m_Callback;
    int m_nMaxLevel;
    std::mutex m_mutex;
};

/// A log that appends one line per message up to a level to a file:
/// "ssl2[LEVEL] MODULE: TEXT".
class RCFileLog : public ILog {
public:
    /// Appends to the file at `path`; a file that cannot be opened drops every message
    /// (IsOpen() tells).
    RCFileLog(const TString& path, int maxLevel);
    /// Writes to `stream` (standard error, say), which the caller keeps open.
    RCFileLog(std::FILE* stream, int maxLevel);
    /// False when the file could not be opened.
    bool IsOpen() const { return m_pStream != nullptr; }
    void Write(int level, const TString& text) override;
    void WriteFrom(int level, std::string_view module, const TString& text) override;

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> m_pOwned;
    std::FILE* m_pStream;
    int m_nMaxLevel;
    std::mutex m_mutex;
};

/// A log that keeps every message, for tests and callers that report later.
class RCCaptureLog : public ILog {
public:
    /// One message kept.
    struct Entry {
        int m_nLevel;     ///< 1 severe .. 4 trace
        TString m_sText;  ///< the text
        /// Same level and text.
        friend bool operator==(const Entry&, const Entry&) = default;
    };

    void Write(int level, const TString& text) override;
    /// The messages kept so far, oldest first.
    std::vector<Entry> GetEntries() const;
    /// True when some message at `level` contains `text`.
    bool Contains(int level, const TString& text) const;
    /// Forgets every message kept.
    void Clear();

private:
    mutable std::mutex m_mutex;
    std::vector<Entry> m_entries;
};
