// Saving a sheet where the user chooses: the platform's file chooser, proposing the
// sheet's own file name, offering HTML and PDF, asking before it replaces a file; a save
// that fails says so.
#pragma once

#include <optional>
#include <string>

#include "calc/sheet/sheet.h"

namespace calc {

// The file written (UTF-8); none when the user cancelled or the save failed.
std::optional<std::string> SaveSheetThroughChooser(const Sheet& sheet);

}  // namespace calc
