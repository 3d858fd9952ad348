#include "runtime/ui/controls/toolkit_control.h"

#include <FL/Fl_Group.H>
#include <FL/Fl_Widget.H>

#include "runtime/ui/controls/look.h"

namespace rt {

ToolkitControl* ToolkitOf(const ControlState& control) {
  return static_cast<ToolkitControl*>(control.live.get());
}

Fl_Widget* WidgetOf(const ControlState& control) {
  ToolkitControl* live = ToolkitOf(control);
  return live ? live->widget() : nullptr;
}

Fl_Group* ToolkitControl::GroupForChild(uint32_t) { return nullptr; }

void ToolkitControl::ContainerOrigin(int* x, int* y) {
  *x = *y = 0;
  uint32_t container = record().container;
  if (container == 0) return;
  ControlState* state = FindControl(window(), container);
  Fl_Widget* origin = state ? WidgetOf(*state) : nullptr;
  if (!origin) return;
  *x = origin->x();
  *y = origin->y();
}

std::optional<ControlRect> ToolkitControl::CurrentRect() {
  Fl_Widget* w = widget();
  if (!w) return std::nullopt;
  int origin_x, origin_y;
  ContainerOrigin(&origin_x, &origin_y);
  return ControlRect{w->x() - origin_x, w->y() - origin_y, w->w(), w->h()};
}

void ToolkitControl::ApplyRect(const ControlRect& rect) {
  Fl_Widget* w = widget();
  if (!w) return;
  int origin_x, origin_y;
  ContainerOrigin(&origin_x, &origin_y);
  RedrawArea(w);  // the place it leaves
  w->resize(origin_x + rect.left, origin_y + rect.top, rect.width, rect.height);
  RedrawArea(w);
}

// Visible when it and every container up to the window are: a control on a page that is
// not selected is not visible, whatever its own flag says.
std::optional<bool> ToolkitControl::CurrentlyVisible() {
  Fl_Widget* w = widget();
  if (!w) return std::nullopt;
  for (; w && !w->as_window(); w = w->parent()) {
    if (!w->visible()) return false;
  }
  return true;
}

void ToolkitControl::ApplyVisible(bool visible) {
  Fl_Widget* w = widget();
  if (!w) return;
  if (visible) {
    w->show();
  } else {
    w->hide();
  }
  RedrawArea(w);
}

std::optional<bool> ToolkitControl::CurrentlyDisabled() {
  Fl_Widget* w = widget();
  if (!w) return std::nullopt;
  return !w->active();
}

void ToolkitControl::ApplyDisabled(bool disabled) {
  Fl_Widget* w = widget();
  if (!w) return;
  if (disabled) {
    w->deactivate();
  } else {
    w->activate();
  }
}

}  // namespace rt
