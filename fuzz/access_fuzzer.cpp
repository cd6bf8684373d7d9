// Feeds arbitrary bytes to every reader of RCAccessSsl: the text form, the
// old-style decimal form, the old byte-buffer record and the tagged serial form.
// Besides crashes and out-of-bounds reads it traps on broken promises: a refused
// input must leave the value unchanged, an accepted one must read back the same.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ssl2/access/RCAccessSsl.h"
#include "ssl2/base/TException.h"

namespace {

void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

void FuzzText(const std::string& text) {
    RCAccessSsl value;
    if (!value.FromString(text)) {
        Check(value.HasFullAccess());
        return;
    }
    RCAccessSsl again;
    Check(again.FromString(value.ToString()) == 1);
    Check(again == value);
}

void FuzzOldStyleText(const std::string& text) {
    RCAccessSsl value;
    if (!value.FromOldStyleString(text)) {
        Check(value.HasFullAccess());
        return;
    }
    Check((value.ToOldStyle() & ~std::uint32_t{0x7FFFFFE}) == 0);
    RCAccessSsl again;
    Check(again.FromOldStyleString(value.ToOldStyleString()) == 1);
    Check(again.ToOldStyle() == value.ToOldStyle());
}

void FuzzOldRecord(const std::uint8_t* data, std::size_t size) {
    RCAccessSsl value;
    const auto length = static_cast<std::uint32_t>(size);
    try {
        const std::uint32_t stored = value.OldDeSerialize(data, length);
        Check(stored <= length);
    } catch (const TException&) {
        ClearError();
        Check(value.HasFullAccess());
    }
}

void FuzzSerialForm(const std::uint8_t* data, std::size_t size) {
    RCAccessSsl value;
    try {
        value.DeSerialize({data, size});
    } catch (const TException&) {
        ClearError();
        return;
    }
    RCAccessSsl again;
    again.DeSerialize(value.Serialize());
    Check(again == value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    FuzzText(text);
    FuzzOldStyleText(text);
    FuzzOldRecord(data, size);
    FuzzSerialForm(data, size);
    return 0;
}
