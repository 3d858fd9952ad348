// The sheet laid out on a surface and cut into pages, with texts measured by a stand-in for
// the toolkit's fonts: what fits where, what wraps, and where pages may end.
#include "calc/sheet/sheet_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace calc {
namespace {

// ASCII 6 units wide, everything else 12 (the CJK characters); lines of 16.
class FixedMetrics : public TextMetrics {
 public:
  int Width(std::string_view utf8, TextStyle) const override {
    int width = 0;
    for (unsigned char c : utf8) {
      if (c < 0x80)
        width += 6;
      else if (c >= 0xC0)
        width += 12;  // the first byte of a character
    }
    return width;
  }
  int LineHeight(TextStyle) const override { return 16; }
};

DocumentTable FaultTable(int rows, int marked) {
  DocumentTable table{{"故障数 F", "过电压倍数 V(F)", "信号 S(F)（V）", "动作", "标记"}, {}};
  for (int f = 0; f < rows; ++f)
    table.rows.push_back({{{std::to_string(f), true},
                           {"1.0345", true},
                           {"10.345", true},
                           {"否", false},
                           {"", false}},
                          f == marked});
  return table;
}

SheetDocument Document(int fault_rows) {
  SheetDocument document{"计算书：开口三角电压计算（外熔丝）",
                         "计算时间：2026-12-08 15:30:05",
                         {},
                         "注：仅作为参考。"};
  DocumentTable inputs{{"参数", "符号", "输入文本", "存储值", "单位"}, {}};
  for (int i = 0; i < 7; ++i)
    inputs.rows.push_back({{{"电容器额定电压"}, {"UN"}, {"6.35"}, {"6.3499999", true}, {"kV"}}});
  document.sections.push_back({"输入参数", inputs, true, {}, {}});
  document.sections.push_back({"故障表", FaultTable(fault_rows, 2), false, {}, {}});
  document.sections.push_back(
      {"提示", {}, false, {}, {{"首次动作的行在 F = K 之前：保护在允许的故障数之前已动作。"}}});
  return document;
}

const PlacedText* TextAt(const SheetLayout& layout, const std::string& utf8) {
  auto found = std::find_if(layout.texts.begin(), layout.texts.end(),
                            [&](const PlacedText& text) { return text.utf8 == utf8; });
  return found == layout.texts.end() ? nullptr : &*found;
}

TEST(SheetLayoutTest, TablesWithTheirMarksAndNumbersSetRight) {
  const SheetLayout layout = LayOutSheet(Document(5), {480, 577}, 700, FixedMetrics());
  EXPECT_EQ(std::count_if(layout.shades.begin(), layout.shades.end(),
                          [](const PlacedShade& s) { return s.shade == Shade::kMarkedRow; }),
            1);
  // A number ends at its cell's right padding; the five-column table's cells share edges.
  const PlacedText* number = TextAt(layout, "6.3499999");
  ASSERT_NE(number, nullptr);
  const auto frame =
      std::find_if(layout.shades.begin(), layout.shades.end(), [&](const PlacedShade& s) {
        return s.shade == Shade::kCellFrame && s.place.x < number->place.x &&
               s.place.x + s.place.width > number->place.x && s.place.y <= number->place.y &&
               s.place.bottom() > number->place.y;
      });
  ASSERT_NE(frame, layout.shades.end());
  EXPECT_EQ(number->place.x + number->place.width, frame->place.x + frame->place.width - 1 - 4);
  EXPECT_EQ(layout.breaks.back(), layout.height);
  EXPECT_TRUE(std::is_sorted(layout.breaks.begin(), layout.breaks.end()));
}

// The diagram stands right of the inputs where both fit, else below them; no page ends
// beside it.
TEST(SheetLayoutTest, TheDiagramBesideOrBelowTheInputs) {
  const SheetLayout wide = LayOutSheet(Document(5), {480, 577}, 700, FixedMetrics());
  EXPECT_EQ(wide.diagram.x + wide.diagram.width, 700);
  EXPECT_EQ(wide.diagram.height, 180) << "fitted into its square, aspect kept";
  EXPECT_EQ(wide.diagram.width, 480 * 180 / 577);
  for (int at : wide.breaks)
    EXPECT_FALSE(at > wide.diagram.y && at < wide.diagram.bottom() + 16) << at;

  const SheetLayout narrow = LayOutSheet(Document(5), {480, 577}, 400, FixedMetrics());
  EXPECT_EQ(narrow.diagram.x, 0);
  EXPECT_GT(narrow.diagram.y, TextAt(narrow, "kV")->place.y);
}

// Nothing reaches past the width: a text too long for its line or its column wraps.
TEST(SheetLayoutTest, TextsWrapWithinTheWidth) {
  for (int width : {260, 400, 700}) {
    const SheetLayout layout = LayOutSheet(Document(5), {}, width, FixedMetrics());
    for (const PlacedText& text : layout.texts)
      EXPECT_LE(text.place.x + text.place.width, width) << text.utf8 << " at width " << width;
    EXPECT_EQ(layout.diagram, LayoutRect{}) << "no diagram, no room kept for one";
  }
}

TEST(SheetLayoutTest, PagesEndAtBreaksAndCoverTheWhole) {
  SheetLayout layout;
  layout.height = 100;
  layout.breaks = {20, 30, 70, 100};
  EXPECT_EQ(SplitIntoPages(layout, 100), (std::vector<PageSpan>{{0, 100}}));
  EXPECT_EQ(SplitIntoPages(layout, 50), (std::vector<PageSpan>{{0, 30}, {30, 70}, {70, 100}}));
  // A piece taller than a page is cut where the page ends.
  EXPECT_EQ(SplitIntoPages(layout, 25),
            (std::vector<PageSpan>{{0, 20}, {20, 30}, {30, 55}, {55, 70}, {70, 95}, {95, 100}}));
  EXPECT_EQ(SplitIntoPages(SheetLayout{}, 50), (std::vector<PageSpan>{{0, 1}}))
      << "an empty sheet, one page";
}

// On A4 the worked check's sheet takes one page; the largest table several, each ending
// between two rows, with the heading of the table never alone at a page's foot.
TEST(SheetLayoutTest, PaperPages) {
  EXPECT_EQ(LayOutForPaper(Document(5), {480, 577}, 559, 806, FixedMetrics()).pages.size(), 1u);
  const PaperLayout large = LayOutForPaper(Document(100), {480, 577}, 559, 806, FixedMetrics());
  ASSERT_GT(large.pages.size(), 1u);
  const int page_height = static_cast<int>(806 / large.scale) - 2 * large.margin;
  const PlacedText* heading = TextAt(large.layout, reinterpret_cast<const char*>(u8"故障表"));
  ASSERT_NE(heading, nullptr);
  const int heading_y = heading->place.y;
  for (const PageSpan& page : large.pages) {
    EXPECT_LE(page.bottom - page.top, page_height);
    EXPECT_TRUE(
        std::binary_search(large.layout.breaks.begin(), large.layout.breaks.end(), page.bottom));
    EXPECT_FALSE(page.bottom > heading_y && page.bottom <= heading_y + 16 + 3)
        << "the heading stays with its table";
  }
  EXPECT_EQ(large.pages.back().bottom, large.layout.height);
}

// Every page: the title above the sheet's part, its number centred below, both inside the
// printable area and clear of the part, whose tallest page still fits between them.
TEST(SheetLayoutTest, RunningHeadAndFoot) {
  const PaperLayout paper = LayOutForPaper(Document(100), {480, 577}, 559, 806, FixedMetrics());
  const size_t count = paper.pages.size();
  int tallest = 0;
  for (const PageSpan& page : paper.pages) tallest = std::max(tallest, page.bottom - page.top);
  const std::vector<PlacedText> frame =
      PageFrame(paper, "计算书：开口三角电压计算", count - 1, FixedMetrics());
  ASSERT_EQ(frame.size(), 2u);
  const PlacedText &head = frame[0], &foot = frame[1];
  EXPECT_EQ(head.utf8, reinterpret_cast<const char*>(u8"计算书：开口三角电压计算"));
  EXPECT_EQ(foot.utf8, reinterpret_cast<const char*>(u8"第 ") + std::to_string(count) +
                           reinterpret_cast<const char*>(u8" 页 / 共 ") + std::to_string(count) +
                           reinterpret_cast<const char*>(u8" 页"));
  EXPECT_EQ(head.place.x, paper.margin);
  EXPECT_EQ(foot.place.x + foot.place.width / 2, paper.printable_width / 2);
  EXPECT_LE(head.place.bottom(), paper.body_top);
  EXPECT_LE(paper.body_top + tallest, foot.place.y);
  EXPECT_LE(foot.place.bottom(), paper.printable_height - paper.margin);
  EXPECT_EQ(PageNumberText(2, 12), "第 2 页 / 共 12 页");
}

}  // namespace
}  // namespace calc
