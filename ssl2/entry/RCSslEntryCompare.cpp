// RCSslEntry: merging under access rights, equality with a list of differences,
// and the sort key by which a job set orders its file entries.
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

/// The sort comparison of each identifier; kKeep keeps the previous key.  Sorting
/// by zoom (56) keeps the previous key like the other size statements: sizes have
/// no order of their own.
enum TSortKind : std::uint8_t { kKeep, kText, kSelection, kNumber, kFold, kBin, kStamp, kFileInfo };

constexpr TSortKind SortKind(std::uint32_t id) {
    switch (id) {
        case 0:
        case 1:
        case 5:
        case 8:
        case 9:
        case 10:
        case 11:
        case 14:
        case 15:
        case 17:
        case 18:
        case 29:
        case 30:
        case 37:
        case 38:
        case 41:
        case 42:
        case 64:
        case 65:
        case 66:
        case 68:
        case 70:
        case 71:
        case 72:
        case 73:
        case 74:
        case 75:
        case 106:
        case 107:
            return kText;
        case 6:
        case 12:
        case 13:
        case 19:
        case 21:
        case 26:
        case 27:
        case 31:
        case 33:
        case 34:
        case 35:
        case 36:
        case 39:
        case 40:
        case 45:
        case 48:
        case 53:
        case 58:
        case 59:
        case 61:
        case 63:
        case 67:
        case 69:
        case 76:
        case 98:
        case 105:
        case 110:
            return kSelection;
        case 7:
        case 25:
        case 57:
        case 62:
            return kNumber;
        case 20:
            return kFold;
        case 43:
            return kBin;
        case 51:
            return kStamp;
        case 60:
            return kFileInfo;
        default:
            return kKeep;
    }
}

}  // namespace

void RCSslEntry::MergeSettings(RCSslEntry& target, const RCSslEntry& source,
                               const RCAccessSsl& access) {
    if (&target == &source) {
        return;
    }
#define SSL2_ENTRY_MEMBER(cls, ident, level, merge, compared)                           \
    if (Mergeable(kMerge_##merge, target.m_bIsEntry) && access.GetAccess(ident) == 0) { \
        target.m_##cls = source.m_##cls;                                                \
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
#define SSL2_ENTRY_MEMBER(cls, ident, level, merge, compared)                          \
    if (kCompared_##compared && static_cast<const SslStatement&>(m_##cls) !=           \
                                    static_cast<const SslStatement&>(other.m_##cls)) { \
        differs(ident);                                                                \
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
    switch (SortKind(id)) {
        case kKeep:
            return;
        case kText:
            compare = &SslStringStatement::IsSmaller;
            break;
        case kSelection:
            compare = &SslSelectionStatement::IsSmaller;
            break;
        case kNumber:
            compare = &SslNumberStatement::IsSmaller;
            break;
        case kFold:
            compare = &SslFold::IsSmaller;
            break;
        case kBin:
            compare = &SslOutputBin::IsSmaller;
            break;
        case kStamp:
            compare = &SslStamp::IsSmaller;
            break;
        case kFileInfo:
            compare = &SslFileInfo::IsSmaller;
            break;
    }
    m_pSortStatement = Member(id);
    m_pfnSortIsSmaller = compare;
}

bool RCSslEntry::Compare(const RCSslEntry& a, const RCSslEntry& b) {
    // b's statement of a's key, so that a's comparison never meets a statement of
    // another class when the two entries were given different keys.
    const SslStatement& aKey = *a.m_pSortStatement;
    const SslStatement& bKey = *b.Member(aKey.GetStatementID());
    return a.m_bSortDescending != 0 ? a.m_pfnSortIsSmaller(bKey, aKey)
                                    : a.m_pfnSortIsSmaller(aKey, bKey);
}
