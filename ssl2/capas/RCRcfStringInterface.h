// RCRcfStringInterface: the sections, keys and values of an RCF header.
//
// An RCF header is a block of named sections with key/value pairs at the start of a
// print file, from the word BEGMF to ENDMF, before any printer data (reading stops
// at the first ESC byte):
//
//   BEGMF "title";
//   MFVERSION 1;
//   MFDESC "AUTHOR=x,DATE=y";
//   ENDMF;
//
// Section names and keys are stored in upper case, values as read (with the '#'
// escapes of TString::SaveAsAnsi decoded); lookups compare names exactly as passed.
//
// Threads: parses of RCF text run one after another under m_staticMutex; each parse
// keeps its state to itself.  One object must not be used by two threads at once.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "ssl2/base/RCMutex.h"
#include "ssl2/base/TRCMultiObjectContainer.h"
#include "ssl2/base/TString.h"
#include "ssl2/capas/RCReaderDiagnostics.h"

/// The sections, keys and values of an RCF header.
class RCRcfStringInterface {
public:
    /// Section name -> (key -> value), ordered by TString's less-than.
    using TKeyMap = std::map<TString, TString>;
    /// Section name -> keys and values.
    using TSectionMap = std::map<TString, TKeyMap>;

    /// Held for the whole of every ReadString.
    static VEMTO::RCMutex m_staticMutex;
    /// ReadFile reads at most this much of a file that has neither ESC nor ENDMF.
    static constexpr std::size_t kMaxHeaderBytes = 1u << 20;

    RCRcfStringInterface() = default;
    ~RCRcfStringInterface() = default;
    /// Copies the contents (none when the source has none); the diagnostic handler
    /// is not copied.
    RCRcfStringInterface(const RCRcfStringInterface& other);
    /// Copies as the copy constructor does; keeps this object's diagnostic handler.
    RCRcfStringInterface& operator=(const RCRcfStringInterface& other);

    /// True when the first 99 bytes of the file contain "BEGMF" (exact case).
    static bool IsRcfFile(const TString& path);

    /// Replaces the contents by the header in `text` (up to its first ESC byte);
    /// returns the number of sections.  On a syntax error what was read before it
    /// is kept.
    std::uint32_t ReadString(const std::string& text);
    /// Reads the header at the start of a file: up to the first ESC byte, or a
    /// little past ENDMF, at most kMaxHeaderBytes; never the whole of a large print
    /// file.  0 when the file cannot be opened or is empty.
    std::uint32_t ReadFile(const TString& path);

    /// Sets `value` to the value of `key` in `section`; false (`value` unchanged)
    /// when there is none.
    bool GetValue(const TString& section, const TString& key, TString& value) const;
    /// Sets `key` of `section` to `value`, adding the section and the key as needed;
    /// nothing without contents (before the first ReadString).
    void SetValue(const TString& section, const TString& key, const TString& value);

    /// 0 without contents.
    int SectionCount() const;
    /// The section names in order (none without contents).
    TRCMultiObjectContainer<TString> SectionNames() const;
    /// -1 without contents or when the section is absent.
    int KeyCount(const TString& section) const;
    /// The keys of a section in order (none when it is absent).
    TRCMultiObjectContainer<TString> KeyNames(const TString& section) const;
    /// Removes a key (and, when asked, its section once it has no keys left); true
    /// when a key was removed.
    bool DeleteKey(const TString& section, const TString& key, bool removeEmptySection);
    /// True when the section existed.
    bool DeleteSection(const TString& section);

    /// BEGMF, "MFVERSION 1" and MFDESC first, then the other sections in order; each
    /// as its name, then (if it has keys) a blank and "KEY=value, KEY2" in quotes,
    /// then CR.
    TString ToString() const;
    /// Forgets the contents.
    void Clear() { m_pContents.reset(); }

    /// The contents, or null before the first ReadString.
    const TSectionMap* GetContents() const { return m_pContents.get(); }

    /// Routes this object's diagnostics to `handler` (empty: the C streams).
    void SetDiagnosticHandler(TReaderDiagnosticHandler handler) { m_handler = std::move(handler); }

private:
    std::unique_ptr<TSectionMap> m_pContents;
    TReaderDiagnosticHandler m_handler;
};
