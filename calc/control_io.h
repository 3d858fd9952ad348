// How the calculator reads and writes the controls of the main window: always through
// property access and the runtime's conversions, as every page does. While a click is
// recorded, every box read and written here is noted in its record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace calc {

// Text-to-number of the edit box's content: single precision, 0 for an empty box.
float ReadNumber(uint32_t control_id);
// Text-to-integer of the edit box's content: 32 bits, fraction cut off.
int32_t ReadInteger(uint32_t control_id);
// Text-to-number of the content, then truncated toward zero to 32 bits.
int32_t ReadTruncated(uint32_t control_id);
// Replaces the edit box's content with the number-to-text form of `value` ("%.13g").
void WriteNumber(uint32_t control_id, double value);
// Replaces the edit box's content; the text stays the caller's.
void WriteText(uint32_t control_id, const char* gbk_text);

// The current selection of a combo box.
int32_t ReadSelection(uint32_t control_id);

// The text property of a control (an edit box's content, a label's or a group box's
// caption, a combo box's shown text), GBK.
std::string ReadText(uint32_t control_id);
// The image file a draw panel shows; empty when it has none.
std::vector<uint8_t> ReadPicture(uint32_t control_id);
// The control's name in the window description, GBK.
std::string ControlName(uint32_t control_id);

// A 32-bit property of any control, read and written with property access.
int32_t ReadIntProperty(uint32_t control_id, int32_t property);
void WriteIntProperty(uint32_t control_id, int32_t property, int32_t value);

// The runtime's conversions applied to numbers.
double SquareRoot(double x);
float RoundToSingle(double x);  // text-to-number applied to a double
int32_t WholePart(double x);    // the integer part, a fraction above 0.999999999999 counting as 1

}  // namespace calc
