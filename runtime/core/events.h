// Raising events: a control's event number leads through the bindings stored in the
// window template to one of the program's handlers.
#pragma once

#include <cstdint>
#include <optional>

namespace rt {

// Arguments of an event, each one 32-bit word: mouse events carry x, y and the key-state
// flags, key events the key code and the flags, character input the character code.
struct EventArgs {
  int count = 0;
  int32_t values[3] = {0, 0, 0};
};

// Key-state flags of mouse and key events.
enum KeyState : int32_t { kCtrlHeld = 1, kShiftHeld = 2, kAltHeld = 4 };

// A handler's answer: none leaves the control's default processing alone; for mouse, key
// and page-change events 0 (logical false) stops it; for character input the value
// replaces the typed character, 0 swallowing it.
using HandlerResult = std::optional<int32_t>;
using Handler = HandlerResult (*)(const EventArgs& args);

// Event numbers shared by every windowed control.
enum CommonEvent : int32_t {
  kLeftButtonDown = -1,
  kLeftButtonUp = -2,
  kDoubleClick = -3,
  kRightButtonDown = -4,
  kRightButtonUp = -5,
  kMouseMoved = -6,
  kGotFocus = -7,
  kLostFocus = -8,
  kKeyDown = -9,
  kKeyUp = -10,
  kCharacter = -11,
  kMouseWheel = -12,
};

// Finds the window and the control's record (reporting "未找到引发事件的窗口",
// "未找到引发事件的窗口组件" or "引发事件的窗口组件无效"), follows the event-owner link,
// and calls the handler bound to `event`, if any, unless events are suppressed.
HandlerResult RaiseEvent(uint32_t window_id, uint32_t control_id, int32_t event,
                         const EventArgs& args = {});

// Whether raising `event` would reach a handler: the window and the control exist and the
// control, or the control whose bindings it uses, binds the event.
bool HandlerBound(uint32_t window_id, uint32_t control_id, int32_t event);

// Window and control of the event whose handler is running; both 0 outside a handler.
struct EventSource {
  uint32_t window_id = 0;
  uint32_t control_id = 0;
};
EventSource CurrentEventSource();

}  // namespace rt
