#include "ssl2/base/RCPageRangeParser.h"

#include <gtest/gtest.h>

namespace {

struct Row {
    const char* text;
    std::uint32_t pages;
    int ok;
    std::uint32_t selected;
};

TEST(RCPageRangeParser, CountsSelectedPages) {
    const Row rows[] = {
        {"2-4", 10, 1, 3},
        {"2 - 4", 10, 1, 3},
        {"7", 10, 1, 1},
        {"1,3;5 7", 10, 1, 4},
        {"8-", 10, 1, 3},
        {"-3", 10, 1, 3},
        {"", 10, 1, 10},
        {"1-10 odd", 8, 1, 4},
        {"EVEN", 9, 1, 4},
        {"odd", 9, 1, 5},
        {"even 2-5,4-9", 10, 1, 4},  // overlaps count once: 2..9 even = 2,4,6,8
        {"3-7,1-2", 10, 1, 7},       // order does not matter
        {"5-20", 8, 1, 4},           // clipped to the document
        {"12", 8, 1, 0},             // beyond the last page
        {"1-4294967294", 4000000000u, 1, 4000000000u},
        {"0", 10, 0, 10},  // failures select every page
        {"4-2", 10, 0, 10},
        {"1-3 x", 10, 0, 10},
        {"-", 10, 0, 10},
        {"99999999999", 10, 0, 10},
        {"even odd", 10, 0, 10},
        {"2-4", 0, 1, 0},
    };
    for (const auto& r : rows) {
        RCPageRangeParser parser;
        EXPECT_EQ(parser.ParseStringWithEvenOdd(r.text) != 0, r.ok != 0) << r.text;
        parser.ApplyEvenOdd(r.pages);
        EXPECT_EQ(parser.Size(), r.selected) << '"' << r.text << "\" of " << r.pages;
    }
}

TEST(RCPageRangeParser, ReparseForgetsTheEarlierText) {
    RCPageRangeParser parser;
    parser.ParseStringWithEvenOdd("odd 1-2");
    EXPECT_EQ(parser.Size(), 0u);  // nothing resolved yet
    parser.ParseStringWithEvenOdd("3");
    EXPECT_EQ(parser.GetEvenOdd(), RCTurnStyleContext::kAllPages);
    parser.ApplyEvenOdd(5);
    EXPECT_EQ(parser.Size(), 1u);
}

}  // namespace
