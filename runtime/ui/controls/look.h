// Colours and fonts of the template mapped to the toolkit's.
#pragma once

#include <FL/Enumerations.H>

#include <cstdint>

#include "forms/unit_data.h"

class Fl_Widget;

namespace rt {

// A Windows colour value (0x00BBGGRR); the default-colour marker gives `system_default`.
Fl_Color ToToolkitColour(uint32_t colour, Fl_Color system_default);

// The default GUI font is a 12-pixel CJK font; "宋体" and "楷体_GB2312" map to the installed
// faces that stand for them (cjk_faces.h); other faces fall back to the default.
struct ToolkitFont {
  Fl_Font face;
  Fl_Fontsize size;
};
ToolkitFont ToToolkitFont(const forms::Font& font);

void ApplyLabelFont(Fl_Widget* widget, const forms::Font& font);

// Redraws the area a widget covers in its window, its container's background included:
// needed for transparent widgets and for widgets that move.
void RedrawArea(Fl_Widget* widget);

}  // namespace rt

namespace rt {

// The control borders of the template (0 none, 1 sunken edge, 2 raised frame, 3 thin
// sunken edge, 4 sunken edge inside a raised frame, 5 single line) as toolkit boxes;
// `filled` picks the box that also paints the background.
Fl_Boxtype BorderBox(uint32_t border, bool filled);

// A caption's place inside its control, clipped to it: horizontal and vertical alignment
// 0 left or top, 1 centred, 2 right or bottom.
Fl_Align CaptionAlignment(uint32_t horizontal, uint32_t vertical);

}  // namespace rt
