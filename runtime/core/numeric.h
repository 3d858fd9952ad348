// The numeric rules behind the conversion commands: narrowing to single precision, the
// whole-number rules, and the square root. None of them traps or has undefined results:
// infinities and not-a-number values flow through as the IEEE rules say.
#pragma once

#include <bit>
#include <cstdint>

namespace rt {

// What an invalid operation (0/0, the square root of a negative number) yields on this
// processor: sign bit set, quiet, fraction 1000...0.
inline constexpr double kDefaultNaN = std::bit_cast<double>(uint64_t{0xFFF8000000000000});

// The nearest single-precision value; beyond the single range an infinity of the sign.
float NearestFloat(double x);

// `x` truncated toward zero to a 64-bit integer, of which the low 32 bits are kept.
// Not-a-number, infinities and magnitudes of 2^63 or more give 0.
int32_t TruncateToInt32(double x);

// The whole number at or below `x`, except that a positive `x` within 10^-12 below a
// whole number counts as that number; then its low 32 bits as TruncateToInt32 keeps them.
int32_t IntPartOf(double x);

// The IEEE square root; a negative argument gives kDefaultNaN.
double SquareRoot(double x);

}  // namespace rt
