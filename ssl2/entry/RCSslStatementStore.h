// RCSslStatementStore: how a job entry holds its 111 statements.
//
// An entry changes only a handful of statements from their class defaults, and the
// reader makes every file entry as a copy of the job entry.  So an entry stores a
// statement only when it differs from the default, and shares what it has not
// changed with the entry it was copied from:
//
//   - every statement class has one default object, built once per process and
//     never changed; a slot that holds nothing reads as that default;
//   - the slots are grouped by the level of the statement into two blocks (job
//     level, file level), each as large as its level; a block and every statement
//     in it are reference counted and copy-on-write, so copying an entry copies two
//     pointers, and the flagged copy (file-level statements only) shares one block;
//   - the first change to a shared block copies the block's slot pointers (not the
//     statements); the first change to a shared or default statement copies that
//     one statement.  Nothing that two entries share is ever changed;
//   - the entry's ordinal, the one statement that is never copied by the flagged
//     copy and differs in every entry of a set, is held by value.
//
// Sharing what is equal (ShareIdentical): the reader sets every statement a ticket
// names, and a ticket the writer wrote names all of them, mostly with the value the
// entry already reads.  When an entry is complete the reader hands it the store it
// was made from and a pool (RCPool) of one reading:
//   - a statement of its own that is identical to the one it would read without it
//     (the source's object, or the default at a level not copied from the source)
//     is dropped for the source's object or the default;
//   - any other statement of its own is looked up among the pool's recent objects
//     of its class, and an identical one is shared instead (Directory, the file
//     emulation, sizes and pen tables are the same in most entries of a ticket);
//   - a block that then holds exactly the source's objects is dropped for the
//     source's block.
// "Identical" is stricter than statement equality: every value a getter or a
// writer can observe must be the same, the marks that record a setter's use (fold
// options set, document box user name set), the media subtype and the sign of a
// zero length included.  Pen tables are identical when equal: the mark a pen keeps
// of its last change is not told apart.  Shared objects are changed only by
// copy-on-write like every other shared object, so changing one entry never
// changes another.
//
// What an entry costs: the two block pointers and the ordinal (88 bytes);
// per changed level one block of slot pointers (8 bytes a slot, about 500 bytes);
// per changed statement its own object (mostly 50 to 200 bytes plus its texts),
// unless an identical one is shared.  A file entry of a read ticket holds a block
// and its name of its own, under 1 KiB.
//
// What a statement class is (name, statement type, member types, keyword tables)
// lives with the class, not in an entry: the statement vocabulary table
// (SslStatementTable.def) and the class's own static tables.
//
// Thread rules: blocks and statements are shared between entries only while
// nobody changes them, and the reference counts are atomic, so copies of an entry
// may be used on different threads.  One store must not be used by two threads at
// once.  A const statement read from a store may be shared with other entries: do
// not call the statement's keyword cache (GetKeywords) on it from two threads; take
// a copy (RCSslEntry::Get) for that.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <utility>

#include "ssl2/SSLStatements/SslNumberStatements.h"
#include "ssl2/SSLStatements/SslStatement.h"

/// How a job entry holds its 111 statements: only those that differ from the class
/// default, in copy-on-write blocks shared with the entry it was copied from.  An
/// internal part of RCSslEntry; one store must not be used by two threads at once.
class RCSslStatementStore {
public:
    /// The copy groups of the entry's statements.
    enum TLevel : std::uint8_t {
        kLevelJob,    ///< copied by the flagged copy only into a job entry
        kLevelFile,   ///< always copied by the flagged copy
        kLevelNever,  ///< never copied by the flagged copy (the ordinal)
        kLevelCount
    };

    /// Every statement at its default.
    RCSslStatementStore();
    /// Shares every statement with `other`.
    RCSslStatementStore(const RCSslStatementStore& other);
    /// Shares the file-level statements with `other`, and the job-level ones when
    /// `withJobLevel`; the rest stay at their defaults.
    RCSslStatementStore(const RCSslStatementStore& other, bool withJobLevel);
    /// Shares every statement with `other`.
    RCSslStatementStore& operator=(const RCSslStatementStore& other);
    /// Leaves `other` with every statement at its default.
    RCSslStatementStore(RCSslStatementStore&& other) noexcept;
    /// Takes over `other`'s statements and leaves it with every statement at its
    /// default.
    RCSslStatementStore& operator=(RCSslStatementStore&& other) noexcept;
    ~RCSslStatementStore();

    /// The level of the statement `id` (0 to 110).
    static TLevel LevelOf(std::uint32_t id);
    /// The default object of the class of `id` (0 to 110), shared by every entry.
    static const SslStatement& DefaultOf(std::uint32_t id);

    /// The statement `id` (0 to 110) for reading.
    const SslStatement& Get(std::uint32_t id) const;
    /// The statement `id` (0 to 110) for changing: made this store's own first.
    SslStatement& Modify(std::uint32_t id);
    /// The statement `id` takes the value that `other` holds, shared, not copied.
    void Share(std::uint32_t id, const RCSslStatementStore& other);
    /// True when the statement `id` holds the object of `other`, so both are equal
    /// without comparing them.
    bool SameObject(std::uint32_t id, const RCSslStatementStore& other) const;

    /// True when two statements of class `id` (0 to 110) cannot be told apart by
    /// any getter or writer (see the top of this header).
    static bool Identical(std::uint32_t id, const SslStatement& a, const SslStatement& b);

    /// Recent statement objects of one reading of a ticket (defined below).
    class RCPool;
    /// Shares again what this store holds identical to what it would read without
    /// it, and what `pool` holds identical (see the top of this header).  `source`
    /// is the store this one was made from by the flagged copy with `withJobLevel`.
    void ShareIdentical(const RCSslStatementStore& source, bool withJobLevel, RCPool& pool);

    /// The statement of class `T` for reading.
    template <class T>
    const T& Get() const {
        return static_cast<const T&>(Get(T::m_StatementID));
    }
    /// The statement of class `T` for changing: made this store's own first.
    template <class T>
    T& Modify() {
        return static_cast<T&>(Modify(T::m_StatementID));
    }

private:
    /// Reference counting of blocks and statement nodes.
    class RCShared {
    public:
        RCShared() = default;
        /// A copy is a new object: it starts with one reference.
        RCShared(const RCShared&) {}
        RCShared& operator=(const RCShared&) = delete;

        void AddRef() const { m_nRefs.fetch_add(1, std::memory_order_relaxed); }
        /// True when the caller released the last reference.
        bool Release() const { return m_nRefs.fetch_sub(1, std::memory_order_acq_rel) == 1; }
        /// True when only the caller holds the object (then nobody else can gain it).
        bool Unique() const { return m_nRefs.load(std::memory_order_acquire) == 1; }

    private:
        mutable std::atomic<std::uint32_t> m_nRefs{1};
    };

    /// An owning, counting pointer; copies share the object.
    template <class T>
    class TShared {
    public:
        TShared() = default;
        explicit TShared(T* object) : m_p(object) {}
        TShared(const TShared& other) : m_p(other.m_p) {
            if (m_p != nullptr)
                m_p->AddRef();
        }
        TShared(TShared&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
        TShared& operator=(TShared other) noexcept {
            std::swap(m_p, other.m_p);
            return *this;
        }
        ~TShared() {
            if (m_p != nullptr && m_p->Release())
                delete m_p;
        }
        T* get() const { return m_p; }
        T* operator->() const { return m_p; }
        T& operator*() const { return *m_p; }
        explicit operator bool() const { return m_p != nullptr; }

    private:
        T* m_p = nullptr;
    };

    class RCNode;
    template <class T>
    class TNode;
    class RCBlock;
    template <std::size_t N>
    class TBlock;

    /// The block of `level`, made this store's own (and created) first.
    RCBlock& OwnBlock(TLevel level);

    /// The blocks of the job and the file level.
    std::array<TShared<RCBlock>, kLevelNever> m_aBlocks;
    /// The one statement of the never-copied level, held by value: every entry of a
    /// set has an ordinal of its own, so a shared block and node would only cost two
    /// allocations per entry.
    SslOrdinal m_Ordinal;

public:
    /// Recent statement objects of one reading of a ticket, a few per class, so that
    /// entries with identical statements share one object.  Holds references to
    /// them until it is destroyed; not for use by two threads at once.
    class RCPool {
    public:
        RCPool();
        RCPool(const RCPool&) = delete;
        RCPool& operator=(const RCPool&) = delete;
        ~RCPool();

    private:
        friend class RCSslStatementStore;
        /// Takes an identical recent object of class `id` for `node`, or keeps
        /// `node` as a recent one in place of the oldest.
        void Share(std::uint32_t id, TShared<RCNode>& node);

        static constexpr std::size_t kRecent = 8;  ///< objects kept per class
        std::array<std::array<TShared<RCNode>, kRecent>, kSslStatementCount> m_aRecent;
        std::array<std::uint8_t, kSslStatementCount> m_anNext{};  ///< the slot to fill next
    };
};
