#include "ssl2/SSLStatements/SslSize.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// Restores the process-wide format sort order after a test that changes it.
class FormatSortOrderGuard {
public:
    FormatSortOrderGuard() : m_saved(SslSize::GetFormatSortOrder()) {}
    ~FormatSortOrderGuard() { SslSize::SetFormatSortOrder(m_saved); }

private:
    VEMTO::TFormatSortOrder m_saved;
};

SslSize MakeSize(std::uint32_t type, std::uint32_t family, std::uint32_t format, double w, double h,
                 std::uint32_t unit) {
    SslSize size;
    EXPECT_TRUE(size.SetFormatName(family));
    EXPECT_TRUE(size.SetFormat(format));
    EXPECT_TRUE(size.SetWidth(w));
    EXPECT_TRUE(size.SetHeight(h));
    EXPECT_TRUE(size.SetSizeUnit(SslUnit(unit)));
    EXPECT_TRUE(size.SetSizeType(type));
    return size;
}

// The dimensions follow the format whichever setter comes last, and only for the
// format size types: a window keeps its own width and height.
TEST(SslSizeTest, FormatSizeTakesTheFormatDimensions) {
    SslSize size;
    size.SetSizeType(SslSize::kFitToPrintWindow);
    size.SetFormat(1);
    EXPECT_EQ(size.GetWidth(), 594.0);
    EXPECT_EQ(size.GetHeight(), 841.0);
    SslSize window = MakeSize(SslSize::kProportional, 0, 4, 500, 700, 1);
    window.SetFormat(3);
    EXPECT_EQ(window.GetWidth(), 500.0);
}

// Stored data never selects a unit that does not exist.
TEST(SslUnitTest, StoredDataSelectsOnlyKnownUnits) {
    auto bytes = SslUnit(6).Serialize();
    // type, table count, table type, member count, id, kind, value count, size: 29 bytes
    ASSERT_EQ(bytes[29], 6);
    bytes[29] = 99;
    SslUnit target(2);
    target.DeSerialize(bytes);
    EXPECT_EQ(target.Get(), 2u);
}

TEST(SslSizeTest, DefaultFollowsFormatSortOrder) {
    FormatSortOrderGuard guard;
    struct Row {
        VEMTO::TFormatSortOrder order;
        std::uint32_t family, format;
        double w, h;
    } rows[] = {{VEMTO::kFormatSortDin, 0, 4, 210.0, 297.0},
                {VEMTO::kFormatSortAnsi, 1, 0, 215.9, 279.4},
                {VEMTO::kFormatSortAsia, 3, 5, 182.0, 257.0},
                {static_cast<VEMTO::TFormatSortOrder>(9), 0, 4, 210.0, 297.0}};
    for (const auto& r : rows) {
        SslSize::SetFormatSortOrder(r.order);
        SslSize size;
        EXPECT_EQ(size.GetSizeType(), 0u);
        EXPECT_EQ(size.GetFormatName(), r.family);
        EXPECT_EQ(size.GetFormat(), r.format);
        EXPECT_EQ(size.GetWidth(), r.w);
        EXPECT_EQ(size.GetHeight(), r.h);
        EXPECT_EQ(size.GetSizeUnit().Get(), 0u);
    }
}

TEST(SslSizeTest, SizeTypeAndFamilyOutOfRangeAreRefused) {
    SslSize size;
    EXPECT_EQ(size.SetSizeType(9), 0u);
    EXPECT_EQ(size.SetFormatName(5), 0u);
    EXPECT_EQ(size.GetSizeType(), 0u);
    EXPECT_EQ(size.GetFormatName(), 0u);
}

TEST(SslSizeTest, ToStringOfOtherFamiliesAndZoomOnlyTypes) {
    EXPECT_EQ(MakeSize(1, 1, 3, 210, 297, 1).ToString(0, 0), "ANSI D");
    EXPECT_EQ(MakeSize(8, 2, 1, 210, 297, 1).ToString(1, 0), "ARC B");
    EXPECT_EQ(MakeSize(8, 2, 1, 210, 297, 1).ToString(1, 1), "fittoprintwindow ARC B");
    EXPECT_EQ(MakeSize(8, 3, 2, 210, 297, 1).ToString(2, 1), "fittoprintwindow Asia b2");
    // Zoom-only size types are never written empty.
    EXPECT_EQ(MakeSize(5, 0, 4, 50, 75, 1).ToString(1, 0), "auto");
}

TEST(SslSizeTest, ToCfgByTypeAndFlag) {
    struct Row {
        SslSize size;
        unsigned int flag;
        const char* text;
    } rows[] = {
        {MakeSize(1, 0, 4, 210, 297, 3), 0, "SCALEMODE = FORMAT\r\nSCALEAUX1 = DIN A4\r\n"},
        {MakeSize(8, 1, 0, 210, 297, 3), 1, "SCALEMODE = FORMAT\r\nSCALEAUX1 = ANSI A\r\n"},
        {MakeSize(2, 0, 4, 210, 297.25, 3), 0, "SCALEMODE = WINDOW\r\nSCALEAUX1 = 297.250 mm\r\n"},
        // A window zoom is a window like the output size; zoom factors are percent.
        {MakeSize(2, 0, 4, 99.9, 50, 3), 1, "SCALEMODE = WINDOW\r\nSCALEAUX1 = 99.900 mm\r\n"},
        {MakeSize(3, 0, 4, 210, 297, 3), 0,
         "SCALEMODE = WINDOW\r\nSCALEAUX1 = 210.000 mm\r\nSCALEAUX2 = 297.000 mm\r\n"},
        {MakeSize(5, 0, 4, 50.7, 50.7, 0), 1, "SCALEMODE = PERCENT\r\nSCALEAUX1 = 50\r\n"},
        {MakeSize(4, 0, 4, 210, 297, 1), 0, "SCALEMODE = ORIGINAL\r\n"},
        {MakeSize(4, 0, 4, 210, 297, 1), 1, ""},
        {MakeSize(6, 0, 4, 210, 297, 1), 0, ""},
        {MakeSize(7, 0, 4, 210, 297, 1), 1, "SCALEMODE = ORIGINAL\r\n"},
        {MakeSize(0, 0, 4, 210, 297, 1), 1, ""},
        {MakeSize(5, 0, 4, 210, 297, 1), 0, ""},
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.size.ToCfg(r.flag), r.text) << "type " << r.size.GetSizeType();
}

// A size in a unit of its own is converted from that unit, whatever the job's.
TEST(SslSizeTest, ConvertUnitFromTheSizesOwnUnit) {
    SslSize centimetres = MakeSize(2, 0, 4, 42.0, 29.7, SslUnit::kCm);
    centimetres.ConvertUnit(2, 1, 0);
    EXPECT_DOUBLE_EQ(centimetres.GetWidth(), 420.0);
    EXPECT_DOUBLE_EQ(centimetres.GetHeight(), 297.0);
    EXPECT_EQ(centimetres.GetSizeUnit().Get(), 0u);
}

}  // namespace
