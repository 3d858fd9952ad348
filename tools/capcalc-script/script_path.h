// The file a command's line names: the rest of the line, spaces and all, as the user gave
// it (UTF-8). Every command that reads or writes a file takes its path from here.
#pragma once

#include <string>

#include "tools/capcalc-script/script_line.h"

namespace script {

std::string PathOf(const Line& line);

}  // namespace script
