#include "ssl2/access/RCAccessSsl.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string>
#include <vector>

#include "ssl2/base/TException.h"
#include "ssl2/sslmessages.h"
#include "tests/support/EntryTestData.h"

namespace {

using ssl2_test::AccessTo;

const RCAccessSsl kEmpty = AccessTo({});

RCAccessSsl Random(std::mt19937& rng) {
    RCAccessSsl value;
    for (std::uint32_t id = 0; id < 128; ++id)
        value.SetAccess(TSslStatementID(id), rng() & 1);
    return value;
}

std::vector<std::uint8_t> OldRecord(std::uint32_t storedLength, std::uint32_t size) {
    std::vector<std::uint8_t> record(size, 0xA5);
    for (std::uint32_t i = 0; i < 4 && 4 + i < size; ++i)
        record[4 + i] = static_cast<std::uint8_t>(storedLength >> (8 * i));
    return record;
}

TEST(RCAccessSsl, DefaultSingleAndUnusedFlags) {
    RCAccessSsl value;
    EXPECT_TRUE(value.HasFullAccess());
    EXPECT_EQ(value.ToString(), std::string(32, 'F'));
    EXPECT_EQ(value.ToOldStyle(), 0x7FFFFFEu);

    value.SetAllAccess(0);
    value.SetAccess(kId_SslCopies, 1);
    EXPECT_TRUE(value.HasAnyAccess());
    EXPECT_EQ(value.ToString(), "80" + std::string(30, '0'));
    EXPECT_EQ(value.ToOldStyleString(), "4");

    RCAccessSsl statements = kEmpty;
    for (std::uint32_t id = 0; id < kSslStatementCount; ++id)
        statements.SetAccess(TSslStatementID(id), 1);
    EXPECT_FALSE(statements.HasFullAccess());
    EXPECT_EQ(statements.ToString(), std::string(24, 'F') + "FF7F0000");
    statements.SetUnusedStatementAccess(1);
    EXPECT_TRUE(statements.HasFullAccess());
    statements.SetUnusedStatementAccess(0);
    EXPECT_EQ((~statements).ToString(), std::string(24, '0') + "0080FFFF");
}

TEST(RCAccessSsl, NamedAccessorsIncludingRenamedOnes) {
    RCAccessSsl value = kEmpty;
    value.SetAccountAccess(1);
    value.SetCopyrightAccess(1);
    value.SetScanColorProfileNameAccess(1);
    value.SetAddressAccess(2);
    value.SetPrintQualityAccess(1);
    EXPECT_EQ(value.ToString(), AccessTo({0, 8, 68, 78, 110}).ToString());
    value.SetAddressAccess(0);
    EXPECT_EQ(value.GetAddressAccess(), 0u);
    EXPECT_EQ(value.GetCopyrightAccess(), 1u);
}

TEST(RCAccessSsl, IdentifiersBeyondTheFlagsAreIgnored) {
    RCAccessSsl value = kEmpty;
    value.SetAccess(TSslStatementID(200), 1);  // would be statement 104 if wrapped
    EXPECT_FALSE(value.HasAnyAccess());
    RCAccessSsl full;
    full.SetAccess(TSslStatementID(0xFFFFFFFF), 0);
    EXPECT_TRUE(full.HasFullAccess());
    EXPECT_EQ(full.GetAccess(TSslStatementID(128)), 0u);
    EXPECT_EQ(full.GetAccess(TSslStatementID(127)), 1u);
}

TEST(RCAccessSsl, Operators) {
    std::mt19937 rng(7);
    for (int round = 0; round < 50; ++round) {
        const RCAccessSsl a = Random(rng), b = Random(rng);
        for (std::uint32_t id = 0; id < 128; ++id) {
            const auto i = TSslStatementID(id);
            ASSERT_EQ((a | b).GetAccess(i), a.GetAccess(i) | b.GetAccess(i));
            ASSERT_EQ((a & b).GetAccess(i), a.GetAccess(i) & b.GetAccess(i));
            ASSERT_EQ((~a).GetAccess(i), 1 - a.GetAccess(i));
        }
        RCAccessSsl c = a;
        const RCAccessSsl& alias = c;  // self-operations through an alias
        c |= alias;
        c &= alias;
        c = alias;
        EXPECT_EQ(c == a, 1u);
        EXPECT_EQ(c != a, 0u);
    }
    RCAccessSsl unused = kEmpty;
    unused.SetUnusedStatementAccess(1);
    EXPECT_EQ(unused != kEmpty, 1u);
}

TEST(RCAccessSsl, AccessValueForStatementType) {
    auto forType = [](std::uint32_t type) {
        return RCAccessSsl::GenerateAccessValueForStatementType(SslStatement::TStatementType(type));
    };
    EXPECT_EQ(forType(1).ToString(), AccessTo({100, 103, 104, 106, 108, 109}).ToString());
    for (std::uint32_t type : {0u, 4u, 8u, 12u, 17u, 0xFFFFFFFFu})
        EXPECT_FALSE(forType(type).HasAnyAccess()) << type;
    // The types in use split the statements without overlap.
    RCAccessSsl all = kEmpty;
    for (std::uint32_t type : {1u, 3u, 5u, 7u, 9u, 10u, 11u, 14u, 16u}) {
        EXPECT_FALSE((all & forType(type)).HasAnyAccess()) << type;
        all |= forType(type);
    }
    EXPECT_EQ(all.ToString(), std::string(24, 'F') + "FF7F0000");
}

// Lengths count characters: 40 characters (56 bytes) are a whole text and a tail.
TEST(RCAccessSsl, FromStringCountsCharacters) {
    RCAccessSsl value;
    EXPECT_EQ(
        value.FromString("0123456789abcdefFEDCBA9876543210\u20ac\u20ac\u20ac\u20ac\u20ac\u20ac"
                         "\u20ac\u20ac"),
        1u);
    EXPECT_EQ(value.ToString(), "0123456789ABCDEFFEDCBA9876543210");
}

TEST(RCAccessSsl, FromStringRefusesAndChangesNothing) {
    const std::string zeros(48, '0');
    std::vector<std::string> bad = {
        "", zeros.substr(0, 15), zeros.substr(0, 17), zeros.substr(0, 31), zeros.substr(0, 33),
        zeros + zeros, "0x" + zeros.substr(0, 30), "+" + zeros.substr(0, 15),
        zeros.substr(0, 15) + " ", std::string(24, '\0'),
        // 36 characters, 40 bytes; a non-ASCII digit look-alike
        zeros.substr(0, 32) + "\u00e4\u00e4\u00e4\u00e4", zeros.substr(0, 15) + "\u00bd"};
    for (std::size_t at : {0u, 7u, 8u, 15u, 23u, 31u}) {
        std::string text = zeros.substr(0, at < 16 ? 16 : 32);
        text[at] = 'g';
        bad.push_back(text);
    }
    for (const auto& text : bad) {
        RCAccessSsl value;
        EXPECT_EQ(value.FromString(text), 0u) << text;
        EXPECT_TRUE(value.HasFullAccess()) << text;
    }
}

/// The old-style word seen statement by statement, one character per identifier:
/// 'A' + n when FromOldStyle sets the statement with bit 2 << n and ToOldStyle reports
/// that bit for it alone, 'a' + n when only FromOldStyle sets it (a group's follower),
/// '.' when FromOldStyle clears it whatever the word, '-' when FromOldStyle leaves it
/// alone; '!' marks a statement ToOldStyle reports under a bit of another group.
std::string OldStyleMap() {
    std::string map;
    RCAccessSsl cleared;
    cleared.FromOldStyle(0);
    for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
        const std::uint32_t reported = AccessTo({id}).ToOldStyle();
        char c = cleared.GetAccess(TSslStatementID(id)) ? '-' : '.';
        for (std::uint32_t n = 0; n < 26; ++n) {
            RCAccessSsl set = kEmpty;
            set.FromOldStyle(2u << n);
            if (set.GetAccess(TSslStatementID(id)))
                c = static_cast<char>((reported == 2u << n ? 'A' : 'a') + n);
        }
        map += (reported != 0 && !std::isupper(static_cast<unsigned char>(c))) ? '!' : c;
    }
    return map;
}

TEST(RCAccessSsl, OldStyleGroupsBothWays) {
    // Identifiers 0-9, 10-19, ..., each ten separated by a space for reading.
    std::string map = OldStyleMap();
    for (std::size_t at = 100; at > 0; at -= 10)
        map.insert(at, " ");
    EXPECT_EQ(map,
              "W-Ccc--BDW WWEF-WUG-- J-Kkk-PAIL TUMOMNP-QH H--RS---P- BV--X-S-BA "
              "-..S...... .......... .......... .....Yyy.A ...Z...-xx.");
    RCAccessSsl all = kEmpty;
    all.FromOldStyle(0x7FFFFFE);
    EXPECT_EQ(all.ToOldStyle(), 0x7FFFFFEu);
    RCAccessSsl high = kEmpty;
    high.FromOldStyle(0xF8000001);
    EXPECT_FALSE(high.HasAnyAccess());
}

TEST(RCAccessSsl, FromOldStyleStringParsesLikeStrtoul) {
    const struct {
        const char* text;
        std::uint32_t word;
    } rows[] = {
        {"4", 0x4},
        {" \t+4", 0x4},
        {"4abc", 0x4},
        {"-0", 0},
        {"-1", 0x7FFFFFE},
        {"0x4", 0},
        {"99999999999999", 0x7FFFFFE},
        {"-4294967295", 0},
        {"4294967296", 0x7FFFFFE},
    };
    for (const auto& row : rows) {
        RCAccessSsl value;
        EXPECT_EQ(value.FromOldStyleString(row.text), 1u) << row.text;
        EXPECT_EQ(value.ToOldStyle(), row.word) << row.text;
    }
    for (const char* text : {"", " ", "+", "-", "abc", "\n"}) {
        RCAccessSsl value;
        EXPECT_EQ(value.FromOldStyleString(text), 0u) << text;
        EXPECT_TRUE(value.HasFullAccess()) << text;
    }
}

TEST(RCAccessSsl, AllFormsRoundTrip) {
    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        const RCAccessSsl value = Random(rng);
        RCAccessSsl text = Random(rng), serial = Random(rng), old = Random(rng);
        ASSERT_EQ(text.FromString(value.ToString()), 1u);
        ASSERT_EQ(text == value, 1u);
        serial.DeSerialize(value.Serialize());
        ASSERT_EQ(serial == value, 1u);
        std::vector<std::uint8_t> record(value.OldSerialize(nullptr, 0));
        value.OldSerialize(record.data(), static_cast<std::uint32_t>(record.size()));
        ASSERT_EQ(old.OldDeSerialize(record.data(), static_cast<std::uint32_t>(record.size())),
                  24u);
        ASSERT_EQ(old == value, 1u);

        const std::uint32_t word = rng() & 0x7FFFFFE;
        RCAccessSsl grouped = value;
        ASSERT_EQ(grouped.FromOldStyleString(TString::Format("%u", word)), 1u);
        ASSERT_EQ(grouped.ToOldStyle(), word);
    }
}

TEST(RCAccessSsl, DeSerializeRefusesBadData) {
    const auto bytes = AccessTo({1, 2, 3, 127}).Serialize();
    ASSERT_EQ(bytes.size(), 45u);
    EXPECT_EQ(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24, 0x110000);
    EXPECT_EQ(bytes[16], 0);                    // member id 0
    EXPECT_EQ(bytes[20], RSDataEntry::kTLong);  // as TLong values
    EXPECT_EQ(bytes[21], 4);                    // four of them

    std::vector<std::vector<std::uint8_t>> bad;
    for (std::size_t n = 0; n < bytes.size(); ++n)
        bad.emplace_back(bytes.begin(), bytes.begin() + n);
    auto threeValues = bytes;
    threeValues[21] = 3;
    threeValues[25] = 12;
    threeValues.resize(41);
    bad.push_back(threeValues);
    auto wrongKind = bytes;
    wrongKind[20] = RSDataEntry::kTSLong;
    bad.push_back(wrongKind);
    for (const auto& data : bad) {
        RCAccessSsl target;
        EXPECT_THROW(target.DeSerialize(data), TException) << data.size();
        EXPECT_TRUE(target.HasFullAccess()) << data.size();
        ClearError();
    }
}

TEST(RCAccessSsl, OldSerializeWritesTheRecord) {
    const RCAccessSsl value = AccessTo({0, 8, 127});
    EXPECT_EQ(value.OldSerialize(nullptr, 0), 24u);
    std::vector<std::uint8_t> record(24);
    ASSERT_EQ(value.OldSerialize(record.data(), 24), 24u);
    const std::vector<std::uint8_t> expected = {44, 0, 0, 0, 24, 0, 0, 0, 1, 1, 0, 0,
                                                0,  0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0x80};
    EXPECT_EQ(record, expected);
    // Too small a buffer gets nothing written past its end (the sanitizers watch)
    // and its caller still learns the size it needs.
    for (std::uint32_t size = 0; size < 24; ++size) {
        std::vector<std::uint8_t> small(size, 0xEE);
        EXPECT_EQ(value.OldSerialize(small.data(), size), 24u);
    }
}

TEST(RCAccessSsl, OldDeSerializeStoredLengthsAndShortData) {
    const std::string a5 = "A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5", ff(32, 'F');
    struct Row {
        std::uint32_t length, size;
        std::string expected;  // "raises": the data is too short, nothing changes
    };
    std::vector<Row> rows = {
        {16, 16, a5.substr(0, 16) + std::string(16, '0')},
        {20, 20, a5.substr(0, 24) + std::string(8, '0')},
        {24, 24, a5},
        {28, 28, a5},
        {32, 32, a5},
        {0, 8, ff},
        {8, 8, ff},
        {23, 23, ff},
        {36, 36, ff},
        {1000, 1000, ff},
    };
    for (std::uint32_t size = 0; size < 8; ++size)
        rows.push_back({24, size, "raises"});
    for (std::uint32_t length : {16u, 20u, 24u, 32u, 0xFFFFFFFFu})
        rows.push_back({length, 15, "raises"});
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.length << "/" << row.size);
        const auto record = OldRecord(row.length, row.size);
        RCAccessSsl value;
        try {
            EXPECT_EQ(value.OldDeSerialize(record.data(), row.size), row.length);
            EXPECT_EQ(value.ToString(), row.expected);
        } catch (const TException& e) {
            EXPECT_EQ(row.expected, "raises");
            EXPECT_EQ(e.GetTable(), RMCSslErrors());
            EXPECT_EQ(e.GetNumber(), RMCSslErrors::kAccessDataTooShort);
            EXPECT_TRUE(value.HasFullAccess());
            ClearError();
        }
    }
    RCAccessSsl value;
    EXPECT_THROW(value.OldDeSerialize(nullptr, 24), TException);
    ClearError();
}

}  // namespace
