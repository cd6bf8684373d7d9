#include <gtest/gtest.h>

#include "ssl2/SSLStatements/SslMargin.h"
#include "ssl2/SSLStatements/SslSizeStatements.h"

namespace {

// The default zoom is 100 percent: zoom factors, which two bare numbers are.
TEST(SslSizeStatementsTest, DefaultZoomIsAHundredPercent) {
    SslZoom zoom;
    EXPECT_EQ(zoom.ToString(), "Zoom 100.000 100.000 ");
    EXPECT_EQ(zoom.ToCfg(), "SCALEMODE = PERCENT\r\nSCALEAUX1 = 100\r\n");
}

TEST(SslMarginTest, RefusesNegativeLengthsAndUnknownSides) {
    SslMargin margin;
    EXPECT_EQ(margin.Set(5, 1.0), 0u);
    EXPECT_EQ(margin.Set(1, std::numeric_limits<double>::quiet_NaN()), 0u);
    EXPECT_EQ(margin.Get(7), -1.0);
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
