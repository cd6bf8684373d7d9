#include "ssl2/SSLStatements/SslEarliestPlotTime.h"

#include <climits>
#include <cstdint>

namespace {

constexpr int kFieldCount = 5;

// Reads up to kFieldCount decimal numbers separated by colons; returns how many
// were read before the first field that is not a number.
int ReadColonFields(TString text, std::int32_t (&fields)[kFieldCount]) {
    int count = 0;
    while (count < kFieldCount && !text.IsEmpty()) {
        const TString field = text.Token(":");
        if (!field.Value(fields[count], 10))
            break;
        ++count;
        if (!text.IsEmpty())
            text = text.Mid(1);  // the colon
    }
    return count;
}

}  // namespace

SslEarliestPlotTime::SslEarliestPlotTime()
    : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID]) {
    m_tmTime.tm_year = 80;
    m_tmTime.tm_isdst = -1;
    mktime(&m_tmTime);
}

unsigned int SslEarliestPlotTime::Set(int sec, int min, int hour, int mday, int mon, int year,
                                      int wday, int yday, int isdst) {
    struct tm time {};
    time.tm_sec = sec;
    time.tm_min = min;
    time.tm_hour = hour;
    time.tm_mday = mday;
    time.tm_mon = mon;
    time.tm_year = year;
    time.tm_wday = wday;
    time.tm_yday = yday;
    time.tm_isdst = isdst;
    if (mktime(&time) < 1)
        return 0;
    // Keep the year printable as a plain int (year + 1900).
    if (time.tm_year > INT_MAX - 1900)
        return 0;
    m_tmTime = time;
    return 1;
}

unsigned int SslEarliestPlotTime::Set(const TString& text) {
    std::int32_t fields[kFieldCount] = {};
    if (ReadColonFields(text, fields) < kFieldCount)
        return 0;
    const std::int64_t year = std::int64_t{fields[0]} - 1900;
    const std::int64_t month = std::int64_t{fields[1]} - 1;
    if (year < INT_MIN || month < INT_MIN)
        return 0;
    // The text carries no daylight-saving flag: let mktime decide it, so that a
    // summer time is not shifted by an hour.
    return Set(0, fields[4], fields[3], fields[2], static_cast<int>(month), static_cast<int>(year),
               0, 0, -1);
}

TString SslEarliestPlotTime::ColonText() const {
    return TString::Format("%d:%d:%d:%d:%d", m_tmTime.tm_year + 1900, m_tmTime.tm_mon + 1,
                           m_tmTime.tm_mday, m_tmTime.tm_hour, m_tmTime.tm_min);
}

TString SslEarliestPlotTime::ToString() const {
    return TString::Format("%s \"%s\"", m_sName.c_str(), ColonText().c_str());
}

unsigned int SslEarliestPlotTime::SetString(const std::string& text, std::uint32_t member,
                                            std::uint32_t) {
    return member == 0 ? Set(TString::FromEightBit(text)) : 0;
}

std::string SslEarliestPlotTime::GetString(std::uint32_t member, std::uint32_t) const {
    return member == 0 ? ColonText().str() : std::string();
}

bool SslEarliestPlotTime::operator==(const SslEarliestPlotTime& other) const {
    const struct tm& a = m_tmTime;
    const struct tm& b = other.m_tmTime;
    return a.tm_sec == b.tm_sec && a.tm_min == b.tm_min && a.tm_hour == b.tm_hour &&
           a.tm_mday == b.tm_mday && a.tm_mon == b.tm_mon && a.tm_year == b.tm_year &&
           a.tm_wday == b.tm_wday && a.tm_yday == b.tm_yday && a.tm_isdst == b.tm_isdst;
}
