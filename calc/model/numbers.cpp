#include "calc/model/numbers.h"

#include <memory>

#include "runtime/core/conversions.h"
#include "runtime/core/heap.h"

namespace calc {
namespace {

rt::Value Converted(rt::Command command, const rt::Value& argument) {
  return rt::CallCommand(command, 1, &argument);
}

// A text argument: the runtime reads up to the terminating zero.
rt::Value TextArgument(const std::string& gbk_text) { return rt::MakeText(gbk_text.c_str()); }

// Truncation toward zero to 32 bits. A value beyond the 32-bit range, an infinity or a
// not-a-number becomes the most negative integer, the "integer indefinite" that the
// processor's own conversion yields, so absurd inputs give the figures the bank
// engineers have always seen rather than an undefined result.
int32_t DropFraction(float value) {
  if (!(value > -2147483649.0f && value < 2147483648.0f)) return INT32_MIN;
  return static_cast<int32_t>(value);
}

}  // namespace

float NumberOf(const std::string& gbk_text) {
  return rt::FloatOf(Converted(rt::ToNumber, TextArgument(gbk_text)));
}

int32_t IntegerOf(const std::string& gbk_text) {
  return rt::IntOf(Converted(rt::ToInteger, TextArgument(gbk_text)));
}

int32_t TruncatedOf(const std::string& gbk_text) { return DropFraction(NumberOf(gbk_text)); }

std::string ShownText(double value) {
  const rt::HeapText text(Converted(rt::ToText, rt::MakeDouble(value)));
  return std::string(text.view());
}

float RoundToSingle(double x) { return rt::FloatOf(Converted(rt::ToNumber, rt::MakeDouble(x))); }

int32_t WholePart(double x) { return rt::IntOf(Converted(rt::IntPart, rt::MakeDouble(x))); }

double SquareRoot(double x) { return rt::DoubleOf(Converted(rt::Sqrt, rt::MakeDouble(x))); }

}  // namespace calc
