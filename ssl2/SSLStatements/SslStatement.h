// SslStatement: the abstract base of every SSL statement class.
//
// Each statement class has one identifier (TSslStatementID), a statement type (at
// which level of a job it may stand, whether a user interface shows it), a name
// (the word that begins its SSL line) and a uniform generic member interface
// through which entries, the writer, the reader and user interfaces handle any
// statement without knowing its class.
//
// A statement also owns a keyword cache: the list that the last capability-
// dependent GetKeywords built.  A copy never shares or copies the cache, so the
// pointer GetKeywords returned stays valid until the next such call on the same
// object or its destruction.  Statements are plain values without locks; one
// statement must not be used from two threads at once (GetKeywords changes the
// cache although it is const).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "ssl2/base/TString.h"

class RCStatementInfluencingCapaRefined;

/// Statement identifiers 0..110, dense; the order of SslStatementTable.def.
enum TSslStatementID : std::uint32_t {
#define SSL2_STATEMENT(id, cls, name, family, type, member) kId_##cls = id,
#include "ssl2/SSLStatements/SslStatementTable.def"
};

/// Number of statement identifiers.
inline constexpr std::uint32_t kSslStatementCount = 111;

/// A keyword choice offered to user interfaces: the value and its display text.
struct RSIndexString {
    RSIndexString() = default;
    /// The choice `index` shown as `text`.
    RSIndexString(std::uint32_t index, TString text) : m_nIndex(index), m_sText(std::move(text)) {}

    std::uint32_t m_nIndex = 0;  ///< the value the statement takes
    TString m_sText;             ///< what a user interface shows for it

    /// Same value and text.
    friend bool operator==(const RSIndexString&, const RSIndexString&) = default;
};

/// The abstract base of every SSL statement class: identifier, statement type, name
/// and the generic member interface (see the top of this header).
class SslStatement {
public:
    /// Statement type bits.
    enum TStatementType : std::uint32_t {
        kJob = 0x01,            ///< may stand at the level of the whole job
        kEntry = 0x02,          ///< may stand in an entry (one file of the job)
        kUserInterface = 0x04,  ///< shown to the user for editing
        kReadOnly = 0x08,       ///< written by the system, not changed by the user
        kNotSupported = 0x10,   ///< known to the language, not acted on
    };
    /// Dialects of SSL, old to new.
    enum TSyntaxVersion : std::uint32_t {
        kVersionUnknown = 0,
        kVersion15 = 1,
        kVersion30 = 2,
        kVersion40 = 3,
        kVersion50 = 4,
    };
    /// Member type codes of the generic member interface.
    enum TMemberType : std::uint32_t {
        kMemberNumber = 0x01,
        kMemberSelection = 0x02,
        kMemberSelectionOptions = 0x04,
        kMemberText = 0x08,
        kMemberReal = 0x10,
        kMemberStructure = 0x20,
        kMemberArray = 0x40,
        kMemberList = 0x80,
    };

    SslStatement() = default;
    /// A statement of type bits `statementType` (TStatementType) named `name`.
    SslStatement(std::uint32_t statementType, TString name)
        : m_nStatementType(statementType), m_sName(std::move(name)) {}
    /// Copies type and name; the copy starts with an empty keyword cache.
    SslStatement(const SslStatement& other)
        : m_nStatementType(other.m_nStatementType), m_sName(other.m_sName) {}
    /// Assigns type and name; this statement's keyword cache is kept.
    SslStatement& operator=(const SslStatement& other) {
        m_nStatementType = other.m_nStatementType;
        m_sName = other.m_sName;
        return *this;
    }
    /// Takes type and name; the new statement starts with an empty keyword cache.
    /// The name is copied, not moved: the assignments of several statement classes
    /// take only their values and rely on the target keeping its own name, so a
    /// moved-from statement must stay a whole statement of its class.
    SslStatement(SslStatement&& other) noexcept
        : m_nStatementType(other.m_nStatementType), m_sName(other.m_sName) {}
    /// Assigns type and name as the copy assignment does.
    SslStatement& operator=(SslStatement&& other) noexcept {
        m_nStatementType = other.m_nStatementType;
        m_sName = other.m_sName;
        return *this;
    }
    virtual ~SslStatement() = default;

    // --- the virtual interface, in slot order ----------------------------------
    /// A heap copy made by the copy constructor (null when allocation fails); the
    /// caller owns it.
    virtual SslStatement* Clone() const = 0;
    /// The statement as one SSL line without line end.
    virtual TString ToString() const = 0;
    /// The identifier of the statement's class.
    virtual TSslStatementID GetStatementID() const = 0;
    /// Sets member `member` (element `element` of an array member) from 8-bit text
    /// (UTF-8, or Windows-1252 when it is not valid UTF-8); non-zero when the text
    /// was taken.
    virtual unsigned int SetString(const std::string& text, std::uint32_t member,
                                   std::uint32_t element);
    /// The member's value as UTF-8 text.
    virtual std::string GetString(std::uint32_t member, std::uint32_t element) const;
    /// The number of elements of a list statement (0 for any other statement).
    virtual std::uint32_t GetArrayCount() const;
    /// The name of element `element` of a list statement ("" for any other).
    virtual TString GetArrayElementName(std::uint32_t element);
    /// The number of members the generic member interface offers.
    virtual std::uint32_t GetContainedMemberCount() const;
    /// Member type code of `member`; 0 for a member number out of range.
    virtual std::uint32_t GetContainedType(std::uint32_t member) const;
    /// Keyword list of a selection member, narrowed to `capas` when given: returns
    /// the count and points `keywords` at the list (null and 0 when none).
    virtual std::uint32_t GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                                      const RCStatementInfluencingCapaRefined* capas) const;
    /// The name from the message table "SslStatementNames" when `fromMessages` is
    /// non-zero, else the statement name; trailing blanks stripped.
    virtual TString GetStatementName(unsigned int fromMessages);
    /// The name of member `member` ("" for a member number out of range).
    virtual TString GetSubStatementName(std::uint32_t member);

    /// Compares two statements of the same identifier by their class's rule; raises
    /// "SslErrors" 3 (after logging it at level 1) for statements of different
    /// identifiers and "SslErrors" 2 for an identifier out of range.
    bool operator==(const SslStatement& other) const;
    /// The opposite of operator==.
    bool operator!=(const SslStatement& other) const { return !(*this == other); }

    /// A new default statement of the class of `id` (null when allocation fails);
    /// the caller owns it.  Raises "SslErrors" 2 for an identifier out of range.
    static SslStatement* CreateSslObject(TSslStatementID id);

    // --- statement type predicates: of type bits (TStatementType) -------------
    /// True when `type` is a combination of type bits some statement has.
    static bool IsValidStatementType(std::uint32_t type);
    /// True when `type` may stand at the job level only.
    static bool IsJobOnlyStatement(std::uint32_t type) { return (type & 0x03) == kJob; }
    /// True when `type` may stand in an entry only.
    static bool IsEntryOnlyStatement(std::uint32_t type) { return (type & 0x03) == kEntry; }
    /// True when `type` may stand at both levels.
    static bool IsEntryStatement(std::uint32_t type) { return (type & 0x03) == 0x03; }
    /// Non-zero when `type` is shown to the user for editing.
    static std::uint32_t IsUIStatement(std::uint32_t type) { return type & kUserInterface; }
    /// Non-zero when `type` is written by the system only.
    static std::uint32_t IsReadOnly(std::uint32_t type) { return type & kReadOnly; }
    /// Non-zero when `type` is known to the language but not acted on.
    static std::uint32_t IsNotSupported(std::uint32_t type) { return type & kNotSupported; }
    /// True exactly when `value` has one bit set (binary search over halves).
    static bool HasOneBit(std::uint32_t value) { return _HasOneBit(value, 16, 0xFFFF); }
    /// Member type code of identifier `id`; the caller passes a valid identifier.
    static std::uint32_t GetMemberType(std::uint32_t id) { return m_anMemberTypes[id]; }

    /// Reads a decimal number the way a 32-bit strtol does with base 10: leading
    /// white space, an optional sign, digits up to the first non-digit; values
    /// beyond the 32-bit range saturate at its limits.  False (and `value`
    /// unchanged) when no digit was read.  The text interface of number and
    /// selection statements reads its numbers with it.
    static bool ReadDecimal(const std::string& text, std::int32_t& value);
    /// A line of the plot configuration file: key, " = ", value, CR LF.
    static TString CfgLine(const TString& key, const TString& value) {
        return key + " = " + value + "\r\n";
    }

    /// IsJobOnlyStatement of this statement's type bits.
    bool IsJobOnlyStatement() const { return IsJobOnlyStatement(m_nStatementType); }
    /// IsEntryOnlyStatement of this statement's type bits.
    bool IsEntryOnlyStatement() const { return IsEntryOnlyStatement(m_nStatementType); }
    /// IsEntryStatement of this statement's type bits.
    bool IsEntryStatement() const { return IsEntryStatement(m_nStatementType); }
    /// IsUIStatement of this statement's type bits.
    std::uint32_t IsUIStatement() const { return IsUIStatement(m_nStatementType); }
    /// IsReadOnly of this statement's type bits.
    std::uint32_t IsReadOnly() const { return IsReadOnly(m_nStatementType); }
    /// IsNotSupported of this statement's type bits.
    std::uint32_t IsNotSupported() const { return IsNotSupported(m_nStatementType); }
    /// The type bits (TStatementType) of this statement.
    std::uint32_t GetStatementType() const { return m_nStatementType; }

    /// Statement type of every identifier.
    static const std::uint32_t m_anAccessibility[kSslStatementCount];
    /// Member type of every identifier.
    static const std::uint32_t m_anMemberTypes[kSslStatementCount];

protected:
    /// Replaces the keyword cache by `count` entries and returns a pointer to them.
    RSIndexString* NewKeywordCache(std::uint32_t count) const;
    /// The number of entries in the keyword cache.
    std::uint32_t GetKeywordCacheCount() const { return m_nKeywordCacheCount; }

    std::uint32_t m_nStatementType = 0;  ///< type bits (TStatementType)
    TString m_sName;                     ///< the word that begins the statement's line

private:
    static bool _HasOneBit(std::uint32_t value, std::uint32_t halfWidth, std::uint32_t mask);

    mutable std::unique_ptr<RSIndexString[]> m_pasKeywordCache;
    mutable std::uint32_t m_nKeywordCacheCount = 0;
};
