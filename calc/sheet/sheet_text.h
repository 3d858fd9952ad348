// A calculation sheet as plain text, for the clipboard: the title, the time, each section
// under its heading, tables a row a line with their cells parted by tabs, so that a
// spreadsheet or a word processor takes them as tables. GBK, lines ended by "\n".
#pragma once

#include <string>

#include "calc/sheet/sheet_document.h"

namespace calc {

std::string SheetPlainText(const SheetDocument& document);

}  // namespace calc
