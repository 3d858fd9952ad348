// The program's connection to the X display, made once at start on screen.
#pragma once

namespace rt {

// Connects the toolkit to the display. Without one (DISPLAY unset, or naming no server
// that answers), and whenever the connection is lost later, the process ends with status 1
// and a message that names the display.
void ConnectToDisplay();

}  // namespace rt
