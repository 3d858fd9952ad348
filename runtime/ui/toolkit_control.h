// A live control: the toolkit widget built from a control record, with the control type's
// own properties. The very same widgets exist with and without a display; without one
// they are simply never shown.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/core/events.h"
#include "runtime/core/loaded_windows.h"

class Fl_Widget;
class Fl_Group;

namespace rt {

// How a type-specific property's value crosses the property access.
enum class PropertyForm {
  kInteger,  // the 32-bit word
  kColour,   // the 32-bit word, 0x00BBGGRR
  kLogical,  // 0 or 1; a read is true only for the stored value 1
  kChoice,   // the 32-bit word; a negative written value becomes 0
  kText,     // a text; null written counts as empty, a read returns a new block
  kBytes,    // a byte array
  kLong,     // both data words
};

struct PropertyData {
  int64_t number = 0;
  std::string text;             // GBK
  std::vector<uint8_t> bytes;
};

// Left and top relative to the container's client area, width and height in pixels.
struct ControlRect {
  int left = 0, top = 0, width = 0, height = 0;
};

class LiveControl {
 public:
  LiveControl(LoadedWindow& window, ControlState& state);
  virtual ~LiveControl();
  LiveControl(const LiveControl&) = delete;
  LiveControl& operator=(const LiveControl&) = delete;

  LoadedWindow& window() const { return *window_; }
  const forms::ControlRecord& record() const { return state_->record; }
  forms::ControlRecord& record() { return state_->record; }
  uint32_t control_id() const { return state_->record.control_id; }

  // The widget on screen; null for types that are never visible (timer, balloon tip).
  virtual Fl_Widget* widget() = 0;
  // The group into which a contained control's widget goes; for a control with pages,
  // the group of the page that lists the child.
  virtual Fl_Group* GroupForChild(uint32_t child_id);
  // Called once the window and all its controls exist and are placed, and the window is
  // on the screen when there is one.
  virtual void AfterCreation() {}

  // The live geometry and visibility behind the common properties. The defaults work on
  // widget(); controls without a widget keep only their stored values.
  virtual std::optional<ControlRect> CurrentRect();
  virtual void ApplyRect(const ControlRect& rect);
  virtual std::optional<bool> CurrentlyVisible();
  virtual void ApplyVisible(bool visible);
  virtual void ApplyDisabled(bool disabled);
  // Where the container's client area starts, in the window's coordinates.
  void ContainerOrigin(int* x, int* y);

  // Type-specific properties, indexed from 0 (PropertyIndex - 8); nullopt: no such property.
  virtual std::optional<PropertyForm> FormOf(int index) const;
  virtual PropertyData ReadProperty(int index) const;
  virtual void WriteProperty(int index, const PropertyData& value);

  // Whether the control holds its picture decoded; pictures are decoded when the control
  // first paints, so a hidden control never decodes its own.
  virtual bool HoldsDecodedPicture() const { return false; }

  // The text a user sees on the control: an edit box's content, a caption, the combo
  // box's text field. Empty for controls without one.
  virtual std::string DisplayedText() const;

  // What a user does with the control, through the same paths as the mouse and the
  // keyboard; false when the control has no such action.
  virtual bool UserClick() { return false; }
  virtual bool UserPickItem(int) { return false; }
  virtual bool UserSelectPage(int) { return false; }

  // Raises an event of this control through its bindings.
  HandlerResult Raise(int32_t event, const EventArgs& args = {}) const;

 private:
  LoadedWindow* window_;
  ControlState* state_;
};

}  // namespace rt
