// The sheet windows: one per page, beside the main window and not blocking it, showing
// the sheet of a calculation with buttons to copy it as text (also Ctrl+C), to save it as
// an HTML or PDF file, to print it and to close the window, and a line that says where the
// last save went.
#pragma once

#include <cstdint>

#include "calc/sheet/sheet.h"

namespace calc {

// Shows the sheet behind the result box in its page's window: opens it, or brings the
// open one to the front with this sheet in place of the one it showed. While it stays
// open, each new click of a "计算" button of the page puts that click's sheet in it.
void ShowSheetWindow(const Sheet& sheet, uint32_t box);
// The page's open window shows its sheet anew (its measured bank changed), where it stands.
void RefreshSheetWindow(CalculationPage page);

}  // namespace calc
