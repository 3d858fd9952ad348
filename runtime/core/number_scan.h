// Reading the numbers users type. The syntax is fixed and never follows the regional
// settings: the decimal point is always ".". Full-width characters from a Chinese input
// method count as their ASCII forms. Only the leading number counts; whatever follows it
// is ignored, and a text without one reads as 0.
#pragma once

#include <cstdint>
#include <string_view>

namespace rt {

// White space (space, tab, line feed, vertical tab, form feed, carriage return), an
// optional sign, decimal digits with at most one ".", and an optional exponent: e, E, d
// or D, an optional sign and digits. The nearest double; beyond the double range an
// infinity, below it a zero, each of the number's sign.
double TextToDouble(std::string_view gbk);

// TextToDouble rounded once more to the nearest single-precision value, the precision in
// which every typed decimal is held.
float TextToFloat(std::string_view gbk);

// White space, an optional sign and decimal digits; anything else ends the number
// ('12.7' reads as 12). The digits accumulate in 32 bits and wrap around on overflow.
int32_t TextToInt32(std::string_view gbk);

// The same syntax read as a 64-bit integer; beyond the 64-bit range the nearest end of it.
int64_t TextToInt64(std::string_view gbk);

}  // namespace rt
