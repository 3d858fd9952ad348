// Moving the keyboard focus, the same way with and without a display.
#pragma once

class Fl_Widget;

namespace rt {

// Gives the widget the focus as a click or the Tab key would; false when it cannot take
// it. The widget is told it gained the focus and the previous holder that it lost it.
bool GiveFocus(Fl_Widget* widget);

// Takes the focus away from whatever holds it (the holder tidies up as on any focus loss).
void ClearFocus();

// The widget that holds the focus, or null.
Fl_Widget* FocusedWidget();

}  // namespace rt
