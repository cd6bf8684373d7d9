// RCSslEntry: merging under access rights, equality with a list of differences,
// and the sort key by which a job set orders its file entries.
#include <array>
#include <tuple>

#include "ssl2/base/TException.h"
#include "ssl2/entry/RCSslEntry.h"
#include "ssl2/sslmessages.h"

namespace {

enum TMerge { kMerge_JOBENTRY, kMerge_ANY, kMerge_NEVER };

/// Whether a statement of merge group `merge` may be merged into an entry with the
/// entry flag `isEntry`.
constexpr bool Mergeable(TMerge merge, unsigned int isEntry) {
    return merge == kMerge_ANY || (merge == kMerge_JOBENTRY && isEntry == 0);
}

/// The statements that identify the file an entry prints.
constexpr bool IdentifiesFile(TSslStatementID id) {
    return id == kId_SslDirectory || id == kId_SslFileInfo || id == kId_SslName ||
           id == kId_SslNesting;
}

/// Which statements take part in equality.
constexpr bool kCompared_Y = true;
constexpr bool kCompared_N = false;

/// How each identifier sorts.  kKeep keeps the previous key and comparison: the
/// statements without an order of their own.  Sorting by zoom (56) keeps the
/// previous key like the other size statements.
enum TSortKind : std::uint8_t {
    kKeep,
    kText,
    kSelection,
    kUnits,
    kNumber,
    kFold,
    kBin,
    kStamp,
    kFileInfo
};

// clang-format off
constexpr std::uint8_t kTextIds[] = {0, 1, 5, 8, 9, 10, 11, 14, 15, 17, 18, 29, 30, 37, 38, 41, 42,
                                     64, 65, 66, 68, 70, 71, 72, 73, 74, 75, 106, 107};
constexpr std::uint8_t kSelectionIds[] = {6, 12, 13, 19, 21, 26, 27, 31, 33, 34, 35, 36, 39, 40, 45,
                                          48, 58, 59, 61, 63, 67, 69, 76, 98, 105, 110};
constexpr std::uint8_t kNumberIds[] = {7, 25, 57, 62};
// clang-format on

constexpr std::array<TSortKind, kSslStatementCount> kSortKinds = [] {
    std::array<TSortKind, kSslStatementCount> kinds{};
    for (std::uint8_t id : kTextIds) {
        kinds[id] = kText;
    }
    for (std::uint8_t id : kSelectionIds) {
        kinds[id] = kSelection;
    }
    for (std::uint8_t id : kNumberIds) {
        kinds[id] = kNumber;
    }
    kinds[kId_SslUnits] = kUnits;  // by unit index, like a selection
    kinds[kId_SslFold] = kFold;
    kinds[kId_SslOutputBin] = kBin;
    kinds[kId_SslStamp] = kStamp;
    kinds[kId_SslFileInfo] = kFileInfo;
    return kinds;
}();

bool UnitsIsSmaller(const SslStatement& a, const SslStatement& b) {
    return SslUnits::IsSmaller(static_cast<const SslUnits&>(a), static_cast<const SslUnits&>(b));
}

bool StampIsSmaller(const SslStatement& a, const SslStatement& b) {
    return SslStamp::IsSmaller(static_cast<const SslStamp&>(a), static_cast<const SslStamp&>(b));
}

/// Folds sort by program, then tray, then options.
bool FoldIsSmaller(const SslStatement& a, const SslStatement& b) {
    const auto& x = static_cast<const SslFold&>(a);
    const auto& y = static_cast<const SslFold&>(b);
    return std::make_tuple(x.GetPrg(), x.GetTray(), x.GetOptions()) <
           std::make_tuple(y.GetPrg(), y.GetTray(), y.GetOptions());
}

}  // namespace

void RCSslEntry::MergeSettings(RCSslEntry& target, const RCSslEntry& source,
                               const RCAccessSsl& access) {
    if (&target == &source) {
        return;
    }
#define SSL2_ENTRY_MEMBER(cls, ident, level, merge, compared)                               \
    if (Mergeable(kMerge_##merge, target.m_bIsEntry) && access.GetAccess(kId_##cls) == 0) { \
        target.m_Statements.Share(kId_##cls, source.m_Statements);                          \
    }
#include "ssl2/entry/RCSslEntryMembers.def"
}

RCSslEntry::RSCompReturn RCSslEntry::operator==(const RCSslEntry& other) const {
    RSCompReturn result;
    result.Differences.SetAllAccess(0);
    if (&other == this) {
        return result;
    }
    const auto differs = [&](TSslStatementID id) {
        result.bEqual = false;
        result.Differences.SetAccess(id, 1);
        if (IdentifiesFile(id)) {
            result.bSameFile = false;
        }
    };
    // Equality of the statement base: selection statements by index only, every
    // other family by its own rule.
#define SSL2_ENTRY_MEMBER(cls, ident, level, merge, compared)                              \
    if (kCompared_##compared && !m_Statements.SameObject(kId_##cls, other.m_Statements) && \
        m_Statements.Get(kId_##cls) != other.m_Statements.Get(kId_##cls)) {                \
        differs(kId_##cls);                                                                \
    }
#include "ssl2/entry/RCSslEntryMembers.def"
    return result;
}

void RCSslEntry::InitCompare(TSslStatementID id, unsigned int ascending) {
    m_bSortDescending = ascending == 0 ? 1 : 0;
    if (id >= kSslStatementCount) {
        ThrowNewError(RMCSslErrors(), RMCSslErrors::kUnknownStatement, TString::Format("%u", id));
    }
    TSortIsSmaller compare = nullptr;
    switch (kSortKinds[id]) {
        case kKeep:
            return;
        case kText:
            compare = &SslStringStatement::IsSmaller;
            break;
        case kSelection:
            compare = &SslSelectionStatement::IsSmaller;
            break;
        case kUnits:
            compare = &UnitsIsSmaller;
            break;
        case kNumber:
            compare = &SslNumberStatement::IsSmaller;
            break;
        case kFold:
            compare = &FoldIsSmaller;
            break;
        case kBin:
            compare = &SslOutputBin::IsSmaller;
            break;
        case kStamp:
            compare = &StampIsSmaller;
            break;
        case kFileInfo:
            compare = &SslFileInfo::IsSmaller;
            break;
    }
    m_nSortID = id;
    m_pfnSortIsSmaller = compare;
}

bool RCSslEntry::Compare(const RCSslEntry& a, const RCSslEntry& b) {
    // b contributes its own key.  Only when b's key is of a kind that a's comparison
    // cannot read (the two entries were given keys of different kinds) is b's
    // statement of a's key taken instead.
    const SslStatement& aKey = a.m_Statements.Get(a.m_nSortID);
    const SslStatement& bKey = b.m_Statements.Get(
        a.m_pfnSortIsSmaller == b.m_pfnSortIsSmaller ? b.m_nSortID : a.m_nSortID);
    return a.m_bSortDescending != 0 ? a.m_pfnSortIsSmaller(bKey, aKey)
                                    : a.m_pfnSortIsSmaller(aKey, bKey);
}
