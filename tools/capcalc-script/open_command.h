// The driver's "open PATH": a saved calculation sheet (.json or .html) put back into the
// window as the window program reopens one: its page selected, its inputs' texts back in
// their boxes, nothing calculated.
#pragma once

#include <string>

#include "tools/capcalc-script/script_line.h"

namespace script {

// What went wrong, empty when the sheet is back in the window.
std::string OpenSheet(const Line& line);

}  // namespace script
