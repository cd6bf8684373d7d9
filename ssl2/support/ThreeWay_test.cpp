#include "ssl2/support/ThreeWay.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> FromHex(const std::string& hex) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

RCThreeWay::TKey KeyFromHex(const std::string& hex) {
    RCThreeWay::TKey key{};
    const auto bytes = FromHex(hex);
    std::copy(bytes.begin(), bytes.end(), key.begin());
    return key;
}

// The published 3-Way validation vectors (key, clear block, enciphered block).
struct KnownAnswer {
    const char* key;
    const char* clear;
    const char* enciphered;
};
constexpr KnownAnswer kKnownAnswers[] = {
    {"000000000000000000000000", "000000010000000100000001", "4059c76e83ae9dc4ad21ecf7"},
    {"000000060000000500000004", "000000030000000200000001", "d2f05b5ed6144138cab920cd"},
    {"def01234456789abbcdef012", "234567899abcdef001234567", "0aa55dbb9cdddb6d7cdb76b2"},
    {"d2f05b5ed6144138cab920cd", "4059c76e83ae9dc4ad21ecf7", "478ea8716b13f17c15b155ed"},
};

TEST(ThreeWay, KnownAnswersBothWaysBlockByBlock) {
    for (const auto& row : kKnownAnswers) {
        SCOPED_TRACE(row.key);
        const RCThreeWay cipher(KeyFromHex(row.key));
        // Two copies of the block: each block is enciphered on its own.
        auto data = FromHex(std::string(row.clear) + row.clear);
        ASSERT_TRUE(cipher.Encipher(data));
        EXPECT_EQ(data, FromHex(std::string(row.enciphered) + row.enciphered));
        ASSERT_TRUE(cipher.Decipher(data));
        EXPECT_EQ(data, FromHex(std::string(row.clear) + row.clear));
    }
}

TEST(ThreeWay, RefusesPartialBlocks) {
    const RCThreeWay cipher(RCThreeWay::TKey{});
    std::vector<std::uint8_t> data(13, 0x41);
    const auto before = data;
    EXPECT_FALSE(cipher.Encipher(data));
    EXPECT_FALSE(cipher.Decipher(data));
    EXPECT_EQ(data, before);
    std::vector<std::uint8_t> empty;
    EXPECT_TRUE(cipher.Encipher(empty));
}

}  // namespace
