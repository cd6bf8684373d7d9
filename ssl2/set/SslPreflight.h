// Preflight of a job against plotter capabilities: which values of a ticket the
// plotters described by a refined capability object cannot honour, and how a job
// is brought within them.  Filled by RCSslSet::Preflight and
// RCSslSet::FitToCapabilities (RCSslSetPreflight.cpp).
//
// What is checked, per entry:
//   MediaType    "dontcare" or a medium that some input tray holds
//   OutputBin    (the input tray) "auto", or a tray of the plotter's tray list
//   OutputTray   "auto", or the number of an output tray
//   Fold         off, or an offered fold program; a given tray must be a folder tray
//   ColorDepth   the file's colour depth (ColorDepth, else that of FileInfo) is not
//                deeper than the deepest the plotters have
//   OutputSize   the computed print size fits, turned either way, into some input tray
//                of the plotter; of merged plotters (several), into the largest tray
//   Nesting      (job) the quantities the plotters offer; needs a roll when trays are known
//   Version      (job) the ticket's dialect is not newer than the plotter's
// A value the capabilities say nothing about (no media, no colour depths, no
// version, an unknown size) is not judged.  File entries inherit the job entry's
// values: a file whose unfit value equals the job entry's is reported once, with
// the job entry.
//
// How FitToCapabilities replaces an unfit value:
//   MediaType    "dontcare": the plotter takes what it has loaded
//   OutputBin    the first roll or cut-sheet tray that holds the print size, else "auto"
//   OutputTray   "auto"
//   Fold         an unoffered program switches the fold off; an unoffered folder tray
//                is dropped (the folder's own choice)
//   ColorDepth   the deepest offered depth below the file's (a colour file prints grey)
//   OutputSize   the largest format of the same series (DIN A, B or C; ANSI; ARC; Asia;
//                DIN A when the size is not a standard format) that those trays hold
//   Nesting      off
//   Version      the plotter's dialect (the caller writes the ticket in it)
#pragma once

#include <cstdint>

#include "ssl2/SSLStatements/SslStatement.h"
#include "ssl2/base/TString.h"

/// One value a plotter cannot honour.
struct RSSslFinding {
    int m_nEntry = 0;                ///< 0 the job entry, then the file entries
    TSslStatementID m_nStatement{};  ///< the statement holding the value
    TString m_sValue;                ///< the value as written after the statement's name
    TString m_sOffered;              ///< what the plotters offer instead, readable
    TString m_sMessage;              ///< why the value does not fit
};

/// One replacement made by FitToCapabilities.
struct RSSslSubstitution {
    int m_nEntry = 0;                ///< the entry changed (0: the job)
    TSslStatementID m_nStatement{};  ///< the statement changed
    TString m_sFrom;                 ///< the value before, as written after the statement's name
    TString m_sTo;                   ///< the value after
};
