// The toolkit's own options (focus box, tooltips, dragging text, arrow-key focus).
#pragma once

namespace rt {

// Settles the toolkit's options at their defaults before any control asks for one.
void SettleToolkitOptions();

}  // namespace rt
