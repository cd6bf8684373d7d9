// RCSslStatementStore: the slot tables, the shared defaults and copy-on-write.
#include "ssl2/entry/RCSslStatementStore.h"

#include <memory>
#include <new>
#include <stdexcept>

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

/// Slots in the largest block.
constexpr std::size_t kBlockSize = [] {
    std::size_t counts[RCSslStatementStore::kLevelCount] = {};
    std::size_t largest = 0;
    for (const RSMemberRow& row : kMembers)
        largest = std::max(largest, ++counts[row.level]);
    return largest;
}();

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
    std::array<TShared<RCNode>, kBlockSize> m_aSlots;
};

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
    const RCBlock* block = m_aBlocks[slot.level].get();
    if (block == nullptr || !block->m_aSlots[slot.index])
        return DefaultOf(id);
    return block->m_aSlots[slot.index]->Statement();
}

RCSslStatementStore::RCBlock& RCSslStatementStore::OwnBlock(TLevel level) {
    TShared<RCBlock>& block = m_aBlocks[level];
    if (!block)
        block = TShared<RCBlock>(new RCBlock);
    else if (!block->Unique())
        block = TShared<RCBlock>(new RCBlock(*block));  // shares the statements
    return *block;
}

SslStatement& RCSslStatementStore::Modify(std::uint32_t id) {
    const RSSlot slot = kSlots[id];
    TShared<RCNode>& node = OwnBlock(slot.level).m_aSlots[slot.index];
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
    const RCBlock* from = other.m_aBlocks[slot.level].get();
    const bool fromDefault = from == nullptr || !from->m_aSlots[slot.index];
    OwnBlock(slot.level).m_aSlots[slot.index] =
        fromDefault ? TShared<RCNode>() : from->m_aSlots[slot.index];
}

bool RCSslStatementStore::SameObject(std::uint32_t id, const RCSslStatementStore& other) const {
    return &Get(id) == &other.Get(id);
}
