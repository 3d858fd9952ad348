#include "calc/sheet/sheet_layout.h"

#include <algorithm>
#include <numeric>

#include "forms/picture_layout.h"
#include "runtime/core/text_wrap.h"
#include "runtime/platform/gbk.h"

namespace calc {
namespace {

constexpr int kBlockGap = 6;
constexpr int kSectionGap = 14;
constexpr int kCellPadding = 4;
constexpr int kNarrowestColumn = 48;
constexpr int kListIndent = 16;
constexpr int kDiagramSide = 180;  // the diagram's largest size on the sheet
constexpr int kDiagramGap = 16;
constexpr double kPaperScale = 0.8;
constexpr int kPaperMargin = 30;  // 24 pt
constexpr int kFrameGap = 10;     // between the running head or foot and the sheet's part
const std::string kBullet = reinterpret_cast<const char*>(u8"•");

struct TableGeometry {
  std::vector<int> columns;  // widths
  int width() const { return std::accumulate(columns.begin(), columns.end(), 0); }
};

class LayoutBuilder {
 public:
  LayoutBuilder(int width, const TextMetrics& metrics) : metrics_(metrics) {
    layout_.width = width;
  }

  SheetLayout Finish() {
    layout_.height = y_;
    if (layout_.breaks.empty() || layout_.breaks.back() != y_) layout_.breaks.push_back(y_);
    return std::move(layout_);
  }

  void Gap(int height) { y_ += height; }

  // A heading stays on the page of what follows it: no break right after it.
  void Heading(const std::string& gbk, TextStyle style, int gap_before) {
    y_ += gap_before;
    for (const std::string& line : Wrap(gbk, style, layout_.width)) PlaceLine(line, style, 0, 0);
  }

  void Lines(const std::string& gbk, TextStyle style, int indent = 0) {
    for (const std::string& line : Wrap(gbk, style, layout_.width - indent)) {
      PlaceLine(line, style, indent, 0);
      Break();
    }
  }

  void Section(const DocumentSection& section, PictureSize diagram) {
    Heading(section.heading, TextStyle::kHeading, kSectionGap);
    y_ += kBlockGap / 2;
    if (section.table) Table(*section.table, section.diagram_beside ? diagram : PictureSize{});
    if (section.paragraph) {
      const bool setting = section.paragraph->style == ParagraphStyle::kSetting;
      Lines(section.paragraph->text, setting ? TextStyle::kSetting : TextStyle::kBody);
    }
    for (const DocumentListItem& item : section.list) ListItem(item);
  }

 private:
  std::vector<std::string> Wrap(const std::string& gbk, TextStyle style, int width) const {
    std::vector<std::string> lines =
        rt::WrapText(rt::GbkToUtf8(gbk), std::max(width, 1),
                     [&](std::string_view text) { return metrics_.Width(text, style); });
    if (lines.empty()) lines.emplace_back();
    return lines;
  }

  // A text at the current height, which stays.
  const LayoutRect& Place(const std::string& utf8, TextStyle style, int x) {
    layout_.texts.push_back(
        {{x, y_, metrics_.Width(utf8, style), metrics_.LineHeight(style)}, utf8, style});
    return layout_.texts.back().place;
  }

  // A line of text; with a right edge, set right-aligned against it.
  void PlaceLine(const std::string& utf8, TextStyle style, int x, int right_edge) {
    if (right_edge > 0) x = right_edge - metrics_.Width(utf8, style);
    y_ += Place(utf8, style, x).height;
  }

  void Break() {
    if (y_ >= keep_until_) layout_.breaks.push_back(y_);
  }

  // A bullet, then the text, indented.
  void ListItem(const DocumentListItem& item) {
    Place(kBullet, TextStyle::kBody, 0);
    Lines(item.text, TextStyle::kBody, kListIndent);
  }

  // The table at the left; the diagram, when given, at the right beside it if both fit
  // side by side without wrapping the table, else below it.
  void Table(const DocumentTable& table, PictureSize diagram) {
    const forms::Rect fitted =
        forms::FitRectangle(kDiagramSide, kDiagramSide, diagram.width, diagram.height);
    const int figure_width = diagram.width > 0 ? fitted.width : 0;
    const int beside = figure_width > 0 ? figure_width + kDiagramGap : 0;
    const TableGeometry geometry = ColumnsOf(table, layout_.width);
    const bool fits_beside = beside > 0 && geometry.width() + beside <= layout_.width;
    const int top = y_;
    if (fits_beside) Diagram({layout_.width - figure_width, top, figure_width, fitted.height});
    Row(table.headings, {}, geometry, true, false);
    for (const DocumentRow& row : table.rows) Row({}, row.cells, geometry, false, row.marked);
    if (figure_width > 0 && !fits_beside) {
      y_ += kBlockGap;
      Diagram({0, y_, figure_width, fitted.height});
    }
    y_ = std::max(y_, keep_until_) + kBlockGap;
    Break();
  }

  // The diagram with its caption centred below it, on one page.
  void Diagram(const LayoutRect& place) {
    layout_.diagram = place;
    const std::string caption = rt::GbkToUtf8(kDiagramCaption);
    const int saved_y = y_;
    y_ = place.bottom();
    const int centred = place.x + (place.width - metrics_.Width(caption, TextStyle::kBody)) / 2;
    keep_until_ =
        std::max(keep_until_, place.bottom() + Place(caption, TextStyle::kBody, centred).height);
    y_ = saved_y;
  }

  int CellWidth(const std::string& gbk) const {
    return metrics_.Width(rt::GbkToUtf8(gbk), TextStyle::kBody) + 2 * kCellPadding;
  }

  // Each column as wide as its widest text; when the table is wider than the room, its
  // widest column gives way and its texts wrap.
  TableGeometry ColumnsOf(const DocumentTable& table, int room) const {
    TableGeometry geometry;
    for (const std::string& heading : table.headings)
      geometry.columns.push_back(CellWidth(heading));
    geometry.columns.resize(table.headings.size());
    for (const DocumentRow& row : table.rows) {
      for (size_t i = 0; i < row.cells.size() && i < geometry.columns.size(); ++i)
        geometry.columns[i] = std::max(geometry.columns[i], CellWidth(row.cells[i].text));
    }
    if (geometry.columns.empty()) return geometry;
    auto widest = std::max_element(geometry.columns.begin(), geometry.columns.end());
    const int excess = geometry.width() - room;
    if (excess > 0) *widest = std::max(kNarrowestColumn, *widest - excess);
    return geometry;
  }

  // One row of headings or of cells, its frames and shading, as one piece of a page.
  void Row(const std::vector<std::string>& headings, const std::vector<DocumentCell>& cells,
           const TableGeometry& geometry, bool heading, bool marked) {
    std::vector<std::vector<std::string>> texts;
    int lines = 1;
    for (size_t i = 0; i < geometry.columns.size(); ++i) {
      const std::string& text =
          heading ? headings[i] : (i < cells.size() ? cells[i].text : std::string());
      texts.push_back(Wrap(text, TextStyle::kBody, geometry.columns[i] - 2 * kCellPadding));
      lines = std::max(lines, static_cast<int>(texts.back().size()));
    }
    const int line_height = metrics_.LineHeight(TextStyle::kBody);
    const int height = lines * line_height + 2 * kCellPadding;
    const int top = y_;
    if (heading || marked)
      layout_.shades.push_back({{1, top + 1, geometry.width() - 1, height - 1},
                                heading ? Shade::kHeadingCell : Shade::kMarkedRow});
    int x = 0;
    for (size_t i = 0; i < geometry.columns.size(); ++i) {
      // Neighbouring frames share their edges.
      layout_.shades.push_back({{x, top, geometry.columns[i] + 1, height + 1}, Shade::kCellFrame});
      const bool number = !heading && i < cells.size() && cells[i].number;
      y_ = top + kCellPadding;
      for (const std::string& line : texts[i])
        PlaceLine(line, TextStyle::kBody, x + kCellPadding,
                  number ? x + geometry.columns[i] - kCellPadding : 0);
      x += geometry.columns[i];
    }
    y_ = top + height;
    if (!heading) Break();
  }

  const TextMetrics& metrics_;
  SheetLayout layout_;
  int y_ = 0;
  int keep_until_ = 0;  // no page ends above this height: the diagram stands there
};

}  // namespace

SheetLayout LayOutSheet(const SheetDocument& document, PictureSize diagram, int width,
                        const TextMetrics& metrics) {
  LayoutBuilder builder(width, metrics);
  builder.Heading(document.title, TextStyle::kTitle, 0);
  builder.Lines(document.time_line, TextStyle::kBody);
  for (const DocumentSection& section : document.sections) builder.Section(section, diagram);
  builder.Gap(kSectionGap);
  builder.Lines(document.note, TextStyle::kNote);
  return builder.Finish();
}

std::vector<PageSpan> SplitIntoPages(const SheetLayout& layout, int page_height) {
  std::vector<PageSpan> pages;
  const int height = std::max(page_height, 1);
  int top = 0;
  do {
    int bottom = top + height;
    auto last_fitting = std::upper_bound(layout.breaks.begin(), layout.breaks.end(), bottom);
    if (last_fitting != layout.breaks.begin() && *(last_fitting - 1) > top)
      bottom = *(last_fitting - 1);
    bottom = std::min(bottom, std::max(layout.height, top + 1));
    pages.push_back({top, bottom});
    top = bottom;
  } while (top < layout.height);
  return pages;
}

PaperLayout LayOutForPaper(const SheetDocument& document, PictureSize diagram, int printable_width,
                           int printable_height, const TextMetrics& metrics) {
  PaperLayout paper;
  paper.scale = kPaperScale;
  paper.margin = kPaperMargin;
  paper.printable_width = static_cast<int>(printable_width / kPaperScale);
  paper.printable_height = static_cast<int>(printable_height / kPaperScale);
  const int frame_band = metrics.LineHeight(TextStyle::kBody) + kFrameGap;
  paper.body_top = kPaperMargin + frame_band;
  const int width = paper.printable_width - 2 * kPaperMargin;
  const int height = paper.printable_height - 2 * paper.body_top;
  paper.layout = LayOutSheet(document, diagram, width, metrics);
  paper.pages = SplitIntoPages(paper.layout, height);
  return paper;
}

std::string PageNumberText(size_t page_number, size_t page_count) {
  return "第 " + std::to_string(page_number) + " 页 / 共 " + std::to_string(page_count) + " 页";
}

std::vector<PlacedText> PageFrame(const PaperLayout& paper, const std::string& title_gbk,
                                  size_t page_index, const TextMetrics& metrics) {
  const int line_height = metrics.LineHeight(TextStyle::kBody);
  auto placed = [&](const std::string& gbk, int y, bool centred) {
    const std::string utf8 = rt::GbkToUtf8(gbk);
    const int width = metrics.Width(utf8, TextStyle::kBody);
    const int x = centred ? (paper.printable_width - width) / 2 : paper.margin;
    return PlacedText{{x, y, width, line_height}, utf8, TextStyle::kBody};
  };
  const int foot_y = paper.printable_height - paper.margin - line_height;
  return {placed(title_gbk, paper.margin, false),
          placed(PageNumberText(page_index + 1, paper.pages.size()), foot_y, true)};
}

}  // namespace calc
