// SslEarliestPlotTime: the earliest local time at which a job may be plotted.
//
// The time is kept as a C `struct tm` normalised by mktime (local time), so the
// text 2006:13:1:0:0 becomes 1 January 2007.  Its SSL line is
// `EarliestPlotTime "2006:5:12:14:30"` (year, month 1..12, day, hour, minute).
// Used by the job entry, the writer and the grammar.  A plain value without locks;
// mktime reads the process's time zone.
#pragma once

#include <ctime>

#include "ssl2/SSLStatements/SslStatementImpl.h"

/// The earliest local time at which a job may be plotted.
class SslEarliestPlotTime final
    : public TSslStatementImpl<SslEarliestPlotTime, kId_SslEarliestPlotTime, SslStatement> {
public:
    /// 1980, month 0, day 0, 00:00:00 normalised: 31 December 1979, 00:00.
    SslEarliestPlotTime();

    /// `EarliestPlotTime "year:month:day:hour:minute"`.
    TString ToString() const override;
    /// The whole time as its colon text (member 0): year:month:day:hour:minute.
    unsigned int SetString(const std::string& text, std::uint32_t member,
                           std::uint32_t element) override;
    /// The time as year:month:day:hour:minute.
    std::string GetString(std::uint32_t member, std::uint32_t element) const override;

    /// Normalises the fields (in `struct tm` order) with mktime and stores them;
    /// returns 0 and changes nothing when mktime gives a value below 1.
    unsigned int Set(int sec, int min, int hour, int mday, int mon, int year, int wday, int yday,
                     int isdst);
    /// Reads "year:month:day:hour:minute" (month 1..12); 0 for fewer than five
    /// numbers or a time that mktime refuses.
    unsigned int Set(const TString& text);
    /// The stored time, normalised.
    const struct tm& Get() const { return m_tmTime; }

    /// Field-by-field equality of the stored times.
    bool operator==(const SslEarliestPlotTime& other) const;

private:
    /// The time as year:month:day:hour:minute.
    TString ColonText() const;

    struct tm m_tmTime {};
};
