// Selection statements: keywords, limits, defaults, text forms, configuration
// lines, user-interface lists and serialisation.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "ssl2/SSLStatements/SslStatements.h"

namespace {

std::unique_ptr<SslSelectionStatement> Create(TSslStatementID id) {
    return std::unique_ptr<SslSelectionStatement>(
        dynamic_cast<SslSelectionStatement*>(SslStatement::CreateSslObject(id)));
}

// One row per way a selection class is built: on/off and keyword tables, positions
// with allowed values, a default other than the first index, numbers as keywords,
// classes with a text form of their own and the ones with options.
TEST(Selection, LinesDefaultsAndLimits) {
    struct Case {
        TSslStatementID id;
        const char* defaultLine;
        std::uint32_t index;
        const char* line;
        std::uint32_t firstRefused;
    } cases[] = {
        {kId_SslConfirmation, "Confirmation off", 1, "Confirmation on", 2},
        {kId_SslFileEmulation, "FileEmulation auto", 24, "FileEmulation DMG", 25},
        {kId_SslHeaderPosition, "HeaderPosition unknown", 15, "HeaderPosition lowerright", 2},
        {kId_SslJobPriority, "JobPriority normal", 4, "JobPriority immediate", 5},
        {kId_SslMediaPosition, "MediaPosition auto", 13, "MediaPosition bottomcenter", 4},
        {kId_SslOnError, "", 2, "OnError continue", 4},
        {kId_SslRotate, "Rotate auto", 4, "Rotate 270", 5},
        {kId_SslVersion, "Version unknown", 5, "Version newer", 6},
        {kId_SslColorDepth, "ColorDepth 0", 64, "ColorDepth 64", 2},
        {kId_SslPrintQuality, "PrintQuality standard", 0, "PrintQuality draft", 3},
        {kId_SslPlotIt, "PlotIt on 0", 0, "PlotIt off 0", 2},
        {kId_SslPlotRaw, "PlotRaw off 0", 1, "PlotRaw on 0", 2},
    };
    for (const auto& c : cases) {
        auto s = Create(c.id);
        SCOPED_TRACE(c.line);
        ASSERT_TRUE(s);
        EXPECT_EQ(s->ToString(), c.defaultLine);
        const std::uint32_t before = s->Get();
        EXPECT_EQ(s->Set(c.firstRefused), 0u);
        EXPECT_EQ(s->Get(), before);
        EXPECT_EQ(s->SetString(std::to_string(c.index), 0, 0), 1u);
        EXPECT_EQ(s->ToString(), c.line);
        EXPECT_EQ(s->GetString(0, 0), std::to_string(c.index));
    }
}

// Classes with allowed values accept exactly those; the user-interface list offers
// them (the header position offers 17 as well).
TEST(Selection, AllowedValuesAndUserInterfaceLists) {
    struct Case {
        TSslStatementID id;
        std::vector<std::uint32_t> allowed;
        std::vector<std::uint32_t> listed;
    } cases[] = {
        {kId_SslHeaderPosition, {0, 1, 3, 12, 15}, {0, 1, 3, 12, 15, 17}},
        {kId_SslMediaPosition,
         {1, 2, 3, 5, 7, 9, 11, 13, 14, 16},
         {1, 2, 3, 5, 7, 9, 11, 13, 14, 16}},
        {kId_SslColorDepth, {0, 1, 8, 64}, {0, 1, 8, 64}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(kSslStatementNames[c.id]);
        auto s = Create(c.id);
        for (std::uint32_t i = 0; i <= c.listed.back() + 1; ++i) {
            const bool allowed = std::ranges::find(c.allowed, i) != c.allowed.end();
            EXPECT_EQ(s->Set(i), allowed ? 1u : 0u) << i;
        }
        const RSIndexString* list = nullptr;
        const std::uint32_t count = s->GetKeywords(list, nullptr);
        std::vector<std::uint32_t> listed;
        for (std::uint32_t i = 0; i < count; ++i)
            listed.push_back(list[i].m_nIndex);
        EXPECT_EQ(listed, c.listed);
    }
}

template <class T>
TString CfgAt(std::uint32_t index) {
    T statement;
    EXPECT_EQ(statement.Set(index), 1u);
    return statement.ToCfg();
}

// The two forms of configuration line: on/off by index, and the keyword.
TEST(Selection, ConfigurationLines) {
    const struct {
        TString cfg;
        const char* expected;
    } rows[] = {
        {CfgAt<SslCutMethod>(0), "CUT = off\r\n"},
        {CfgAt<SslCutMethod>(1), "CUT = on\r\n"},
        {CfgAt<SslMirror>(2), "MIRROR = y\r\n"},
        {CfgAt<SslMediaPosition>(16), "POSITION = auto\r\n"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.cfg, row.expected);
}

TEST(Selection, VersionFromText) {
    struct Case {
        const char* text;
        unsigned int result;
        std::uint32_t index;
    } cases[] = {
        {"4", 1, 3}, {"7", 1, 5}, {"1", 1, 1}, {"2", 1, 1},   {"3", 1, 2},
        {"5", 1, 4}, {"6", 1, 5}, {"0", 0, 0}, {"0x5", 1, 4}, {"x", 0, 2},
    };
    for (const auto& c : cases) {
        SslVersion version;
        version.Set(2);
        EXPECT_EQ(version.SetAsString(c.text) != 0, c.result != 0) << c.text;
        EXPECT_EQ(version.Get(), c.index) << c.text;
    }
    SslVersion version;
    version.Set(2);
    EXPECT_EQ(version.GetAsString(), "3.0");
    SslVersion newer;
    newer.Set(5);
    EXPECT_TRUE(version < newer);
    EXPECT_TRUE(newer > version);
    EXPECT_FALSE(version == newer);
}

// Every display text of every selection statement comes from the message table.
TEST(Selection, EveryDisplayTextExists) {
    for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
        if (SslStatement::GetMemberType(id) != SslStatement::kMemberSelection &&
            SslStatement::GetMemberType(id) != SslStatement::kMemberSelectionOptions)
            continue;
        auto s = Create(static_cast<TSslStatementID>(id));
        ASSERT_TRUE(s) << id;
        const RSIndexString* list = nullptr;
        const std::uint32_t count = s->GetKeywords(list, nullptr);
        for (std::uint32_t i = 0; i < count; ++i) {
            EXPECT_FALSE(list[i].m_sText.IsEmpty()) << id << " " << i;
            EXPECT_EQ(list[i].m_sText.Find("No Message"), TString::kNotFound) << id << " " << i;
        }
    }
}

// Stored data never selects an index the class refuses.
TEST(Selection, StoredDataSelectsOnlyAcceptedIndices) {
    SslHeaderPosition header;
    SslHeaderPosition source;
    auto bytes = source.Serialize();
    // The index value sits after: type, table count, table type, member count,
    // member id, kind, value count, byte count.
    const std::size_t indexAt = 4 * 4 + 4 + 1 + 4 + 4;
    bytes[indexAt] = 7;
    header.DeSerialize(bytes);
    EXPECT_EQ(header.Get(), 0u);
    bytes[indexAt] = 3;
    header.DeSerialize(bytes);
    EXPECT_EQ(header.Get(), 3u);

    // Plain selection classes share one data type.
    SslOperatorMode mode;
    EXPECT_NO_THROW(mode.DeSerialize(SslConfirmation().Serialize()));
    EXPECT_EQ(SslSelectionStatement::GetClassDataType(), (17u << 16) | 3u);
}

TEST(Selection, OptionsOfPlotItAndPlotRaw) {
    SslPlotIt plotIt;
    EXPECT_EQ(plotIt.AddOption(3), 0u);
    EXPECT_EQ(plotIt.RemoveOption(3), 1u);
    EXPECT_EQ(plotIt.AddOption(2), 1u);
    EXPECT_EQ(plotIt.ToString(), "PlotIt on 2");
    SslPlotRaw raw;
    EXPECT_EQ(raw.AddOption(8), 1u);
    EXPECT_EQ(raw.AddOption(9), 0u);
    EXPECT_EQ(raw.ToStringAutoOption(), "PlotRaw off 8");
    raw.SetOptions(0);
    EXPECT_EQ(raw.ToStringAutoOption(), "PlotRaw off");
    SslPlotIt other;
    EXPECT_FALSE(static_cast<const SslStatement&>(other) == plotIt);
    other.SetOptions(2);
    EXPECT_TRUE(static_cast<const SslStatement&>(other) == plotIt);
}

}  // namespace
