// Selection statements: the version's text forms, stored indices and options.
#include <gtest/gtest.h>

#include "ssl2/SSLStatements/SslStatements.h"

namespace {

TEST(Selection, VersionRefusesTextsAndCompares) {
    SslVersion version;
    version.Set(2);
    EXPECT_EQ(version.SetAsString("x"), 0u);
    EXPECT_EQ(version.Get(), 2u);
    SslVersion newer;
    newer.Set(5);
    EXPECT_TRUE(version < newer);
    EXPECT_TRUE(newer > version);
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
