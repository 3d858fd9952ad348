#include "tools/capcalc-script/user_path.h"

namespace script {

// Today a relative path is taken from the current folder, which the runtime makes the
// program's folder at start.
std::string UserPath(std::string_view given) { return std::string(given); }

}  // namespace script
