// "计算书…" in the edit menu of every result box: greyed until a calculation has filled
// the box, it opens the sheet of that calculation in its page's sheet window.
#pragma once

#include <cstdint>

namespace calc {

void OfferSheetWindows(uint32_t window_id);

}  // namespace calc
