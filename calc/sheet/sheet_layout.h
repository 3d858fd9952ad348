// Where everything of a sheet document goes on a surface of a given width: the texts line
// by line, the table cells, the marked rows, the diagram; and where the surface may be cut
// into pages. No toolkit here: the caller measures texts, so that the window and the
// printer lay the sheet out alike, each with its own fonts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "calc/sheet/sheet_document.h"

namespace calc {

enum class TextStyle { kTitle, kHeading, kBody, kSetting, kNote };

class TextMetrics {
 public:
  virtual ~TextMetrics() = default;
  virtual int Width(std::string_view utf8, TextStyle style) const = 0;
  virtual int LineHeight(TextStyle style) const = 0;
};

struct LayoutRect {
  int x = 0, y = 0, width = 0, height = 0;
  int bottom() const { return y + height; }
  bool operator==(const LayoutRect&) const = default;
};

// One line of text; `place` is the line's box, the text starting at its left.
struct PlacedText {
  LayoutRect place;
  std::string utf8;
  TextStyle style;
};

enum class Shade { kCellFrame, kHeadingCell, kMarkedRow };

struct PlacedShade {
  LayoutRect place;
  Shade shade;
};

struct SheetLayout {
  int width = 0;
  int height = 0;
  std::vector<PlacedShade> shades;  // drawn first, in order
  std::vector<PlacedText> texts;
  LayoutRect diagram;  // empty when the sheet has none
  // Heights at which a page may end without cutting a line, a row or the diagram in two,
  // nor parting a heading from what follows it; ascending, the last is `height`.
  std::vector<int> breaks;
};

struct PictureSize {
  int width = 0, height = 0;  // 0 when there is no picture
};

SheetLayout LayOutSheet(const SheetDocument& document, PictureSize diagram, int width,
                        const TextMetrics& metrics);

// A page shows the part of the layout from `top` to `bottom`.
struct PageSpan {
  int top = 0, bottom = 0;
  bool operator==(const PageSpan&) const = default;
};

// As much on each page as fits at its breaks; a piece taller than a page is cut at the
// page's height. At least one page.
std::vector<PageSpan> SplitIntoPages(const SheetLayout& layout, int page_height);

// The sheet on paper, in the printer's points: body text of 12 layout units prints at
// about 10 pt, inside a margin that brings the printer's own to about 15 mm. Every page
// carries the title above the sheet's part and its number below it.
struct PaperLayout {
  SheetLayout layout;
  std::vector<PageSpan> pages;
  double scale = 1;  // points per layout unit
  int margin = 0;    // layout units inside the printable area, on every side
  int body_top = 0;  // layout units from the printable area's top to the sheet's part
  int printable_width = 0, printable_height = 0;  // in layout units
};

PaperLayout LayOutForPaper(const SheetDocument& document, PictureSize diagram, int printable_width,
                           int printable_height, const TextMetrics& metrics);

// "第 2 页 / 共 3 页" (GBK), counting from 1.
std::string PageNumberText(size_t page_number, size_t page_count);

// The running head and foot of the page with the index: the title at the top left and the
// page's number centred at the foot, placed from the printable area's top-left corner.
std::vector<PlacedText> PageFrame(const PaperLayout& paper, const std::string& title_gbk,
                                  size_t page_index, const TextMetrics& metrics);

}  // namespace calc
