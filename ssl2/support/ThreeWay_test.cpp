#include "ssl2/support/ThreeWay.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

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
