// Round trips: read -> write -> read gives an equal set, and write -> read -> write
// gives the same text, for the example tickets and for random valid sets.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "ssl2/base/RCUnit.h"
#include "ssl2/set/RCSslSet.h"
#include "tests/support/SetSupport.h"

namespace {

using namespace ssl2::test;

/// Whether the written file `bytes` holds `text` in one encoding: Windows-1252
/// throughout, or UTF-16 with byte-order mark exactly when Windows-1252 cannot.
std::string EncodingProblem(const std::string& bytes, const TString& text) {
    const bool utf16 = bytes.starts_with("\xFF\xFE");
    if (utf16 == text.HasAnsiForm())
        return utf16 ? "UTF-16 although Windows-1252 holds every character"
                     : "8-bit although Windows-1252 lacks a character";
    if (!utf16 && TString::FromAnsi(bytes) != text)
        return "not the Windows-1252 form of the text";
    return "";
}

/// Writes `set` to a file, reads it back and checks both round trips: read ->
/// write -> read gives an equal set and write -> read -> write the same text.  The
/// file is in one encoding.
void CheckRoundTrip(const RCSslSet& set, SslStatement::TSyntaxVersion version, const RCTempDir& dir,
                    const std::string& label) {
    const TString first = set.ToString(version);
    const std::string path = (dir.Path() / "first.ssl").string();
    set.WriteSsl(path, RCAccessSsl(), version);
    EXPECT_EQ(EncodingProblem(ReadFile(path), first), "") << label;
    RSParse again = ParseFile(path);
    ASSERT_EQ(again.m_nResult, set.Size()) << label << "\n" << first;
    EXPECT_EQ(again.m_Set.ParsedTilEnd(), 1u) << label;
    EXPECT_EQ(again.m_Set.GetEntry(0).GetVersion(), static_cast<std::uint32_t>(version))
        << label << ": a ticket reads back in the dialect it was written in";
    for (const RSSslDiagnostic& d : again.m_Diagnostics) {
        ADD_FAILURE() << label << ": " << d.m_sMessage;
    }
    EXPECT_EQ(StatementDifferences(again.m_Set, set, version), "") << label << "\n" << first;
    EXPECT_EQ(again.m_Set.ToString(version), first) << label;
}

class SslRoundTrip : public ::testing::TestWithParam<SslStatement::TSyntaxVersion> {
protected:
    RCTempDir m_Dir;
};

/// Every example ticket (the one with syntax errors too: what was read of it).
TEST_P(SslRoundTrip, ExampleTickets) {
    const std::vector<std::filesystem::path> tickets = ExampleTickets();
    ASSERT_GE(tickets.size(), 5u);
    for (const std::filesystem::path& ticket : tickets) {
        RSParse parse = ParseFile(ticket.string());
        ASSERT_GT(parse.m_nResult, 1) << ticket;
        CheckRoundTrip(parse.m_Set, GetParam(), m_Dir, ticket.filename().string());
    }
}

/// Lengths given in inches (a window zoom too) are converted to millimetres on
/// reading, also those before the job's Units statement (the writer puts it after
/// them); a block's own Units statement changes nothing.  What is written carries no binary noise
/// of the conversion (7.62, not 7.619999999999999), and from there on both round trips are strict.
TEST_P(SslRoundTrip, ConvertedLengths) {
    const std::string ticket =
        "BeginJob\n"
        "Hpgl minwidth 0.01\n\t+ maxwidth 0.3\n"
        "Vic maxwidth 0.05\nCalcomp minwidth 0.003\n\t+ maxwidth 0.07\nUnits inch\n"
        "BeginOutput\n"
        "Margin top 1.1\n\t+ left 0.3\n\t+ bottom 0.7\n\t+ right 1.3\nUnits cm\n"
        "OutputSize Window 8.3 11.7\nPaperSize proportional 33.1 46.8\n"
        "HpglPens Number 1 Width 0.01 Color 1\n\t+ Number 2 - 7 Width 0.014 Color 2\n"
        "EndOutput\n"
        "BeginOutput\nZoom proportional 8.5 11.0\nMargin left 0.125\n"
        "Stamp Text \"A\"\n\t+ Distance 0.3\n\t+ Position ll Coordinate 1.1 2.2\nEndOutput\n"
        "BeginOutput\nZoom Window 16.54 23.39\nEndOutput\n"
        "EndJob\n";
    RSParse converted = ParseFile(m_Dir.Write("inch.ssl", ticket));
    ASSERT_EQ(converted.m_nResult, 4);
    EXPECT_TRUE(converted.m_Diagnostics.empty());
    const std::string first = converted.m_Set.ToString(GetParam()).str();
    for (const char* line :
         {"\r\nUnits mm\r\n", "\r\nMargin top 27.940\r\n", "\t+ maxwidth 7.620\r\n",
          "\t+ distance 7.620\r\n", "\t+ coordinate 27.940 55.880\r\n",
          "\r\nOutputSize unproportional 210.820 297.180 \r\n",
          "\r\nZoom proportional 215.900 279.400 \r\n"})
        EXPECT_NE(first.find(line), std::string::npos) << line << first;
    RSParse read = ParseFile(m_Dir.Write("mm.ssl", first));
    ASSERT_EQ(read.m_nResult, 4);
    EXPECT_EQ(read.m_Set.ToString(GetParam()).str(), first);
    CheckRoundTrip(read.m_Set, GetParam(), m_Dir, "converted from inches");
}

/// Whatever unit a set holds its lengths in (codes 0 to 6), the ticket written of it
/// reads back, with every entry, as the same lengths in millimetres.
TEST_P(SslRoundTrip, EveryUnitReadsBackAsTheSameLengths) {
    RSParse original = ParseFile(m_Dir.Write(
        "units.ssl",
        "BeginJob\nMargin top 12.7\nBeginOutput\nOutputSize Window 420 297\n"
        "HpglPens Number 1 Width 0.35\nEndOutput\nBeginOutput\nPaperSize proportional 254 "
        "508\nZoom Window 100 50\nEndOutput\nEndJob\n"));
    ASSERT_EQ(original.m_nResult, 3);
    // The unit of each code, and how a set in millimetres comes to hold it: converted
    // to an RCUnit code, or only named (no unit means millimetres; points count as
    // pixels).
    const struct {
        std::uint32_t unit;
        std::uint32_t convertTo;
    } rows[] = {{SslUnit::kNone, RCUnit::kMm},     {SslUnit::kMm, RCUnit::kMm},
                {SslUnit::kCm, RCUnit::kCm},       {SslUnit::kInch, RCUnit::kInch},
                {SslUnit::kPixel, RCUnit::kPixel}, {SslUnit::kVemto, RCUnit::kVemto},
                {SslUnit::kPoints, RCUnit::kPixel}};
    for (const auto& row : rows) {
        SCOPED_TRACE("unit " + std::to_string(row.unit));
        RCSslSet set = original.m_Set;
        set.ConvertUnit(300, row.convertTo);
        for (int i = 0; i < set.Size(); ++i)
            set.GetEntry(i).SetUnits(static_cast<SslUnit::RCSslUnits>(row.unit));
        const std::string text = set.ToString(GetParam()).str();
        RSParse back = ParseFile(m_Dir.Write("written.ssl", text));
        ASSERT_EQ(back.m_nResult, 3) << text;
        EXPECT_TRUE(back.m_Diagnostics.empty()) << text;
        const RCSslEntry& job = back.m_Set.GetEntry(0);
        const RCSslEntry& first = back.m_Set.GetEntry(1);
        EXPECT_NEAR(job.GetMargin(0), 12.7, 1e-6) << text;
        EXPECT_NEAR(first.GetOutputSize().GetWidth(), 420, 1e-6) << text;
        EXPECT_NEAR(first.GetHpglPensWidth(1), 0.35, 1e-6) << text;
        EXPECT_NEAR(back.m_Set.GetEntry(2).GetPaperSize().GetHeight(), 508, 1e-6) << text;
        EXPECT_NEAR(back.m_Set.GetEntry(2).GetZoom().GetWidth(), 100, 1e-6) << text;
    }
}

/// A random length with 3 to 9 decimals: tickets carry lengths to at most nine
/// decimals, so these read back exactly.
double RandomLength(std::mt19937& random, double low, double high) {
    const double scale = std::pow(10.0, std::uniform_int_distribution<int>(3, 9)(random));
    return std::round(std::uniform_real_distribution<double>(low, high)(random) * scale) / scale;
}

/// A random size for a zoom or a flag sheet: every size type, with widths and
/// heights that three decimals do not always hold.
SslSize RandomSize(std::mt19937& random, bool zoom) {
    auto pick = [&](std::uint32_t n) {
        return std::uniform_int_distribution<std::uint32_t>(0, n - 1)(random);
    };
    const std::uint32_t family = pick(5);
    const std::uint32_t formats[] = {21, 5, 5, 7, 2};
    SslSize size;
    switch (pick(9)) {
        case SslSize::kFormat:
        case SslSize::kFitToPrintWindow:
            size.SetFormatName(family);
            size.SetFormat(pick(formats[family]));
            size.SetSizeType(pick(2) == 0 ? SslSize::kFormat : SslSize::kFitToPrintWindow);
            break;
        case SslSize::kProportional:
        case SslSize::kUnproportional:
        case SslSize::kPercent:
            size.SetWidth(RandomLength(random, 1.0, 2000.0));
            size.SetHeight(1.0 + pick(2000) / 8.0);
            {
                const std::uint32_t types[] = {SslSize::kProportional, SslSize::kUnproportional,
                                               SslSize::kPercent};
                size.SetSizeType(types[pick(zoom ? 3 : 2)]);
            }
            if (zoom && size.GetSizeType() != SslSize::kPercent)
                size.SetSizeUnit(SslUnit(pick(2)));  // the zoom is never converted to mm
            break;
        case SslSize::kManual:
            size.SetSizeType(SslSize::kManual);
            break;
        default:
            if (zoom) {
                const std::uint32_t types[] = {SslSize::kAuto, SslSize::kOriginal,
                                               SslSize::kScaleToFitRoll};
                size.SetSizeType(types[pick(3)]);
            }
            break;
    }
    return size;
}

/// A random valid set: values every statement accepts and the writer can express.
RCSslSet RandomSet(std::mt19937& random) {
    auto pick = [&](std::uint32_t n) {
        return std::uniform_int_distribution<std::uint32_t>(0, n - 1)(random);
    };
    auto real = [&](double low, double high) { return RandomLength(random, low, high); };
    auto text = [&](const char* prefix) {
        static const char* const words[] = {"plan", "Ärger", "north", "a;b",  "x y",
                                            "#1",   "über",  "€5",    "東京", "#0041"};
        return TString(std::string(prefix) + words[pick(10)] + std::to_string(pick(1000)));
    };
    RCSslSet set;
    RCSslEntry job(0);
    job.SetJobName(text("job "));
    job.SetAccount(text(""));
    job.SetCustomer(text("c"));
    job.SetSetCopies(1 + pick(5));
    job.SetJobCollate(pick(2));
    job.SetJobPriority(pick(2) == 0 ? 1 : 3);
    job.SetOutputTray(pick(4));
    if (pick(2) == 0)
        job.AddSupportFile(text("/srv/support/"));
    if (pick(2) == 0) {
        SslAddress address;
        address.SetName(text("addr "));
        address.SetType(1 + pick(3));
        address.SetCity(text("city "));
        address.SetLine1(text("line "));
        job.AddAddress(address);
    }
    if (pick(2) == 0) {
        job.SetJobFlagsheetOn(1);
        job.SetJobFlagsheetText(text("sheet "));
        job.SetJobFlagsheetPerJob(pick(3));
        job.SetJobFlagsheetAccount(pick(2));
        job.SetJobFlagsheetFoldProgram(static_cast<std::int32_t>(pick(43)) - 2);
        job.SetJobFlagsheetFoldTray(static_cast<std::int32_t>(pick(4)) - 1);
        job.SetJobFlagsheetInputTray(static_cast<std::int32_t>(pick(4)) - 1);
        job.SetJobFlagsheetSize(RandomSize(random, false));
    }
    if (pick(3) == 0)
        job.SetHpglAsString(text("IN;SP"));
    set.AddEntry(job);

    const int files = 1 + static_cast<int>(pick(6));
    for (int i = 0; i < files; ++i) {
        RCSslEntry file(job, 1);
        file.SetName(text("file") + ".plt");
        file.SetDirectory(text("/srv/in/"));
        file.SetCopies(1 + pick(20));
        file.SetRotate(pick(5));
        file.SetMediaType(pick(5));
        // auto, TIFF, HPGL, CalComp, PDF, VIC
        const std::uint32_t emulations[] = {0, 1, 6, 7, 11, 22};
        file.SetFileEmulation(emulations[pick(6)]);
        file.SetZoom(RandomSize(random, true));
        if (pick(3) == 0)
            file.SetFoldPrg(static_cast<std::int32_t>(1 + pick(40)));
        if (pick(2) == 0)
            file.SetMargin(pick(5), real(0.001, 50.0));
        // Every plotter language's settings, whatever the emulation: what the writer
        // leaves out for the emulation or a settings string must read back all the
        // same.  The HPGL settings as one string keep their lines.
        if (pick(4) == 0)
            file.SetHpglAsString(pick(2) == 0 ? TString()
                                              : text("IN;\r\nSP1;\r\n") + "\nLT;\r" + text("LB"));
        if (pick(2) == 0) {
            file.SetHpglMinwidth(real(0.0, 1.0));
            file.SetHpglMaxwidth(real(1.0, 20.0));
            file.SetHpglPensWidth(pick(2) == 0 ? 0.25 * (1 + pick(8)) : real(0.0, 20.0),
                                  1 + pick(4), 5 + pick(4));
        }
        if (pick(2) == 0) {
            file.SetVicMaxwidth(real(0.0, 20.0));
            file.SetVicPensWidth(real(0.0, 2.0), pick(256), 255);
        }
        if (pick(2) == 0) {
            file.SetCalcompMinwidth(pick(2) == 0 ? 0.25 : real(0.0, 1.0));
            file.SetCalcompPensWidth(real(0.0, 2.0), 1 + pick(16), 16);
        }
        if (pick(2) == 0) {
            SslSingleStamp stamp;
            stamp.SetName(text("say \"") + "\"");
            stamp.SetText(text("draft "));
            stamp.SetDistance(real(0.0, 100.0));
            stamp.SetFrameSize(0.5 * pick(8));
            stamp.SetPositionCoordinateX(real(0.0, 1000.0));
            stamp.SetPositionCoordinateY(real(0.0, 1000.0));
            file.AddStamp(stamp);
        }
        if (pick(2) == 0)
            file.SetPdfAsString(text("%PDF settings\r\n\r\n") + "\tend\r\n");
        if (pick(2) == 0)
            file.SetFileInfo(1000 + pick(9000), 1000 + pick(9000), 400, 400, 1);
        set.AddEntry(file);
    }
    return set;
}

TEST_P(SslRoundTrip, RandomSets) {
    std::mt19937 random(20261206);
    for (int round = 0; round < 40; ++round) {
        const RCSslSet set = RandomSet(random);
        CheckRoundTrip(set, GetParam(), m_Dir, "random set " + std::to_string(round));
        if (HasFailure())
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(Dialects, SslRoundTrip,
                         ::testing::Values(SslStatement::kVersion40, SslStatement::kVersion50));

/// The header names 3.0 whatever the dialect; a ticket written in another says so on
/// a line of its own and reads back in it.
TEST(SslDialects, AWrittenTicketReadsBackInItsDialect) {
    RCSslSet set;
    set.AddEntry(RCSslEntry(0));
    for (const auto version : {SslStatement::kVersion15, SslStatement::kVersion30,
                               SslStatement::kVersion40, SslStatement::kVersion50}) {
        const std::string text = set.ToString(version).str();
        EXPECT_TRUE(text.starts_with("BeginJob \"noname\" Version \"3.0.001\"\r\n")) << text;
        const RSParse back = ParseBuffer(text);
        EXPECT_EQ(back.m_Set.GetEntry(0).GetVersion(), static_cast<std::uint32_t>(version)) << text;
    }
}

/// The zoom-only size types are no output or paper sizes: such a value is written as
/// "auto", never as an empty size that the reader refuses (which would end the parse
/// and lose every later entry).
TEST(SslZoomRoundTrip, ZoomOnlySizeTypesAreWrittenAsAutoOutputAndPaperSizes) {
    RCSslSet set;
    const RCSslEntry job(0);
    set.AddEntry(job);
    for (const std::uint32_t type :
         {SslSize::kPercent, SslSize::kOriginal, SslSize::kScaleToFitRoll}) {
        SslSize zoom;
        zoom.SetSizeType(type);
        RCSslEntry file(job, 1);
        file.SetZoom(zoom);
        file.SetOutputSize(zoom);
        file.SetPaperSize(zoom);
        set.AddEntry(file);
    }
    const TString text = set.ToString(SslStatement::kVersion50);
    const RSParse parse = ParseBuffer(text.str());
    ASSERT_EQ(parse.m_nResult, set.Size()) << text;
    EXPECT_TRUE(parse.m_Diagnostics.empty()) << text;
    for (int i = 1; i < set.Size(); ++i) {
        const RCSslEntry& read = parse.m_Set.GetEntry(i);
        EXPECT_EQ(read.GetOutputSize().GetSizeType(), SslSize::kAuto) << text;
        EXPECT_EQ(read.GetPaperSize().GetSizeType(), SslSize::kAuto) << text;
    }
}

/// A double quote or a line break inside a quoted value is written as '' or <|>.
/// Stamp names and texts turn '' back into the double quote; every other text keeps
/// the replacement, since in a ticket of another program '' may stand for itself
/// (an inch mark, a file name).  Nothing is refused and nothing else is lost.  A
/// document-box password is enciphered under the user name as written, so a quote in
/// the name keeps the password readable.
TEST(SslQuotedTexts, QuotesAndLineBreaksReadBackAsTheirReplacements) {
    RCSslSet set;
    RCSslEntry job(0);
    job.SetJobName("12\" roll\r\nsecond");
    job.SetJobFlagsheetOn(1);
    job.SetJobFlagsheetText("a\"b");
    SslAddress address;
    address.SetName("Q\"uote");
    address.SetCity("x\ny");
    job.AddAddress(address);
    job.AddSupportFile("/srv/\"odd\"");
    job.SetDocumentBoxUserName("o\"neil");
    job.SetDocumentBoxJobName("plans");
    ASSERT_EQ(job.SetDocumentBoxPassword("päss"), 1u);
    set.AddEntry(job);
    RCSslEntry file(job, 1);
    SslSingleStamp stamp;
    stamp.SetName("say \"hi\"");
    stamp.SetText("line\"s");
    file.AddStamp(stamp);
    set.AddEntry(file);

    const TString text = set.ToString(SslStatement::kVersion50);
    RSParse parse = ParseBuffer(text.str());
    ASSERT_EQ(parse.m_nResult, 2) << text;
    EXPECT_EQ(parse.m_Set.ParsedTilEnd(), 1u);
    EXPECT_TRUE(parse.m_Diagnostics.empty()) << text;
    const RCSslEntry& readJob = parse.m_Set.GetEntry(0);
    EXPECT_EQ(readJob.GetJobName(), "12'' roll<|>second");
    EXPECT_EQ(readJob.GetJobFlagsheetText(), "a''b");
    ASSERT_EQ(readJob.GetAddressCount(), 1u);
    EXPECT_EQ(readJob.GetAddress(0).GetName(), "Q''uote");
    EXPECT_EQ(readJob.GetAddress(0).GetCity(), "x<|>y");
    ASSERT_EQ(readJob.GetSupportFileCount(), 1u);
    EXPECT_EQ(TString(readJob.GetSupportFile(0)), "/srv/''odd''");
    EXPECT_EQ(readJob.GetDocumentBoxUserName(), "o''neil");
    EXPECT_EQ(readJob.GetDocumentBoxPassword(), "päss");
    ASSERT_EQ(parse.m_Set.GetEntry(1).GetStampCount(), 1u);
    EXPECT_EQ(parse.m_Set.GetEntry(1).GetStamp(0).GetName(), "say \"hi\"");
    EXPECT_EQ(parse.m_Set.GetEntry(1).GetStamp(0).GetText(), "line\"s");
}

}  // namespace
