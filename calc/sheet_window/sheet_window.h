// The sheet windows: one per page, beside the main window and not blocking it, showing
// the sheet of a calculation with buttons to save it as an HTML file, to print it and to
// close the window.
#pragma once

#include "calc/sheet/sheet.h"

namespace calc {

// Shows the sheet in its page's window: opens it, or brings the open one to the front
// with this sheet in place of the one it showed.
void ShowSheetWindow(const Sheet& sheet);
// The page's open window shows its sheet anew (its measured bank changed), where it stands.
void RefreshSheetWindow(CalculationPage page);

}  // namespace calc
