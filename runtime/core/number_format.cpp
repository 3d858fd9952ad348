#include "runtime/core/number_format.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>
#include <type_traits>

namespace rt {
namespace {

constexpr int kDoublePrecision = 13;
constexpr int kFloatPrecision = 6;
constexpr int kExpandedDigits = 17;

// Significant decimal digits d.ddd... and the power of ten of the first one.
struct Digits {
  char chars[kExpandedDigits];
  int exponent;
};

// The first 17 significant digits of a positive finite magnitude, rounded half up.
//
// to_chars rounds the exact binary value correctly but breaks ties to even, so where the
// exact value lies halfway it may round the 17th digit down instead of up. That never
// changes what is shown: after a tie rounded to even the 17th digit is even, so rounding
// up would only have raised that one digit, without a carry into the digits before it;
// and every form printed here is rounded at the 14th digit or earlier, which decides from
// the digits before the 17th alone.
Digits ExpandedDigits(double magnitude) {
  char text[32];  // "d.dddddddddddddddde-324"
  const char* end = std::to_chars(text, text + sizeof text, magnitude,
                                  std::chars_format::scientific, kExpandedDigits - 1)
                        .ptr;
  Digits digits;
  digits.chars[0] = text[0];
  std::memcpy(digits.chars + 1, text + 2, kExpandedDigits - 1);
  const char* exponent_sign = text + kExpandedDigits + 2;  // after "e"
  int exponent = 0;
  std::from_chars(exponent_sign + 1, end, exponent);
  digits.exponent = *exponent_sign == '-' ? -exponent : exponent;
  return digits;
}

// Rounds half up to `count` digits: a digit of 5 or more after them carries as far as it
// needs to, and a carry out of the first digit raises the exponent.
void RoundHalfUp(Digits& digits, int count) {
  if (digits.chars[count] < '5') return;
  int i = count - 1;
  while (i >= 0 && digits.chars[i] == '9') digits.chars[i--] = '0';
  if (i >= 0) {
    ++digits.chars[i];
  } else {
    digits.chars[0] = '1';
    ++digits.exponent;
  }
}

// Digits kept once trailing zeros after the decimal point are dropped.
size_t KeptDigits(std::string_view digits, size_t at_least) {
  size_t kept = digits.size();
  while (kept > at_least && digits[kept - 1] == '0') --kept;
  return kept;
}

void AppendExponent(std::string& text, int exponent) {
  text += 'e';
  text += exponent < 0 ? '-' : '+';
  const int magnitude = std::abs(exponent);  // at most 324 for a double
  text += static_cast<char>('0' + magnitude / 100);
  text += static_cast<char>('0' + magnitude / 10 % 10);
  text += static_cast<char>('0' + magnitude % 10);
}

// Lays the digits out in the "%.Ng" form for N = `precision`. `digits` need not be
// numerals: the stand-ins for non-finite values take the same way as a value whose
// exponent is 0.
std::string Layout(bool negative, std::string_view digits, int exponent, int precision) {
  std::string text;
  if (negative) text += '-';
  if (exponent < -4 || exponent >= precision) {
    const size_t kept = KeptDigits(digits, 1);
    text += digits[0];
    if (kept > 1) (text += '.').append(digits.substr(1, kept - 1));
    AppendExponent(text, exponent);
  } else if (exponent < 0) {
    text.append("0.").append(static_cast<size_t>(-exponent - 1), '0');
    text.append(digits.substr(0, KeptDigits(digits, 1)));
  } else {
    const auto whole_digits = static_cast<size_t>(exponent) + 1;
    const size_t kept = KeptDigits(digits, whole_digits);
    text.append(digits.substr(0, whole_digits));
    if (kept > whole_digits) (text += '.').append(digits.substr(whole_digits, kept - whole_digits));
  }
  return text;
}

// The digit string standing in for an infinity or a not-a-number; empty for a finite value.
template <typename Real>
std::string_view NonFiniteDigits(Real value) {
  using Bits = std::conditional_t<sizeof(Real) == 8, uint64_t, uint32_t>;
  constexpr int kFractionBits = std::numeric_limits<Real>::digits - 1;
  constexpr Bits kFraction = (Bits{1} << kFractionBits) - 1;
  constexpr Bits kQuiet = Bits{1} << (kFractionBits - 1);
  constexpr Bits kSign = ~(~Bits{0} >> 1);
  constexpr Bits kExponent = ~(kSign | kFraction);
  const auto bits = std::bit_cast<Bits>(value);
  if ((bits & kExponent) != kExponent) return {};
  const Bits fraction = bits & kFraction;
  if (fraction == 0) return "1#INF";
  if (fraction == kQuiet && (bits & kSign)) return "1#IND";  // the result of 0/0 and the like
  return (fraction & kQuiet) ? "1#QNAN" : "1#SNAN";
}

// Non-finite values are told apart on their own bits: widening a float would quieten a
// signalling not-a-number.
template <typename Real>
std::string FormatSignificant(Real value, int precision) {
  const bool negative = std::signbit(value);
  if (const std::string_view stand_in = NonFiniteDigits(value); !stand_in.empty()) {
    return Layout(negative, stand_in, 0, precision);
  }
  if (value == 0) return "0";
  Digits digits = ExpandedDigits(std::fabs(static_cast<double>(value)));
  RoundHalfUp(digits, precision);
  return Layout(negative, std::string_view(digits.chars, static_cast<size_t>(precision)),
                digits.exponent, precision);
}

}  // namespace

std::string FormatDouble(double value) { return FormatSignificant(value, kDoublePrecision); }

std::string FormatSignificantDigits(double value, int digits) {
  return FormatSignificant(value, std::clamp(digits, 1, kExpandedDigits - 1));
}

// Rounding the 17 expanded digits at the 7th gives for every float the same 6 digits as
// rounding its exact value half up (checked over all of them once).
std::string FormatFloat(float value) { return FormatSignificant(value, kFloatPrecision); }

std::string FormatInteger(int64_t value) {
  char text[24];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

}  // namespace rt
