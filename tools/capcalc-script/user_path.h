// The paths a user gives the driver (in a script line or on its command line), as the
// files are to be found: the one place that decides where a relative path points.
#pragma once

#include <string>
#include <string_view>

namespace script {

// The UTF-8 path the file commands take for the path the user gave.
std::string UserPath(std::string_view given);

}  // namespace script
