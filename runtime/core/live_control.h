// A live control as the core knows it: what a control record becomes once its window has
// been created, with the control type's own properties, its live geometry and what a user
// does with it. The user-interface layer builds the live controls; the core holds them in
// the loaded windows and reaches them only through this interface.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/core/events.h"
#include "runtime/core/loaded_windows.h"

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
  std::string text;  // GBK
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

  // The live geometry, visibility and state behind the common properties. A control that
  // shows nothing has none: nullopt, and applying changes nothing but the stored values.
  virtual std::optional<ControlRect> CurrentRect() { return std::nullopt; }
  virtual void ApplyRect(const ControlRect&) {}
  virtual std::optional<bool> CurrentlyVisible() { return std::nullopt; }
  virtual void ApplyVisible(bool) {}
  virtual std::optional<bool> CurrentlyDisabled() { return std::nullopt; }
  virtual void ApplyDisabled(bool) {}

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
