// The driver's "sheet NAME PATH": the calculation sheet behind result box NAME, written to
// PATH (the rest of the line) as HTML for ".html" and as JSON for ".json".
#pragma once

#include <string>

#include "runtime/core/loaded_windows.h"
#include "tools/capcalc-script/script.h"

namespace script {

// What went wrong, empty when the file is written.
std::string WriteSheet(rt::LoadedWindow& window, const Line& line);

}  // namespace script
