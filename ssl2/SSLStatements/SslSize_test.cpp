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
    FormatSortOrderGuard guard;
    SslSize::SetFormatSortOrder(VEMTO::kFormatSortAnsi);
    SslSize typeLast;
    typeLast.SetFormatName(0);
    typeLast.SetFormat(1);
    typeLast.SetSizeType(SslSize::kFormat);
    SslSize typeFirst;
    typeFirst.SetSizeType(SslSize::kFitToPrintWindow);
    typeFirst.SetFormatName(0);
    typeFirst.SetFormat(1);
    for (const SslSize& size : {typeLast, typeFirst}) {
        EXPECT_EQ(size.GetWidth(), 594.0);
        EXPECT_EQ(size.GetHeight(), 841.0);
    }
    typeFirst.SetFormatName(1);  // A1 becomes ANSI B
    EXPECT_EQ(typeFirst.GetWidth(), 279.0);
    EXPECT_EQ(typeFirst.GetHeight(), 432.0);

    SslSize window = MakeSize(SslSize::kProportional, 0, 4, 500, 700, 1);
    window.SetFormatName(2);
    window.SetFormat(3);
    EXPECT_EQ(window.GetWidth(), 500.0);
    EXPECT_EQ(window.GetHeight(), 700.0);
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

TEST(SslSizeTest, SetterBoundariesLeaveRefusedValuesUnchanged) {
    SslSize size;
    EXPECT_EQ(size.SetWidth(0.5), 0u);
    EXPECT_EQ(size.SetWidth(60000.5), 0u);
    EXPECT_EQ(size.SetHeight(0.999), 0u);
    EXPECT_EQ(size.SetWidth(std::numeric_limits<double>::quiet_NaN()), 0u);
    EXPECT_EQ(size.GetSizeType(), 0u);  // refusals do not change the type either
    EXPECT_EQ(size.GetWidth(), 210.0);
    EXPECT_EQ(size.SetWidth(60000.0), 1u);
    EXPECT_EQ(size.SetHeight(1.0), 1u);
    EXPECT_EQ(size.GetSizeType(), 2u);

    EXPECT_EQ(size.SetSizeType(9), 0u);
    EXPECT_EQ(size.SetSizeType(8), 1u);
    EXPECT_EQ(size.SetFormatName(5), 0u);
    EXPECT_EQ(size.GetFormatName(), 0u);
    EXPECT_EQ(size.SetFormat(21), 0u);
    EXPECT_EQ(size.SetFormat(20), 1u);
    EXPECT_EQ(size.SetFormatName(1), 1u);  // lowers C6 to ANSI E
    EXPECT_EQ(size.GetFormat(), 4u);
    EXPECT_EQ(size.SetFormat(5), 0u);
    EXPECT_EQ(size.GetFormat(), 4u);
}

TEST(SslSizeTest, ToStringByTypeAndMode) {
    const SslSize din = MakeSize(1, 0, 4, 210, 297, 1);
    const SslSize ansi = MakeSize(1, 1, 3, 210, 297, 1);
    const SslSize fold = MakeSize(1, 4, 1, 210, 297, 1);
    const SslSize prop = MakeSize(2, 0, 4, 210, 297, 1);
    const SslSize unprop = MakeSize(3, 0, 4, 100.5, 20, 3);
    struct Row {
        SslSize size;
        unsigned char mode;
        unsigned int flag;
        const char* text;
    } rows[] = {
        {MakeSize(0, 0, 4, 210, 297, 1), 1, 0, "auto"},
        {MakeSize(0, 0, 4, 210, 297, 1), 0, 0, ""},
        {MakeSize(0, 0, 4, 210, 297, 1), 2, 0, "auto auto"},
        {din, 0, 0, "A4"},
        {ansi, 0, 0, "ANSI D"},
        {fold, 1, 0, " F15x21"},
        {prop, 1, 0, "proportional 210.000 297.000 mm"},
        {prop, 0, 0, "210.000 297.000 "},
        {unprop, 2, 0, "unproportional 100.500 20.000 inch"},
        {MakeSize(4, 0, 4, 210, 297, 1), 1, 0, "manual"},
        {MakeSize(5, 0, 4, 50, 75, 1), 1, 0, "auto"},  // zoom-only types: never empty
        {MakeSize(6, 0, 4, 210, 297, 1), 2, 0, "original original"},
        {MakeSize(7, 0, 4, 210, 297, 1), 2, 0, "scaletofitroll"},
        {MakeSize(8, 2, 1, 210, 297, 1), 1, 0, "ARC B"},
        {MakeSize(8, 2, 1, 210, 297, 1), 1, 1, "fittoprintwindow ARC B"},
        {MakeSize(8, 3, 2, 210, 297, 1), 2, 1, "fittoprintwindow Asia b2"},
        // Lengths carry no binary noise: three decimals, or the fewest (up to
        // nine) that read back within 1e-9.
        {MakeSize(2, 0, 4, 100.0 / 3, 1.1 + 2.2, 0), 1, 0, "proportional 33.333333333 3.300 "},
        {MakeSize(3, 0, 4, 8.3 * 25.4, 11.7 * 25.4, 0), 2, 0, "unproportional 210.820 297.180 "},
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.size.ToString(r.mode, r.flag), r.text)
            << "type " << r.size.GetSizeType() << " mode " << int(r.mode);
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

TEST(SslSizeTest, ConvertUnitOnlyForWindowSizesAndDropsUnit) {
    SslSize window = MakeSize(3, 0, 4, 25.4, 50.8, 1);
    window.ConvertUnit(1, 2, 0);
    EXPECT_DOUBLE_EQ(window.GetWidth(), 1.0);
    EXPECT_DOUBLE_EQ(window.GetHeight(), 2.0);
    EXPECT_EQ(window.GetSizeUnit().Get(), 0u);

    SslSize format = MakeSize(1, 0, 4, 25.4, 50.8, 1);
    format.ConvertUnit(1, 2, 0);  // a format keeps its own millimetres
    EXPECT_EQ(format.GetWidth(), 210.0);
    EXPECT_EQ(format.GetSizeUnit().Get(), 0u);

    // A size in a unit of its own is converted from that unit, whatever the job's.
    SslSize centimetres = MakeSize(2, 0, 4, 42.0, 29.7, SslUnit::kCm);
    centimetres.ConvertUnit(2, 1, 0);
    EXPECT_DOUBLE_EQ(centimetres.GetWidth(), 420.0);
    EXPECT_DOUBLE_EQ(centimetres.GetHeight(), 297.0);
    EXPECT_EQ(centimetres.GetSizeUnit().Get(), 0u);
}

}  // namespace
