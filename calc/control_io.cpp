#include "calc/control_io.h"

#include <cmath>

#include "calc/main_window.h"
#include "runtime/conversions.h"
#include "runtime/heap.h"
#include "runtime/property_access.h"

namespace calc {
namespace {

// The box's content as a runtime text block (null for an empty box); the caller frees it.
char* ReadContent(uint32_t control_id) {
  uint64_t bits = rt::GetProperty(kMainWindowId, control_id, kContentProperty, -1);
  return reinterpret_cast<char*>(static_cast<uintptr_t>(bits));
}

// Applies a conversion command to the box's content, an empty box counting as the empty text.
rt::Value ConvertContent(rt::Command command, uint32_t control_id) {
  char* text = ReadContent(control_id);
  rt::Value argument = rt::MakeText(text ? text : "");
  rt::Value result = rt::CallCommand(command, 1, &argument);
  rt::FreeMem(text);
  return result;
}

// Truncation toward zero to 32 bits. A value beyond the 32-bit range, an infinity or a
// not-a-number becomes the most negative integer, the "integer indefinite" that the
// processor's own conversion yields, so absurd inputs give the figures the bank
// engineers have always seen rather than an undefined result.
int32_t DropFraction(float value) {
  if (!(value > -2147483649.0f && value < 2147483648.0f)) return INT32_MIN;
  return static_cast<int32_t>(value);
}

}  // namespace

float ReadNumber(uint32_t control_id) { return rt::FloatOf(ConvertContent(rt::ToNumber, control_id)); }

int32_t ReadInteger(uint32_t control_id) { return rt::IntOf(ConvertContent(rt::ToInteger, control_id)); }

int32_t ReadTruncated(uint32_t control_id) { return DropFraction(ReadNumber(control_id)); }

void WriteNumber(uint32_t control_id, double value) {
  rt::Value argument = rt::MakeDouble(value);
  rt::Value text = rt::CallCommand(rt::ToText, 1, &argument);
  rt::SetProperty(kMainWindowId, control_id, kContentProperty, -1, text.lo, text.hi);
  rt::FreeMem(rt::AddressOf(text));
}

void WriteText(uint32_t control_id, const char* gbk_text) {
  rt::Value text = rt::MakeText(gbk_text);
  rt::SetProperty(kMainWindowId, control_id, kContentProperty, -1, text.lo, text.hi);
}

int32_t ReadIntProperty(uint32_t control_id, int32_t property) {
  return static_cast<int32_t>(rt::GetProperty(kMainWindowId, control_id, property, -1));
}

void WriteIntProperty(uint32_t control_id, int32_t property, int32_t value) {
  rt::SetProperty(kMainWindowId, control_id, property, -1, static_cast<uint32_t>(value), 0);
}

double SquareRoot(double x) {
  rt::Value argument = rt::MakeDouble(x);
  return rt::DoubleOf(rt::CallCommand(rt::Sqrt, 1, &argument));
}

float RoundToSingle(double x) {
  rt::Value argument = rt::MakeDouble(x);
  return rt::FloatOf(rt::CallCommand(rt::ToNumber, 1, &argument));
}

int32_t WholePart(double x) {
  rt::Value argument = rt::MakeDouble(x);
  return rt::IntOf(rt::CallCommand(rt::IntPart, 1, &argument));
}

}  // namespace calc
