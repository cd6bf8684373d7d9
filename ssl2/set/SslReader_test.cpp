// Tests of the SSL reader: scanner modes and token forms, grammar actions, error
// reporting and recovery, the UTF-16 pre-pass and the sound behaviour of large
// parses (several threads at once: SslSetThreads_test.cpp).
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "ssl2/base/ILog.h"
#include "ssl2/set/RCSslSet.h"
#include "tests/support/SetSupport.h"

namespace {

using namespace ssl2::test;

class SslReader : public ::testing::Test {
protected:
    /// Parses `text` written to a file of its own.
    RSParse Parse(const std::string& text, RCSslSet set = RCSslSet()) {
        return ParseFile(m_Dir.Write("ticket" + std::to_string(m_nFiles++) + ".ssl", text),
                         std::move(set));
    }
    /// Parses one file entry holding `lines` and returns that entry.
    RCSslEntry File(const std::string& lines, RSParse* parse = nullptr) {
        RSParse p = Parse("BeginJob\nBeginOutput\n" + lines + "\nEndOutput\nEndJob\n");
        EXPECT_EQ(p.m_nResult, 2) << lines;
        EXPECT_EQ(p.m_Set.ParsedTilEnd(), 1u) << lines;
        RCSslEntry entry = p.m_Set.Size() == 2 ? p.m_Set.GetEntry(1) : RCSslEntry();
        if (parse != nullptr)
            *parse = std::move(p);
        return entry;
    }

    RCTempDir m_Dir;
    int m_nFiles = 0;
    RCCaptureLog m_log;
    RCScopedLog m_scope{&m_log};
};

// --- framing ----------------------------------------------------------------------------

// What a ticket's frame keeps: the job entry and each file entry are stored when their
// block ends, the rest after EndJob is dropped, and a syntax error outside sub-lines
// ends the parse.
TEST_F(SslReader, TheFrameDecidesWhatIsKept) {
    const struct {
        const char* name;
        const char* text;
        int result;
        unsigned parsedTilEnd;
        const char* errors;  ///< the syntax errors, in order
    } rows[] = {
        {"minimal", "BeginJob\r\nEndJob\r\n", 1, 1, ""},
        {"empty", "", 0, 0, "parse error Token \"\" In Zeile 1\n"},
        {"empty first line", "\nBeginJob\nEndJob\n", 0, 0, "parse error Token \"\n\" In Zeile 2\n"},
        {"statement before BeginJob", "Copies 2\nBeginJob\nEndJob\n", 0, 0,
         "parse error Token \"2\" In Zeile 1\n"},
        {"rest after EndJob", "BeginJob\nEndJob\nCopies 3\ngarbage \"x\n", 1, 1, ""},
        {"second job", "BeginJob\nEndJob\nBeginJob\n", 1, 1,
         "parse error Token \"BeginJob\" In Zeile 3\n"},
        {"unclosed block loses its entry",
         "BeginJob\nBeginOutput\nName \"a\"\nEndOutput\nBeginOutput\nName \"b\"\n", 2, 0,
         "parse error Token \"\" In Zeile 7\n"},
        {"syntax error outside sub-lines",
         "BeginJob\nBeginOutput\nName \"one\"\nEndOutput\nBeginOutput\nCopies abc\nEndOutput\n"
         "BeginOutput\nEndOutput\nEndJob\n",
         2, 0, "parse error Token \"a\" In Zeile 6\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const RSParse p = Parse(row.text);
        EXPECT_EQ(p.m_nResult, row.result);
        EXPECT_EQ(p.m_Set.ParsedTilEnd(), row.parsedTilEnd);
        EXPECT_EQ(p.Messages(RSSslDiagnostic::kSyntaxError), row.errors);
    }
}

/// `text` with every decimal number rounded to six decimals: what a reader of the
/// grammar makes of it, without the last binary digit of a converted length.
std::string RoundedNumbers(const std::string& text) {
    static const std::regex number("(^|[^0-9.])(-?[0-9]+\\.[0-9]+)(?![0-9.])");
    std::string rounded;
    auto last = text.cbegin();
    for (std::sregex_iterator it(text.begin(), text.end(), number), end; it != end; ++it) {
        rounded.append(last, (*it)[2].first);
        rounded += TString::Format("%.6f", std::stod((*it)[2].str())).str();
        last = (*it)[2].second;
    }
    return rounded.append(last, text.cend());
}

/// What a reader of the written ticket sees of `set` (its lists with them), and the
/// length of each entry's error notes.
std::string ShapeOf(const RCSslSet& set) {
    std::string shape = RoundedNumbers(set.ToString(SslStatement::kVersion50).str());
    for (int i = 0; i < set.Size(); ++i)
        shape += " " + std::to_string(set.GetEntry(i).GetErrors().GetLength());
    return shape;
}

TEST_F(SslReader, ReadingAgainIntoTheSameSetGivesTheSameSet) {
    // The lists replace those of the previous reading; the lengths the ticket leaves
    // out start from the previous reading, in millimetres, while its own are in inches.
    const std::string inch = m_Dir.Write(
        "inch.ssl",
        "BeginJob\nUnits inch\nAddress \"Office\"\n+ City \"Bern\"\nSupportFile \"a.ctb\"\n"
        "Stamp Text \"JOB\"\nMargin top 1.1\nHpglPens Number 1 Width 0.02\nMirror on\nCopeis 2\n"
        "BeginOutput\nName \"a.plt\"\nOutputSize Window 10.5 20.25\nStamp Text \"A\"\n"
        "EndOutput\nEndJob\n");
    // The job's unit named after lengths that are in it.
    const std::string late =
        m_Dir.Write("late.ssl",
                    "BeginJob\nCopeis 2\nMargin top 1.1\nHpgl maxwidth 0.3\nStamp Text \"A\"\n"
                    "\t+ Distance 0.5\n\t+ FontSize 1.5\nUnits inch\nBeginOutput\nMargin left 0.5\n"
                    "Units cm\nHpglPens Number 1 Width 0.01\nEndOutput\nEndJob\n");
    for (const std::string& path : {ExamplePath("twenty_files.ssl"), inch, late}) {
        RCSslSet set;
        std::vector<std::string> messages;
        set.SetDiagnosticHandler(
            [&](const RSSslDiagnostic& d) { messages.push_back(d.m_sMessage.str()); });
        const int entries = set.ParseSsl(path, 300);
        ASSERT_GT(entries, 1) << path;
        ASSERT_TRUE(set.ParsedTilEnd()) << path;
        const std::string first = ShapeOf(set);
        const std::vector<std::string> firstMessages = std::exchange(messages, {});
        for (int i = 0; i < 40; ++i) {
            ASSERT_EQ(set.ParseSsl(path, 300), entries) << path;
            ASSERT_EQ(std::exchange(messages, {}), firstMessages) << "reported once per reading";
            ASSERT_EQ(ShapeOf(set), first) << path << ", read " << i + 2;
        }
    }
}

// --- lexical level ------------------------------------------------------------------------

// Keywords ignore case and are whole words; comments and the rest of ignored
// statements are skipped; sub-lines need '+' and a blank; argument text that forms no
// token is stray text of the line it stands on; line ends inside a long string are
// not counted.  What the job holds, and each diagnostic as "line kind text".
TEST_F(SslReader, WhatTheScannerTakesAndWhatItReports) {
    using namespace std::string_literals;
    const struct {
        std::string text;
        std::string diagnostics;
        std::function<bool(const RCSslEntry&)> holds;
    } rows[] = {
        {"BeginJob\nCoPiEs\t2 ; turned\n; a comment line\nComment anything \"goes\n"
         "LongPlot whatever \"x\nName \"a;b\"\nEndJob\n",
         "", [](const RCSslEntry& e) { return e.GetCopies() == 2 && e.GetName() == "a;b"; }},
        {"BeginJob\nCopies2 5\nCopies 4\nEndJob\n", "2 unknown Copies2\n",
         [](const RCSslEntry& e) { return e.GetCopies() == 4; }},
        {"BeginJob\nAddress \"Site\"\n\t+ Company \"X\"\n  + City \"Y\"\n+Company \"Z\"\nEndJob\n",
         "5 unknown +Company\n",
         [](const RCSslEntry& e) {
             return e.GetAddressCount() == 1 && e.GetAddress(0).GetName() == "Site" &&
                    e.GetAddress(0).GetCompany() == "X" && e.GetAddress(0).GetCity() == "Y";
         }},
        {"BeginJob\nCopies 2 \"zz\nName \"ok\"\nEndJob\n", "2 stray \"zz\n",
         [](const RCSslEntry& e) { return e.GetCopies() == 2 && e.GetName() == "ok"; }},
        {"xx BeginJob\nCopies 2 ##\n\nCopies 3 #\nEndJob\n", "1 stray xx\n2 stray ##\n4 stray #\n",
         [](const RCSslEntry& e) { return e.GetCopies() == 3; }},
        {"BeginJob\nPsAsString \"a\nb\nc\"\nCopeis 1\nEndJob\n", "3 unknown Copeis\n",
         [](const RCSslEntry& e) { return e.GetPsAsString() == "a\nb\nc"; }},
        // Only the end of the input ends it: a NUL is stray text where a word is expected
        // and part of a quoted value.
        {"BeginJob\nCopies 2 \0\nName \"a\0b.plt\"\nEndJob\n"s, "2 stray \0\n"s,
         [](const RCSslEntry& e) {
             return e.GetCopies() == 2 && e.GetName().str() == "a\0b.plt"s;
         }},
        {"BeginJob\nCopies 000\nEndJob\n", "2 syntax 000\n", nullptr},
        {"BeginJob\nCopies -3\nEndJob\n", "2 syntax -\n", nullptr},
        {"BeginJob\nCopies 99999999999999999999\nEndJob\n", "",  // saturated, then refused
         [](const RCSslEntry& e) { return e.GetCopies() == 1; }},
    };
    const char* const kinds[] = {"syntax", "unknown", "stray", "failure"};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        const RSParse p = Parse(row.text);
        std::string diagnostics;
        for (const RSSslDiagnostic& d : p.m_Diagnostics)
            diagnostics +=
                std::to_string(d.m_nLine) + " " + kinds[d.m_nKind] + " " + d.m_sText.str() + "\n";
        EXPECT_EQ(diagnostics, row.diagnostics);
        if (row.holds) {
            ASSERT_GE(p.m_nResult, 1);
            EXPECT_TRUE(row.holds(p.m_Set.GetEntry(0)));
        }
    }
}

TEST_F(SslReader, NumberedKeywords) {
    RCSslEntry e = File("Edging1 \"one\"\nEdging7 \"seven\"\nMediaAsString2 \"m2\"");
    EXPECT_EQ(e.GetEdging1(), "one");
    EXPECT_EQ(e.GetEdging2(), "");
    EXPECT_EQ(e.GetMediaAsString2(), "m2");

    RSParse p =
        Parse("BeginJob\nAddress \"A\"\n+ Line3 \"l3\"\n+ Line7 \"no\"\n+ Phone2 \"p2\"\nEndJob\n");
    const SslAddress& a = p.m_Set.GetEntry(0).GetAddress(0);
    EXPECT_EQ(a.GetLine3(), "l3");
    EXPECT_EQ(a.GetPhone2(), "p2");
    EXPECT_EQ(a.GetLine1(), "");
}

TEST_F(SslReader, StringsOfAnyLength) {
    const std::string name(200000, 'n');
    EXPECT_EQ(File("Name \"" + name + "\"").GetName(), name);
    const std::string hpgl = "IN;\nSP1;\r\nPA0,0;\n" + std::string(50000, 'x');
    EXPECT_EQ(File("HpglAsString \"" + hpgl + "\"\nCopies 2").GetHpglAsString(), hpgl);
}

// --- simple statements ------------------------------------------------------------------

TEST_F(SslReader, ValueMappings) {
    struct Row {
        const char* line;
        std::uint32_t (RCSslEntry::*get)() const;
        std::uint32_t expected;
    };
    const Row rows[] = {
        {"Rotate 270", &RCSslEntry::GetRotate, 4},
        {"Rotate auto", &RCSslEntry::GetRotate, 0},
        {"ColorDepth 3", &RCSslEntry::GetColorDepth, 0},
        {"ColourDepth 16", &RCSslEntry::GetColorDepth, 64},
        {"ColorDepth 2", &RCSslEntry::GetColorDepth, 8},
        {"JobPriority normal", &RCSslEntry::GetJobPriority, 2},
        {"JobPriority immediate", &RCSslEntry::GetJobPriority, 4},
        {"MediaPosition auto", &RCSslEntry::GetMediaPosition, 16},
        {"MediaType transparent", &RCSslEntry::GetMediaType, 3},
        {"MediaType film", &RCSslEntry::GetMediaType, 4},
        {"MediaFeed manual", &RCSslEntry::GetMediaFeed, 3},
        {"FileEmulation bmp", &RCSslEntry::GetFileEmulation, 8},
        {"FileEmulation TIFF", &RCSslEntry::GetFileEmulation, 1},
        {"PrintQuality high", &RCSslEntry::GetPrintQuality, 2},
        {"PrintQuality low", &RCSslEntry::GetPrintQuality, 0},
        {"PrintQuality wait", &RCSslEntry::GetPrintQuality, 1},
        {"RenderingIntent saturation", &RCSslEntry::GetRenderingIntent, 2},
        {"ScanProfileSource FileWithFallback", &RCSslEntry::GetScanColorProfileSource, 4},
        {"ImageContent photo", &RCSslEntry::GetImageContent, 2},
        {"Mirror xy", &RCSslEntry::GetMirror, 3},
        {"SetSplit 5", &RCSslEntry::GetSetSplit, 1},
        {"DeleteFileAfterProcessing 0", &RCSslEntry::GetDeleteFileAfterProcessing, 0},
        {"Invert on", &RCSslEntry::GetInvert, 1},
        {"Confirmation", &RCSslEntry::GetConfirmation, 0},
        {"OutputBin manual", &RCSslEntry::GetOutputBin, 1},
        {"CutMethod synchro", &RCSslEntry::GetCutMethod, 1},
        {"JobSort reverse", &RCSslEntry::GetJobSort, 2},
    };
    for (const Row& row : rows)
        EXPECT_EQ((File(row.line).*row.get)(), row.expected) << row.line;
}

TEST_F(SslReader, SwitchesAndSpecialForms) {
    RSParse p;
    RCSslEntry e = File("EMail on\nDocumentBox on\nMirror on\nOverlay anything\nPlotIt off 5", &p);
    EXPECT_EQ(e.GetEMail(), "");
    EXPECT_EQ(e.GetDocumentBoxOn(), 0u);
    EXPECT_EQ(e.GetPlotIt(), 0u);
    EXPECT_EQ(e.GetPlotItOptions(), 5u);
    EXPECT_NE(e.GetErrors().str().find("Error: Mirror On\n"), std::string::npos);
    EXPECT_NE(e.GetErrors().str().find("Overlay: ignored\n"), std::string::npos);
    EXPECT_EQ(File("EMail all \"a@b.example\"").GetEMail(), "a@b.example");
    EXPECT_EQ(File("SupportFile \"\"\nSupportFiles \"x.ctb\"").GetSupportFileCount(), 1u);
    EXPECT_EQ(File("Units inch\nUnits mm").GetUnits().Get(), SslUnit::kMm);
}

TEST_F(SslReader, SizeForms) {
    const SslSize window = File("OutputSize Window 420.0 297.0 mm").GetOutputSize();
    EXPECT_EQ(window.GetSizeType(), SslSize::kUnproportional);
    EXPECT_DOUBLE_EQ(window.GetWidth(), 420.0);
    EXPECT_EQ(window.GetSizeUnit().Get(), SslUnit::kMm);
    EXPECT_EQ(File("Zoom ScaleToFit ScaleToFit").GetZoom().GetSizeType(), SslSize::kScaleToFitRoll);
    EXPECT_EQ(File("Zoom Original").GetZoom().GetSizeType(), SslSize::kOriginal);
    EXPECT_EQ(File("PaperSize FitToPrintWindow f30x42").GetPaperSize().GetSizeType(),
              SslSize::kFitToPrintWindow);
    // A format size prints at the format's own size, not at that of the default A4.
    EXPECT_EQ(ImageSize(File("OutputSize f15x21")), TPoint(381, 533));
}

// --- multi-line statements --------------------------------------------------------------------

TEST_F(SslReader, PensAndColourEmulation) {
    RCSslEntry e = File(
        "HpglPens Number 3 - 5 Width 0.35 Color 2\n"
        "\t+ Number All Saturation 40 Pattern Circle\n"
        "CalcompPens Number All Width 1\n"
        "HpglColorEmulation Color Dark Red Saturation 50\n"
        "\t+ Color Dark Blue Saturation 70 Page 1\n"
        "\t+ Color Dark Black Saturation 90");
    EXPECT_DOUBLE_EQ(e.GetHpglPensWidth(4), 0.35);
    EXPECT_EQ(e.GetHpglPensColor(5), 2u);
    EXPECT_EQ(e.GetHpglPensSaturation(200), 40u);
    EXPECT_DOUBLE_EQ(e.GetCalcompPensWidth(16), 1.0);
    EXPECT_EQ(e.GetHpglColorEmulationSaturation(8), 50u);
    EXPECT_EQ(e.GetHpglColorEmulationSaturation(11), 70u);
    EXPECT_EQ(e.GetHpglColorEmulationPage(11), 1u);
    EXPECT_NE(e.GetErrors().str().find("Pen Patterntype circle ignored\n"), std::string::npos);
}

TEST_F(SslReader, BadSubLineIsNotedAndReadingGoesOn) {
    RSParse p;
    RCSslEntry e = File("Hpgl MinWidth abc\n\t+ PenScale on\n\t+ StepSize x\n\t+ MaxWidth 2", &p);
    EXPECT_EQ(e.GetHpglPenscale(), 1u);
    EXPECT_DOUBLE_EQ(e.GetHpglMaxwidth(), 2.0);
    EXPECT_EQ(p.Messages(RSSslDiagnostic::kSyntaxError),
              "parse error Token \"a\" In Zeile 3\nparse error Token \"x\" In Zeile 5\n");
    const std::string errors = e.GetErrors().str();
    EXPECT_NE(errors.find("Error in Hpgl Settings\nError in Hpgl Settings\n"), std::string::npos);
}

TEST_F(SslReader, StampItems) {
    RCSslEntry e = File(
        "Stamp Text \"say ''hi''\"\n"
        "\t+ Name \"n''1\"\n"
        "\t+ FontAttribute bold\n"
        "\t+ FontAttribute italic underline\n"
        "\t+ Position bl Coordinate 10.5 20.0\n"
        "\t+ Color Dark grey\n"
        "\t+ Overlay transparent\n"
        "\t+ Rotate 45");
    ASSERT_EQ(e.GetStampCount(), 1u);
    const SslSingleStamp& s = e.GetStamp(0);
    EXPECT_EQ(s.GetText(), "say \"hi\"");
    EXPECT_EQ(s.GetName(), "n\"1");
    EXPECT_EQ(s.GetFontAttribute(), 7u) << "styles of earlier lines stay";
    EXPECT_EQ(s.GetPosition(), 11u);
    EXPECT_DOUBLE_EQ(s.GetPositionCoordinateX(), 10.5);
    EXPECT_EQ(s.GetColor(), 2u);
    EXPECT_EQ(s.GetOverlay(), 2u);
    EXPECT_EQ(s.GetRotate(), 45u);

    RCSslEntry off = File("Stamp Text \"A\"\nStamp off");
    EXPECT_EQ(off.GetStampCount(), 0u);
}

TEST_F(SslReader, FoldFlagsheetMargin) {
    RSParse p;
    RCSslEntry e = File(
        "Fold Prg 3 Tray 1 Option\n\t+ Prg 4\n"
        "Margin All 2.5\n\t+ Left 1\n\t+ inch\n"
        "JobFlagsheet Job\n\t+ Account\n\t+ Text \"T\"\n\t+ OutputTray front\n\t+ on",
        &p);
    EXPECT_EQ(e.GetFoldPrg(), 4);
    EXPECT_EQ(e.GetFoldTray(), 1);
    EXPECT_DOUBLE_EQ(e.GetMargin(0), 2.5);
    EXPECT_DOUBLE_EQ(e.GetMargin(1), 25.4) << "in the unit named on its + line";
    EXPECT_EQ(e.GetJobFlagsheetOn(), 1u);
    EXPECT_EQ(e.GetJobFlagsheetAccount(), 1u);
    EXPECT_EQ(e.GetJobFlagsheetText(), "T");
    EXPECT_EQ(e.GetJobFlagsheetOutputTray(), 2);
    const std::string errors = e.GetErrors().str();
    EXPECT_NE(errors.find("Error JobFlagsheet on\n"), std::string::npos);
    EXPECT_TRUE(p.m_Diagnostics.empty());
    EXPECT_EQ(File("Fold off").GetFoldPrg(), -1);
    EXPECT_EQ(File("Margin Top 5\nMargin off").GetMarginOn(), 0u);
}

// A value its statement cannot take is refused as a whole form: the statement keeps
// what it had (here the file's defaults) and the entry notes the line and statement.
TEST_F(SslReader, RefusedValuesKeepTheStatementAndAreNoted) {
    const RCSslEntry defaults = File("");
    const struct {
        const char* lines;
        const char* note;
    } rows[] = {
        {"Zoom 0.5 0.5", "Error in line 3: Zoom value refused\n"},
        {"Zoom 0 0", "Error in line 3: Zoom value refused\n"},
        {"Zoom 100000 100000", "Error in line 3: Zoom value refused\n"},
        {"OutputSize Window 0.5 20.0", "Error in line 3: OutputSize value refused\n"},
        {"OutputSize Window 10.0 20.0 pixel", "Error in line 3: OutputSize value refused\n"},
        {"OutputSize Asia a0", "Error in line 3: OutputSize value refused\n"},
        {"PaperSize Asia c3", "Error in line 3: PaperSize value refused\n"},
        {"Copies 20000", "Error in line 3: Copies value refused\n"},
        {"Copies 4294967296", "Error in line 3: Copies value refused\n"},
        {"Rotate 45", "Error in line 3: Rotate value refused\n"},
        {"Margin Left -1.5", "Error in line 3: Margin value refused\n"},
        {"JobFlagsheet off\n\t+ Size Window 0.5 0.5",
         "Error in line 4: JobFlagsheet value refused\n"},
        {"HpglPens Number 300 Width 1", "Error in line 3: HpglPens value refused\n"},
        {"Copies 2\nVicPens Number 1 Width 0.5\n\t+ Number 1 - 300 Color 2",
         "Error in line 5: VicPens value refused\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.lines);
        RCSslEntry e = File(row.lines);
        EXPECT_NE(e.GetErrors().str().find(row.note), std::string::npos) << e.GetErrors().str();
        if (e.GetCopies() == 2) {  // the rows that set something before the refused item
            EXPECT_DOUBLE_EQ(e.GetVicPensWidth(1), 0.5);
            EXPECT_EQ(e.GetVicPensColor(1), defaults.GetVicPensColor(1));
            continue;
        }
        EXPECT_TRUE((e == defaults).bEqual);
    }
    // A length in pixels needs a resolution: at 0 dpi it is refused, never taken at 1.
    RCSslSet set;
    const std::string path =
        m_Dir.Write("pixels.ssl", "BeginJob\nUnits pixel\nMargin Top 300\nEndJob\n");
    ASSERT_EQ(set.ParseSsl(path, 0), 1);
    EXPECT_EQ(set.GetEntry(0).GetMarginOn(), 0u);
    EXPECT_NE(set.GetEntry(0).GetErrors().str().find("line 3: Margin"), std::string::npos);
}

// The flag sheet's sub-lines in the form the writer gives them set the sheet's
// fields; none of them is a syntax error.
TEST_F(SslReader, FlagsheetSubLinesAsWritten) {
    RSParse p;
    RCSslEntry e = File(
        "JobFlagsheet set\n\t+ text \"T\"\n\t+ prg 12\n\t+ foldTray 2\n\t+ tray 3\n"
        "\t+ size ANSI D",
        &p);
    EXPECT_TRUE(p.m_Diagnostics.empty());
    EXPECT_EQ(e.GetErrors().str().find("Flag"), std::string::npos) << e.GetErrors().str();
    EXPECT_EQ(e.GetJobFlagsheetPerJob(), 2u);
    EXPECT_EQ(e.GetJobFlagsheetFoldProgram(), 12);
    EXPECT_EQ(e.GetJobFlagsheetFoldTray(), 2);
    EXPECT_EQ(e.GetJobFlagsheetInputTray(), 3);
    EXPECT_EQ(e.GetJobFlagsheetSize().GetFormatName(), 1u);
    EXPECT_EQ(e.GetJobFlagsheetSize().GetFormat(), 3u);
    EXPECT_EQ(File("JobFlagsheet auto\n\t+ prg auto").GetJobFlagsheetFoldProgram(), -2);
    EXPECT_EQ(File("JobFlagsheet auto\n\t+ prg auto").GetJobFlagsheetPerJob(), 0u);

    const struct {
        const char* line;
        std::uint32_t type;
        double width;
    } sizes[] = {
        {"size A3", SslSize::kFormat, 297.0},
        {"size 120.500 80.000 ", SslSize::kProportional, 120.5},
        {"size unproportional 120.500 80.000 ", SslSize::kUnproportional, 120.5},
        {"size Window 100.0 80.0", SslSize::kUnproportional, 100.0},
        {"size manual", SslSize::kManual, 210.0},
        {"size fittoprintwindow DIN A2", SslSize::kFitToPrintWindow, 420.0},
        {"size ", SslSize::kAuto, 210.0},
    };
    for (const auto& row : sizes) {
        RSParse q;
        const SslSize size =
            File(std::string("JobFlagsheet job\n\t+ ") + row.line, &q).GetJobFlagsheetSize();
        EXPECT_TRUE(q.m_Diagnostics.empty()) << row.line;
        EXPECT_EQ(size.GetSizeType(), row.type) << row.line;
        EXPECT_EQ(size.GetWidth(), row.width) << row.line;
    }
}

TEST_F(SslReader, FileInfoNeverReadsValuesOfAnEarlierLine) {
    RSParse p = Parse(
        "BeginJob\nBeginOutput\nFileInfo 0x1 0x2 0x3 0x4 0x5 0x6\nEndOutput\n"
        "BeginOutput\nFileInfo 0x10 0x20 pcm_8bit\nEndOutput\nEndJob\n");
    ASSERT_EQ(p.m_nResult, 3);
    std::uint32_t dx = 0, dy = 0, dpi = 0, lpi = 0, copies = 0, pages = 0;
    const RCSslEntry& e = p.m_Set.GetEntry(2);
    e.GetFileInfo(dx, dy, dpi, lpi, copies, pages);
    EXPECT_EQ(dx, 16u);
    EXPECT_EQ(dy, 32u);
    EXPECT_EQ(dpi, 0u);
    EXPECT_EQ(copies, 0u);
    EXPECT_EQ(pages, 1u);
    EXPECT_EQ(e.GetFileInfoColor(), 8u);
}

// --- files, logs and streams ----------------------------------------------------------------

// A file that cannot be opened or read gives -1 and a log line; the parse logs its
// begin and end, and without a handler the diagnostics go to the standard error.
TEST_F(SslReader, FailuresLogsAndStreams) {
    RCSslSet set;
    EXPECT_EQ(set.ParseSsl((m_Dir.Path() / "missing.ssl").string(), 0), -1);
    EXPECT_TRUE(m_log.Contains(1, "RCSslSet::ParseSsl got an Exception from inFile.Open():"));
    EXPECT_EQ(set.GetLastParsedFilename(), (m_Dir.Path() / "missing.ssl").string());

    const RSParse p = ParseFile(m_Dir.Path().string());  // opens, but reads fail
    EXPECT_EQ(p.m_nResult, -1);
    EXPECT_EQ(p.Messages(RSSslDiagnostic::kReaderFailure), "input in flex scanner failed\n");
    EXPECT_TRUE(m_log.Contains(1, "RCSslSet::ParseSsl got an Exception from SslParseFunction():"));

    m_log.Clear();
    ::testing::internal::CaptureStderr();
    set.ParseSsl(m_Dir.Write("t.ssl", "BeginJob\nCopeis 2\nCopies x\n"), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "unknownstatement \"Copeis\" In Zeile 2\nparse error Token \"x\" In Zeile 3\n");
    EXPECT_TRUE(m_log.Contains(4, "SslParseFunction Begin"));
    EXPECT_TRUE(m_log.Contains(1, "InFile open after yyparse"));
    m_log.Clear();
    Parse("BeginJob\nEndJob\n");
    EXPECT_TRUE(m_log.Contains(4, "SslParseFunction End"));
}

// A UTF-16 ticket reads as its text; its copy keeps every line end as it was: a
// settings string spanning lines keeps its CR LF pairs and empty lines, and line
// numbers count every line, in either byte order.
TEST_F(SslReader, Utf16TicketsKeepTheirTextAndLineEnds) {
    const RSParse example = ParseFile(ExamplePath("unicode_utf16.ssl"));
    ASSERT_EQ(example.m_nResult, 2);
    EXPECT_EQ(example.m_Set.GetEntry(0).GetJobName(), "Übersicht Straße 7 — 東京");
    EXPECT_EQ(example.m_Set.GetEntry(1).GetName(), "Plan_ä.pdf");

    const std::u16string text =
        u"BeginJob\r\n\r\n\r\nCopeis 2\r\nHpglAsString \"IN;\r\n\r\nSP1;\nPA;\rX\"\r\n"
        u"Copies 3\r\nEndJob\r\n";
    for (const bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        RSParse p = Parse(Utf16File(text, bigEndian));
        EXPECT_EQ(p.Messages(RSSslDiagnostic::kUnknownStatement),
                  "unknownstatement \"Copeis\" In Zeile 4\n");
        ASSERT_EQ(p.m_nResult, 1);
        EXPECT_EQ(p.m_Set.GetEntry(0).GetHpglAsString(), "IN;\r\n\r\nSP1;\nPA;\rX");
        EXPECT_EQ(p.m_Set.GetEntry(0).GetCopies(), 3u);
    }
}

// An 8-bit ticket is UTF-8 when it is valid UTF-8 throughout, else Windows-1252:
// both give the same texts, also in diagnostics.
TEST_F(SslReader, EightBitTicketsAreUtf8OrWindowsAnsi) {
    const std::pair<const char*, const char*> tickets[] = {{"M\xC3\xA4rz", "K\xC3\xB6pies"},
                                                           {"M\xE4rz", "K\xF6pies"}};
    for (const auto& [name, word] : tickets) {
        RSParse p =
            Parse(std::string("BeginJob\nJobName \"") + name + "\"\n" + word + " 2\nEndJob\n");
        ASSERT_EQ(p.m_nResult, 1) << name;
        EXPECT_EQ(p.m_Set.GetEntry(0).GetJobName(), "März") << name;
        EXPECT_EQ(p.Messages(RSSslDiagnostic::kUnknownStatement),
                  "unknownstatement \"Köpies\" In Zeile 3\n")
            << name;
    }
    // One byte that is not UTF-8 makes the whole ticket Windows-1252.
    RSParse mixed = Parse("BeginJob\nJobName \"M\xC3\xA4rz\"\nCustomer \"\xE4\"\nEndJob\n");
    EXPECT_EQ(mixed.m_Set.GetEntry(0).GetJobName(), "MÃ¤rz");
    EXPECT_EQ(mixed.m_Set.GetEntry(0).GetCustomer(), "ä");
}

// --- size ----------------------------------------------------------------------------------

TEST_F(SslReader, RepeatedValuesAreHeldOnceAndChangeOnlyInTheirEntry) {
    // Files repeating the job's copies and each other's values; the last one's fold
    // equals the others' but marks its options as set, which must stay its own.
    std::string text = "BeginJob\nCopies 2\n";
    for (const char* name : {"a", "b", "c"}) {
        text += "BeginOutput\nDirectory \"/srv/in\"\nName \"" + std::string(name) +
                "\"\nFileEmulation hpgl\nCopies 2\nOutputSize a1\n"
                "HpglPens Number 1 Width 0.25 Color 1\nFold Prg 3" +
                (name[0] == 'c' ? " Option 0" : "") + "\nEndOutput\n";
    }
    const RSParse reference = Parse(text + "EndJob\n");
    EXPECT_FALSE(reference.m_Set.GetEntry(1).FoldOptionsWereSet());
    EXPECT_TRUE(reference.m_Set.GetEntry(3).FoldOptionsWereSet());
    const std::pair<const char*, void (*)(RCSslEntry&)> changes[] = {
        {"directory", [](RCSslEntry& e) { e.SetDirectory("/elsewhere"); }},
        {"emulation", [](RCSslEntry& e) { e.SetFileEmulation(0); }},
        {"copies of the job", [](RCSslEntry& e) { e.SetCopies(5); }},
        {"size", [](RCSslEntry& e) { e.SetOutputSize(SslSize()); }},
        {"pen", [](RCSslEntry& e) { e.SetHpglPensWidth(0.7, 1); }},
        {"fold", [](RCSslEntry& e) { e.SetFoldOption(1); }},
        {"default margin", [](RCSslEntry& e) { e.SetMargin(4, 5.0); }},
    };
    for (const auto& [what, change] : changes) {
        SCOPED_TRACE(what);
        RSParse p = Parse(text + "EndJob\n");
        change(p.m_Set.GetEntry(1));
        EXPECT_FALSE((p.m_Set.GetEntry(1) == reference.m_Set.GetEntry(1)).bEqual);
        for (const int other : {0, 2, 3})
            EXPECT_TRUE((p.m_Set.GetEntry(other) == reference.m_Set.GetEntry(other)).bEqual);
    }
}

// Each input puts about a megabyte where a scanner rule could read ahead and fail:
// read again from every character it would take hours, read once it takes moments.
TEST_F(SslReader, WorstCaseLinesAreReadInLinearTime) {
    const std::size_t n = 1u << 20;
    const std::string run(n, '#');
    struct Case {
        std::string text;
        int result;  // the job entry is stored when its statements end, also at the end
        unsigned parsedTilEnd;
    };
    const Case cases[] = {
        // A skipped last line without a line end is scanned token by token.
        {"BeginJob\n; " + run + " EndJob", 1, 1},
        {"BeginJob\n;" + run, 1, 0},
        {"BeginJob\n" + run, 1, 0},
        {"BeginJob\nCopies 2 ; " + run, 1, 0},
        {"BeginJob\nName \"" + run, 0, 0},
        {"BeginJob\nName \"" + run + "\"\nEndJob\n", 1, 1},
        {"BeginJob\nHpglAsString \"" + run, 0, 0},
        {"BeginJob\nEndJob\n" + run, 1, 1},
        {"BeginJob\nCopies " + std::string(n, '7'), 1, 0},
        {"BeginJob\nCopies -" + std::string(n, '7'), 0, 0},
        {"BeginJob\nCopies " + std::string(n, ' ') + "2\nEndJob\n", 1, 1},
    };
    for (const Case& c : cases) {
        const RSParse p = Parse(c.text);
        const std::string shape = c.text.substr(0, 24);
        EXPECT_EQ(p.m_nResult, c.result) << shape;
        EXPECT_EQ(p.m_Set.ParsedTilEnd(), c.parsedTilEnd) << shape;
    }
    const RSParse utf16 = Parse(Utf16File(u"BeginJob\r\n; " + std::u16string(n / 2, u'\u00e4')));
    EXPECT_EQ(utf16.m_nResult, 1);
    EXPECT_EQ(utf16.m_Set.ParsedTilEnd(), 0u);

    const RSParse skipped = Parse(cases[0].text);
    ASSERT_EQ(skipped.m_Diagnostics.size(), 1u);
    EXPECT_EQ(skipped.m_Diagnostics[0].m_sText.GetLength(), n);
    EXPECT_EQ(skipped.m_Diagnostics[0].m_nLine, 2);
}

}  // namespace
