#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "ssl2/SSLStatements/SslDocumentBox.h"
#include "ssl2/SSLStatements/SslEMail.h"
#include "ssl2/SSLStatements/SslEarliestPlotTime.h"
#include "ssl2/SSLStatements/SslJobPlotter.h"
#include "ssl2/SSLStatements/SslSecurityPrint.h"
#include "ssl2/SSLStatements/SslUserHash.h"
#include "ssl2/support/CMD5Checksum.h"

namespace {

// Sets the time zone for one test; the tests run in UTC (as ctest runs them) afterwards.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone) { Set(zone); }
    ~ScopedTimeZone() { Set("UTC"); }

private:
    static void Set(const char* zone) {
        setenv("TZ", zone, 1);
        tzset();
    }
};

TEST(SslEarliestPlotTime, TextIsNormalisedOrRefused) {
    ScopedTimeZone zone("UTC");
    struct Row {
        const char* text;
        unsigned int result;
        const char* line;  // the SSL line afterwards; refused texts keep the default
    };
    const Row rows[] = {
        {"2006:5:12:14:30", 1, "EarliestPlotTime \"2006:5:12:14:30\""},
        {"2006:13:1:0:0", 1, "EarliestPlotTime \"2007:1:1:0:0\""},
        {"2006:2:30:25:61", 1, "EarliestPlotTime \"2006:3:3:2:1\""},
        {"2006:5", 0, "EarliestPlotTime \"1979:12:31:0:0\""},
        {"2006:5:x:1:1", 0, "EarliestPlotTime \"1979:12:31:0:0\""},
        {"", 0, "EarliestPlotTime \"1979:12:31:0:0\""},
        {"1960:1:1:0:0", 0, "EarliestPlotTime \"1979:12:31:0:0\""},  // before the epoch
        {"99999999999:1:1:0:0", 0, "EarliestPlotTime \"1979:12:31:0:0\""},
        {"2147483647:1:1:0:0", 1, "EarliestPlotTime \"2147483647:1:1:0:0\""},
        {"2147483647:13:1:0:0", 0, "EarliestPlotTime \"1979:12:31:0:0\""},  // year overflows
    };
    for (const auto& row : rows) {
        SslEarliestPlotTime time;
        EXPECT_EQ(time.Set(TString(row.text)), row.result) << row.text;
        EXPECT_EQ(time.ToString(), row.line) << row.text;
    }
}

TEST(SslEarliestPlotTime, SummerTimeKeepsItsHour) {
    // The text has no daylight-saving flag; a summer time must not move by an hour.
    ScopedTimeZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
    SslEarliestPlotTime time;
    ASSERT_EQ(time.Set(TString("2006:7:12:14:30")), 1u);
    EXPECT_EQ(time.ToString(), "EarliestPlotTime \"2006:7:12:14:30\"");
    EXPECT_GT(time.Get().tm_isdst, 0);
}

}  // namespace

namespace {

TEST(SslEMail, SwitchedOffKeepsTheAddressButDiffers) {
    SslEMail mail;
    mail.Set("plot@example.org");
    const SslEMail active = mail;
    mail.SetString("0", 0, 0);
    EXPECT_EQ(mail.GetActive(), 0u);
    EXPECT_FALSE(mail == active);
}

TEST(SslJobPlotter, AutoAndLists) {
    SslJobPlotter plotter;
    EXPECT_EQ(plotter.ToString(), "JobPlotter auto");
    EXPECT_EQ(plotter.Set("3:7:9"), 1u);
    EXPECT_EQ(plotter.GetCount(), 3u);
    EXPECT_EQ(plotter.GetAll(), (SslJobPlotter::TPlotterList{"3", "7", "9"}));
    EXPECT_EQ(plotter.Set("AUTO"), 1u);
    EXPECT_EQ(plotter.GetCount(), 0u);
    EXPECT_TRUE(plotter.GetAll().empty());

    EXPECT_EQ(plotter.SetAll({"12", "4"}), 1u);
    EXPECT_EQ(plotter.Get(), "12:4");
    EXPECT_EQ(plotter.GetAuto(), 0u);
    plotter.SetAll({});
    EXPECT_EQ(plotter.GetAuto(), 1u);
    EXPECT_EQ(SslJobPlotter::PlotterListFromString("1::2"),
              (SslJobPlotter::TPlotterList{"1", "", "2"}));
}

TEST(SslSecurityPrint, PasswordsOfFourCharactersAreKeptAsDigests) {
    SslSecurityPrint print;
    EXPECT_TRUE(print.CheckPassword("anything"));  // off: nothing to check
    EXPECT_EQ(print.SetPassword("abc"), 0u);
    // The length counts characters: three umlauts are six bytes but three characters.
    EXPECT_EQ(print.SetPassword("äöü"), 0u);
    EXPECT_EQ(print.GetOn(), 0u);
    EXPECT_EQ(print.SetPassword("äöüß"), 1u);
    EXPECT_EQ(print.Get(), CMD5Checksum::GetMD5(TString("äöüß")));
    EXPECT_TRUE(print.CheckPassword("äöüß"));
    EXPECT_FALSE(print.CheckPassword("äöüs"));
    EXPECT_EQ(print.SetPassword(""), 1u);
    EXPECT_EQ(print.ToString(), "SecurityPrint off");
    EXPECT_EQ(print.HasPswd(), 0u);
    // On without a password: nothing opens it, and it reads back as "on".
    EXPECT_EQ(print.SetOn(1), 1u);
    EXPECT_FALSE(print.CheckPassword("abcd"));
    EXPECT_EQ(print.ToString(), "SecurityPrint on");
}

TEST(SslSecurityPrint, SetTakesDigestsOfEitherCaseOnly) {
    const TString digest = CMD5Checksum::GetMD5(TString("pass"));
    struct Row {
        TString text;
        unsigned int result;
    };
    const Row rows[] = {{digest, 1},       {TString(digest).UpCase(), 1}, {digest.Left(31), 0},
                        {digest + "0", 0}, {digest.Left(31) + "g", 0},    {"", 0}};
    for (const auto& row : rows) {
        SslSecurityPrint print;
        EXPECT_EQ(print.SetString(row.text.str(), 0, 0), row.result) << row.text;
        EXPECT_EQ(print.GetOn(), row.result) << row.text;
        if (row.result) {
            EXPECT_TRUE(print.CheckPassword("pass")) << row.text;
        }
    }
}

// A password that Windows-1252 cannot hold is refused, not stored mangled.
TEST(SslDocumentBox, PasswordOutsideWindows1252IsRefused) {
    SslDocumentBox box;
    box.SetUserName("alice");
    ASSERT_EQ(box.SetPassword("open sesame!"), 1u);
    const TString stored = box.Get();
    EXPECT_EQ(box.SetPassword("東京"), 0u);
    EXPECT_EQ(box.Get(), stored);
}

TEST(SslDocumentBox, SetChecksTheStoredForm) {
    struct Row {
        TString text;
        unsigned int result;
        unsigned int on;
        const char* password;
    };
    const Row rows[] = {
        {TString(std::string(48, 'a')), 1, 1, nullptr},
        {"", 1, 1, ""},
        {TString(std::string(25, 'a')), 0, 0, ""},
        {TString(std::string(23, 'a') + "q"), 0, 0, ""},
        {"x7365637265", 1, 1, "secre"},  // "x" + the password's bytes in hex
        {"x", 1, 1, ""},
        {"x736", 0, 0, ""},         // even length: off
        {"x7g65637265", 0, 0, ""},  // not hexadecimal: refused
        {"X7365637265", 0, 0, ""},
    };
    for (const auto& row : rows) {
        SslDocumentBox box;
        box.SetUserName("alice");
        EXPECT_EQ(box.Set(row.text), row.result) << row.text;
        EXPECT_EQ(box.GetOn(), row.on) << row.text;
        if (row.password) {
            EXPECT_EQ(box.GetPassword(), row.password) << row.text;
        }
    }
    SslDocumentBox box;
    box.SetPassword("a");
    EXPECT_EQ(box.Set("x1"), 0u);  // switches off
    EXPECT_EQ(box.GetOn(), 0u);
}

// The enciphering itself is the enciphered text's test; here: what is taken.
TEST(SslUserHash, TakesStoredFormsAndWindows1252ClearTexts) {
    SslUserHash hash;
    EXPECT_EQ(hash.GetClear("alice"), "");
    EXPECT_EQ(hash.SetClear("thirteen char", "alice"), 1u);
    EXPECT_EQ(hash.GetClear("alice"), "thirteen char");
    const TString stored = hash.Get();
    EXPECT_EQ(hash.Set(stored.Left(47)), 0u);
    EXPECT_EQ(hash.SetString(stored.Left(12).str(), 0, 0), 0u);
    EXPECT_EQ(hash.SetClear("☕", "alice"), 0u);
    EXPECT_EQ(hash.Get(), stored);
    EXPECT_EQ(hash.SetClear("", "alice"), 1u);
    EXPECT_EQ(hash.Get(), "");
    EXPECT_EQ(hash.Set(stored), 1u);
    EXPECT_EQ(hash.GetClear("alice"), "thirteen char");
}

}  // namespace
