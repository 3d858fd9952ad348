#include "runtime/ui/loop/window_builder.h"

#include <FL/Fl_Group.H>
#include <FL/Fl_Window.H>

#include "runtime/core/frame.h"
#include "runtime/ui/controls/control_factory.h"
#include "runtime/ui/controls/window_control.h"
#include "runtime/ui/loop/toolkit_state.h"

namespace rt {
namespace {

std::vector<LoadedWindow*>& ClosedWindows() { return Toolkit().closed_windows; }

bool IsNeverVisible(uint32_t type_code) {
  return type_code == forms::kTimerType || type_code == forms::kBalloonTipType;
}

void DestroyControls(LoadedWindow& window) {
  // Children before the window: the window's widget takes every child widget with it.
  for (auto it = window.controls.rbegin(); it != window.controls.rend(); ++it) it->live.reset();
  window.live = false;
}

// Creates the window from record 0, then the controls from the last record down to the
// first, each a direct child of the window at its stored place.
bool CreateControls(LoadedWindow& window) {
  ControlState& own = window.controls[0];
  if (own.record.type_code != forms::kWindowType) return false;
  own.live = CreateLiveControl(window, own);
  if (!own.live) return false;
  auto* top = static_cast<Fl_Group*>(WidgetOf(own));
  for (size_t i = window.controls.size() - 1; i >= 1; --i) {
    ControlState& control = window.controls[i];
    if (control.record.menu_item) continue;
    control.live = CreateLiveControl(window, control);
    if (!control.live) return false;
    if (Fl_Widget* w = WidgetOf(control)) top->add(w);
  }
  return true;
}

// Moves each control into its container: its place now counts from the container's
// client area. Controls created later went in first, so within a container an earlier
// record lies above a later one.
void PlaceInContainers(LoadedWindow& window) {
  for (size_t i = window.controls.size() - 1; i >= 1; --i) {
    ControlState& control = window.controls[i];
    Fl_Widget* w = WidgetOf(control);
    if (!w || control.record.container == 0) continue;
    ControlState* container = FindControl(window, control.record.container);
    Fl_Widget* origin = container ? WidgetOf(*container) : nullptr;
    if (!origin) continue;
    Fl_Group* group = ToolkitOf(*container)->GroupForChild(control.record.control_id);
    if (!group) continue;
    w->position(origin->x() + control.record.left, origin->y() + control.record.top);
    group->add(w);
  }
}

void ApplyFlags(LoadedWindow& window) {
  for (size_t i = 1; i < window.controls.size(); ++i) {
    ControlState& control = window.controls[i];
    Fl_Widget* w = WidgetOf(control);
    if (!w) continue;
    const uint32_t flags = control.record.flags;
    if (flags & forms::kDisabled) w->deactivate();
    if (!(flags & forms::kVisible) && !IsNeverVisible(control.record.type_code)) w->hide();
  }
}

}  // namespace

bool ShowLoadedWindow(LoadedWindow& window) {
  if (window.live) {
    static_cast<WindowControl&>(*window.controls[0].live).ShowOnScreen();
    return true;
  }
  if (window.controls.empty()) return false;
  // A fresh copy of the loaded records: changes made at run time never reach the template.
  for (size_t i = 0; i < window.controls.size(); ++i)
    window.controls[i].record = window.entry->records[i];
  if (!CreateControls(window)) {
    DestroyControls(window);
    return false;
  }
  PlaceInContainers(window);
  ApplyFlags(window);
  window.live = true;
  // On screen first: without a window manager the toolkit maps a window that is given
  // the focus at once, wherever it stands.
  if (CurrentDisplayMode() == DisplayMode::kOnScreen)
    static_cast<WindowControl&>(*window.controls[0].live).ShowOnScreen();
  for (ControlState& control : window.controls) {
    if (ToolkitControl* live = ToolkitOf(control)) live->AfterCreation();
  }
  RaiseEvent(window.window_id, window.controls[0].record.control_id, 0);
  return true;
}

void CloseLiveWindow(LoadedWindow& window) {
  if (!window.live) return;
  if (Fl_Widget* w = WidgetOf(window.controls[0])) w->hide();
  ClosedWindows().push_back(&window);
}

bool DestroyClosedWindows() {
  std::vector<LoadedWindow*> closed;
  closed.swap(ClosedWindows());
  for (LoadedWindow* window : closed) {
    if (window->live) DestroyControls(*window);
  }
  return !closed.empty() && !AnyLiveWindow();
}

bool AnyLiveWindow() {
  for (const LoadedWindow& window : LoadedWindows()) {
    if (window.live) return true;
  }
  return false;
}

}  // namespace rt
