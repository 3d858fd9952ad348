// The conversion commands through which every typed and every shown number passes, and
// the small numeric and set-up commands next to them. Each has the runtime command shape:
// call them as rt::CallCommand(rt::ToNumber, 1, &argument). None reports an error and
// none sets the result's type word; a text result is a new runtime heap block (null for
// the empty text) that the caller releases with FreeMem.
#pragma once

#include "runtime/core/value.h"

namespace rt {

// Any kind to a single-precision number in data low: a text is read by TextToFloat.
void ToNumber(Value* result, int argc, const Value* args);

// Any kind to a 32-bit integer in data low: a text is read by TextToInt32; floating
// values are truncated toward zero.
void ToInteger(Value* result, int argc, const Value* args);

// Any kind to a text: a Double in the "%.13g" form of FormatDouble, a Float in the
// "%.6g" form, integers in decimal, Bool as "真"/"假", DateTime as a date, a Text copied.
void ToText(Value* result, int argc, const Value* args);

// The integer part (IntPartOf) of a Double, in data low.
void IntPart(Value* result, int argc, const Value* args);

// The square root of a Double, as a Double in data low and high.
void Sqrt(Value* result, int argc, const Value* args);

// The element count of a byte array, in data low; 0 for a null address.
void BytesLength(Value* result, int argc, const Value* args);

// The folder holding the program file, as a text.
void ProgramFolder(Value* result, int argc, const Value* args);

}  // namespace rt
