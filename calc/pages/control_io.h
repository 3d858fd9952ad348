// How the pages read and write the controls of the main window: always through property
// access, by the controls' numbers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace calc {

// The text property of a control (an edit box's content, a label's or a group box's
// caption, a combo box's shown text), GBK; the empty text for an empty box.
std::string ReadText(uint32_t control_id);
// Replaces the edit box's content.
void WriteText(uint32_t control_id, const std::string& gbk_text);

// The current selection of a combo box.
int32_t ReadSelection(uint32_t control_id);
// The items a combo box offers, in its order, GBK.
std::vector<std::string> ReadItems(uint32_t control_id);

// The image file a draw panel shows; empty when it has none.
std::vector<uint8_t> ReadPicture(uint32_t control_id);
// The control's name in the window description, GBK.
std::string ControlName(uint32_t control_id);

// A 32-bit property of any control, read and written with property access.
int32_t ReadIntProperty(uint32_t control_id, int32_t property);
void WriteIntProperty(uint32_t control_id, int32_t property, int32_t value);

}  // namespace calc
