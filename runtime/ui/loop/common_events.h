// The events every windowed control shares (-1 to -12), raised from the toolkit's events.
#pragma once

class Fl_Widget;

namespace rt {

class LiveControl;

// Raises the shared event that the toolkit event `fl_event` stands for, if any. True when
// the handler's answer stops the control's default processing: logical false for mouse and
// key events, 0 for character input (which swallows the character). A character answer of
// another code replaces the typed character for the rest of this event's processing. A
// wheel turn is always taken: none of these controls scrolls.
bool CommonEventStopsDefault(const LiveControl& control, Fl_Widget& widget, int fl_event);

// Windows virtual-key code of the key in the current toolkit event (0 when it has none).
int VirtualKeyCode(int fl_key);

// The key-state flags of the current toolkit event: 1 Ctrl, 2 Shift, 4 Alt.
int KeyStateFlags();

}  // namespace rt
