#include "runtime/controls/focus.h"

#include <FL/Fl.H>
#include <FL/Fl_Widget.H>

#include <memory>

#include "runtime/frame.h"

namespace rt {
namespace {

bool OnScreen() { return CurrentDisplayMode() == DisplayMode::kOnScreen; }

// Without a display the toolkit's own focus cannot be used (it asks the display server
// about the window), so the runtime keeps track of the holder and tells the widgets.
std::unique_ptr<Fl_Widget_Tracker>& HeadlessHolder() {
  static std::unique_ptr<Fl_Widget_Tracker> holder;
  return holder;
}

Fl_Widget* HeadlessFocus() {
  std::unique_ptr<Fl_Widget_Tracker>& holder = HeadlessHolder();
  return holder ? holder->widget() : nullptr;
}

void LoseHeadlessFocus() {
  Fl_Widget* previous = HeadlessFocus();
  HeadlessHolder().reset();
  if (previous) previous->handle(FL_UNFOCUS);
}

}  // namespace

bool GiveFocus(Fl_Widget* widget) {
  if (OnScreen()) return widget->take_focus();
  if (HeadlessFocus() == widget) return true;
  if (!widget->visible_focus() || !widget->active_r()) return false;
  if (!widget->handle(FL_FOCUS)) return false;
  LoseHeadlessFocus();
  HeadlessHolder() = std::make_unique<Fl_Widget_Tracker>(widget);
  return true;
}

void ClearFocus() {
  if (OnScreen()) {
    Fl::focus(nullptr);
  } else {
    LoseHeadlessFocus();
  }
}

Fl_Widget* FocusedWidget() { return OnScreen() ? Fl::focus() : HeadlessFocus(); }

}  // namespace rt
