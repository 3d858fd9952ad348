// The folder the driver was started from. The runtime makes the program's own folder the
// current one at start, so a path the user gave would otherwise land beside the program
// and could overwrite it or its skin engine library.
#pragma once

#include <string>
#include <string_view>

namespace script {

// Notes the current folder as the starting folder; called once, before the runtime starts.
void RememberStartingFolder();

// A path the user gave (UTF-8), made independent of the current folder: an absolute path
// as it is, a relative one taken from the starting folder. Empty, which no file takes,
// when the path is relative and the starting folder is not known. Every path of a script,
// a command line or a dialog of the driver goes through here before it is used.
std::string FromStartingFolder(std::string_view utf8_path);

}  // namespace script
