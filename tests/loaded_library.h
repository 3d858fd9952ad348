// A library loaded at run time, as the program loads the skin engine: for the tests that
// call one directly, on Linux and on Windows alike.
#pragma once

#include <string>

namespace testing_support {

// The library at `path`, never released (the toolkit may keep pointers into it); null
// when it cannot be loaded, with the system's reason in `error`.
void* LoadLibraryFile(const std::string& path, std::string* error);
void* FindExport(void* library, const char* name);
// The file of the module (program or library) whose code or data holds `address`.
std::string ModuleFileOf(const void* address);

}  // namespace testing_support
