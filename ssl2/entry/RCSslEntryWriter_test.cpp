// Tests of the SSL writer of one entry: whole texts per dialect against the
// expected files under testdata/, the plotter languages per file emulation, access,
// flattened notes and ToCfg.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>

#include "ssl2/entry/RCSslEntry.h"
#include "tests/support/EntryTestData.h"
#include "tests/support/TempDir.h"

namespace {

using TSyntaxVersion = SslStatement::TSyntaxVersion;

using ssl2::test::ReadFile;
using ssl2_test::AccessTo;
using ssl2_test::FilledEntry;

/// The statement names that begin the lines of `text` (continuation lines, which
/// begin with a tab, are skipped).
std::multiset<std::string> LineNames(const TString& text) {
    std::multiset<std::string> names;
    std::istringstream in(text.str());
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '\t' || line == "\r") {
            continue;
        }
        names.insert(line.substr(0, line.find_first_of(" \r")));
    }
    return names;
}

/// A file entry as the set writes it, after its job entry.
TString WriteAfter(const RCSslEntry& job, const RCSslEntry& file, TSyntaxVersion version) {
    return file.ToString(RCAccessSsl(), version, 0, job);
}

constexpr TSyntaxVersion kVersions[] = {SslStatement::kVersionUnknown, SslStatement::kVersion15,
                                        SslStatement::kVersion30, SslStatement::kVersion40,
                                        SslStatement::kVersion50};

TEST(RCSslEntryWriter, WholeEntriesMatchTheExpectedTexts) {
    // Free texts holding a double quote and a line break are escaped so that the
    // reader can read them back, in plain and in structured statements; the HPGL
    // settings string keeps its line breaks.
    RCSslEntry job = FilledEntry(0);
    const TString unsafe = "a \"b\"\r\nc";
    job.SetComment(unsafe);
    job.SetEMail(unsafe);
    job.SetHpglAsString(unsafe);
    job.SetJobFlagsheetText(unsafe);
    job.SetDocumentBoxUserName(unsafe);
    job.SetDocumentBoxJobName(unsafe);
    job.AddSupportFile(unsafe);
    SslAddress address;
    address.SetCompany(unsafe);
    job.AddAddress(address);
    const RCSslEntry file = FilledEntry(1);
    for (TSyntaxVersion version : kVersions) {
        for (const RCSslEntry* entry : {&std::as_const(job), &file}) {
            const std::string path = std::string(SSL2_SOURCE_DIR) + "/ssl2/entry/testdata/" +
                                     (entry == &job ? "job" : "file") + "_v" +
                                     std::to_string(version) + ".ssl";
            const TString text = entry == &job ? job.ToString(RCAccessSsl(), version, 0)
                                               : WriteAfter(job, file, version);
            EXPECT_EQ(text.str(), ReadFile(path)) << path;
        }
    }
}

TEST(RCSslEntryWriter, FileEmulationSelectsThePlotterLanguages) {
    // Every plotter-language line, by the language it belongs to.
    const std::map<std::string, std::string> languageOf = {{"CalComp", "CalComp"},
                                                           {"CalcompColorEmulation", "CalComp"},
                                                           {"CalcompPens", "CalComp"},
                                                           {"Hpgl", "HPGL"},
                                                           {"HpglPens", "HPGL"},
                                                           {"HpglColorEmulation", "HPGL"},
                                                           {"HpglAsString", "HPGL string"},
                                                           {"PdfAsString", "PDF string"},
                                                           {"PsAsString", "PS string"},
                                                           {"Vic", "VIC"},
                                                           {"VicPens", "VIC"},
                                                           {"VicColorEmulation", "VIC"}};
    // The languages as "name count", sorted by name.
    const struct {
        std::uint32_t emulation;
        TSyntaxVersion version;
        const char* languages;
    } cases[] = {
        {0, SslStatement::kVersion40, "CalComp 3, HPGL 3, VIC 3"},
        {0, SslStatement::kVersion50, "HPGL string 1, PDF string 1, PS string 1, VIC 3"},
        {6, SslStatement::kVersion40, "HPGL 3"},
        {6, SslStatement::kVersion50, "HPGL string 1"},
        {7, SslStatement::kVersion40, "CalComp 3"},
        {7, SslStatement::kVersion50, ""},
        {9, SslStatement::kVersion40, ""},
        {9, SslStatement::kVersion50, "PS string 1"},
        {11, SslStatement::kVersion50, "PDF string 1"},
        {22, SslStatement::kVersion30, "VIC 3"},
        {1, SslStatement::kVersion50, ""},
    };
    RCSslEntry job(0);
    job.SetHpglAsString("SP1");
    job.SetPdfAsString("pdf");
    job.SetPsAsString("ps");
    job.SetVicPensOn(1);
    job.SetCalcompPensOn(1);
    job.SetHpglPensOn(1);
    for (const auto& c : cases) {
        RCSslEntry file(job, 1);
        ASSERT_EQ(file.SetFileEmulation(c.emulation), 1u);
        std::map<std::string, int> written;
        for (const std::string& name : LineNames(WriteAfter(job, file, c.version))) {
            const auto language = languageOf.find(name);
            if (language != languageOf.end()) {
                ++written[language->second];
            }
        }
        std::string languages;
        for (const auto& [language, count] : written) {
            languages += (languages.empty() ? "" : ", ") + language + " " + std::to_string(count);
        }
        EXPECT_EQ(languages, c.languages)
            << "emulation " << c.emulation << " dialect " << c.version;
    }
}

TEST(RCSslEntryWriter, AccessFiltersEveryStatement) {
    const RCAccessSsl copiesOnly = AccessTo({kId_SslCopies});
    const RCSslEntry job = FilledEntry(0);
    const RCSslEntry file = FilledEntry(1);
    EXPECT_EQ(job.ToString(copiesOnly, SslStatement::kVersion50, 0), "Copies 3\r\n");
    EXPECT_EQ(file.ToString(copiesOnly, SslStatement::kVersion50, 0),
              "BeginOutput\r\nCopies 3\r\nEndOutput\r\n");
    const RCAccessSsl none = AccessTo({});
    EXPECT_EQ(job.ToString(none, SslStatement::kVersion50, 0), "");
    EXPECT_EQ(file.ToString(none, SslStatement::kVersion50, 0), "BeginOutput\r\nEndOutput\r\n");
}

TEST(RCSslEntryWriter, NotesAreFlattenedInTheJobEntryOnly) {
    const RCAccessSsl notesOnly = AccessTo({kId_SslNotes});
    RCSslEntry job(0);
    job.SetNotes("first<|>second");
    RCSslEntry file(job, 0);
    file.SetIsEntry(1);
    EXPECT_EQ(job.ToString(notesOnly, SslStatement::kVersion50, 1), "Notes \"first second\"\r\n");
    EXPECT_EQ(file.ToString(notesOnly, SslStatement::kVersion50, 1),
              "BeginOutput\r\nNotes \"first<|>second\"\r\nEndOutput\r\n");
}

TEST(RCSslEntryWriter, CfgOfAPlottedFileEntryOnly) {
    EXPECT_EQ(RCSslEntry(0).ToCfg(), "");
    RCSslEntry file(1);
    EXPECT_NE(file.ToCfg(), "");
    file.SetPlotIt(0);
    EXPECT_EQ(file.ToCfg(), "");
}

}  // namespace
