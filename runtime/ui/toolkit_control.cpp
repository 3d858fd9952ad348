#include "runtime/ui/toolkit_control.h"

#include <FL/Fl_Group.H>
#include <FL/Fl_Widget.H>

#include "runtime/ui/look.h"

namespace rt {

LiveControl::LiveControl(LoadedWindow& window, ControlState& state)
    : window_(&window), state_(&state) {}

LiveControl::~LiveControl() = default;

Fl_Group* LiveControl::GroupForChild(uint32_t) { return nullptr; }

std::optional<PropertyForm> LiveControl::FormOf(int) const { return std::nullopt; }

PropertyData LiveControl::ReadProperty(int) const { return {}; }

void LiveControl::WriteProperty(int, const PropertyData&) {}

std::string LiveControl::DisplayedText() const { return {}; }

HandlerResult LiveControl::Raise(int32_t event, const EventArgs& args) const {
  return RaiseEvent(window_->window_id, control_id(), event, args);
}

void LiveControl::ContainerOrigin(int* x, int* y) {
  *x = *y = 0;
  uint32_t container = record().container;
  if (container == 0) return;
  ControlState* state = FindControl(*window_, container);
  if (!state || !state->live || !state->live->widget()) return;
  *x = state->live->widget()->x();
  *y = state->live->widget()->y();
}

std::optional<ControlRect> LiveControl::CurrentRect() {
  Fl_Widget* w = widget();
  if (!w) return std::nullopt;
  int origin_x, origin_y;
  ContainerOrigin(&origin_x, &origin_y);
  return ControlRect{w->x() - origin_x, w->y() - origin_y, w->w(), w->h()};
}

void LiveControl::ApplyRect(const ControlRect& rect) {
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
std::optional<bool> LiveControl::CurrentlyVisible() {
  Fl_Widget* w = widget();
  if (!w) return std::nullopt;
  for (; w && !w->as_window(); w = w->parent()) {
    if (!w->visible()) return false;
  }
  return true;
}

void LiveControl::ApplyVisible(bool visible) {
  Fl_Widget* w = widget();
  if (!w) return;
  if (visible) {
    w->show();
  } else {
    w->hide();
  }
  RedrawArea(w);
}

void LiveControl::ApplyDisabled(bool disabled) {
  Fl_Widget* w = widget();
  if (!w) return;
  if (disabled) {
    w->deactivate();
  } else {
    w->activate();
  }
}

}  // namespace rt
