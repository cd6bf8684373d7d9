// Decimal text of the lengths and widths that statements write into SSL tickets.
//
// Called by the statements' ToString.  Pure functions, independent of the locale;
// safe from any thread.
#pragma once

#include "ssl2/base/TString.h"

/// `value` with three decimals ("27.940"), the form tickets have always carried,
/// whenever that reads back within 1e-9 of `value`; otherwise with the fewest
/// decimals (at most nine) that do.  Binary noise of a conversion (27.940000000000005)
/// is never written; a length read with up to nine decimals is written back as it
/// was read, and a text written here reads back as a value written as the same text.
TString SslDecimalText(double value);
