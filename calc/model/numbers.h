// Numbers as the pages hold them: every typed text and every result passes through the
// runtime's own conversions, so that the model gives the digits the window shows.
#pragma once

#include <cstdint>
#include <string>

namespace calc {

// Text-to-number of a typed text: single precision, 0 for an empty text or one without a
// leading number.
float NumberOf(const std::string& gbk_text);
// Text-to-integer: 32 bits, a fraction cut off, 0 for an empty text.
int32_t IntegerOf(const std::string& gbk_text);
// Text-to-number, then truncated toward zero to 32 bits (a count read as a number).
int32_t TruncatedOf(const std::string& gbk_text);

// Number-to-text of a result: at most 13 significant digits, as a result box shows it.
std::string ShownText(double value);

float RoundToSingle(double x);  // text-to-number applied to a double
int32_t WholePart(double x);    // the integer part, a fraction above 0.999999999999 counting as 1
double SquareRoot(double x);

}  // namespace calc
