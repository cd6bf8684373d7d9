#include "ssl2/capas/RCRcfStringInterface.h"

#include <gtest/gtest.h>

#include "tests/support/CapasSupport.h"

namespace {

using capas_test::Diagnostics;

const char* const kExample =
    "BEGMF \"title\";\r\nMFVERSION 1;\r\nMFDESC \"AUTHOR=x,DATE=y\";\r\nENDMF;\r\n";

using Read = capas_test::RSRead<RCRcfStringInterface>;

TEST(RCRcfStringInterface, LexicalRules) {
    capas_test::CheckValueRows<RCRcfStringInterface>({
        {"begmf;\nmfdesc \"author=Ann Lee\";\nEndMF;", "MFDESC", "AUTHOR", "Ann Lee"},
        {"BEGMF;\nPLOT  AREA \"K = v\";\nENDMF;", "PLOT  AREA", "K ", "v"},
        {"BEGMF;\nA#0041 \"K#0023=v#00C4\";\nENDMF;", "AA", "K#", "v\xC3\x84"},
        {"BEGMF;\n\tTAB \"\tK=\tv\";\nENDMF;", "\tTAB", "\tK", "\tv"},
        {"BEGMF;\nTAB\t \"K=v\";\nENDMF;", "TAB", "K", "v"},
        {"BEGMF;\nSEC \"BEGMFX=1\";\nENDMF;", "SEC", "BEGMFX", "1"},
        {"BEGMF;\nSEC \"A=\";\nENDMF;", "SEC", "A", ""},
        {"BEGMF;\nSEC \"K\";\nENDMF;\nthe rest; \"is\" = skipped\n", "SEC", "K", ""},
        // Text before BEGMF, over several lines, is not part of the header.
        {"%!junk;\n@PJL x\nBEGMF;\nSEC \"K=1\";\nENDMF;", "SEC", "K", "1"},
    });
}

TEST(RCRcfStringInterface, SyntaxErrorsKeepWhatWasRead) {
    capas_test::CheckErrorRows<RCRcfStringInterface>(
        "bInRcfParser true after yyparse",
        {{"BEGMF\nSEC \"K=1\";\nENDMF;", "parse error Token \"SEC\" In Zeile 2\n", 0}});
}

TEST(RCRcfStringInterface, LineNumbersStartAtOneInEveryParse) {
    Diagnostics diagnostics;
    RCRcfStringInterface rcf;
    rcf.SetDiagnosticHandler(diagnostics.Handler());
    rcf.ReadString("BEGMF;\n\nSEC \"K=1\"\nXY;");
    rcf.ReadString("BEGMF;\n\nSEC \"K=1\"\nXY;");
    EXPECT_EQ(diagnostics.Errors(),
              "parse error Token \"XY\" In Zeile 4\nparse error Token \"XY\" In Zeile 4\n");
}

TEST(RCRcfStringInterface, ToStringWritesTheKnownSectionsFirst) {
    Read read(std::string(kExample) + "");
    read.reader.SetValue("AAA", "K", "v");
    EXPECT_EQ(read.reader.ToString(),
              "BEGMF \"TITLE\"\rMFVERSION 1 \"\"\rMFDESC \"AUTHOR=x, DATE=y\"\rAAA \"K=v\"\r");
    RCRcfStringInterface empty;
    EXPECT_EQ(empty.ToString(), "");
}

TEST(RCRcfStringInterface, EnumerationAndDeletion) {
    Read read(kExample);
    RCRcfStringInterface& rcf = read.reader;
    EXPECT_EQ(rcf.SectionCount(), 3);
    EXPECT_EQ(rcf.SectionNames(),
              (TRCMultiObjectContainer<TString>{"BEGMF", "MFDESC", "MFVERSION 1"}));
    EXPECT_EQ(rcf.KeyCount("MFDESC"), 2);
    EXPECT_EQ(rcf.KeyNames("MFDESC"), (TRCMultiObjectContainer<TString>{"AUTHOR", "DATE"}));
    EXPECT_TRUE(rcf.KeyNames("NONE").empty());
    EXPECT_EQ(rcf.KeyCount("NONE"), -1);
    EXPECT_TRUE(rcf.DeleteKey("MFDESC", "AUTHOR", true));
    EXPECT_EQ(read.Value("MFDESC", "DATE"), "y");
    EXPECT_FALSE(rcf.DeleteKey("MFDESC", "AUTHOR", true));
    EXPECT_TRUE(rcf.DeleteKey("MFDESC", "DATE", true));
    EXPECT_EQ(rcf.KeyCount("MFDESC"), -1);
    EXPECT_FALSE(rcf.DeleteKey("MFDESC", "DATE", true));
    EXPECT_TRUE(rcf.DeleteKey("BEGMF", "TITLE", false));
    EXPECT_EQ(rcf.KeyCount("BEGMF"), 0);
    EXPECT_TRUE(rcf.DeleteSection("BEGMF"));
    EXPECT_FALSE(rcf.DeleteSection("BEGMF"));
    EXPECT_EQ(rcf.SectionCount(), 1);
    RCRcfStringInterface none;
    EXPECT_EQ(none.SectionCount(), 0);
    EXPECT_TRUE(none.SectionNames().empty());
    EXPECT_EQ(none.KeyCount("X"), -1);
    EXPECT_FALSE(none.DeleteKey("X", "Y", true));
    EXPECT_FALSE(none.DeleteSection("X"));
}

TEST(RCRcfStringInterface, CopiesOwnTheirContents) {
    Read read(kExample);
    RCRcfStringInterface copy(read.reader);
    copy.SetValue("MFDESC", "AUTHOR", "changed");
    EXPECT_EQ(read.Value("MFDESC", "AUTHOR"), "x");
    RCRcfStringInterface assigned;
    assigned = copy;
    TString value;
    EXPECT_TRUE(assigned.GetValue("MFDESC", "AUTHOR", value));
    EXPECT_EQ(value, "changed");
    assigned = RCRcfStringInterface();
    EXPECT_EQ(assigned.GetContents(), nullptr);
}

// Each input puts about a megabyte where a scanner rule could read ahead and fail:
// read again from every character it would take hours, read once it takes moments.
TEST(RCRcfStringInterface, WorstCaseLinesAreReadInLinearTime) {
    const std::size_t n = 1u << 20;
    const std::string run(n, '#');
    const std::string blanks(n, ' ');
    struct Case {
        std::string text;
        std::uint32_t sections;
    };
    const Case cases[] = {
        {run, 0},
        {std::string(n / 4, 'B') + "BEGM", 0},
        {"BEGMF;\n" + run, 1},
        {"BEGMF;\nA" + blanks, 1},
        {"BEGMF;\nA" + blanks + "\"K=1\";\nENDMF;", 1},
        {"BEGMF;\nSEC \"" + run, 1},
        {"BEGMF;\nSEC \"K=" + run, 1},
        {"BEGMF;\nSEC \"K=" + blanks + "\";\nENDMF;", 2},
        {"BEGMF;\nENDMF;" + run, 1},
    };
    for (const Case& c : cases) {
        Read read(c.text);
        EXPECT_EQ(read.sections, c.sections) << c.text.substr(0, 12);
    }
}

class RCRcfStringInterfaceFile : public capas_test::TempDirTest {};

TEST_F(RCRcfStringInterfaceFile, IsRcfFileLooksAtTheFirst99Bytes) {
    EXPECT_TRUE(RCRcfStringInterface::IsRcfFile(Write("a.rcf", kExample)));
    EXPECT_TRUE(RCRcfStringInterface::IsRcfFile(Write("b.rcf", std::string(94, ' ') + "BEGMF")));
    EXPECT_FALSE(RCRcfStringInterface::IsRcfFile(Write("c.rcf", std::string(95, ' ') + "BEGMF")));
    EXPECT_FALSE(RCRcfStringInterface::IsRcfFile(Write("d.rcf", "begmf;\nENDMF;")));
    EXPECT_FALSE(RCRcfStringInterface::IsRcfFile((m_dir / "missing.rcf").string()));
}

TEST_F(RCRcfStringInterfaceFile, ReadFileStopsAtThePrinterData) {
    RCRcfStringInterface rcf;
    const std::string printData(3 << 20, '\x1b');
    EXPECT_EQ(rcf.ReadFile(Write("job.rcf", std::string(kExample) + printData)), 3u);
    // A header longer than the old 9,999-byte cut is read whole.
    const std::string longValue(20000, 'v');
    EXPECT_EQ(rcf.ReadFile(Write("long.rcf", "BEGMF;\nSEC \"K=" + longValue + "\";\nENDMF;\n" +
                                                 std::string(1 << 20, 'x'))),
              2u);
    TString value;
    EXPECT_TRUE(rcf.GetValue("SEC", "K", value));
    EXPECT_EQ(value.GetLength(), longValue.size());
    // A Windows-1252 header gives UTF-8 texts.
    EXPECT_EQ(rcf.ReadFile(Write("ansi.rcf",
                                 "BEGMF;\nSEC \"K=Gr\xF6\xDF"
                                 "e\";\nENDMF;\n\x1b\xFF")),
              2u);
    EXPECT_TRUE(rcf.GetValue("SEC", "K", value));
    EXPECT_EQ(value, "Größe");
    EXPECT_EQ(rcf.ReadFile((m_dir / "missing.rcf").string()), 0u);
    EXPECT_EQ(rcf.ReadFile(Write("empty.rcf", "")), 0u);
    // An endless file is read to a bound.
    rcf.SetDiagnosticHandler([](const RSReaderDiagnostic&) {});
    EXPECT_EQ(rcf.ReadFile("/dev/zero"), 0u);
}

}  // namespace
