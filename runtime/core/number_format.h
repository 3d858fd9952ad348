// The text forms of numbers in result boxes and tidied input boxes. They never follow the
// regional settings.
#pragma once

#include <cstdint>
#include <string>

namespace rt {

// "%.13g" with the program's rules: the value's first 17 significant digits rounded half
// up to 13; fixed notation for decimal exponents from -4 to 12, otherwise d.ddde+XXX with
// at least three exponent digits; no trailing zeros after the point; zero of either sign
// is "0"; infinities and not-a-number values print as 1.#INF, -1.#IND (the value of an
// invalid operation), 1.#QNAN and 1.#SNAN, with "-" when the sign bit is set.
std::string FormatDouble(double value);

// The same rules with 6 significant digits ("%.6g"): the form of a single-precision input
// after the box tidies it.
std::string FormatFloat(float value);

// The same rules with `digits` significant digits (1 to 16).
std::string FormatSignificantDigits(double value, int digits);

// Signed decimal digits.
std::string FormatInteger(int64_t value);

}  // namespace rt
