// Printing a sheet with the toolkit's printer: the print dialog, then the sheet on as many
// A4 pages as it needs, one where it fits.
#pragma once

#include <optional>

#include "calc/sheet/sheet_document.h"
#include "forms/picture.h"

class Fl_Window;

namespace calc {

// `from_window` is the shown window the sheet is printed from.
void PrintSheet(const SheetDocument& document, const std::optional<forms::Image>& diagram,
                Fl_Window& from_window);

}  // namespace calc
