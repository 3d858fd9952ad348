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

struct LoadedWindow;

// The Tab key's move: the focus goes to the next (or previous) control with a tab stop
// in the window, in record order, lower tab order numbers first, skipping hidden and
// disabled controls and those on pages that are not selected. Whether a control can hold
// the focus at all is its type's affair; the tab-stop flag only decides whether the Tab
// key stops on it.
void MoveFocusByTab(LoadedWindow& window, bool backwards);

}  // namespace rt
