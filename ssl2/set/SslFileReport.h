// What became of each file of a delivery, a normalisation, a queue hand-off or a
// configuration export: one report per file, given to the handler installed on the
// job set while the operation runs, so that a caller counts and shows progress
// from what the library did instead of guessing from directory listings.
//
//   RCSslSet set;
//   set.SetFileReporter([](const RSFileReport& r) {
//       if (r.m_nOutcome == RSFileReport::kFailed)
//           std::cerr << r.m_sSource << ": " << r.m_sReason << '\n';
//   });
//   set.PlotSsl("/spool/in", RCAccessSsl(), "", SslStatement::kVersion50);
//
// The handler runs on the calling thread, inside the operation; it must not start
// another operation on the same set.
#pragma once

#include <functional>

#include "ssl2/base/TString.h"

struct RSFileReport {
    enum TOutcome {
        kCopied,   ///< copied from m_sSource to m_sTarget (written, for a ".cfg" file)
        kSkipped,  ///< not copied; m_sReason says why (the same file is there already)
        kFailed,   ///< could not be copied or written; m_sReason says why
        kDeleted,  ///< m_sTarget removed by a purge
        kPlanned,  ///< a dry run: m_sReason says what would be done to m_sTarget
    };

    TOutcome m_nOutcome = kCopied;
    TString m_sSource;  ///< the file as the ticket names it ("" for a purge)
    TString m_sTarget;  ///< the file written, kept or removed
    TString m_sReason;
};

/// Receives the report of each file of one operation.
using TFileReporter = std::function<void(const RSFileReport&)>;
