// Windows cut to a shape, such as the tip's balloon.
#pragma once

#include <FL/Fl_Window.H>

#include <vector>

#include "runtime/ui/tips/tip_layout.h"

namespace rt {

// Cuts the shown window to `rows` (row y of the window keeps the pixels of rows[y]) and
// lets the pointer through it to what lies beneath. Where the system cannot, the window
// stays a rectangle that takes the pointer.
void CutToRows(Fl_Window& window, const std::vector<Span>& rows);

}  // namespace rt
