// A calculation sheet as one self-contained HTML file, UTF-8: the tables, the warnings,
// the formulas, the diagram embedded as a data URL and the reference note, laid out to be
// read on screen and printed on A4; and the sheet's JSON in a script element, from which
// the program reopens it (saved_sheet.h).
#pragma once

#include <string>

#include "calc/sheet/sheet.h"

namespace calc {

std::string SheetHtml(const Sheet& sheet);

}  // namespace calc
