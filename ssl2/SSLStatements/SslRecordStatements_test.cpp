#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "ssl2/SSLStatements/SslEarliestPlotTime.h"

namespace {

// Sets the time zone for one test and restores the previous one.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone) {
        if (const char* old = std::getenv("TZ"))
            m_previous = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedTimeZone() {
        if (m_previous) {
            setenv("TZ", m_previous->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }

private:
    std::optional<std::string> m_previous;
};

TEST(SslEarliestPlotTime, DefaultIsLastDayOf1979) {
    ScopedTimeZone zone("UTC");
    const SslEarliestPlotTime time;
    EXPECT_EQ(time.ToString(), "EarliestPlotTime \"1979:12:31:0:0\"");
    EXPECT_EQ(time.Get().tm_yday, 364);
}

TEST(SslEarliestPlotTime, TextIsNormalisedOrRefused) {
    ScopedTimeZone zone("UTC");
    struct Row {
        const char* text;
        unsigned int result;
        const char* line;  // the SSL line afterwards
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

TEST(SslEarliestPlotTime, FieldSetterAndEquality) {
    ScopedTimeZone zone("UTC");
    SslEarliestPlotTime a;
    SslEarliestPlotTime b;
    EXPECT_EQ(a.Set(0, 30, 14, 12, 4, 106, 0, 0, 0), 1u);
    EXPECT_FALSE(a == b);
    EXPECT_EQ(b.SetString("2006:5:12:14:30", 0, 0), 1u);
    EXPECT_TRUE(a == b);
    EXPECT_EQ(b.GetString(0, 0), "2006:5:12:14:30");
    EXPECT_EQ(b.Set(0, 0, 0, 1, 0, 60, 0, 0, 0), 0u);  // 1960 lies before the epoch
    EXPECT_TRUE(a == b);
    std::unique_ptr<SslStatement> clone(a.Clone());
    EXPECT_TRUE(static_cast<const SslEarliestPlotTime&>(*clone) == a);
}

}  // namespace
