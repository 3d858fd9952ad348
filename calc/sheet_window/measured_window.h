// The measured bank of a protection page in a window of its own, opened by "实测电容…" of
// the page's sheet window: the bank as grids (a tab for each phase, or each phase's star
// or arm; rows the groups, columns the units), typed or pasted from a spreadsheet,
// imported from and exported to its CSV, checked against the page's last calculation as
// the values change, and rebalanced (配平) with the exchanges shown and the new
// arrangement exported. A complete grid is the page's measured bank, which the page's
// sheets show.
#pragma once

#include "calc/model/kinds.h"

namespace calc {

// Opens the page's window, or brings it to the front laid out for the page's last
// calculation; says so in a message box when the page has none or its M and N allow no
// bank of its arrangement.
void ShowMeasuredWindow(CalculationPage page);

}  // namespace calc
