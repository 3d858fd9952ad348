// The toolkit's own options (focus box, tooltips, dragging text, arrow-key focus).
#pragma once

namespace rt {

// Settles the toolkit's options before any control asks for one: the user's own when they
// chose some, else the defaults, with nothing written into the home.
void SettleToolkitOptions();

}  // namespace rt
