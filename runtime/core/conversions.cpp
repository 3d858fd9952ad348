#include "runtime/core/conversions.h"

#include <bit>
#include <string>
#include <string_view>

#include "runtime/core/date_text.h"
#include "runtime/core/frame.h"
#include "runtime/core/heap.h"
#include "runtime/core/number_format.h"
#include "runtime/core/number_scan.h"
#include "runtime/core/numeric.h"

namespace rt {
namespace {

uint8_t ByteOf(const Value& v) { return static_cast<uint8_t>(v.lo); }
int16_t ShortOf(const Value& v) { return static_cast<int16_t>(v.lo); }
int64_t LongOf(const Value& v) { return static_cast<int64_t>(Wide(v)); }

// Callers never pass a null text, but a null address is the empty text all the same.
std::string_view TextArgument(const Value& v) {
  const char* text = TextOf(v);
  return text ? std::string_view(text) : std::string_view();
}

void SetInt(Value* result, int32_t value) { result->lo = static_cast<uint32_t>(value); }
void SetFloat(Value* result, float value) { result->lo = std::bit_cast<uint32_t>(value); }
void SetDouble(Value* result, double value) { SetWide(result, std::bit_cast<uint64_t>(value)); }
void SetNewText(Value* result, std::string_view text) { SetAddress(result, NewText(text)); }

float NumberOf(const Value& v) {
  switch (v.type) {
    case kText: return TextToFloat(TextArgument(v));
    case kFloat: return FloatOf(v);
    case kDouble: return NearestFloat(DoubleOf(v));
    case kByte: return ByteOf(v);
    case kShort: return ShortOf(v);
    case kInt:
    case kBool: return static_cast<float>(IntOf(v));
    case kLong: return static_cast<float>(LongOf(v));
    case kSubPtr: return static_cast<float>(v.lo);
    default: return 0;
  }
}

int32_t IntegerOf(const Value& v) {
  switch (v.type) {
    case kText: return TextToInt32(TextArgument(v));
    case kByte: return ByteOf(v);
    case kShort: return ShortOf(v);
    case kInt:
    case kBool:
    case kSubPtr:
    case kLong: return IntOf(v);  // a Long keeps its low 32 bits
    case kFloat: return TruncateToInt32(FloatOf(v));
    case kDouble: return TruncateToInt32(DoubleOf(v));
    default: return 0;
  }
}

std::string TextForm(const Value& v) {
  switch (v.type) {
    case kDouble: return FormatDouble(DoubleOf(v));
    case kFloat: return FormatFloat(FloatOf(v));
    case kByte: return FormatInteger(ByteOf(v));
    case kShort: return FormatInteger(ShortOf(v));
    case kInt: return FormatInteger(IntOf(v));
    case kLong: return FormatInteger(LongOf(v));
    case kBool: return v.lo ? "真" : "假";
    case kDateTime: return FormatOleDate(DoubleOf(v));
    case kText: return std::string(TextArgument(v));
    default: return {};
  }
}

}  // namespace

void ToNumber(Value* result, int, const Value* args) { SetFloat(result, NumberOf(args[0])); }

void ToInteger(Value* result, int, const Value* args) { SetInt(result, IntegerOf(args[0])); }

void ToText(Value* result, int, const Value* args) { SetNewText(result, TextForm(args[0])); }

void IntPart(Value* result, int, const Value* args) {
  SetInt(result, IntPartOf(DoubleOf(args[0])));
}

void Sqrt(Value* result, int, const Value* args) {
  SetDouble(result, SquareRoot(DoubleOf(args[0])));
}

void BytesLength(Value* result, int, const Value* args) {
  result->lo = BytesCount(AddressOf(args[0]));
}

void ProgramFolder(Value* result, int, const Value*) { SetNewText(result, ProgramFolderPath()); }

}  // namespace rt
