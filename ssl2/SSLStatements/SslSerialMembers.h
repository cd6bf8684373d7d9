// Helpers for the member-by-member serialisation of statement values (SslUnit,
// SslSize, SslFold): the four functions every serialised member has, and the
// static twins that the class's table of {id, deserialise, serialise} holds.
//
// Each class writes Ser_<member> and DeSer_<member> itself (DeSer_ checks the
// value it reads, so hostile data never leaves an object outside its ranges);
// these macros only declare them and generate the casting static twins.
#pragma once

#include "ssl2/base/RCSerializeBase.h"

/// Declares Ser_, DeSer_, Static_Ser_ and Static_DeSer_ of `member` (inside a class).
#define SSL2_SER_MEMBER_DECLARE(member)                                                 \
    void Ser_##member(RSDataEntry* entry) const;                                        \
    void DeSer_##member(const RSDataEntry* entry);                                      \
    static void Static_Ser_##member(RSDataEntry* entry, const RCSerializeBase* object); \
    static void Static_DeSer_##member(const RSDataEntry* entry, RCSerializeBase* object);

/// Defines the static twins of `member` of `Cls`: a checked cast, then the member function.
#define SSL2_SER_MEMBER_STATICS(Cls, member)                                             \
    void Cls::Static_Ser_##member(RSDataEntry* entry, const RCSerializeBase* object) {   \
        if (const auto* self = dynamic_cast<const Cls*>(object))                         \
            self->Ser_##member(entry);                                                   \
    }                                                                                    \
    void Cls::Static_DeSer_##member(const RSDataEntry* entry, RCSerializeBase* object) { \
        if (auto* self = dynamic_cast<Cls*>(object))                                     \
            self->DeSer_##member(entry);                                                 \
    }

/// One row of a class's member table.
#define SSL2_SER_MEMBER_TUPLE(Cls, id, member) \
    { id, &Cls::Static_DeSer_##member, &Cls::Static_Ser_##member }
