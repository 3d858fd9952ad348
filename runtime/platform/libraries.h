// Shared libraries: the one place where the runtime asks the system to load one, look an
// export up and release it.
//
// A library named by its path is loaded only when the file is sound: a complete regular
// file that no other user could have written (owned by the running user or by root, and
// writable by neither group nor others). What is refused never runs: the checks are made
// on the open file, and the library is loaded from that very file.
#pragma once

#include <string>

namespace rt {

struct LibraryHandle {
  void* module = nullptr;  // the system's handle; null when nothing is loaded
  int file = -1;           // the checked file the library was loaded from
};

// `path` and `name` are the system's bytes (UTF-8).
LibraryHandle LoadLibraryFile(const std::string& path);
// A bare name, left to the system's library search.
LibraryHandle LoadLibraryByName(const std::string& name);
void* FindExport(const LibraryHandle& library, const std::string& export_name);
void ReleaseLibrary(LibraryHandle& library);

}  // namespace rt
