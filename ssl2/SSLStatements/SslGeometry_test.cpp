#include <gtest/gtest.h>

#include "ssl2/SSLStatements/SslMargin.h"
#include "ssl2/SSLStatements/SslSizeStatements.h"

namespace {

TEST(SslUnitsTest, DefaultTextAndConversionTargets) {
    SslUnits units;
    EXPECT_EQ(units.ToString(), "Units mm");
    struct Row {
        std::uint32_t code;
        const char* text;
    } rows[] = {{0, "Units pixel"}, {1, "Units mm"}, {2, "Units inch"},
                {3, "Units vemto"}, {4, "Units cm"}, {7, "Units mm"}};
    for (const auto& r : rows) {
        units.ConvertUnit(1, r.code, 300);
        EXPECT_EQ(units.ToString(), r.text) << r.code;
    }
    EXPECT_EQ(units.Set(7u), 0u);
    EXPECT_EQ(units.Get().Get(), 1u);
}

TEST(SslSizeStatementsTest, DefaultLinesAndConfiguration) {
    EXPECT_EQ(SslOutputSize().ToString(), "OutputSize auto");
    EXPECT_EQ(SslPaperSize().ToString(), "PaperSize auto");
    SslZoom zoom;
    // The default zoom is 100 percent: zoom factors, which two bare numbers are.
    EXPECT_EQ(zoom.Get().GetSizeType(), SslSize::kPercent);
    EXPECT_EQ(zoom.ToString(), "Zoom 100.000 100.000 ");
    EXPECT_EQ(zoom.ToCfg(), "SCALEMODE = PERCENT\r\nSCALEAUX1 = 100\r\n");
}

TEST(SslSizeStatementsTest, FormsAndPassThrough) {
    SslOutputSize output;
    SslSize size;
    size.SetSizeType(SslSize::kOriginal);
    output.Set(size);
    EXPECT_EQ(output.ToString(), "OutputSize auto");
    EXPECT_EQ(output.ToCfg(), "");

    size.SetSizeType(SslSize::kFitToPrintWindow);
    output.Set(size);
    EXPECT_EQ(output.ToString(0), "OutputSize DIN A4");
    EXPECT_EQ(output.ToString(1), "OutputSize fittoprintwindow DIN A4");
    EXPECT_EQ(output.GetAsString(), "A4");

    EXPECT_EQ(output.SetString("3", 2, 0), 1u);  // Asia
    EXPECT_EQ(output.SetString("402", 3, 0), 1u);
    EXPECT_EQ(output.ToString(0), "OutputSize Asia b2");

    SslPaperSize paper;
    paper.Set(output.Get());
    paper.ConvertUnit(1, 2, 0);
    EXPECT_EQ(paper.ToString(1), "PaperSize fittoprintwindow Asia b2");
}

TEST(SslMarginTest, TextAndConfigurationOnAndOff) {
    SslMargin margin;
    EXPECT_EQ(margin.ToString(), "Margin off");
    EXPECT_EQ(margin.ToCfg(), "BORDERACTIVE = off\r\n");
    EXPECT_EQ(margin.Set(SslMargin::kAll, 10.0), 1u);
    EXPECT_EQ(margin.Set(SslMargin::kBottom, 2.5), 1u);
    EXPECT_EQ(margin.ToCfg(),
              "BORDERACTIVE = on\r\n"
              "BORDERTOP    = 10.000\r\n"
              "BORDERLEFT   = 10.000\r\n"
              "BORDERBOTTOM = 2.500\r\n"
              "BORDERRIGHT  = 10.000\r\n"
              "BORDERSAME   = off\r\n");
}

TEST(SslMarginTest, SetRangesAndSwitchingOff) {
    SslMargin margin;
    EXPECT_EQ(margin.Set(SslMargin::kTop, 5.0), 1u);
    EXPECT_EQ(margin.GetOn(), 1u);
    EXPECT_EQ(margin.Set(2, -1.0), 0u);
    EXPECT_EQ(margin.Set(5, 1.0), 0u);
    EXPECT_EQ(margin.Set(1, std::numeric_limits<double>::quiet_NaN()), 0u);
    EXPECT_EQ(margin.Get(2), 0.0);
    EXPECT_EQ(margin.Get(0), 5.0);
    EXPECT_EQ(margin.Get(7), -1.0);
    EXPECT_EQ(margin.Set(0, 0.00005), 1u);  // all four nearly zero
    EXPECT_EQ(margin.GetOn(), 0u);
    EXPECT_EQ(margin.Set(3, 1.0), 1u);
    EXPECT_EQ(margin.Set(4, 0.0), 1u);
    EXPECT_EQ(margin.GetOn(), 0u);
}

TEST(SslMarginTest, ConversionOnlyWhenOn) {
    SslMargin margin;
    EXPECT_EQ(margin.SetString("12.345", 2, 0), 1u);
    EXPECT_EQ(margin.SetString("0", 0, 0), 1u);
    margin.ConvertUnit(2, 1, 0);  // off: unchanged
    EXPECT_EQ(margin.Get(1), 12.345);
    margin.SetString("1", 0, 0);
    margin.ConvertUnit(2, 1, 0);
    EXPECT_DOUBLE_EQ(margin.Get(1), 12.345 * 25.4);
}

}  // namespace
