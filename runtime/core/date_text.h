// The text form of a date and time value.
#pragma once

#include <string>

namespace rt {

// An OLE automation date (days since 30 December 1899, the fraction the time of day),
// held to 1 January 100 .. 31 December 9999, as "2024年3月5日" followed by "8时5分9秒",
// "8时5分" or "8时" when the time has that much, to the nearest second. Not-a-number has
// no date and gives the empty text.
std::string FormatOleDate(double days);

}  // namespace rt
