// Saving a sheet where the user chooses: the platform's file chooser, proposing the
// sheet's own file name, asking before it replaces a file; a save that fails says so.
#pragma once

#include "calc/sheet/sheet.h"

namespace calc {

void SaveSheetThroughChooser(const Sheet& sheet);

}  // namespace calc
