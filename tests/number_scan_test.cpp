// Reading the numbers users type, whatever they type.
#include "runtime/core/number_scan.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include "runtime/core/full_width.h"

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(TextToFloatTest, TypedInputs) {
  const struct {
    const char* text;
    float value;
  } cases[] = {
      {"", 0},
      {"  12.5kV", 12.5f},
      {"１２．５", 12.5f},  // full-width digits and point
      {"－５", -5},
      {"\xA1\xA1"
       "3",
       3},  // an ideographic space is white space
      {" \t\n\v\f\r3", 3},
      {"1,5", 1},
      {"1e3", 1000},
      {"2.5d2", 250},
      {"2D+1", 20},
      {"1E-2", 0.01f},
      {".5", 0.5f},
      {"5.", 5},
      {"1.2.3", 1.2f},
      {"1e", 1},  // an exponent letter without digits is not part of the number
      {"-", 0},
      {"..5", 0},
      {"+7", 7},
      {"+-7", 0},
      {"0x1A", 0},
      {"abc", 0},
      {"inf", 0},
      {"1.#INF", 1},  // a result box holding an infinity reads back as its leading number
      {"-1.#IND", -1},
      {"0.1", 0.1f},
      {"3.4028235e38", FLT_MAX},
      {"1e39", std::numeric_limits<float>::infinity()},
      {"3.4028236e38", std::numeric_limits<float>::infinity()},  // past halfway to 2^128
      {"-1e400", -std::numeric_limits<float>::infinity()},
      {"1e-400", 0},
      {"1e99999999999999999999999", std::numeric_limits<float>::infinity()},
      {"0.0000001e-99999999999999999999999", 0},
      // Rounded to the double 1 + 2^-24 first, which then ties between two floats and goes
      // to the even one; a direct rounding to single precision would give 1 + 2^-23.
      {"1.0000000596046447753906250000000001", 1.0f},
  };
  for (const auto& c : cases) EXPECT_EQ(rt::TextToFloat(c.text), c.value) << c.text;
}

TEST(TextToFloatTest, InvalidGbkBytes) {
  EXPECT_EQ(rt::TextToFloat("12\xB5"), 12);  // a lone lead byte at the end
  EXPECT_EQ(rt::TextToFloat("5\xFF\xFF"
                            "1"),
            5);  // the number ends at the first odd byte
  EXPECT_EQ(rt::TextToFloat("\x81"
                            "7"),
            0);  // a lead byte takes the digit as its pair
  EXPECT_EQ(rt::TextToFloat(std::string("\x00"
                                        "5",
                                        2)),
            0);
}

TEST(TextToDoubleTest, OutOfRangeKeepsTheSign) {
  EXPECT_EQ(rt::TextToDouble("1.8e308"), kInfinity);
  EXPECT_EQ(rt::TextToDouble("-1.8e308"), -kInfinity);
  EXPECT_TRUE(std::signbit(rt::TextToDouble("-1e-400")));
  EXPECT_EQ(rt::TextToDouble("4.9e-324"), 5e-324);
  EXPECT_EQ(rt::TextToDouble("1.7976931348623157e308"), DBL_MAX);
  // Leading zeros do not make a small number large, nor trailing ones a large one small.
  EXPECT_EQ(rt::TextToDouble("00000000000.00001e-320"), 0);
  EXPECT_EQ(rt::TextToDouble("0.0000000001e320"), kInfinity);
}

TEST(TextToDoubleTest, HundredThousandCharacters) {
  const std::string nines(100000, '9');
  EXPECT_EQ(rt::TextToDouble(nines), kInfinity);
  EXPECT_EQ(rt::TextToDouble("0." + std::string(99998, '0') + "1"), 0);
  EXPECT_EQ(rt::TextToDouble("1." + std::string(99998, '0')), 1);
  EXPECT_EQ(rt::TextToDouble("0." + nines), 1);
  EXPECT_EQ(rt::TextToDouble(std::string(99999, ' ') + "5"), 5);
  std::string full_width;
  for (int i = 0; i < 50000; ++i) full_width += "１";
  EXPECT_EQ(rt::TextToDouble(full_width), kInfinity);
  std::string pi = "3.";
  while (pi.size() < 100000) pi += "14159265358979323846";
  EXPECT_EQ(rt::TextToDouble(pi), 3.141592653589793);
}

TEST(TextToIntegerTest, TypedCounts) {
  const struct {
    const char* text;
    int32_t value;
  } cases[] = {
      {"12.7", 12},
      {" -3", -3},
      {"", 0},
      {"２０", 20},
      {"1e3", 1},
      {"+5", 5},
      {"--5", 0},
      {"-", 0},
      {"x1", 0},
      {"50.5", 50},
      {"4294967297", 1},  // wraps around
      {"2147483648", INT32_MIN},
      {"-2147483648", INT32_MIN},
      {"12\xB5", 12},
      {"12345678:9", 12345678},
      {"1234567/89", 1234567},  // bytes just past the digits
  };
  for (const auto& c : cases) EXPECT_EQ(rt::TextToInt32(c.text), c.value) << c.text;
}

TEST(TextToIntegerTest, HundredThousandDigitsWrapAround) {
  std::string digits;
  uint64_t expected = 0;
  for (int i = 0; i < 100000; ++i) {
    const int digit = (i * 7 + 3) % 10;
    digits += static_cast<char>('0' + digit);
    expected = (expected * 10 + digit) % (uint64_t{1} << 32);
  }
  EXPECT_EQ(rt::TextToInt32(digits), static_cast<int32_t>(expected));
  EXPECT_EQ(rt::TextToInt64(digits), INT64_MAX);
}

TEST(TextToInt64Test, SaturatesAtTheEnds) {
  EXPECT_EQ(rt::TextToInt64("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(rt::TextToInt64("9223372036854775808"), INT64_MAX);
  EXPECT_EQ(rt::TextToInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(rt::TextToInt64("-99999999999999999999"), INT64_MIN);
  EXPECT_EQ(rt::TextToInt64(" -0"), 0);
  EXPECT_EQ(rt::TextToInt64("４２９４９６７２９７"), 4294967297);
}

TEST(FoldFullWidthTest, Characters) {
  const struct {
    const char* text;
    const char* kept;
    const char* without_spaces;
  } cases[] = {
      {"１２．５Ｅ－３", "12.5E-3", "12.5E-3"},
      {"！～", "!~", "!~"},  // the ends of the full-width row
      {"a\xA1\xA1"
       "b c",
       "a b c", "abc"},  // ideographic and ASCII spaces
      {"～☆★", "~**", "~**"},
      {"电容", "电容", "电容"},
      {"\xA3\xA0\xA3\xFF", "\xA3\xA0\xA3\xFF", "\xA3\xA0\xA3\xFF"},  // outside the row
      {"\x81 5", "\x81 5", "\x81 5"},  // a space as the second byte of a pair stays
      {"7\xA3", "7", "7"},             // a lone lead byte at the end goes
      // Longer than a machine word, so that spaces and double-byte characters fall inside
      // the runs copied in bulk.
      {"12345678 9abcdefg１２ ", "12345678 9abcdefg12 ", "123456789abcdefg12"},
      {"abcdefghijklmno\xA3\xB1"
       "xyz\xA1\xA1",
       "abcdefghijklmno1xyz ", "abcdefghijklmno1xyz"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(rt::FoldFullWidth(c.text, false), c.kept) << c.text;
    EXPECT_EQ(rt::FoldFullWidth(c.text, true), c.without_spaces) << c.text;
  }
}

}  // namespace
