// A live control on the toolkit: the widget built from a control record. The very same
// widgets exist with and without a display; without one they are simply never shown.
#pragma once

#include <cstdint>

#include "runtime/core/live_control.h"

class Fl_Widget;
class Fl_Group;

namespace rt {

class ToolkitControl : public LiveControl {
 public:
  using LiveControl::LiveControl;

  // The widget on screen; null for types that are never visible (timer, balloon tip).
  virtual Fl_Widget* widget() = 0;
  // The group into which a contained control's widget goes; for a control with pages,
  // the group of the page that lists the child.
  virtual Fl_Group* GroupForChild(uint32_t child_id);
  // Called once the window and all its controls exist and are placed, and the window is
  // on the screen when there is one.
  virtual void AfterCreation() {}

  // The defaults work on widget(); controls without a widget keep only their stored values.
  std::optional<ControlRect> CurrentRect() override;
  void ApplyRect(const ControlRect& rect) override;
  std::optional<bool> CurrentlyVisible() override;
  void ApplyVisible(bool visible) override;
  std::optional<bool> CurrentlyDisabled() override;
  void ApplyDisabled(bool disabled) override;
  // Where the container's client area starts, in the window's coordinates.
  void ContainerOrigin(int* x, int* y);
};

// Every live control of the user-interface layer is a toolkit control; null when the
// record has no live control.
ToolkitControl* ToolkitOf(const ControlState& control);
// The live control's widget; null when it has none.
Fl_Widget* WidgetOf(const ControlState& control);

}  // namespace rt
