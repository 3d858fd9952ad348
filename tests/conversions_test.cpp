// The conversion commands as the calculation pages call them: kinds, results and the
// command protocol.
#include "runtime/core/conversions.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <string>

#include "runtime/core/heap.h"
#include "runtime/core/numeric.h"

namespace {

using rt::Value;

volatile double zero = 0.0;

Value Call(rt::Command command, const Value& argument) {
  return rt::CallCommand(command, 1, &argument);
}

Value OfKind(uint32_t type, uint64_t bits) {
  Value v{0, 0, type};
  rt::SetWide(&v, bits);
  return v;
}

// The text a command returned, released as the receiver must.
std::string TakeText(const Value& result) { return rt::HeapText(result).c_str(); }

std::string TextResultOf(const Value& argument) { return TakeText(Call(rt::ToText, argument)); }
float NumberResultOf(const Value& argument) { return rt::FloatOf(Call(rt::ToNumber, argument)); }
int32_t IntegerResultOf(const Value& argument) { return rt::IntOf(Call(rt::ToInteger, argument)); }

TEST(CommandProtocolTest, ResultsUseOnlyTheirWords) {
  const Value result = Call(rt::ToNumber, rt::MakeText("2.5"));
  EXPECT_EQ(rt::FloatOf(result), 2.5f);
  EXPECT_EQ(result.hi, 0u);
  EXPECT_EQ(result.type, 0u);
  EXPECT_EQ(Call(rt::ToInteger, rt::MakeLong(int64_t{-7} << 32 | 9)).hi, 0u);
  const Value root = Call(rt::Sqrt, rt::MakeDouble(2.0));
  EXPECT_EQ(rt::DoubleOf(root), std::sqrt(2.0));
  EXPECT_EQ(root.type, 0u);
}

TEST(CommandProtocolTest, TextResultIsAFreeableBlockAcrossBothWords) {
  const char* argument = "电容器";
  const Value result = Call(rt::ToText, rt::MakeText(argument));
  EXPECT_EQ(result.type, 0u);
  const auto* block = static_cast<const char*>(rt::AddressOf(result));
  ASSERT_NE(block, nullptr);
  EXPECT_NE(block, argument);  // a copy the receiver owns
  EXPECT_EQ(reinterpret_cast<uintptr_t>(block) >> 32, result.hi);
  EXPECT_EQ(TakeText(result), argument);
  EXPECT_EQ(rt::AddressOf(Call(rt::ToText, rt::MakeText(""))), nullptr);
  EXPECT_EQ(rt::AddressOf(Call(rt::ToText, rt::MakeText(nullptr))), nullptr);
}

TEST(ToNumberTest, OtherKinds) {
  EXPECT_EQ(NumberResultOf(rt::MakeDouble(1e39)), std::numeric_limits<float>::infinity());
  EXPECT_EQ(NumberResultOf(rt::MakeDouble(-1e39)), -std::numeric_limits<float>::infinity());
  EXPECT_EQ(NumberResultOf(rt::MakeDouble(-0.05)), -0.05f);
  EXPECT_TRUE(std::isnan(NumberResultOf(rt::MakeDouble(zero / zero))));
  EXPECT_EQ(NumberResultOf(rt::MakeFloat(1.1f)), 1.1f);
  EXPECT_EQ(NumberResultOf(OfKind(rt::kByte, 0xC8)), 200);
  EXPECT_EQ(NumberResultOf(OfKind(rt::kShort, 0xFFFB)), -5);
  EXPECT_EQ(NumberResultOf(rt::MakeInt(-16777217)), -16777216);  // nearest single
  EXPECT_EQ(NumberResultOf(rt::MakeLong(int64_t{1} << 40)), 1099511627776.0f);
  EXPECT_EQ(NumberResultOf(OfKind(rt::kBool, 0xFFFFFFFF)), -1);
  EXPECT_EQ(NumberResultOf(OfKind(rt::kSubPtr, 0xFFFFFFFF)), 4294967296.0f);
  EXPECT_EQ(NumberResultOf(OfKind(rt::kDateTime, std::bit_cast<uint64_t>(45000.0))), 0);
  EXPECT_EQ(NumberResultOf(OfKind(rt::kDouble | rt::kArrayBit, 0x1234)), 0);
  EXPECT_EQ(NumberResultOf(Value{}), 0);
}

TEST(ToIntegerTest, OtherKinds) {
  EXPECT_EQ(IntegerResultOf(rt::MakeText("２０")), 20);
  EXPECT_EQ(IntegerResultOf(OfKind(rt::kByte, 0xFF)), 255);
  EXPECT_EQ(IntegerResultOf(OfKind(rt::kShort, 0xFFFF)), -1);
  EXPECT_EQ(IntegerResultOf(OfKind(rt::kSubPtr, 0x80000000)), INT32_MIN);
  EXPECT_EQ(IntegerResultOf(rt::MakeLong(int64_t{-7} << 32 | 9)), 9);  // the low 32 bits
  EXPECT_EQ(IntegerResultOf(rt::MakeFloat(-2.9f)), -2);
  EXPECT_EQ(IntegerResultOf(rt::MakeDouble(2.9)), 2);
  EXPECT_EQ(IntegerResultOf(rt::MakeDouble(4294967297.5)), 1);
  EXPECT_EQ(IntegerResultOf(rt::MakeDouble(-0x1p63 + 1024)), 1024);  // low 32 bits of the 64
  EXPECT_EQ(IntegerResultOf(rt::MakeDouble(-0x1p63)), 0);
  EXPECT_EQ(IntegerResultOf(rt::MakeDouble(1e19)), 0);
  EXPECT_EQ(IntegerResultOf(rt::MakeDouble(1 / zero)), 0);
  EXPECT_EQ(IntegerResultOf(rt::MakeDouble(zero / zero)), 0);
  EXPECT_EQ(IntegerResultOf(rt::MakeFloat(std::numeric_limits<float>::infinity())), 0);
  EXPECT_EQ(IntegerResultOf(OfKind(rt::kBytes, 0)), 0);
}

TEST(ToTextTest, Kinds) {
  EXPECT_EQ(TextResultOf(rt::MakeDouble(zero / zero)), "-1.#IND");
  EXPECT_EQ(TextResultOf(rt::MakeFloat(0.1f)), "0.1");
  EXPECT_EQ(TextResultOf(OfKind(rt::kByte, 0xFF)), "255");
  EXPECT_EQ(TextResultOf(OfKind(rt::kShort, 0x8000)), "-32768");
  EXPECT_EQ(TextResultOf(rt::MakeInt(INT32_MIN)), "-2147483648");
  EXPECT_EQ(TextResultOf(rt::MakeLong(INT64_MIN)), "-9223372036854775808");
  EXPECT_EQ(TextResultOf(rt::MakeBool(true)), "真");
  EXPECT_EQ(TextResultOf(OfKind(rt::kBool, 2)), "真");
  EXPECT_EQ(TextResultOf(rt::MakeBool(false)), "假");
  EXPECT_EQ(TextResultOf(OfKind(rt::kSubPtr, 5)), "");
  EXPECT_EQ(TextResultOf(rt::MakeBytes(nullptr)), "");
  EXPECT_EQ(TextResultOf(Value{}), "");
}

TEST(ToTextTest, DateTimes) {
  const struct {
    double days;
    const char* text;
  } cases[] = {
      {0, "1899年12月30日"},
      {45000.5, "2023年3月15日12时"},
      {45000 + 0.5 / 24, "2023年3月15日0时30分"},
      {1.0 / 86400, "1899年12月30日0时0分1秒"},
      {(3 * 3600 + 4 * 60 + 5) / 86400.0, "1899年12月30日3时4分5秒"},
      {-1.25, "1899年12月29日6时"},      // the fraction counts forward also before 1899
      {0.9999999999, "1899年12月31日"},  // rounds to the next midnight
      {60, "1900年2月28日"},
      {-1e300, "100年1月1日"},
      {2958465.75, "9999年12月31日"},
      {1 / zero, "9999年12月31日"},
      {zero / zero, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextResultOf(OfKind(rt::kDateTime, std::bit_cast<uint64_t>(c.days))), c.text)
        << c.days;
  }
}

TEST(IntPartTest, WholeNumberRule) {
  const struct {
    double x;
    int32_t whole;
  } cases[] = {
      {2.9999999999995, 3}, {2.999999999, 2},       {-0.5, -1},
      {-2.5, -3},           {-0.9999999999995, -1}, {5.0, 5},
      {4294967299.2, 3},  // the low 32 bits
      {1e300, 0},           {-1 / zero, 0},         {zero / zero, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(rt::IntOf(Call(rt::IntPart, rt::MakeDouble(c.x))), c.whole) << c.x;
  }
}

TEST(SqrtTest, NegativeGivesTheDefaultNaN) {
  EXPECT_EQ(rt::DoubleOf(Call(rt::Sqrt, rt::MakeDouble(3))), 1.7320508075688772);
  const Value root = Call(rt::Sqrt, rt::MakeDouble(-1));
  EXPECT_EQ(rt::Wide(root), std::bit_cast<uint64_t>(rt::kDefaultNaN));
  EXPECT_EQ(TextResultOf(rt::MakeDouble(rt::DoubleOf(root))), "-1.#IND");
}

TEST(BytesLengthTest, CountsElements) {
  const rt::HeapBlock block(rt::NewBytes("abc", 3));
  EXPECT_EQ(rt::IntOf(Call(rt::BytesLength, rt::MakeBytes(block.get()))), 3);
  const rt::HeapBlock empty(rt::NewBytes(nullptr, 0));
  EXPECT_EQ(rt::IntOf(Call(rt::BytesLength, rt::MakeBytes(empty.get()))), 0);
  EXPECT_EQ(rt::IntOf(Call(rt::BytesLength, rt::MakeBytes(nullptr))), 0);
}

}  // namespace
