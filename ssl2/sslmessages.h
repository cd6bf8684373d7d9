// Message tables of the module "SSL2".
//
//   RMCSslErrors            "SslErrors"            errors the library raises
//   RMCSslStatementStrings  "SslStatementStrings"  display texts of keyword choices
//   RMCSslStatementNames    "SslStatementNames"    display names of statements, by identifier
//
// Each table carries built-in English texts; VEMTO::LoadMessages replaces them.
// Constructing a table object is cheap and registers it once, so callers may write
// ThrowNewError(RMCSslErrors(), RMCSslErrors::kIndexOutOfRange, ...) anywhere.
#pragma once

#include <cstdint>

#include "ssl2/base/TMessage.h"

/// "SslErrors": the errors the library raises.
class RMCSslErrors : public TMessageBase {
public:
    RMCSslErrors();
    /// The message numbers.
    enum : std::uint32_t {
        kIndexOutOfRange = 0,       ///< %1 member name, %2 index, %3 count
        kJobPlotterNotNumeric = 1,  ///< %1 job-plotter text
        kUnknownStatement = 2,      ///< %1 identifier
        kWrongStatementClass = 3,   ///< %1 class given, %2 class required
        kNoEntryWithOrdinal = 4,    ///< %1 ordinal
        kAccessDataTooShort = 6,    ///< no arguments
    };
};

/// "SslStatementStrings": display texts of keyword choices.
class RMCSslStatementStrings : public TMessageBase {
public:
    RMCSslStatementStrings();
};

/// "SslStatementNames": display names of statements, by identifier.
class RMCSslStatementNames : public TMessageBase {
public:
    RMCSslStatementNames();
};

/// The static instances built when the library loads.
extern const RMCSslErrors g_SslErrors;
extern const RMCSslStatementStrings g_SslStatementStrings;
extern const RMCSslStatementNames g_SslStatementNames;
