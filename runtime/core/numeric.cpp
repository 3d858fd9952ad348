#include "runtime/core/numeric.h"

#include <cmath>
#include <limits>

namespace rt {

float NearestFloat(double x) {
  // Halfway between the largest float and 2^128; a tie goes to the even 2^128, so from
  // here on the nearest float is an infinity. Converting such a double with a cast would
  // be undefined behaviour in C++.
  constexpr double kFirstBeyondFloat = 0x1.ffffffp127;
  if (std::fabs(x) >= kFirstBeyondFloat) {
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    return x < 0 ? -kInfinity : kInfinity;
  }
  return static_cast<float>(x);
}

int32_t TruncateToInt32(double x) {
  if (!(std::fabs(x) < 0x1p63)) return 0;  // also catches not-a-number
  const auto whole = static_cast<int64_t>(x);
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(whole)));
}

int32_t IntPartOf(double x) {
  // The double nearest to 0.999999999999: a fraction above it is rounding noise of a
  // computation that ought to have given a whole number.
  constexpr double kNearlyOne = 0.999999999999;
  const double toward_zero = std::trunc(x);
  const bool just_below_whole = x > 0 && x - toward_zero > kNearlyOne;
  return TruncateToInt32(just_below_whole ? toward_zero + 1 : std::floor(x));
}

double SquareRoot(double x) { return x < 0 ? kDefaultNaN : std::sqrt(x); }

}  // namespace rt
