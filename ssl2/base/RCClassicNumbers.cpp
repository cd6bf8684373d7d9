#include "ssl2/base/RCClassicNumbers.h"

namespace {

// The "C" locale object, made once and kept for the life of the process; it is
// never changed, so every thread may install it.
locale_t ClassicLocale() {
    static const locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return classic;
}

}  // namespace

RCClassicNumbers::RCClassicNumbers()
    : m_previous(ClassicLocale() != nullptr ? uselocale(ClassicLocale()) : nullptr) {}

RCClassicNumbers::~RCClassicNumbers() {
    if (m_previous != nullptr)
        uselocale(m_previous);
}
