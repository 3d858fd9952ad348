#include "tools/capcalc-script/script_path.h"

namespace script {

std::string PathOf(const Line& line) { return line.rest; }

}  // namespace script
