// A calculation sheet as a PDF file: A4 pages with what the printed sheet shows (the
// tables, the diagram, the warnings, the formulas, the note), the title and "第 N 页 / 共
// M 页" on every page, text as text in the Chinese fonts every reader has, the title and
// the moment of the click in the document's properties.
#pragma once

#include <string>

#include "calc/sheet/sheet.h"

namespace calc {

// The file's bytes; empty when the PDF library could not make it (out of memory).
std::string SheetPdf(const Sheet& sheet);

}  // namespace calc
