// Drawing a laid-out sheet with the toolkit, on the screen or on a printer's page: the
// fonts of the sheet's styles, their measures for the layout, and the drawing itself.
#pragma once

#include <memory>
#include <optional>

#include "calc/sheet_window/sheet_layout.h"
#include "forms/picture.h"

class Fl_RGB_Image;

namespace calc {

// The measures of the toolkit's fonts, the program's CJK faces, for the layout.
class ToolkitTextMetrics : public TextMetrics {
 public:
  int Width(std::string_view utf8, TextStyle style) const override;
  int LineHeight(TextStyle style) const override;
};

// The part of the layout from `span.top` to `span.bottom`, its top-left corner at (x, y)
// of the current drawing surface, clipped to that part; the diagram drawn from `diagram`,
// which has the layout's size of it (may be null).
void PaintSheet(const SheetLayout& layout, Fl_RGB_Image* diagram, int x, int y, PageSpan span);

// The diagram scaled to the size the layout gives it, as the pictures are scaled; null
// when there is none.
std::unique_ptr<Fl_RGB_Image> DiagramImage(const std::optional<forms::Image>& diagram, const LayoutRect& place);

}  // namespace calc
