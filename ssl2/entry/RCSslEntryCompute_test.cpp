// Tests of the entry computations: page counts, image size, file size text, unit
// conversion, directory substitution, the spool job number, the job plotter id and
// the clear user hash.
#include <gtest/gtest.h>

#include <limits>

#include "ssl2/base/TException.h"
#include "ssl2/entry/RCSslEntry.h"
#include "ssl2/sslmessages.h"

namespace {

/// Exposes the protected plotter id.
class RCTestEntry : public RCSslEntry {
public:
    using RCSslEntry::GetJobPlotterID;
};

SslSize Size(std::uint32_t sizeType, double width = 0.0, double height = 0.0) {
    SslSize size;
    if (width > 0.0) {
        size.SetWidth(width);
        size.SetHeight(height);
    }
    size.SetSizeType(sizeType);
    return size;
}

/// A size of `sizeType` in format `format` of the series `formatName` (0 ISO, 1 ANSI).
SslSize Format(std::uint32_t sizeType, std::uint32_t formatName, std::uint32_t format) {
    SslSize size = Size(sizeType);
    size.SetFormatName(formatName);
    size.SetFormat(format);
    return size;
}

TEST(RCSslEntryCompute, PagesTimesFileCopiesTimesCopies) {
    struct Case {
        std::uint32_t copies, pages, fileCopies;
        const char* range;
        std::uint32_t withRange, withoutRange;
    };
    const Case cases[] = {
        {2, 0, 0, "", 2, 2},       // 0 pages and 0 file copies count as 1
        {3, 10, 1, "2-4", 9, 30},  // the range selects 3 of 10 pages
        {1, 1, 1, "2-4", 1, 1},    // a one-page file ignores the range
        {2, 10, 2, "", 40, 40},    // no range
        {1, 10, 1, "1,3,5,7,9", 5, 10},
    };
    for (const Case& c : cases) {
        RCSslEntry file(1);
        file.SetCopies(c.copies);
        file.SetFileInfoPages(c.pages);
        file.SetFileInfoCopies(c.fileCopies);
        file.SetPageRange(c.range);
        EXPECT_EQ(file.CountPages(true), c.withRange) << c.range << " " << c.pages;
        EXPECT_EQ(file.CountPages(false), c.withoutRange) << c.range << " " << c.pages;
    }
}

TEST(RCSslEntryCompute, ImageSize) {
    struct Case {
        const char* name;
        SslSize output;
        SslSize zoom;
        std::int32_t x, y;
    };
    const SslSize a3 = Format(1, 0, 3);
    const SslZoom defaultZoom;
    const Case cases[] = {
        {"zoom percent", Size(0), Size(5, 33.0, 33.0), 83, 41},
        {"file size", Size(0), Size(0), 254, 127},
        {"default entry: the file's own size", Size(0), defaultZoom.Get(), 254, 127},
        {"original", Size(0), Size(6), 254, 127},
        {"zoom format", Size(0), Format(1, 1, 3), 559, 864},
        {"zoom window", Size(0), Size(3, 100.9, 50.5), 100, 50},
        {"zoom manual", Size(0), Size(4), 0, 0},
        {"zoom fit roll", Size(0), Size(7), 0, 0},
        {"output format", a3, defaultZoom.Get(), 297, 420},
        {"output fit window", Format(8, 0, 3), defaultZoom.Get(), 297, 420},
        {"output window", Size(2, 120.7, 80.2), defaultZoom.Get(), 120, 80},
        {"output manual", Size(4), defaultZoom.Get(), 0, 0},
        {"output original", Size(6), defaultZoom.Get(), 0, 0},
    };
    for (const Case& c : cases) {
        RCSslEntry file(1);
        file.SetFileInfo(4000, 2000, 400, 400, 1);
        file.SetOutputSize(c.output);
        file.SetZoom(c.zoom);
        TPoint size(-1, -1);
        file.CalculateSize(size);
        EXPECT_EQ(size.x, c.x) << c.name;
        EXPECT_EQ(size.y, c.y) << c.name;
    }
}

TEST(RCSslEntryCompute, ImageSizesBeyondTheCoordinateRangeAreClamped) {
    RCSslEntry file(1);
    file.SetFileInfo(4000000000u, 4000000000u, 1, 1, 1);
    file.SetZoom(Size(5, 60000.0, 60000.0));
    TPoint size;
    file.CalculateSize(size);
    EXPECT_EQ(size.x, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(size.y, std::numeric_limits<std::int32_t>::max());
}

TEST(RCSslEntryCompute, FileSizeText) {
    RCSslEntry file(1);
    file.SetFileInfo(4000, 2000, 0, 0, 1);
    EXPECT_EQ(file.GetFileSizeAsString(SslUnit::RCSslUnits{}), "254.0 x 127.0");
    file.SetFileInfo(4000, 2000, 200, 800, 1);
    EXPECT_EQ(file.GetFileSizeAsString(SslUnit::RCSslUnits{}), "508.0 x 63.5");
}

TEST(RCSslEntryCompute, UnitConversionConvertsWindowZoomsButNotFactors) {
    RCSslEntry entry;
    entry.SetZoom(Size(3, 254.0, 254.0));
    entry.ConvertUnit(RCUnit::kMm, RCUnit::kInch, 0);
    EXPECT_DOUBLE_EQ(entry.GetZoom().GetWidth(), 10.0) << "a window is a length";
    entry.SetZoom(Size(5, 50.0, 50.0));
    entry.ConvertUnit(RCUnit::kInch, RCUnit::kMm, 0);
    EXPECT_EQ(entry.GetZoom().GetWidth(), 50.0) << "zoom factors are percentages";
}

TEST(RCSslEntryCompute, SubstituteDirectory) {
    struct Case {
        const char* directory;
        const char* base;
        const char* result;
    };
    const Case cases[] = {
        {"C:\\jobs\\a1\\", "D:\\spool\\", "D:\\spool\\a1"},
        {"C:\\jobs\\a1", "D:\\spool\\", "D:\\spool\\a1"},
        {"C:\\jobs\\plan.v2", "D:\\spool\\", "D:\\spool\\plan.v2"},
        {"", "D:\\spool\\", "D:\\spool\\"},
        {"/jobs/a1/", "/spool/", "/spool/a1"},
    };
    for (const Case& c : cases) {
        RCSslEntry entry;
        entry.SetDirectory(c.directory);
        entry.SubstituteDirectory(c.base);
        EXPECT_EQ(entry.GetDirectory(), c.result) << c.directory;
    }
}

TEST(RCSslEntryCompute, SpoolJobNumberInPlotOption) {
    RCSslEntry entry;
    EXPECT_EQ(entry.GetJobharborJobID(), 0u);
    entry.SetJobharborJobIDAndNetworkIdentificator(42, "N1");
    EXPECT_EQ(entry.GetPlotOption(), "ZelvarinSslN1JobID42");
    EXPECT_EQ(entry.GetJobharborJobID(), 42u);
    entry.SetJobharborJobIDAndNetworkIdentificator(42, "");
    EXPECT_EQ(entry.GetJobharborJobID(), 0u) << "empty network identification";
    for (const char* option : {"JobID42", "ZelvarinSslN1", "ZelvarinSslN1JobIDx",
                               "ZelvarinSslN1JobID99999999999", "xZelvarinSslN1JobID0x10"}) {
        entry.SetPlotOption(option);
        EXPECT_EQ(entry.GetJobharborJobID(), option[0] == 'x' ? 16u : 0u) << option;
    }
}

TEST(RCSslEntryCompute, JobPlotterId) {
    RCTestEntry entry;
    entry.SetJobPlotter("17:3");
    EXPECT_EQ(entry.GetJobPlotterID(), 17u);
    entry.SetJobPlotter("x17");
    try {
        entry.GetJobPlotterID();
        ADD_FAILURE() << "no error raised";
    } catch (const TException& error) {
        EXPECT_EQ(error.GetNumber(), RMCSslErrors::kJobPlotterNotNumeric);
        EXPECT_EQ(error.GetArgument(0), "x17");
        ClearError();
    }
}

TEST(RCSslEntryCompute, ClearUserHashNeedsTheSameUserName) {
    RCSslEntry entry;
    entry.SetUserName("jdoe");
    EXPECT_EQ(entry.SetUserHashClear("record 13 ch"), 1u);
    EXPECT_EQ(entry.GetUserHashClear(), "record 13 ch");
    entry.SetUserName("other");
    EXPECT_NE(entry.GetUserHashClear(), "record 13 ch");
    EXPECT_EQ(entry.SetUserHashClear(""), 1u);
    EXPECT_EQ(entry.GetUserHashClear(), "");
}

}  // namespace
