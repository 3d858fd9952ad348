#include "calc/sheet_window/sheet_view.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>

#include "calc/sheet_window/sheet_painter.h"

namespace calc {
namespace {

constexpr int kMargin = 16;
constexpr int kScrollbarWidth = 16;
constexpr int kWheelStep = 48;
constexpr int kArrowStep = 16;

}  // namespace

SheetView::SheetView(int x, int y, int w, int h)
    : Fl_Group(x, y, w, h), bar_(x + w - kScrollbarWidth, y, kScrollbarWidth, h) {
  end();
  box(FL_DOWN_BOX);
  color(FL_WHITE);
  bar_.type(FL_VERTICAL);
  bar_.callback(&SheetView::Scrolled, this);
  resizable(nullptr);
  SheetView::resize(x, y, w, h);
}

void SheetView::Show(SheetDocument document, std::optional<forms::Image> diagram) {
  top_ = 0;
  Replace(std::move(document), std::move(diagram));
}

void SheetView::Replace(SheetDocument document, std::optional<forms::Image> diagram) {
  document_ = std::move(document);
  diagram_ = std::move(diagram);
  LayOut();
}

void SheetView::resize(int x, int y, int w, int h) {
  Fl_Widget::resize(x, y, w, h);
  bar_.resize(x + w - kScrollbarWidth - Fl::box_dx(box()), y + Fl::box_dy(box()), kScrollbarWidth,
              h - Fl::box_dh(box()));
  LayOut();
}

// The room left of the scroll bar, inside the margins.
void SheetView::LayOut() {
  const int width = std::max(1, w() - Fl::box_dw(box()) - kScrollbarWidth - 2 * kMargin);
  const PictureSize picture =
      diagram_ ? PictureSize{diagram_->width, diagram_->height} : PictureSize{};
  layout_ = LayOutSheet(document_, picture, width, ToolkitTextMetrics());
  diagram_image_ = DiagramImage(diagram_, layout_.diagram);
  ScrollTo(top_);
}

int SheetView::VisibleHeight() const { return std::max(1, h() - Fl::box_dh(box()) - 2 * kMargin); }

void SheetView::ScrollTo(int top) {
  const int most = std::max(0, layout_.height - VisibleHeight());
  top_ = std::clamp(top, 0, most);
  bar_.value(top_, VisibleHeight(), 0, std::max(layout_.height, VisibleHeight()));
  bar_.linesize(kArrowStep);
  redraw();
}

void SheetView::Scrolled(Fl_Widget* bar, void* view) {
  static_cast<SheetView*>(view)->ScrollTo(static_cast<Fl_Scrollbar*>(bar)->value());
}

bool SheetView::ScrollByKey(int key) {
  const int page = std::max(kArrowStep, VisibleHeight() - kWheelStep);
  switch (key) {
    case FL_Page_Down: ScrollTo(top_ + page); return true;
    case FL_Page_Up: ScrollTo(top_ - page); return true;
    case FL_Home: ScrollTo(0); return true;
    case FL_End: ScrollTo(layout_.height); return true;
    case FL_Down: ScrollTo(top_ + kArrowStep); return true;
    case FL_Up: ScrollTo(top_ - kArrowStep); return true;
    default: return false;
  }
}

// The page keys, Home and End scroll wherever the focus is; the arrows while the sheet
// has it.
int SheetView::handle(int event) {
  switch (event) {
    case FL_MOUSEWHEEL: ScrollTo(top_ + Fl::event_dy() * kWheelStep); return 1;
    case FL_PUSH:
      if (Fl::event_x() < bar_.x()) {
        take_focus();
        return 1;
      }
      break;
    case FL_FOCUS:
    case FL_UNFOCUS: return 1;
    case FL_KEYBOARD:
      if (ScrollByKey(Fl::event_key())) return 1;
      break;
    case FL_SHORTCUT: {
      const int key = Fl::event_key();
      const bool page_key =
          key == FL_Page_Down || key == FL_Page_Up || key == FL_Home || key == FL_End;
      if (page_key && ScrollByKey(key)) return 1;
      break;
    }
    default: break;
  }
  return Fl_Group::handle(event);
}

void SheetView::draw() {
  if (damage() & ~FL_DAMAGE_CHILD) {
    draw_box();
    const int left = x() + Fl::box_dx(box()) + kMargin;
    const int top = y() + Fl::box_dy(box()) + kMargin;
    PaintSheet(layout_, diagram_image_, left, top, {top_, top_ + VisibleHeight()});
    draw_child(bar_);
  } else {
    update_child(bar_);
  }
}

}  // namespace calc
