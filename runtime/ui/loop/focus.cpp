#include "runtime/ui/loop/focus.h"

#include <FL/Fl.H>
#include <FL/Fl_Widget.H>

#include <algorithm>
#include <memory>
#include <vector>

#include "runtime/core/frame.h"
#include "runtime/core/loaded_windows.h"
#include "runtime/ui/controls/toolkit_control.h"
#include "runtime/ui/loop/toolkit_state.h"

namespace rt {
namespace {

bool OnScreen() { return CurrentDisplayMode() == DisplayMode::kOnScreen; }

// Without a display the toolkit's own focus cannot be used (it asks the display server
// about the window), so the runtime keeps track of the holder and tells the widgets.
std::unique_ptr<Fl_Widget_Tracker>& HeadlessHolder() { return Toolkit().headless_focus; }

Fl_Widget* HeadlessFocus() {
  std::unique_ptr<Fl_Widget_Tracker>& holder = HeadlessHolder();
  return holder ? holder->widget() : nullptr;
}

void LoseHeadlessFocus() {
  Fl_Widget* previous = HeadlessFocus();
  HeadlessHolder().reset();
  if (previous) previous->handle(FL_UNFOCUS);
}

// The widgets the Tab key stops on, in the order it visits them.
std::vector<Fl_Widget*> TabStops(LoadedWindow& window) {
  std::vector<const ControlState*> stops;
  for (size_t i = 1; i < window.controls.size(); ++i) {
    const ControlState& control = window.controls[i];
    if (!(control.record.flags & forms::kTabStop)) continue;
    const Fl_Widget* w = WidgetOf(control);
    if (w && w->visible_r() && w->active_r()) stops.push_back(&control);
  }
  std::stable_sort(stops.begin(), stops.end(), [](const ControlState* a, const ControlState* b) {
    return a->record.tab_order < b->record.tab_order;
  });
  std::vector<Fl_Widget*> widgets;
  for (const ControlState* control : stops) widgets.push_back(WidgetOf(*control));
  return widgets;
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

void MoveFocusByTab(LoadedWindow& window, bool backwards) {
  std::vector<Fl_Widget*> stops = TabStops(window);
  const int count = static_cast<int>(stops.size());
  auto holder = std::find_if(stops.begin(), stops.end(),
                             [](Fl_Widget* w) { return w->contains(FocusedWidget()); });
  int current =
      holder == stops.end() ? (backwards ? 0 : -1) : static_cast<int>(holder - stops.begin());
  for (int step = 1; step <= count; ++step) {
    int next = ((current + (backwards ? -step : step)) % count + count) % count;
    if (GiveFocus(stops[static_cast<size_t>(next)])) return;
  }
}

}  // namespace rt
