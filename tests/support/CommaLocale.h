// Test support: runs a test under a locale whose decimal separator is a comma, the
// way a client program with a German user interface runs after setlocale(LC_ALL, "").
//
// Tests only; the library itself never calls setlocale.  Not for concurrent tests.
#pragma once

#include <clocale>
#include <cstring>
#include <string>

namespace ssl2::test {

/// Sets the process locale to de_DE.UTF-8 and restores the previous one on destruction.
/// Active() says whether the locale exists here and writes decimal commas; a test
/// that needs it skips with kCommaLocaleMissing otherwise.
class RCCommaLocale {
public:
    RCCommaLocale() {
        const char* current = std::setlocale(LC_ALL, nullptr);
        m_sPrevious = current != nullptr ? current : "C";
        m_bActive = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr &&
                    std::strcmp(std::localeconv()->decimal_point, ",") == 0;
    }
    ~RCCommaLocale() { std::setlocale(LC_ALL, m_sPrevious.c_str()); }
    RCCommaLocale(const RCCommaLocale&) = delete;
    RCCommaLocale& operator=(const RCCommaLocale&) = delete;

    bool Active() const { return m_bActive; }

private:
    std::string m_sPrevious;
    bool m_bActive = false;
};

inline constexpr const char* kCommaLocaleMissing =
    "the locale de_DE.UTF-8 is not available here (scripts/deps.sh generates it)";

}  // namespace ssl2::test
