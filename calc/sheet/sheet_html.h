// A calculation sheet as one self-contained HTML file, UTF-8: the tables, the warnings,
// the formulas, the diagram embedded as a data URL and the reference note, laid out to be
// read on screen and printed on A4.
#pragma once

#include <string>

#include "calc/sheet/sheet.h"

namespace calc {

std::string SheetHtml(const Sheet& sheet);

}  // namespace calc
