#include "runtime/ui/tips/tip_window.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cmath>

#include "runtime/core/text_wrap.h"
#include "runtime/platform/gbk.h"
#include "runtime/ui/controls/look.h"
#include "runtime/ui/system/window_shape.h"

namespace rt {
namespace {

// The hints run to some sixty characters: a few lines of about 25 characters read best.
constexpr int kWrapWidth = 300;
constexpr int kPaddingX = 8;
constexpr int kPaddingY = 5;

// The usual tooltip colours: black on pale yellow in a thin dark outline.
Fl_Color BalloonColour() { return fl_rgb_color(255, 255, 225); }
Fl_Color OutlineColour() { return fl_rgb_color(96, 96, 96); }

void UseTipFont() {
  ToolkitFont font = ToToolkitFont(std::nullopt);
  fl_font(font.face, font.size);
}

int WidthInTipFont(std::string_view utf8) {
  return static_cast<int>(std::ceil(fl_width(utf8.data(), static_cast<int>(utf8.size()))));
}

}  // namespace

TipWindow::TipWindow() : Fl_Menu_Window(1, 1) {
  set_override();
  set_tooltip_window();
  clear_overlay();  // the ordinary planes, which the shape applies to
  end();
}

void TipWindow::ShowAt(const std::string& gbk_text, TipPoint pointer) {
  UseTipFont();
  lines_ = WrapText(GbkToUtf8(gbk_text), kWrapWidth, WidthInTipFont);
  int text_width = 0;
  for (const std::string& line : lines_) text_width = std::max(text_width, WidthInTipFont(line));
  int text_height = static_cast<int>(lines_.size()) * fl_height();
  TipBox screen;
  Fl::screen_xywh(screen.x, screen.y, screen.width, screen.height, pointer.x, pointer.y);
  balloon_ = PlaceBalloon(text_width + 2 * kPaddingX, text_height + 2 * kPaddingY, pointer, screen);
  resize(balloon_.window.x, balloon_.window.y, balloon_.window.width, balloon_.window.height);
  show();
  CutToRows(*this, balloon_.rows);
}

void TipWindow::draw() {
  fl_color(FL_BACKGROUND_COLOR);
  fl_rectf(0, 0, w(), h());
  for (int y = 0; y < static_cast<int>(balloon_.rows.size()); ++y) {
    const Span& row = balloon_.rows[static_cast<size_t>(y)];
    fl_color(BalloonColour());
    fl_xyline(row.left, y, row.right - 1);
    fl_color(OutlineColour());
    for (const Span& run : OutlineRuns(balloon_.rows, y)) fl_xyline(run.left, y, run.right - 1);
  }
  fl_color(FL_BLACK);
  UseTipFont();
  const int line_height = fl_height();
  int baseline = balloon_.body.y + kPaddingY + line_height - fl_descent();
  for (const std::string& line : lines_) {
    fl_draw(line.c_str(), balloon_.body.x + kPaddingX, baseline);
    baseline += line_height;
  }
}

}  // namespace rt
