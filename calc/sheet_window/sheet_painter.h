// Drawing a laid-out sheet with the toolkit, on the screen or on a printer's page: the
// fonts of the sheet's styles, their measures for the layout, and the drawing itself.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "calc/sheet/sheet_layout.h"
#include "forms/picture.h"

namespace calc {

// The measures of the toolkit's fonts, the program's CJK faces, for the layout.
class ToolkitTextMetrics : public TextMetrics {
 public:
  int Width(std::string_view utf8, TextStyle style) const override;
  int LineHeight(TextStyle style) const override;
};

// The diagram's pixels as drawn: rows of 8-bit R, G, B.
struct DiagramPixels {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;  // empty when there is no diagram
};

// The part of the layout from `span.top` to `span.bottom`, its top-left corner at (x, y)
// of the current drawing surface, clipped to that part; the diagram drawn from `diagram`,
// which has the layout's size of it.
void PaintSheet(const SheetLayout& layout, const DiagramPixels& diagram, int x, int y,
                PageSpan span);

// One text with its place's origin at (x, y).
void PaintText(const PlacedText& text, int x, int y);

// The diagram scaled to the size the layout gives it, as the pictures are scaled; no
// pixels when there is none.
DiagramPixels DiagramImage(const std::optional<forms::Image>& diagram, const LayoutRect& place);

}  // namespace calc
