// The calculation sheet behind a result box: the outcome of the click that last wrote
// the box, with what the window shows beside each of its boxes (captions, units, the
// variant's name, the diagram, the note).
#pragma once

#include <cstdint>
#include <optional>

#include "calc/sheet/sheet.h"

namespace calc {

// Whether a click has written the box (on page 1: any of its twelve result boxes).
bool HasSheetBehind(uint32_t box);
// The sheet of the click that last wrote the box; none when no click has.
std::optional<Sheet> SheetBehind(uint32_t box);

}  // namespace calc
