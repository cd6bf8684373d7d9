#include "ssl2/access/RCAccessSsl.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

#include "ssl2/base/TException.h"
#include "ssl2/sslmessages.h"

namespace {

using Ids = std::vector<std::uint32_t>;

RCAccessSsl Empty() {
    RCAccessSsl value;
    value.SetAllAccess(0);
    return value;
}

RCAccessSsl WithIds(const Ids& ids, unsigned int on = 1) {
    RCAccessSsl value;
    value.SetAllAccess(on ? 0 : 1);
    for (auto id : ids)
        value.SetAccess(TSslStatementID(id), on);
    return value;
}

RCAccessSsl Random(std::mt19937& rng) {
    RCAccessSsl value;
    for (std::uint32_t id = 0; id < 128; ++id)
        value.SetAccess(TSslStatementID(id), rng() & 1);
    return value;
}

// Runs `operation`, which must raise "SslErrors" 6.
template <typename F>
void ExpectDataTooShort(F operation) {
    try {
        operation();
        ADD_FAILURE() << "no error raised";
    } catch (const TException& e) {
        EXPECT_EQ(e.GetTable(), RMCSslErrors());
        EXPECT_EQ(e.GetNumber(), RMCSslErrors::kAccessDataTooShort);
    }
    ClearError();
}

std::vector<std::uint8_t> OldRecord(std::uint32_t storedLength, std::uint32_t size,
                                    std::uint8_t fill) {
    std::vector<std::uint8_t> record(size, fill);
    for (std::uint32_t i = 0; i < 4 && 4 + i < size; ++i)
        record[4 + i] = static_cast<std::uint8_t>(storedLength >> (8 * i));
    return record;
}

TEST(RCAccessSsl, DefaultIsFullAccess) {
    RCAccessSsl value;
    EXPECT_TRUE(value.HasFullAccess());
    EXPECT_EQ(value.ToString(), std::string(32, 'F'));
    EXPECT_EQ(value.ToOldStyle(), 0x7FFFFFEu);
    EXPECT_EQ(value.GetAccess(kId_SslOrdinal), 1u);
}

TEST(RCAccessSsl, SingleFlagInAllForms) {
    RCAccessSsl value = Empty();
    value.SetAccess(kId_SslCopies, 1);
    EXPECT_EQ(value.GetCopiesAccess(), 1u);
    EXPECT_EQ(value.ToString(), "80" + std::string(30, '0'));
    EXPECT_EQ(value.ToOldStyle(), 0x4u);
    EXPECT_EQ(value.ToOldStyleString(), "4");
    EXPECT_EQ(WithIds({kId_SslPrintQuality}).ToString(), std::string(24, '0') + "00400000");
}

TEST(RCAccessSsl, NamedAccessorsReachTheirStatement) {
    struct Row {
        unsigned int (RCAccessSsl::*get)() const;
        void (RCAccessSsl::*set)(unsigned int);
        std::uint32_t id;
    };
    const Row rows[] = {
        {&RCAccessSsl::GetAccountAccess, &RCAccessSsl::SetAccountAccess, 0},
        {&RCAccessSsl::GetCopyrightAccess, &RCAccessSsl::SetCopyrightAccess, 8},
        {&RCAccessSsl::GetEMailAccess, &RCAccessSsl::SetEMailAccess, 17},
        {&RCAccessSsl::GetFileEmulationAccess, &RCAccessSsl::SetFileEmulationAccess, 19},
        {&RCAccessSsl::GetZoomAccess, &RCAccessSsl::SetZoomAccess, 56},
        {&RCAccessSsl::GetPlotItAccess, &RCAccessSsl::SetPlotItAccess, 58},
        {&RCAccessSsl::GetScanColorProfileNameAccess, &RCAccessSsl::SetScanColorProfileNameAccess,
         68},
        {&RCAccessSsl::GetPlotColorProfileSourceAccess,
         &RCAccessSsl::SetPlotColorProfileSourceAccess, 69},
        {&RCAccessSsl::GetAddressAccess, &RCAccessSsl::SetAddressAccess, 78},
        {&RCAccessSsl::GetUserIdAccess, &RCAccessSsl::SetUserIdAccess, 109},
        {&RCAccessSsl::GetPrintQualityAccess, &RCAccessSsl::SetPrintQualityAccess, 110},
    };
    for (const auto& row : rows) {
        RCAccessSsl value = Empty();
        (value.*row.set)(7);
        EXPECT_EQ(value.ToString(), WithIds({row.id}).ToString()) << row.id;
        EXPECT_EQ((value.*row.get)(), 1u) << row.id;
        (value.*row.set)(0);
        EXPECT_FALSE(value.HasAnyAccess()) << row.id;
        EXPECT_EQ((value.*row.get)(), 0u) << row.id;
    }
}

TEST(RCAccessSsl, UnusedFlagsCountForFullAccess) {
    RCAccessSsl value = Empty();
    for (std::uint32_t id = 0; id < kSslStatementCount; ++id)
        value.SetAccess(TSslStatementID(id), 1);
    EXPECT_FALSE(value.HasFullAccess());
    EXPECT_EQ(value.ToString(), std::string(24, 'F') + "FF7F0000");
    value.SetUnusedStatementAccess(1);
    EXPECT_TRUE(value.HasFullAccess());

    RCAccessSsl unusedOnly = Empty();
    unusedOnly.SetUnusedStatementAccess(1);
    EXPECT_EQ(unusedOnly.ToString(), std::string(24, '0') + "0080FFFF");
    unusedOnly.SetUnusedStatementAccess(0);
    EXPECT_FALSE(unusedOnly.HasAnyAccess());
}

TEST(RCAccessSsl, IdentifiersBeyondTheFlagsAreIgnored) {
    RCAccessSsl value = Empty();
    value.SetAccess(TSslStatementID(200), 1);  // 200 mod 32 would be statement 104
    EXPECT_FALSE(value.HasAnyAccess());
    RCAccessSsl full;
    full.SetAccess(TSslStatementID(0xFFFFFFFF), 0);
    EXPECT_TRUE(full.HasFullAccess());
    EXPECT_EQ(full.GetAccess(TSslStatementID(200)), 0u);
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
        EXPECT_EQ(c == a, 1u);
        EXPECT_EQ(c != a, 0u);
        c |= c;
        c &= c;
        const RCAccessSsl& alias = c;
        c = alias;
        EXPECT_EQ(c == a, 1u);
        EXPECT_EQ((a | ~a).HasFullAccess(), true);
        EXPECT_EQ((a & ~a).HasAnyAccess(), false);
    }
    RCAccessSsl unused = Empty();
    unused.SetUnusedStatementAccess(1);
    EXPECT_EQ(unused != Empty(), 1u);
}

TEST(RCAccessSsl, AccessValueForStatementType) {
    EXPECT_EQ(RCAccessSsl::GenerateAccessValueForStatementType(SslStatement::TStatementType(1))
                  .ToString(),
              WithIds({100, 103, 104, 106, 108, 109}).ToString());
    EXPECT_EQ(RCAccessSsl::GenerateAccessValueForStatementType(SslStatement::TStatementType(16))
                  .ToString(),
              WithIds({6, 16, 33, 39, 40, 47}).ToString());
    for (std::uint32_t type : {0u, 4u, 8u, 12u, 17u, 0xFFFFFFFFu})
        EXPECT_FALSE(
            RCAccessSsl::GenerateAccessValueForStatementType(SslStatement::TStatementType(type))
                .HasAnyAccess())
            << type;
    // The types in use split the statements without overlap.
    RCAccessSsl all = Empty();
    for (std::uint32_t type : {1u, 3u, 5u, 7u, 9u, 10u, 11u, 14u, 16u}) {
        const auto part =
            RCAccessSsl::GenerateAccessValueForStatementType(SslStatement::TStatementType(type));
        EXPECT_FALSE((all & part).HasAnyAccess()) << type;
        all |= part;
    }
    all.SetUnusedStatementAccess(1);
    EXPECT_TRUE(all.HasFullAccess());
}

TEST(RCAccessSsl, FromStringAcceptedLengths) {
    const std::string hex =
        "0123456789abcdef"
        "FEDCBA9876543210"
        "00112233445566778899";
    struct Row {
        std::size_t length;
        std::string expected;
    };
    const Row rows[] = {
        {16, "0123456789ABCDEF" + std::string(16, 'F')},
        {24, "0123456789ABCDEFFEDCBA98" + std::string(8, 'F')},
        {32, "0123456789ABCDEFFEDCBA9876543210"},
        {40, "0123456789ABCDEFFEDCBA9876543210"},
    };
    for (const auto& row : rows) {
        RCAccessSsl value;
        EXPECT_EQ(value.FromString(hex.substr(0, row.length)), 1u) << row.length;
        EXPECT_EQ(value.ToString(), row.expected) << row.length;
    }
    RCAccessSsl value;
    EXPECT_EQ(value.FromString("0123456789ABCDEFFEDCBA9876543210"
                               "xyz+ -GG"
                               "ZZZZZZZZ"),
              1u);
    EXPECT_EQ(value.ToString(), "0123456789ABCDEFFEDCBA9876543210");
}

TEST(RCAccessSsl, FromStringRefusesAndChangesNothing) {
    const std::string good(32, '0');
    std::vector<std::string> bad = {"",
                                    "0",
                                    std::string(15, '0'),
                                    std::string(17, '0'),
                                    std::string(31, '0'),
                                    std::string(33, '0'),
                                    std::string(47, '0'),
                                    std::string(64, '0'),
                                    std::string("0x") + std::string(30, '0'),
                                    std::string("+") + std::string(15, '0'),
                                    std::string(15, '0') + " ",
                                    std::string(16, '0') + '\0' + std::string(7, '0')};
    for (std::size_t at : {0u, 7u, 8u, 15u, 23u, 31u}) {
        std::string g = good;
        g[at] = 'G';
        bad.push_back(g);
    }
    bad.push_back(std::string(23, '0') + "g");
    for (const auto& text : bad) {
        RCAccessSsl value;
        EXPECT_EQ(value.FromString(text), 0u) << text;
        EXPECT_TRUE(value.HasFullAccess()) << text;
    }
}

// The groups of the old-style word: bit, the statements ToOldStyle looks at, the
// statements FromOldStyle sets or clears.
struct OldGroup {
    std::uint32_t bit;
    Ids tested;
    Ids members;
};
const std::vector<OldGroup>& OldGroups() {
    static const std::vector<OldGroup> groups = {
        {0x2, {27, 59, 99}, {27, 59, 99}},
        {0x4, {7, 50, 58}, {7, 50, 58}},
        {0x8, {2}, {2, 3, 4}},
        {0x10, {8}, {8}},
        {0x20, {12}, {12}},
        {0x40, {13}, {13}},
        {0x80, {17}, {17}},
        {0x100, {39, 40}, {39, 40}},
        {0x200, {28}, {28}},
        {0x400, {20}, {20}},
        {0x800, {22}, {22, 23, 24}},
        {0x1000, {29}, {29}},
        {0x2000, {32, 34}, {32, 34}},
        {0x4000, {35}, {35}},
        {0x8000, {33}, {33}},
        {0x10000, {36, 48, 26}, {36, 48, 26}},
        {0x20000, {38}, {38}},
        {0x40000, {43}, {43}},
        {0x80000, {44, 56, 63}, {44, 56, 63}},
        {0x100000, {30}, {30}},
        {0x200000, {31, 16}, {31, 16}},
        {0x400000, {51}, {51}},
        {0x800000, {0, 9, 10, 11, 15}, {0, 9, 10, 11, 15}},
        {0x1000000, {54}, {54, 108, 109}},
        {0x2000000, {95}, {95, 96, 97}},
        {0x4000000, {103}, {103}},
    };
    return groups;
}

Ids NotInOldStyle() {
    Ids ids = {61, 62, 98, 100, 101, 102, 104, 105, 106, 110};
    for (std::uint32_t id = 64; id <= 94; ++id)
        ids.push_back(id);
    return ids;
}

TEST(RCAccessSsl, OldStyleGroupsBothWays) {
    const Ids cleared = NotInOldStyle();
    for (const auto& group : OldGroups()) {
        RCAccessSsl value = Empty();
        value.FromOldStyle(group.bit);
        EXPECT_EQ(value.ToString(), WithIds(group.members).ToString()) << group.bit;
        EXPECT_EQ(value.ToOldStyle(), group.bit);

        RCAccessSsl full;
        full.FromOldStyle(0x7FFFFFE & ~group.bit);
        Ids gone = group.members;
        gone.insert(gone.end(), cleared.begin(), cleared.end());
        EXPECT_EQ(full.ToString(), WithIds(gone, 0).ToString()) << group.bit;

        const std::set<std::uint32_t> tested(group.tested.begin(), group.tested.end());
        for (auto id : group.members)
            EXPECT_EQ(WithIds({id}).ToOldStyle(), tested.count(id) ? group.bit : 0u) << id;
    }
}

TEST(RCAccessSsl, FromOldStyleKeepsUngroupedStatements) {
    RCAccessSsl value;
    value.FromOldStyle(0);
    Ids gone = NotInOldStyle();
    for (const auto& group : OldGroups())
        gone.insert(gone.end(), group.members.begin(), group.members.end());
    EXPECT_EQ(value.ToString(), WithIds(gone, 0).ToString());
    for (auto id : {kId_SslArchivReferenz, kId_SslComment, kId_SslDirectory, kId_SslUnits,
                    kId_SslPageRange, kId_SslOrdinal})
        EXPECT_EQ(value.GetAccess(id), 1u) << id;
    EXPECT_EQ(value.GetNestingAccess(), 0u);

    // Bit 0x1 and bits above the last group are ignored.
    RCAccessSsl low = Empty(), high = Empty();
    low.FromOldStyle(0x1);
    high.FromOldStyle(0xF8000000);
    EXPECT_FALSE(low.HasAnyAccess());
    EXPECT_FALSE(high.HasAnyAccess());
}

TEST(RCAccessSsl, OldStyleWordRoundTrips) {
    std::mt19937 rng(11);
    for (int round = 0; round < 500; ++round) {
        RCAccessSsl value = Random(rng);
        const std::uint32_t word = rng() & 0x7FFFFFE;
        value.FromOldStyle(word);
        ASSERT_EQ(value.ToOldStyle(), word);
        RCAccessSsl back = Random(rng);
        ASSERT_EQ(back.FromOldStyleString(value.ToOldStyleString()), 1u);
        ASSERT_EQ(back.ToOldStyle(), word);
    }
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
        {"00004", 0x4},
        {"99999999999999", 0x7FFFFFE},
        {"4294967295", 0x7FFFFFE},
        {"0x4", 0},
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

TEST(RCAccessSsl, SerializeRoundTripsAndRefusesBadData) {
    std::mt19937 rng(3);
    for (int round = 0; round < 100; ++round) {
        const RCAccessSsl value = Random(rng);
        RCAccessSsl back = Empty();
        back.DeSerialize(value.Serialize());
        ASSERT_EQ(back.ToString(), value.ToString());
    }
    const RCAccessSsl value = WithIds({1, 2, 3, 127});
    const auto bytes = value.Serialize();
    ASSERT_EQ(bytes.size(), 45u);
    EXPECT_EQ(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24, 0x110000);
    EXPECT_EQ(bytes[16], 0);                    // member id 0
    EXPECT_EQ(bytes[20], RSDataEntry::kTLong);  // as TLong
    EXPECT_EQ(bytes[21], 4);                    // four values

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
    const RCAccessSsl value = WithIds({0, 8, 127});
    EXPECT_EQ(value.OldSerialize(nullptr, 0), 24u);
    std::vector<std::uint8_t> record(24);
    ASSERT_EQ(value.OldSerialize(record.data(), 24), 24u);
    const std::vector<std::uint8_t> expected = {44, 0, 0, 0, 24, 0, 0, 0, 1, 1, 0, 0,
                                                0,  0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0x80};
    EXPECT_EQ(record, expected);
    // Buffers too small get nothing written past their end (checked by the
    // sanitizers) and still learn the size they need.
    for (std::uint32_t size = 0; size < 24; ++size) {
        std::vector<std::uint8_t> small(size, 0xEE);
        EXPECT_EQ(value.OldSerialize(small.data(), size), 24u);
        if (size >= 8) {
            EXPECT_EQ(small[4], 24);
        }
    }
}

TEST(RCAccessSsl, OldDeSerializeStoredLengths) {
    const struct {
        std::uint32_t length;
        std::string expected;
    } rows[] = {
        {16, "A5A5A5A5A5A5A5A5" + std::string(16, '0')},
        {20, "A5A5A5A5A5A5A5A5A5A5A5A5" + std::string(8, '0')},
        {24, "A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5"},
        {28, "A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5"},
        {32, "A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5"},
        {0, std::string(32, 'F')},
        {8, std::string(32, 'F')},
        {23, std::string(32, 'F')},
        {36, std::string(32, 'F')},
        {1000, std::string(32, 'F')},
    };
    for (const auto& row : rows) {
        const auto record = OldRecord(row.length, std::max<std::uint32_t>(row.length, 8), 0xA5);
        RCAccessSsl value;
        EXPECT_EQ(value.OldDeSerialize(record.data(), static_cast<std::uint32_t>(record.size())),
                  row.length);
        EXPECT_EQ(value.ToString(), row.expected) << row.length;
    }
}

TEST(RCAccessSsl, OldDeSerializeRaisesOnShortData) {
    for (std::uint32_t size = 0; size < 8; ++size) {
        const auto record = OldRecord(24, size, 0);
        RCAccessSsl value;
        ExpectDataTooShort([&] { value.OldDeSerialize(record.data(), size); });
        EXPECT_TRUE(value.HasFullAccess());
    }
    RCAccessSsl value;
    ExpectDataTooShort([&] { value.OldDeSerialize(nullptr, 24); });
    for (std::uint32_t length : {16u, 20u, 24u, 32u, 0xFFFFFFFFu}) {
        const auto record = OldRecord(length, 15, 0);
        ExpectDataTooShort([&] { value.OldDeSerialize(record.data(), 15); });
        EXPECT_TRUE(value.HasFullAccess());
    }
}

TEST(RCAccessSsl, OldFormRoundTrips) {
    std::mt19937 rng(5);
    for (int round = 0; round < 100; ++round) {
        const RCAccessSsl value = Random(rng);
        std::vector<std::uint8_t> record(value.OldSerialize(nullptr, 0));
        value.OldSerialize(record.data(), static_cast<std::uint32_t>(record.size()));
        RCAccessSsl back = Empty();
        ASSERT_EQ(back.OldDeSerialize(record.data(), static_cast<std::uint32_t>(record.size())),
                  24u);
        ASSERT_EQ(back.ToString(), value.ToString());
        RCAccessSsl text;
        ASSERT_EQ(text.FromString(value.ToString()), 1u);
        ASSERT_EQ(text == value, 1u);
    }
}

}  // namespace
