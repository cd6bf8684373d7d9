#include "ssl2/SSLStatements/SslNumberText.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

constexpr int kFewestDecimals = 3;
constexpr int kMostDecimals = 9;
// How close a shorter form must read back.  Three quarters of the ninth decimal's
// unit, not the whole unit: two nine-decimal texts lie 1e-9 apart, and with the
// whole unit rounding noise would decide whether 0.186145951 is written as
// 0.18614595.  With this margin every length of up to nine decimals is written
// back as it was read, and the value a written text reads back as is written as
// the same text again.
constexpr double kTolerance = 0.75e-9;

// Large enough for the plain decimal form of any double (about 330 digits).
using TNumberBuffer = char[400];

std::string Fixed(double value, int decimals) {
    TNumberBuffer text;
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return std::string(text, result.ptr);
}

double ReadBack(const std::string& text) {
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace

TString SslDecimalText(double value) {
    std::string text = Fixed(value, kFewestDecimals);
    if (!std::isfinite(value))
        return TString(std::move(text));
    for (int decimals = kFewestDecimals; decimals < kMostDecimals; ++decimals) {
        if (std::fabs(ReadBack(text) - value) <= kTolerance)
            break;
        text = Fixed(value, decimals + 1);
    }
    return TString(std::move(text));
}
