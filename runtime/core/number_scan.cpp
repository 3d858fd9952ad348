#include "runtime/core/number_scan.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

#include "runtime/core/full_width.h"
#include "runtime/core/numeric.h"

namespace rt {
namespace {

bool IsSpace(char c) {
  switch (c) {
    case ' ':
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r': return true;
    default: return false;
  }
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSign(char c) { return c == '+' || c == '-'; }
bool IsExponentLetter(char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }

// Whether eight bytes are all decimal digits: each byte has the high nibble 3, and adding
// 6 to it keeps that nibble.
bool AllDigits(uint64_t word) {
  constexpr uint64_t kHighNibbles = 0xF0F0F0F0F0F0F0F0;
  constexpr uint64_t kSixes = 0x0606060606060606;
  constexpr uint64_t kThrees = 0x3333333333333333;
  return ((word & kHighNibbles) | (((word + kSixes) & kHighNibbles) >> 4)) == kThrees;
}

// Eight bytes at a time first, so that a 100,000-digit number is read about as fast as
// the library reads it.
size_t CountDigits(std::string_view text, size_t from) {
  size_t end = from;
  for (uint64_t word; end + sizeof word <= text.size(); end += sizeof word) {
    std::memcpy(&word, text.data() + end, sizeof word);
    if (!AllDigits(word)) break;
  }
  while (end < text.size() && IsDigit(text[end])) ++end;
  return end - from;
}

std::string_view LeadingDigits(std::string_view text) {
  return text.substr(0, CountDigits(text, 0));
}

// The typed text with its full-width characters folded to ASCII, past the white space
// and the sign in front of its number. Texts without double-byte characters, nearly all
// of them, are read in place.
class SignedText {
 public:
  explicit SignedText(std::string_view gbk) {
    std::string_view text = gbk;
    if (!IsSingleByteText(gbk)) text = folded_ = FoldFullWidth(gbk, false);
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    if (i < text.size() && IsSign(text[i])) negative_ = text[i++] == '-';
    number_ = text.substr(i);
  }
  // number_ may point into folded_.
  SignedText(const SignedText&) = delete;
  SignedText& operator=(const SignedText&) = delete;

  bool negative() const { return negative_; }
  std::string_view number() const { return number_; }

 private:
  std::string folded_;
  std::string_view number_;
  bool negative_ = false;
};

// Where the parts of an unsigned decimal number end, counted from its start.
struct DecimalExtent {
  size_t integer_digits = 0;  // digits before the point
  size_t mantissa_end = 0;    // after the digits and the point
  size_t end = 0;             // after the exponent; 0 when there is no number
};

DecimalExtent ScanDecimal(std::string_view text) {
  DecimalExtent extent;
  extent.integer_digits = CountDigits(text, 0);
  size_t i = extent.integer_digits;
  size_t fraction_digits = 0;
  if (i < text.size() && text[i] == '.') {
    fraction_digits = CountDigits(text, i + 1);
    i += 1 + fraction_digits;
  }
  if (extent.integer_digits + fraction_digits == 0) return {};
  extent.mantissa_end = extent.end = i;
  if (i < text.size() && IsExponentLetter(text[i])) {
    size_t digits_start = i + 1;
    if (digits_start < text.size() && IsSign(text[digits_start])) ++digits_start;
    // An exponent letter without digits after it is not part of the number.
    if (const size_t digits = CountDigits(text, digits_start)) extent.end = digits_start + digits;
  }
  return extent;
}

// The exponent's value, held at a bound far beyond any double so that it cannot overflow.
int64_t ExponentValue(std::string_view exponent) {
  constexpr int64_t kBound = 1'000'000'000'000;
  const bool negative = exponent.front() == '-';
  if (IsSign(exponent.front())) exponent.remove_prefix(1);
  int64_t value = 0;
  for (const char digit : exponent) value = std::min(value * 10 + (digit - '0'), kBound);
  return negative ? -value : value;
}

// For a number outside the double range, whether it lies above it rather than below.
bool IsAboveDoubleRange(std::string_view number, const DecimalExtent& extent) {
  // The number is 0.d... × 10^scale with a first digit d other than 0.
  int64_t leading_zeros = 0;
  for (const char c : number.substr(0, extent.mantissa_end)) {
    if (c == '.') continue;
    if (c != '0') break;
    ++leading_zeros;
  }
  const int64_t exponent =
      extent.end > extent.mantissa_end ? ExponentValue(number.substr(extent.mantissa_end + 1)) : 0;
  const int64_t scale = static_cast<int64_t>(extent.integer_digits) - leading_zeros + exponent;
  return scale > 0;
}

// Typed numbers mostly have few digits. With at most 15 significant digits the digits form
// an exact integer, and powers of ten up to 10^22 are exact doubles, so one IEEE
// multiplication or division gives the correctly rounded value, the one the library gives.
std::optional<double> FewDigitsMagnitude(std::string_view number, const DecimalExtent& extent) {
  static constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                            1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  constexpr int kMaxExactDigits = 15;
  constexpr int64_t kMaxExactPower = 22;
  uint64_t digits = 0;
  int significant = 0;
  int64_t scale = 0;
  for (size_t i = 0; i < extent.mantissa_end; ++i) {
    if (number[i] == '.') continue;
    if (i > extent.integer_digits) --scale;
    if (significant == 0 && number[i] == '0') continue;
    if (++significant > kMaxExactDigits) return std::nullopt;
    digits = digits * 10 + static_cast<uint64_t>(number[i] - '0');
  }
  if (digits == 0) return 0.0;
  if (extent.end > extent.mantissa_end) {
    const size_t exponent_start = extent.mantissa_end + 1;
    scale += ExponentValue(number.substr(exponent_start, extent.end - exponent_start));
  }
  const auto mantissa = static_cast<double>(digits);
  if (scale >= 0 && scale <= kMaxExactPower) return mantissa * kExactPowers[scale];
  if (scale < 0 && scale >= -kMaxExactPower) return mantissa / kExactPowers[-scale];
  return std::nullopt;
}

// The nearest double to an unsigned decimal number that ScanDecimal found.
double DecimalMagnitude(std::string_view number, const DecimalExtent& extent) {
  if (std::optional<double> magnitude = FewDigitsMagnitude(number, extent)) return *magnitude;
  number = number.substr(0, extent.end);
  std::string with_e;  // the library reads "e" and "E" as exponent letters, not "d" or "D"
  if (extent.end > extent.mantissa_end && number[extent.mantissa_end] != 'e' &&
      number[extent.mantissa_end] != 'E') {
    with_e = number;
    with_e[extent.mantissa_end] = 'e';
    number = with_e;
  }
  // from_chars is exact and locale-free, but leaves the value alone when it is out of range.
  double magnitude = 0;
  if (std::from_chars(number.data(), number.data() + number.size(), magnitude).ec ==
      std::errc::result_out_of_range) {
    return IsAboveDoubleRange(number, extent) ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return magnitude;
}

}  // namespace

double TextToDouble(std::string_view gbk) {
  const SignedText text(gbk);
  const std::string_view number = text.number();
  const DecimalExtent extent = ScanDecimal(number);
  if (extent.end == 0) return 0.0;
  const double magnitude = DecimalMagnitude(number, extent);
  return text.negative() ? -magnitude : magnitude;
}

float TextToFloat(std::string_view gbk) { return NearestFloat(TextToDouble(gbk)); }

int32_t TextToInt32(std::string_view gbk) {
  const SignedText text(gbk);
  // Unsigned arithmetic wraps around modulo 2^32 by definition.
  uint32_t value = 0;
  for (const char digit : LeadingDigits(text.number())) {
    value = value * 10 + static_cast<uint32_t>(digit - '0');
  }
  return static_cast<int32_t>(text.negative() ? 0u - value : value);
}

int64_t TextToInt64(std::string_view gbk) {
  const SignedText text(gbk);
  const uint64_t limit = text.negative() ? uint64_t{1} << 63 : uint64_t{INT64_MAX};
  uint64_t value = 0;
  for (const char digit : LeadingDigits(text.number())) {
    const auto digit_value = static_cast<uint64_t>(digit - '0');
    if (value > (limit - digit_value) / 10) return text.negative() ? INT64_MIN : INT64_MAX;
    value = value * 10 + digit_value;
  }
  return static_cast<int64_t>(text.negative() ? 0 - value : value);
}

}  // namespace rt
