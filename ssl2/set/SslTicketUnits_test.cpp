// Tickets that give their lengths in another unit than millimetres: what the reader
// stores.
#include <gtest/gtest.h>

#include <string>

#include "ssl2/set/RCSslSet.h"
#include "tests/support/SetSupport.h"

namespace {

using ssl2::test::ParseBuffer;
using ssl2::test::RSParse;

// Only the lengths a ticket gives are in its unit; the defaults are millimetres and
// stay as they are (a default maximum width converted from inches is out of range,
// and the written ticket then loses it).
TEST(SslTicketUnits, OnlyTheGivenLengthsAreConverted) {
    struct Row {
        const char* unit;
        const char* margin;
        const char* pen;
    };
    // Each gives a top margin of 27.94 mm and a pen width of 0.254 mm (pixels at 300 dpi).
    const Row rows[] = {{"inch", "1.1", "0.01"},
                        {"cm", "2.794", "0.0254"},
                        {"pixel", "330", "3"},
                        {"points", "330", "3"}};
    const RCSslEntry defaults(0);
    for (const Row& r : rows) {
        const RSParse read =
            ParseBuffer(std::string("BeginJob\nUnits ") + r.unit + "\nMargin top " + r.margin +
                        "\nHpglPens Number 1 Width " + r.pen +
                        "\nBeginOutput\nName \"a.plt\"\nEndOutput\nEndJob\n");
        ASSERT_EQ(read.m_nResult, 2) << r.unit;
        for (int i = 0; i < 2; ++i) {
            const RCSslEntry& e = read.m_Set.GetEntry(i);
            EXPECT_EQ(e.GetUnits().Get(), SslUnit::kMm) << r.unit;
            EXPECT_NEAR(e.GetMargin(0), 27.94, 1e-9) << r.unit;
            EXPECT_EQ(e.GetMargin(1), 0.0) << r.unit;
            EXPECT_NEAR(e.GetHpglPensWidth(1), 0.254, 1e-9) << r.unit;
            EXPECT_EQ(e.GetHpglPensWidth(2), defaults.GetHpglPensWidth(2)) << r.unit;
            EXPECT_EQ(e.GetVicPensWidth(1), defaults.GetVicPensWidth(1)) << r.unit;
            EXPECT_EQ(e.GetCalcompPensWidth(1), defaults.GetCalcompPensWidth(1)) << r.unit;
            for (auto width : {&RCSslEntry::GetHpglMaxwidth, &RCSslEntry::GetHpglMinwidth,
                               &RCSslEntry::GetVicMaxwidth, &RCSslEntry::GetCalcompMaxwidth,
                               &RCSslEntry::GetCalcompMinwidth})
                EXPECT_EQ((e.*width)(), (defaults.*width)()) << r.unit;
        }
    }
}

// A size that names its own unit is in that unit, whatever the job's unit; a size
// without one is in the job's.  The sizes read hold millimetres.
TEST(SslTicketUnits, ASizeNamingItsUnitIsInThatUnit) {
    for (const char* job : {"inch", "mm"}) {
        const RSParse read = ParseBuffer(
            std::string("BeginJob\nUnits ") + job +
            "\nJobFlagsheet Size Window 42.0 29.7 cm\nBeginOutput\nOutputSize Window 420 297 mm\n"
            "PaperSize proportional 16.5 11.7 inch\nZoom Window 42.0 29.7 cm\nEndOutput\n"
            "BeginOutput\nOutputSize Window 16.5 11.7\nEndOutput\nEndJob\n");
        ASSERT_EQ(read.m_nResult, 3) << job;
        EXPECT_TRUE(read.m_Diagnostics.empty()) << job;
        const RCSslEntry& file = read.m_Set.GetEntry(1);
        for (const SslSize& size :
             {read.m_Set.GetEntry(0).GetJobFlagsheetSize(), file.GetOutputSize(), file.GetZoom()}) {
            EXPECT_NEAR(size.GetWidth(), 420.0, 1e-9) << job << " " << size.GetSizeType();
            EXPECT_NEAR(size.GetHeight(), 297.0, 1e-9) << job << " " << size.GetSizeType();
            EXPECT_EQ(size.GetSizeUnit().Get(), SslUnit::kMm) << job;
        }
        EXPECT_NEAR(file.GetPaperSize().GetWidth(), 419.1, 1e-9) << job;
        EXPECT_NEAR(file.GetPaperSize().GetHeight(), 297.18, 1e-9) << job;
        // Without a unit of its own: the job's.
        const double scale = std::string(job) == "inch" ? 25.4 : 1.0;
        EXPECT_NEAR(read.m_Set.GetEntry(2).GetOutputSize().GetWidth(), 16.5 * scale, 1e-9);
        EXPECT_EQ(read.m_Set.GetEntry(2).GetOutputSize().GetSizeUnit().Get(), SslUnit::kNone);
    }
}

}  // namespace
