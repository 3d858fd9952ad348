// The driver's "measured NAME PATH", which loads the CSV of measured capacitances for the
// page of result box NAME, and "rebalance NAME PATH", which writes that bank rebalanced
// to PATH and prints the exchanges and the initial signal before and after:
//   NAME.exchange=A相1串3号 ↔ C相2串1号      (one line each, in the order to make them)
//   NAME.initial_signal=0.8123
//   NAME.rebalanced_signal=0.0004
#pragma once

#include <iosfwd>
#include <string>

#include "runtime/core/loaded_windows.h"
#include "tools/capcalc-script/script_line.h"

namespace script {

// What went wrong, empty when it ran; a refused file is named with its line.
std::string LoadMeasured(rt::LoadedWindow& window, const Line& line);
std::string WriteRebalanced(rt::LoadedWindow& window, const Line& line, std::ostream& out);

}  // namespace script
