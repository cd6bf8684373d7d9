// RCSslStatementStore: the slot tables, the shared defaults and copy-on-write.
#include "ssl2/entry/RCSslStatementStore.h"

#include <cmath>
#include <memory>
#include <new>
#include <stdexcept>
#include <type_traits>

#include "ssl2/SSLStatements/SslStatements.h"

namespace {

struct RSMemberRow {
    std::uint32_t id;
    RCSslStatementStore::TLevel level;
};

/// Level of every entry member, in declaration order.
constexpr RSMemberRow kMembers[] = {
#define SSL2_ENTRY_MEMBER(cls, id, level, merge, compared) {id, RCSslStatementStore::kLevel##level},
#define kLevelJOB kLevelJob
#define kLevelFILE kLevelFile
#define kLevelNEVER kLevelNever
#include "ssl2/entry/RCSslEntryMembers.def"
#undef kLevelJOB
#undef kLevelFILE
#undef kLevelNEVER
};
static_assert(std::size(kMembers) == kSslStatementCount);

struct RSSlot {
    RCSslStatementStore::TLevel level;
    std::uint8_t index;  ///< position within the block of its level
};

/// Level and block position of every statement identifier.
constexpr std::array<RSSlot, kSslStatementCount> kSlots = [] {
    std::array<RSSlot, kSslStatementCount> slots{};
    std::uint8_t next[RCSslStatementStore::kLevelCount] = {};
    for (const RSMemberRow& row : kMembers)
        slots[row.id] = {row.level, next[row.level]++};
    return slots;
}();

/// Slots of each level's block: one per statement of the level.
constexpr std::array<std::size_t, RCSslStatementStore::kLevelCount> kLevelSizes = [] {
    std::array<std::size_t, RCSslStatementStore::kLevelCount> counts{};
    for (const RSMemberRow& row : kMembers)
        ++counts[row.level];
    return counts;
}();

/// The statement identifier of every slot of each level's block.
constexpr auto kSlotIds = [] {
    std::array<std::array<std::uint32_t, kSslStatementCount>, RCSslStatementStore::kLevelCount>
        ids{};
    for (const RSMemberRow& row : kMembers)
        ids[row.level][kSlots[row.id].index] = row.id;
    return ids;
}();

/// Equal lengths that a text would also show alike (the sign of a zero).
bool SameLength(double a, double b) {
    return a == b && std::signbit(a) == std::signbit(b);
}

/// The statement classes with lengths other than sizes, pen widths (which are never
/// minus zero) and the width limits of the plotter-language settings; they are rarely
/// compared, so their text decides the sign of a zero.
template <class T>
constexpr bool kHoldsLengths = std::is_same_v<T, SslMargin> || std::is_same_v<T, SslJobFlagsheet> ||
                               std::is_same_v<T, SslStamp>;

/// Statement equality plus what it leaves out: the marks of a setter's use, the
/// media subtype, and the sign of zero lengths.
template <class T>
bool IdenticalOf(const T& a, const T& b) {
    if (!(a == b))
        return false;
    if constexpr (std::is_same_v<T, SslFold>)
        return a.GetOptionsSet() == b.GetOptionsSet();
    if constexpr (std::is_same_v<T, SslDocumentBox>)
        return a.GetUserNameSet() == b.GetUserNameSet();
    if constexpr (std::is_same_v<T, SslMediaType>)
        return a.GetSubType() == b.GetSubType();
    if constexpr (std::is_base_of_v<SslSizeStatement, T>)
        return SameLength(a.Get().GetWidth(), b.Get().GetWidth()) &&
               SameLength(a.Get().GetHeight(), b.Get().GetHeight());
    if constexpr (std::is_base_of_v<SslHpgl, T>)
        return SameLength(a.GetMinwidth(), b.GetMinwidth()) &&
               SameLength(a.GetMaxwidth(), b.GetMaxwidth());
    if constexpr (kHoldsLengths<T>)
        return a.ToString() == b.ToString();
    return true;
}

}  // namespace

/// One statement and its reference count, in one allocation.
class RCSslStatementStore::RCNode : public RCShared {
public:
    RCNode() = default;
    RCNode(const RCNode&) = default;
    RCNode& operator=(const RCNode&) = delete;
    virtual ~RCNode() = default;
    virtual SslStatement& Statement() = 0;
    /// A new node holding a copy of this node's statement.
    virtual RCNode* Clone() const = 0;
    /// A new node holding the default statement of `id` (0 to 110).
    static RCNode* New(std::uint32_t id);
};

/// The node of a statement of class `T`.
template <class T>
class RCSslStatementStore::TNode final : public RCNode {
public:
    TNode() = default;
    TNode(const TNode& other) : RCNode(other), m_Statement(other.m_Statement) {}
    SslStatement& Statement() override { return m_Statement; }
    RCNode* Clone() const override { return new TNode(*this); }

private:
    T m_Statement;
};

RCSslStatementStore::RCNode* RCSslStatementStore::RCNode::New(std::uint32_t id) {
    switch (id) {
#define SSL2_STATEMENT(ident, cls, name, family, type, member) \
    case ident:                                                \
        return new TNode<cls>;
#include "ssl2/SSLStatements/SslStatementTable.def"
    }
    throw std::out_of_range("statement identifier");
}

/// The slots of one level; an empty slot holds the default.
class RCSslStatementStore::RCBlock : public RCShared {
public:
    virtual ~RCBlock() = default;
    /// A new block sharing this block's statements.
    virtual RCBlock* Clone() const = 0;
    /// A new empty block of `level`.
    static RCBlock* New(TLevel level);

    TShared<RCNode>* m_pSlots = nullptr;  ///< the level's slots, in the derived block
};

/// A block of `N` slots: each level's block is only as large as the level.
template <std::size_t N>
class RCSslStatementStore::TBlock final : public RCBlock {
public:
    TBlock() { m_pSlots = m_aSlots.data(); }
    TBlock(const TBlock& other) : RCBlock(other), m_aSlots(other.m_aSlots) {
        m_pSlots = m_aSlots.data();
    }
    RCBlock* Clone() const override { return new TBlock(*this); }

private:
    std::array<TShared<RCNode>, N> m_aSlots;
};

// The never-copied level is the ordinal alone, which the store holds itself.
static_assert(kLevelSizes[RCSslStatementStore::kLevelNever] == 1);

RCSslStatementStore::RCBlock* RCSslStatementStore::RCBlock::New(TLevel level) {
    if (level == kLevelJob)
        return new TBlock<kLevelSizes[kLevelJob]>;
    return new TBlock<kLevelSizes[kLevelFile]>;
}

RCSslStatementStore::RCSslStatementStore() = default;
RCSslStatementStore::RCSslStatementStore(const RCSslStatementStore& other) = default;
RCSslStatementStore& RCSslStatementStore::operator=(const RCSslStatementStore& other) = default;
RCSslStatementStore::RCSslStatementStore(RCSslStatementStore&& other) noexcept = default;
RCSslStatementStore& RCSslStatementStore::operator=(RCSslStatementStore&& other) noexcept = default;
RCSslStatementStore::~RCSslStatementStore() = default;

RCSslStatementStore::RCSslStatementStore(const RCSslStatementStore& other, bool withJobLevel) {
    m_aBlocks[kLevelFile] = other.m_aBlocks[kLevelFile];
    if (withJobLevel)
        m_aBlocks[kLevelJob] = other.m_aBlocks[kLevelJob];
}

RCSslStatementStore::TLevel RCSslStatementStore::LevelOf(std::uint32_t id) {
    return kSlots[id].level;
}

const SslStatement& RCSslStatementStore::DefaultOf(std::uint32_t id) {
    static const std::array<std::unique_ptr<SslStatement>, kSslStatementCount> defaults = [] {
        std::array<std::unique_ptr<SslStatement>, kSslStatementCount> all;
        for (std::uint32_t i = 0; i < kSslStatementCount; ++i) {
            all[i].reset(SslStatement::CreateSslObject(static_cast<TSslStatementID>(i)));
            if (!all[i])
                throw std::bad_alloc();
        }
        return all;
    }();
    return *defaults[id];
}

const SslStatement& RCSslStatementStore::Get(std::uint32_t id) const {
    const RSSlot slot = kSlots[id];
    if (slot.level == kLevelNever)
        return m_Ordinal;
    const RCBlock* block = m_aBlocks[slot.level].get();
    if (block == nullptr || !block->m_pSlots[slot.index])
        return DefaultOf(id);
    return block->m_pSlots[slot.index]->Statement();
}

RCSslStatementStore::RCBlock& RCSslStatementStore::OwnBlock(TLevel level) {
    TShared<RCBlock>& block = m_aBlocks[level];
    if (!block)
        block = TShared<RCBlock>(RCBlock::New(level));
    else if (!block->Unique())
        block = TShared<RCBlock>(block->Clone());  // shares the statements
    return *block;
}

SslStatement& RCSslStatementStore::Modify(std::uint32_t id) {
    const RSSlot slot = kSlots[id];
    if (slot.level == kLevelNever)
        return m_Ordinal;
    TShared<RCNode>& node = OwnBlock(slot.level).m_pSlots[slot.index];
    if (!node)
        node = TShared<RCNode>(RCNode::New(id));
    else if (!node->Unique())
        node = TShared<RCNode>(node->Clone());
    return node->Statement();
}

void RCSslStatementStore::Share(std::uint32_t id, const RCSslStatementStore& other) {
    if (SameObject(id, other))
        return;
    const RSSlot slot = kSlots[id];
    if (slot.level == kLevelNever) {
        m_Ordinal = other.m_Ordinal;
        return;
    }
    const RCBlock* from = other.m_aBlocks[slot.level].get();
    const bool fromDefault = from == nullptr || !from->m_pSlots[slot.index];
    OwnBlock(slot.level).m_pSlots[slot.index] =
        fromDefault ? TShared<RCNode>() : from->m_pSlots[slot.index];
}

bool RCSslStatementStore::SameObject(std::uint32_t id, const RCSslStatementStore& other) const {
    return &Get(id) == &other.Get(id);
}

bool RCSslStatementStore::Identical(std::uint32_t id, const SslStatement& a,
                                    const SslStatement& b) {
    if (&a == &b)
        return true;
    switch (id) {
#define SSL2_STATEMENT(ident, cls, name, family, type, member) \
    case ident:                                                \
        return IdenticalOf(static_cast<const cls&>(a), static_cast<const cls&>(b));
#include "ssl2/SSLStatements/SslStatementTable.def"
    }
    throw std::out_of_range("statement identifier");
}

RCSslStatementStore::RCPool::RCPool() = default;
RCSslStatementStore::RCPool::~RCPool() = default;

void RCSslStatementStore::RCPool::Share(std::uint32_t id, TShared<RCNode>& node) {
    std::array<TShared<RCNode>, kRecent>& recent = m_aRecent[id];
    // The most recent first: tickets mostly repeat a value in runs of files.
    for (std::size_t age = 1; age <= kRecent; ++age) {
        const TShared<RCNode>& kept = recent[(m_anNext[id] + kRecent - age) % kRecent];
        if (kept && Identical(id, kept->Statement(), node->Statement())) {
            node = kept;
            return;
        }
    }
    recent[m_anNext[id]] = node;
    m_anNext[id] = static_cast<std::uint8_t>((m_anNext[id] + 1) % kRecent);
}

void RCSslStatementStore::ShareIdentical(const RCSslStatementStore& source, bool withJobLevel,
                                         RCPool& pool) {
    for (const TLevel level : {kLevelJob, kLevelFile}) {
        TShared<RCBlock>& own = m_aBlocks[level];
        const bool copied = level == kLevelFile || withJobLevel;
        const TShared<RCBlock> from = copied ? source.m_aBlocks[level] : TShared<RCBlock>();
        // Only a block of this store alone may change in place.
        if (!own || own.get() == from.get() || !own->Unique())
            continue;
        bool asFrom = true;
        for (std::size_t i = 0; i < kLevelSizes[level]; ++i) {
            TShared<RCNode>& node = own->m_pSlots[i];
            const TShared<RCNode>* read = from ? &from->m_pSlots[i] : nullptr;
            RCNode* readNode = read != nullptr ? read->get() : nullptr;
            if (node && node.get() != readNode) {
                const std::uint32_t id = kSlotIds[level][i];
                if (Identical(id, node->Statement(),
                              readNode != nullptr ? readNode->Statement() : DefaultOf(id)))
                    node = read != nullptr ? *read : TShared<RCNode>();
                else
                    pool.Share(id, node);
            }
            asFrom = asFrom && node.get() == readNode;
        }
        if (asFrom)
            own = from;
    }
}
