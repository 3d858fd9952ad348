#include "runtime/core/dll_commands.h"

#include <string>
#include <vector>

#include "runtime/core/error_report.h"
#include "runtime/core/runtime_state.h"
#include "runtime/platform/platform.h"

namespace rt {
namespace {

std::vector<DllCommandSlot>& Slots() { return Runtime().dll_commands; }

// A name that says where the file is is loaded exactly as written; a bare name from the
// program's folder, then by the system's search. The runtime is linked into the program,
// so the folder of its own module is the program's folder and needs no second try.
platform::Library LoadLibrary(const std::string& name) {
  if (platform::NamesItsFolder(name)) return platform::LoadLibraryFile(name);
  if (!ProgramFolderPath().empty()) {
    platform::Library beside =
        platform::LoadLibraryFile(ProgramFolderPath() + platform::FolderSeparator() + name);
    if (beside.module) return beside;
  }
  return platform::LoadLibraryByName(name);
}

// Keeps the library and the export in the slot when the export is there.
bool Bind(DllCommandSlot& slot, platform::Library library) {
  slot.address = platform::FindExport(library, slot.export_name);
  if (!slot.address) {
    platform::ReleaseLibrary(library);
    return false;
  }
  slot.library_handle = library;
  return true;
}

bool BindFromSystemLibraries(DllCommandSlot& slot) {
  for (const char* library : platform::SystemLibraries()) {
    if (Bind(slot, platform::LoadLibraryByName(library))) return true;
  }
  return false;
}

bool BindFromNamedLibrary(DllCommandSlot& slot) { return Bind(slot, LoadLibrary(slot.library)); }

[[noreturn]] void ReportUnboundCommand(const DllCommandSlot& slot) {
  std::string message =
      slot.library.empty()
          ? "无法找到指定DLL库文件中的输出命令“" + slot.export_name + "”"
          : "无法找到指定DLL库文件“" + slot.library + "”中的输出命令“" + slot.export_name + "”";
  ReportError(message.c_str(), 0);
}

}  // namespace

void InitDllCommandTables(std::span<const DllCommandDeclaration> commands) {
  ReleaseDllCommands();
  for (const DllCommandDeclaration& command : commands)
    Slots().push_back({command.dll_file, command.export_name, {}, nullptr});
}

void* BindDllCommand(size_t index) {
  DllCommandSlot& slot = Slots().at(index);
  if (slot.address) return slot.address;
  bool bound = slot.library.empty() ? BindFromSystemLibraries(slot) : BindFromNamedLibrary(slot);
  if (!bound) ReportUnboundCommand(slot);
  return slot.address;
}

void ReleaseDllCommands() {
  for (DllCommandSlot& slot : Slots()) platform::ReleaseLibrary(slot.library_handle);
  Slots().clear();
}

}  // namespace rt
