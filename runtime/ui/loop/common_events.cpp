#include "runtime/ui/loop/common_events.h"

#include <FL/Fl.H>
#include <FL/Fl_Widget.H>

#include <string>

#include "runtime/platform/gbk.h"
#include "runtime/ui/controls/toolkit_control.h"
#include "runtime/ui/loop/toolkit_state.h"

namespace rt {
namespace {

struct KeyMapping {
  int fl_key;
  int virtual_key;
};

constexpr KeyMapping kKeys[] = {
    {FL_BackSpace, 0x08}, {FL_Tab, 0x09},     {FL_Enter, 0x0D},     {FL_KP_Enter, 0x0D},
    {FL_Shift_L, 0x10},   {FL_Shift_R, 0x10}, {FL_Control_L, 0x11}, {FL_Control_R, 0x11},
    {FL_Alt_L, 0x12},     {FL_Alt_R, 0x12},   {FL_Pause, 0x13},     {FL_Caps_Lock, 0x14},
    {FL_Escape, 0x1B},    {FL_Page_Up, 0x21}, {FL_Page_Down, 0x22}, {FL_End, 0x23},
    {FL_Home, 0x24},      {FL_Left, 0x25},    {FL_Up, 0x26},        {FL_Right, 0x27},
    {FL_Down, 0x28},      {FL_Insert, 0x2D},  {FL_Delete, 0x2E},    {' ', 0x20},
    {'-', 0xBD},          {'.', 0xBE},        {',', 0xBC},          {'/', 0xBF},
    {';', 0xBA},          {'=', 0xBB},        {'[', 0xDB},          {']', 0xDD},
    {'\\', 0xDC},         {'\'', 0xDE},       {'`', 0xC0},
};

EventArgs MouseArgs(const Fl_Widget& widget) {
  EventArgs args;
  args.count = 3;
  args.values[0] = Fl::event_x() - widget.x();
  args.values[1] = Fl::event_y() - widget.y();
  args.values[2] = KeyStateFlags();
  return args;
}

EventArgs KeyArgs() {
  EventArgs args;
  args.count = 2;
  args.values[0] = VirtualKeyCode(Fl::event_key());
  args.values[1] = KeyStateFlags();
  return args;
}

bool AnsweredFalse(const HandlerResult& answer) { return answer && *answer == 0; }

// The typed character as the program sees it: one byte, or a GBK pair as one 16-bit code.
int CharacterCode(const char* utf8, int length) {
  std::string gbk = Utf8ToGbk(std::string(utf8, static_cast<size_t>(length)));
  if (gbk.size() == 1) return static_cast<unsigned char>(gbk[0]);
  if (gbk.size() == 2)
    return (static_cast<unsigned char>(gbk[0]) << 8) | static_cast<unsigned char>(gbk[1]);
  return 0;
}

// Replaces the text of the current keyboard event for the rest of its processing.
void ReplaceEventCharacter(int code) {
  std::string& replacement = Toolkit().replaced_character;
  std::string gbk;
  if (code > 0xFF) gbk.push_back(static_cast<char>((code >> 8) & 0xFF));
  gbk.push_back(static_cast<char>(code & 0xFF));
  replacement = GbkToUtf8(gbk);
  Fl::e_text = replacement.data();
  Fl::e_length = static_cast<int>(replacement.size());
}

// Character input: a handler answering 0 swallows the character, another code replaces it.
bool CharacterStopsDefault(const LiveControl& control) {
  if (Fl::event_length() == 0 || Fl::event_state(FL_CTRL | FL_ALT | FL_META)) return false;
  int code = CharacterCode(Fl::event_text(), Fl::event_length());
  if (code == 0) return false;
  EventArgs args;
  args.count = 1;
  args.values[0] = code;
  HandlerResult answer = control.Raise(kCharacter, args);
  if (!answer) return false;
  if (*answer == 0) return true;
  if (*answer != code) ReplaceEventCharacter(*answer & 0xFFFF);
  return false;
}

bool KeyDownStopsDefault(const LiveControl& control) {
  if (AnsweredFalse(control.Raise(kKeyDown, KeyArgs()))) return true;
  return CharacterStopsDefault(control);
}

bool MouseButtonStopsDefault(const LiveControl& control, const Fl_Widget& widget, bool pressed) {
  bool right = Fl::event_button() == FL_RIGHT_MOUSE;
  int32_t event = pressed ? (right ? kRightButtonDown : kLeftButtonDown)
                          : (right ? kRightButtonUp : kLeftButtonUp);
  // The toolkit counts on with every further quick press; a double click is every second
  // one, a third press starting over with a plain press.
  if (pressed && !right && Fl::event_clicks() % 2 == 1) event = kDoubleClick;
  return AnsweredFalse(control.Raise(event, MouseArgs(widget)));
}

}  // namespace

int KeyStateFlags() {
  int flags = 0;
  if (Fl::event_state(FL_CTRL)) flags |= kCtrlHeld;
  if (Fl::event_state(FL_SHIFT)) flags |= kShiftHeld;
  if (Fl::event_state(FL_ALT)) flags |= kAltHeld;
  return flags;
}

int VirtualKeyCode(int fl_key) {
  if (fl_key >= 'a' && fl_key <= 'z') return fl_key - 'a' + 'A';
  if (fl_key >= '0' && fl_key <= '9') return fl_key;
  if (fl_key >= FL_F + 1 && fl_key <= FL_F + 24) return 0x70 + (fl_key - FL_F - 1);
  if (fl_key >= FL_KP + '0' && fl_key <= FL_KP + '9') return 0x60 + (fl_key - FL_KP - '0');
  for (const KeyMapping& mapping : kKeys) {
    if (mapping.fl_key == fl_key) return mapping.virtual_key;
  }
  return 0;
}

bool CommonEventStopsDefault(const LiveControl& control, Fl_Widget& widget, int fl_event) {
  switch (fl_event) {
    case FL_PUSH: return MouseButtonStopsDefault(control, widget, true);
    case FL_RELEASE: return MouseButtonStopsDefault(control, widget, false);
    case FL_ENTER:  // the pointer's first position in the control is a move too
    case FL_MOVE:
    case FL_DRAG: return AnsweredFalse(control.Raise(kMouseMoved, MouseArgs(widget)));
    case FL_FOCUS: control.Raise(kGotFocus); return false;
    case FL_UNFOCUS: control.Raise(kLostFocus); return false;
    case FL_KEYBOARD: return KeyDownStopsDefault(control);
    case FL_KEYUP: return AnsweredFalse(control.Raise(kKeyUp, KeyArgs()));
    case FL_MOUSEWHEEL: {
      EventArgs args;
      args.count = 2;
      args.values[0] = -Fl::event_dy();  // away from the user is positive
      args.values[1] = KeyStateFlags();
      control.Raise(kMouseWheel, args);
      // None of these controls scrolls; taking the turn keeps the toolkit from offering
      // it to the same control again through its containers.
      return true;
    }
    default: return false;
  }
}

}  // namespace rt
