// Selection statements: keywords, limits, defaults, text forms, configuration
// lines, user-interface lists and serialisation.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ssl2/SSLStatements/SslStatements.h"
#include "ssl2/base/TException.h"

namespace {

std::unique_ptr<SslSelectionStatement> Create(TSslStatementID id) {
    return std::unique_ptr<SslSelectionStatement>(
        dynamic_cast<SslSelectionStatement*>(SslStatement::CreateSslObject(id)));
}

// Every plain selection class: its default line, an index and the line it gives.
TEST(Selection, LinesDefaultsAndLimits) {
    struct Case {
        TSslStatementID id;
        const char* defaultLine;
        std::uint32_t index;
        const char* line;
        std::uint32_t firstRefused;
    } cases[] = {
        {kId_SslConfirmation, "Confirmation off", 1, "Confirmation on", 2},
        {kId_SslCutMethod, "CutMethod standard", 1, "CutMethod synchro", 2},
        {kId_SslDeleteAfterPlot, "DeleteAfterPlot off", 1, "DeleteAfterPlot on", 2},
        {kId_SslFileEmulation, "FileEmulation auto", 24, "FileEmulation DMG", 25},
        {kId_SslHeaderPosition, "HeaderPosition unknown", 15, "HeaderPosition lowerright", 2},
        {kId_SslInvert, "Invert off", 1, "Invert on", 2},
        {kId_SslJobCollate, "JobCollate off", 1, "JobCollate on", 2},
        {kId_SslJobPriority, "JobPriority normal", 4, "JobPriority immediate", 5},
        {kId_SslMediaFeed, "MediaFeed exact", 3, "MediaFeed manual", 4},
        {kId_SslMediaPosition, "MediaPosition auto", 13, "MediaPosition bottomcenter", 4},
        {kId_SslMirror, "Mirror off", 3, "Mirror xy", 4},
        {kId_SslOnError, "", 2, "OnError continue", 4},
        {kId_SslOperatorMode, "OperatorMode off", 1, "OperatorMode on", 2},
        {kId_SslRotate, "Rotate auto", 4, "Rotate 270", 5},
        {kId_SslTrialPrint, "TrialPrint off", 1, "TrialPrint on", 2},
        {kId_SslVersion, "Version unknown", 5, "Version newer", 6},
        {kId_SslJobSort, "JobSort auto", 2, "JobSort reverse", 3},
        {kId_SslColorDepth, "ColorDepth 0", 64, "ColorDepth 64", 2},
        {kId_SslImageContent, "ImageContent default", 2, "ImageContent photo", 3},
        {kId_SslScanColorProfileSource, "ScanProfileSource raw", 4,
         "ScanProfileSource filewithfallback", 5},
        {kId_SslPlotColorProfileSource, "PlotProfileSource raw", 1, "PlotProfileSource ssl", 3},
        {kId_SslRenderingIntent, "RenderingIntent Saturation", 3,
         "RenderingIntent AbsoluteColorimetric", 4},
        {kId_SslSetSplit, "SetSplit off", 1, "SetSplit on", 2},
        {kId_SslDryMountOn, "DryMountOn off", 1, "DryMountOn on", 2},
        {kId_SslLaminateBothSides, "LaminateBothSides off", 1, "LaminateBothSides on", 2},
        {kId_SslLaminateOn, "LaminateOn off", 1, "LaminateOn on", 2},
        {kId_SslClientFileCaching, "ClientFileCaching off", 1, "ClientFileCaching on", 2},
        {kId_SslDeleteFileAfterProcessing, "DeleteFileAfterProcessing off", 1,
         "DeleteFileAfterProcessing on", 2},
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

TEST(Selection, AllowedValuesNarrowTheIndices) {
    SslHeaderPosition header;
    for (std::uint32_t i = 0; i <= 18; ++i) {
        const bool allowed = i == 0 || i == 1 || i == 3 || i == 12 || i == 15;
        EXPECT_EQ(header.Set(i), allowed ? 1u : 0u) << i;
    }
    SslMediaPosition media;
    for (std::uint32_t i = 0; i <= 18; ++i) {
        const bool allowed = i == 1 || i == 2 || i == 3 || i == 5 || i == 7 || i == 9 || i == 11 ||
                             i == 13 || i == 14 || i == 16;
        EXPECT_EQ(media.Set(i), allowed ? 1u : 0u) << i;
    }
    SslColorDepth depth;
    for (std::uint32_t i = 0; i <= 65; ++i) {
        const bool allowed = i == 0 || i == 1 || i == 8 || i == 64;
        EXPECT_EQ(depth.Set(i), allowed ? 1u : 0u) << i;
    }
    EXPECT_EQ(depth.ToString(), "ColorDepth 64");
}

TEST(Selection, ConfigurationLines) {
    SslCutMethod cut;
    SslInvert invert;
    SslJobCollate collate;
    SslMirror mirror;
    SslRotate rotate;
    SslMediaPosition position;
    EXPECT_EQ(cut.ToCfg(), "CUT = off\r\n");
    EXPECT_EQ(invert.ToCfg(), "INVERT = off\r\n");
    EXPECT_EQ(collate.ToCfg(), "COLLATE = off\r\n");
    EXPECT_EQ(position.ToCfg(), "POSITION = auto\r\n");
    cut.Set(1);
    invert.Set(1);
    collate.Set(1);
    mirror.Set(2);
    rotate.Set(4);
    position.Set(1);
    EXPECT_EQ(cut.ToCfg(), "CUT = on\r\n");
    EXPECT_EQ(invert.ToCfg(), "INVERT = on\r\n");
    EXPECT_EQ(collate.ToCfg(), "COLLATE = on\r\n");
    EXPECT_EQ(mirror.ToCfg(), "MIRROR = y\r\n");
    EXPECT_EQ(rotate.ToCfg(), "ROTATE = 270\r\n");
    EXPECT_EQ(position.ToCfg(), "POSITION = upperleft\r\n");
}

TEST(Selection, JobPriorityInOlderDialects) {
    SslJobPriority priority;
    priority.Set(4);
    EXPECT_EQ(priority.ToString(1), "JobPriority high");
    EXPECT_EQ(priority.ToString(0), "JobPriority immediate");
    priority.Set(1);
    EXPECT_EQ(priority.ToString(1), "JobPriority low");
}

TEST(Selection, VersionFromText) {
    struct Case {
        const char* text;
        unsigned int result;
        std::uint32_t index;
    } cases[] = {
        {"4", 1, 3}, {"7", 1, 5}, {"1", 1, 1}, {"2", 1, 1},   {"3", 1, 2},
        {"5", 1, 4}, {"6", 1, 5}, {"0", 0, 0}, {"0x5", 1, 4},
    };
    for (const auto& c : cases) {
        SslVersion version;
        version.Set(2);
        EXPECT_EQ(version.SetAsString(c.text) != 0, c.result != 0) << c.text;
        EXPECT_EQ(version.Get(), c.index) << c.text;
    }
    SslVersion version;
    version.Set(2);
    EXPECT_EQ(version.SetAsString("x"), 0u);
    EXPECT_EQ(version.Get(), 2u);
    EXPECT_EQ(version.GetAsString(), "3.0");
    SslVersion newer;
    newer.Set(5);
    EXPECT_TRUE(version < newer);
    EXPECT_TRUE(newer > version);
    EXPECT_FALSE(version == newer);
}

TEST(Selection, UserInterfaceLists) {
    struct Case {
        TSslStatementID id;
        std::uint32_t count;
        std::vector<std::uint32_t> values;
    } cases[] = {
        {kId_SslConfirmation, 2, {0, 1}},
        {kId_SslHeaderPosition, 6, {0, 1, 3, 12, 15, 17}},
        {kId_SslMediaPosition, 10, {1, 2, 3, 5, 7, 9, 11, 13, 14, 16}},
        {kId_SslColorDepth, 4, {0, 1, 8, 64}},
        {kId_SslFileEmulation, 25, {}},
        {kId_SslVersion, 6, {0, 1, 2, 3, 4, 5}},
        {kId_SslPlotIt, 2, {0, 1}},
    };
    for (const auto& c : cases) {
        auto s = Create(c.id);
        const RSIndexString* list = nullptr;
        ASSERT_EQ(s->GetKeywords(list, nullptr), c.count) << c.id;
        for (std::size_t i = 0; i < c.values.size(); ++i)
            EXPECT_EQ(list[i].m_nIndex, c.values[i]);
    }
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

TEST(Selection, SerialisationRoundTripsOnlyAcceptedIndices) {
    SslMediaPosition position;
    position.Set(3);
    SslMediaPosition copy;
    copy.DeSerialize(position.Serialize());
    EXPECT_EQ(copy.Get(), 3u);

    // Stored data never selects an index the class refuses.
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
    EXPECT_EQ(plotIt.ToStringNoOption(), "PlotIt on");
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

TEST(Selection, OptionSerialisationRoundTripsAndRejectsBadData) {
    SslPlotIt plotIt;
    plotIt.Set(1);
    const auto bytes = plotIt.Serialize();
    SslPlotIt copy;
    copy.DeSerialize(bytes);
    EXPECT_EQ(copy.Get(), 1u);

    for (std::size_t n = 0; n < bytes.size(); ++n) {
        SslPlotIt partial;
        EXPECT_THROW(partial.DeSerialize(std::span(bytes).first(n)), TException) << n;
    }
    auto wrongType = bytes;
    wrongType[0] ^= 1;
    EXPECT_THROW(copy.DeSerialize(wrongType), TException);
    ClearError();
}

}  // namespace
