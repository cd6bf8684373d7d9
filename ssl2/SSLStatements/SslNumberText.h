// Decimal text of the lengths and widths that statements write into SSL tickets.
//
// Called by the statements' ToString.  Pure functions; safe from any thread.
#pragma once

#include <charconv>
#include <cstdio>
#include <string>
#include <system_error>

#include "ssl2/base/TString.h"

/// `value` with three decimals ("0.635"), the form tickets have always carried;
/// when three decimals would change the value on reading it back, the shortest
/// plain decimal (no exponent) that reads back as exactly `value`.
inline TString SslDecimalText(double value) {
    char fixed[32];
    const int length = std::snprintf(fixed, sizeof fixed, "%.3f", value);
    double back = 0.0;
    if (length > 0 && static_cast<std::size_t>(length) < sizeof fixed &&
        std::from_chars(fixed, fixed + length, back).ec == std::errc() && back == value)
        return TString(std::string(fixed, static_cast<std::size_t>(length)));
    char exact[400];  // the longest plain form of a double has about 330 digits
    const std::to_chars_result result =
        std::to_chars(exact, exact + sizeof exact, value, std::chars_format::fixed);
    if (result.ec != std::errc())
        return TString::Format("%.3f", value);
    return TString(std::string(exact, result.ptr));
}
