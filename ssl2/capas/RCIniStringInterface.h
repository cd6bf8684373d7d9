// RCIniStringInterface: the sections, keys and values of an INI text.
//
// The capability records read device descriptions through it.  Section names and
// keys are stored in lower case, values as read (with the '#' escapes of
// TString::SaveAsAnsi decoded); lookups compare names exactly as passed.
//
//   RCIniStringInterface ini;
//   ini.ReadString("[trayinfo]\ntraycount=2\n");
//   TString v;
//   if (ini.GetValue("trayinfo", "traycount", v)) ...
//
// Threads: parses of INI text run one after another under m_staticMutex; each parse
// keeps its state to itself.  One object must not be used by two threads at once.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "ssl2/base/RCMutex.h"
#include "ssl2/base/TString.h"
#include "ssl2/capas/RCReaderDiagnostics.h"

/// The sections, keys and values of one INI text.
class RCIniStringInterface {
public:
    /// Section name -> (key -> value), ordered by TString's less-than.
    using TKeyMap = std::map<TString, TString>;
    /// Key -> value of each section.
    using TSectionMap = std::map<TString, TKeyMap>;

    /// Held for the whole of every ReadString.
    static VEMTO::RCMutex m_staticMutex;

    RCIniStringInterface() = default;
    ~RCIniStringInterface() = default;
    RCIniStringInterface(const RCIniStringInterface&) = delete;
    RCIniStringInterface& operator=(const RCIniStringInterface&) = delete;

    /// Replaces the contents by those of `text`; returns the number of sections.  On
    /// a syntax error what was read before it is kept.
    std::uint32_t ReadString(const std::string& text);
    /// Reads the whole file (a UTF-16 file with byte-order mark is converted, a UTF-8
    /// byte-order mark skipped) and passes it to ReadString; 0 when the file cannot
    /// be opened or is empty.
    std::uint32_t ReadFile(const std::string& path);

    /// False without contents or when section or key is absent.
    bool GetValue(const TString& section, const TString& key, TString& value) const;
    /// Stores a value (names as passed); does nothing without contents.
    void SetValue(const TString& section, const TString& key, const TString& value);
    /// "[name]\r\n", then "key=value\r" per key, then "\r" per section; names and
    /// values as stored.
    TString ToString() const;
    /// Discards the contents.
    void Clear() { m_pContents.reset(); }

    /// The contents, or null before the first ReadString.
    const TSectionMap* GetContents() const { return m_pContents.get(); }

    /// Routes this object's diagnostics to `handler` (empty: the C streams).
    void SetDiagnosticHandler(TReaderDiagnosticHandler handler) { m_handler = std::move(handler); }

private:
    std::unique_ptr<TSectionMap> m_pContents;
    TReaderDiagnosticHandler m_handler;
};
