// The keyboard focus while a popup (the edit menu, a dropped-down list) holds the keyboard.
#pragma once

namespace rt {

// From now on a popup borrows the keyboard without taking the focus from the control that
// has it, as on the platform, where an edit box keeps the focus while its menu is open.
// The toolkit would drop the focus when the popup closes: the box would tidy its text as
// if the user had left it, and the focus would land elsewhere.
void KeepFocusThroughPopups();

}  // namespace rt
