// A saved sheet opened in the window (named on the command line or dropped onto the
// window): its page and its inputs back, or a message box that says why the file is no
// sheet, the window unchanged.
#pragma once

#include <string>

#include "calc/sheet/saved_sheet.h"

namespace calc {

// Puts the sheet read from the file (GBK path) back into the main window, or tells the
// user why not.
void OpenReadSheet(const std::string& gbk_path, const SavedSheetReading& reading);

// A file dropped onto the main window is opened so.
void OpenDroppedSheets();

}  // namespace calc
