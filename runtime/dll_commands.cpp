#include "runtime/dll_commands.h"

#include <dlfcn.h>

#include <string>
#include <vector>

#include "runtime/error_report.h"
#include "runtime/gbk.h"

namespace rt {
namespace {

struct CommandSlot {
  std::string library;      // GBK
  std::string export_name;  // GBK
  void* module = nullptr;   // each command keeps its own handle
  void* address = nullptr;
};

std::vector<CommandSlot>& Slots() {
  static std::vector<CommandSlot> slots;
  return slots;
}

// Libraries searched, in order, for a command declared without a library name.
constexpr const char* kSystemLibraries[] = {"libc.so.6", "libm.so.6", "libX11.so.6",
                                            "libfontconfig.so.1"};

void* Open(const std::string& utf8_path) { return dlopen(utf8_path.c_str(), RTLD_NOW | RTLD_LOCAL); }

// A name with a folder in it is loaded exactly as written; a bare name from the program's
// folder, then by the system's search. The runtime is linked into the program, so the
// folder of its own module is the program's folder and needs no second try.
void* LoadLibrary(const std::string& gbk_name) {
  std::string name = GbkToUtf8(gbk_name);
  if (name.find('/') != std::string::npos) return Open(name);
  if (!ProgramFolderPath().empty()) {
    if (void* module = Open(GbkToUtf8(ProgramFolderPath()) + "/" + name)) return module;
  }
  return Open(name);
}

// Shared objects have no export ordinals: a "#n" name never resolves.
void* LookUpExport(void* module, const std::string& gbk_export) {
  if (!module || (!gbk_export.empty() && gbk_export[0] == '#')) return nullptr;
  return dlsym(module, gbk_export.c_str());
}

bool BindFromSystemLibraries(CommandSlot& slot) {
  for (const char* library : kSystemLibraries) {
    void* module = Open(library);
    if (void* address = LookUpExport(module, slot.export_name)) {
      slot.module = module;
      slot.address = address;
      return true;
    }
    if (module) dlclose(module);
  }
  return false;
}

bool BindFromNamedLibrary(CommandSlot& slot) {
  void* module = LoadLibrary(slot.library);
  void* address = LookUpExport(module, slot.export_name);
  if (!address) {
    if (module) dlclose(module);
    return false;
  }
  slot.module = module;
  slot.address = address;
  return true;
}

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
    Slots().push_back({command.dll_file, command.export_name});
}

void* BindDllCommand(size_t index) {
  CommandSlot& slot = Slots().at(index);
  if (slot.address) return slot.address;
  bool bound = slot.library.empty() ? BindFromSystemLibraries(slot) : BindFromNamedLibrary(slot);
  if (!bound) ReportUnboundCommand(slot);
  return slot.address;
}

void ReleaseDllCommands() {
  for (CommandSlot& slot : Slots()) {
    if (slot.module) dlclose(slot.module);
  }
  Slots().clear();
}

}  // namespace rt
