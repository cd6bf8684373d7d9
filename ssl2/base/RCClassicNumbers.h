// RCClassicNumbers: the "C" conventions for numbers in text, whatever locale the
// calling program has set.
//
// Every file format the library reads and writes (tickets, configuration lines, INI
// and RCF values) has a decimal point and no digit grouping.  A client program with
// a German user interface calls setlocale(LC_ALL, ""), after which printf and strtod
// would write and read a decimal comma.  While an RCClassicNumbers lives, the C
// library's number formatting and parsing in the constructing thread follow "C";
// the destructor restores what the thread had.  The switch is per thread
// (uselocale), so other threads and the process locale are never touched.
//
//   {
//       RCClassicNumbers classic;
//       std::snprintf(buffer, size, "%.3f", value);   // always "27.940"
//   }
#pragma once

#include <locale.h>

#pragma GCC visibility push(hidden)
class RCClassicNumbers {
public:
    RCClassicNumbers();
    ~RCClassicNumbers();
    RCClassicNumbers(const RCClassicNumbers&) = delete;
    RCClassicNumbers& operator=(const RCClassicNumbers&) = delete;

private:
    locale_t m_previous;
};
#pragma GCC visibility pop
