#include "skin/engine/host_toolkit.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace skin {
namespace {

// The table in the module of the program itself: on Windows the executable file, which
// may be any program's (the window, the script driver, a test); on Linux the program's
// global symbols.
const void* ProgramExport(const char* name) {
#ifdef _WIN32
  return reinterpret_cast<const void*>(GetProcAddress(GetModuleHandleW(nullptr), name));
#else
  return dlsym(RTLD_DEFAULT, name);
#endif
}

const ToolkitEntries* FindToolkit() {
  const auto* entries = static_cast<const ToolkitEntries*>(ProgramExport(kToolkitEntriesExport));
  if (!entries || entries->version != kToolkitEntriesVersion ||
      entries->size != sizeof(ToolkitEntries))
    return nullptr;
  return entries;
}

}  // namespace

const ToolkitEntries* HostToolkit() {
  static const ToolkitEntries* const found = FindToolkit();
  return found;
}

const ToolkitEntries& Toolkit() { return *HostToolkit(); }

}  // namespace skin
