// Printing results and tidied inputs: the digits the user sees.
#include "runtime/core/number_format.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <limits>

namespace {

// Computed at run time, as the calculation pages do: a folded constant 0/0 need not have
// the processor's sign bit.
volatile double zero = 0.0;

double Bits(uint64_t bits) { return std::bit_cast<double>(bits); }

TEST(FormatDoubleTest, ResultBoxForms) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {1.0 / 3, "0.3333333333333"},
      {2.0 / 3, "0.6666666666667"},
      {100.0, "100"},
      {123456.789, "123456.789"},
      {1234567890123.0, "1234567890123"},
      {12345678901234.0, "1.234567890123e+013"},
      {1e13, "1e+013"},
      {9999999999999.5, "1e+013"},  // the carry raises the exponent into the exponential form
      {0.0001, "0.0001"},
      {0.000099999999999996, "0.0001"},  // the carry lifts it out of the exponential form
      {0.00001, "1e-005"},
      {0.00001234, "1.234e-005"},
      {-0.00001, "-1e-005"},
      {1e100, "1e+100"},
      {-2.5, "-2.5"},
      {std::sqrt(3.0), "1.732050807569"},
      {1234567890122.5, "1234567890123"},  // half up, not half to even
      {0.5, "0.5"},
      {DBL_MAX, "1.797693134862e+308"},
      {5e-324, "4.940656458412e-324"},
      {static_cast<double>(0.1f), "0.1000000014901"},
      {static_cast<double>(1.1f), "1.100000023842"},
      {static_cast<double>(1.3f), "1.299999952316"},
      {static_cast<double>(1.15f), "1.149999976158"},
      {static_cast<double>(-0.05f), "-0.05000000074506"},
      {-0.0, "0"},
      {0.0, "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(rt::FormatDouble(c.value), c.text) << c.text;
}

TEST(FormatDoubleTest, NonFiniteValues) {
  EXPECT_EQ(rt::FormatDouble(1 / zero), "1.#INF");
  EXPECT_EQ(rt::FormatDouble(-1 / zero), "-1.#INF");
  EXPECT_EQ(rt::FormatDouble(zero / zero), "-1.#IND");
  EXPECT_EQ(rt::FormatDouble(1 / zero - 1 / zero), "-1.#IND");
  EXPECT_EQ(rt::FormatDouble(Bits(0x7FF8000000000000)), "1.#QNAN");  // no sign bit
  EXPECT_EQ(rt::FormatDouble(Bits(0xFFF8000000000001)), "-1.#QNAN");
  EXPECT_EQ(rt::FormatDouble(Bits(0x7FF0000000000001)), "1.#SNAN");
  EXPECT_EQ(rt::FormatDouble(Bits(0xFFF4000000000000)), "-1.#SNAN");
}

TEST(FormatFloatTest, TidiedInputForms) {
  const struct {
    float value;
    const char* text;
  } cases[] = {
      {0.1f, "0.1"},         {1.5f, "1.5"},
      {6.35f, "6.35"},       {123456.5f, "123457"},  // half up, not half to even
      {999999.5f, "1e+006"}, {1234567.0f, "1.23457e+006"},
      {0.0001f, "0.0001"},   {1e-5f, "1e-005"},
      {-2.5f, "-2.5"},       {FLT_MAX, "3.40282e+038"},
      {-0.0f, "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(rt::FormatFloat(c.value), c.text) << c.text;
  // Told apart on the float's own bits: widening would quieten the signalling one.
  EXPECT_EQ(rt::FormatFloat(std::bit_cast<float>(0xFFC00000u)), "-1.#IND");
  EXPECT_EQ(rt::FormatFloat(std::bit_cast<float>(0x7F800001u)), "1.#SNAN");
  EXPECT_EQ(rt::FormatFloat(-std::numeric_limits<float>::infinity()), "-1.#INF");
}

}  // namespace
