// A calculation sheet written as PDF, for the batch's "--pdf".
#pragma once

#include <string>

#include "calc/sheet/sheet.h"

namespace script {

// Writes the sheet as PDF to the UTF-8 path, whole or not at all; false with the reason
// (UTF-8) when it is not written.
bool SaveSheetPdf(const calc::Sheet& sheet, const std::string& utf8_path, std::string* reason);

}  // namespace script
