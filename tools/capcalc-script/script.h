// The headless driver's script language: one command a line, run against the real
// runtime and the very same controls as on screen, without a display.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace script {

// A line split at single spaces: the command, then NAME, then the rest of the line
// exactly as it stands (TEXT; empty when the line ends after NAME).
struct Line {
  std::string command;
  std::string name;
  std::string rest;
  bool has_name = false;
};

// Nullopt for lines without a command: blank lines and lines starting with "#".
std::optional<Line> SplitLine(std::string_view text);

// Runs the commands of `in`, printing results to `out` and errors to `err`. Returns 0, or
// 2 after the first malformed line, unknown command or unknown control (nothing further
// runs). A fatal runtime error ends the process with its own report.
int RunScript(std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace script
