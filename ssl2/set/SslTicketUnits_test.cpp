// Tickets that give their lengths in another unit than millimetres: what the reader
// stores, and what a reader of the written ticket gets back.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "ssl2/set/RCSslSet.h"
#include "tests/support/SetSupport.h"

namespace {

using ssl2::test::ParseBuffer;
using ssl2::test::ParseFile;
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

/// A length of a written ticket (millimetres) in inches, with twelve decimals.
std::string Inches(const std::string& mm) {
    return TString::Format("%.12f", std::stod(mm) / 25.4).str();
}

/// `text` with the numbers of the sub-matches 2 onward of `re` in inches.
std::string NumbersInInches(const std::string& text, const std::regex& re) {
    std::string out;
    auto last = text.cbegin();
    for (std::sregex_iterator it(text.begin(), text.end(), re), end; it != end; ++it) {
        for (std::size_t n = 2; n < it->size(); ++n) {
            out.append(last, (*it)[n].first) += Inches((*it)[n].str());
            last = (*it)[n].second;
        }
    }
    return out.append(last, text.cend());
}

/// The written ticket `text` with every length in inches and "Units inch" where it
/// has "Units mm" (after the job's lengths).  Sizes that name their unit keep it.
std::string InInches(const std::string& text) {
    static const std::regex length(
        "\\b((?:minwidth|maxwidth|width|top|left|bottom|right|bmpdistance|distance|framesize|"
        "frametextdistance) )(-?[0-9]+\\.[0-9]+)");
    static const std::regex pair(
        "\\b((?:proportional|unproportional|coordinate) )(-?[0-9]+\\.[0-9]+) "
        "(-?[0-9]+\\.[0-9]+)(?= ?\r\n)");
    std::string out = NumbersInInches(NumbersInInches(text, length), pair);
    const std::size_t units = out.find("\r\nUnits mm\r\n");
    EXPECT_NE(units, std::string::npos) << text;
    return units == std::string::npos ? out : out.replace(units, 12, "\r\nUnits inch\r\n");
}

// Every example ticket, rewritten with its lengths in inches, reads to the same set
// as the original, and gives the same plot configuration.
TEST(SslTicketUnits, ExampleTicketsInInchesReadAsTheOriginals) {
    const std::vector<std::filesystem::path> tickets = ssl2::test::ExampleTickets();
    ASSERT_GE(tickets.size(), 5u);
    for (const std::filesystem::path& path : tickets) {
        const RSParse original = ParseFile(path.string());
        ASSERT_GT(original.m_nResult, 1) << path;
        const std::string text = original.m_Set.ToString(SslStatement::kVersion40).str();
        const std::string inches = InInches(text);
        ASSERT_NE(inches, text);
        const RSParse read = ParseBuffer(inches);
        ASSERT_EQ(read.m_nResult, original.m_nResult) << path << "\n" << inches;
        EXPECT_TRUE(read.m_Diagnostics.empty()) << path << ": " << read.m_Diagnostics[0].m_sMessage;
        EXPECT_EQ(
            ssl2::test::StatementDifferences(read.m_Set, original.m_Set, SslStatement::kVersion40),
            "")
            << path;
        EXPECT_EQ(read.m_Set.ToString(SslStatement::kVersion40).str(), text) << path;
        for (int i = 1; i < read.m_Set.Size(); ++i)
            EXPECT_EQ(read.m_Set.GetEntry(i).ToCfg(), original.m_Set.GetEntry(i).ToCfg()) << path;
    }
}

}  // namespace
