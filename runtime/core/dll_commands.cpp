#include "runtime/core/dll_commands.h"

#include <string>
#include <vector>

#include "runtime/core/error_report.h"
#include "runtime/platform/gbk.h"
#include "runtime/platform/libraries.h"

namespace rt {
namespace {

struct CommandSlot {
  std::string library;      // GBK
  std::string export_name;  // GBK
  LibraryHandle library_handle;  // each command keeps its own
  void* address = nullptr;
};

std::vector<CommandSlot>& Slots() {
  static std::vector<CommandSlot> slots;
  return slots;
}

// Libraries searched, in order, for a command declared without a library name.
constexpr const char* kSystemLibraries[] = {"libc.so.6", "libm.so.6", "libX11.so.6",
                                            "libfontconfig.so.1"};

// A name with a folder in it is loaded exactly as written; a bare name from the program's
// folder, then by the system's search. The runtime is linked into the program, so the
// folder of its own module is the program's folder and needs no second try.
LibraryHandle LoadLibrary(const std::string& gbk_name) {
  std::string name = GbkToUtf8(gbk_name);
  if (name.find('/') != std::string::npos) return LoadLibraryFile(name);
  if (!ProgramFolderPath().empty()) {
    LibraryHandle beside = LoadLibraryFile(GbkToUtf8(ProgramFolderPath()) + "/" + name);
    if (beside.module) return beside;
  }
  return LoadLibraryByName(name);
}

// Shared objects have no export ordinals: a "#n" name never resolves.
void* LookUpExport(const LibraryHandle& library, const std::string& gbk_export) {
  if (!gbk_export.empty() && gbk_export[0] == '#') return nullptr;
  return FindExport(library, gbk_export);
}

// Keeps the library and the export in the slot when the export is there.
bool Bind(CommandSlot& slot, LibraryHandle library) {
  slot.address = LookUpExport(library, slot.export_name);
  if (!slot.address) {
    ReleaseLibrary(library);
    return false;
  }
  slot.library_handle = library;
  return true;
}

bool BindFromSystemLibraries(CommandSlot& slot) {
  for (const char* library : kSystemLibraries) {
    if (Bind(slot, LoadLibraryByName(library))) return true;
  }
  return false;
}

bool BindFromNamedLibrary(CommandSlot& slot) { return Bind(slot, LoadLibrary(slot.library)); }

[[noreturn]] void ReportUnboundCommand(const CommandSlot& slot) {
  std::string message = slot.library.empty()
                            ? "无法找到指定DLL库文件中的输出命令“" + slot.export_name + "”"
                            : "无法找到指定DLL库文件“" + slot.library + "”中的输出命令“" +
                                  slot.export_name + "”";
  ReportError(message.c_str(), 0);
}

}  // namespace

void InitDllCommandTables(std::span<const DllCommandDeclaration> commands) {
  ReleaseDllCommands();
  for (const DllCommandDeclaration& command : commands)
    Slots().push_back({command.dll_file, command.export_name, {}, nullptr});
}

void* BindDllCommand(size_t index) {
  CommandSlot& slot = Slots().at(index);
  if (slot.address) return slot.address;
  bool bound = slot.library.empty() ? BindFromSystemLibraries(slot) : BindFromNamedLibrary(slot);
  if (!bound) ReportUnboundCommand(slot);
  return slot.address;
}

void ReleaseDllCommands() {
  for (CommandSlot& slot : Slots()) ReleaseLibrary(slot.library_handle);
  Slots().clear();
}

}  // namespace rt
