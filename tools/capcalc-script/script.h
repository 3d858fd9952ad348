// The headless driver's script language: one command a line, run against the real
// runtime and the very same controls as on screen, without a display.
#pragma once

#include <iosfwd>
#include <string_view>

#include "tools/capcalc-script/script_line.h"

namespace script {

// Runs the commands of `in`, printing results to `out` and errors to `err`. Returns 0;
// 2 after the first malformed, overlong, unknown or failing line (nothing further runs)
// or when `in` (named `source` in the message) cannot be read; 1 when `out` cannot be
// written. A fatal runtime error ends the process with its own report.
int RunScript(std::istream& in, std::ostream& out, std::ostream& err,
              std::string_view source = "standard input");

}  // namespace script
