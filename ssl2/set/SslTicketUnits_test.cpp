// Tickets that give their lengths in another unit than millimetres: what the reader
// stores.
#include <gtest/gtest.h>

#include <string>

#include "ssl2/set/RCSslSet.h"
#include "tests/support/SetSupport.h"

namespace {

// Only the lengths a ticket gives are in its unit: defaults converted from inches
// (a maximum width of 9.99 mm read as 9.99 inches) were out of range, and the written
// ticket lost them.  A size that names its own unit is in that unit, whatever the
// job's unit; a size without one is in the job's.  The sizes read hold millimetres.
TEST(SslTicketUnits, OnlyTheGivenLengthsAreConvertedAndSizesKeepTheirOwnUnit) {
    const ssl2::test::RSParse read = ssl2::test::ParseBuffer(
        "BeginJob\nUnits inch\nMargin top 1.1\nHpglPens Number 1 Width 0.01\n"
        "BeginOutput\nOutputSize Window 42.0 29.7 cm\nPaperSize proportional 16.5 11.7 inch\n"
        "EndOutput\nBeginOutput\nOutputSize Window 16.5 11.7\nEndOutput\nEndJob\n");
    ASSERT_EQ(read.m_nResult, 3);
    EXPECT_TRUE(read.m_Diagnostics.empty());
    const RCSslEntry defaults(0);
    const RCSslEntry& file = read.m_Set.GetEntry(1);
    EXPECT_NEAR(file.GetMargin(0), 27.94, 1e-9);
    EXPECT_NEAR(file.GetHpglPensWidth(1), 0.254, 1e-9);
    EXPECT_EQ(file.GetHpglPensWidth(2), defaults.GetHpglPensWidth(2));
    for (auto width : {&RCSslEntry::GetHpglMaxwidth, &RCSslEntry::GetVicMaxwidth,
                       &RCSslEntry::GetCalcompMaxwidth})
        EXPECT_EQ((file.*width)(), (defaults.*width)());
    EXPECT_NEAR(file.GetOutputSize().GetWidth(), 420.0, 1e-9);
    EXPECT_EQ(file.GetOutputSize().GetSizeUnit().Get(), SslUnit::kMm);
    EXPECT_NEAR(file.GetPaperSize().GetWidth(), 419.1, 1e-9);
    EXPECT_NEAR(read.m_Set.GetEntry(2).GetOutputSize().GetWidth(), 16.5 * 25.4, 1e-9);
}

}  // namespace
