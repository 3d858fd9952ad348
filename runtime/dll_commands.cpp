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

// The folder of the module that holds this code: the program itself, since the runtime
// is linked into it.
std::string OwnModuleFolder() {
  Dl_info info{};
  if (!dladdr(reinterpret_cast<void*>(&BindDllCommand), &info) || !info.dli_fname) return {};
  std::string path = info.dli_fname;
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// A name with a folder in it is loaded exactly as written; a bare name from the program's
// folder, then the folder of the program's own module, then by the system's search.
void* LoadLibrary(const std::string& gbk_name) {
  std::string name = GbkToUtf8(gbk_name);
  if (name.find('/') != std::string::npos) return Open(name);
  std::vector<std::string> candidates;
  if (!ProgramFolderPath().empty()) candidates.push_back(GbkToUtf8(ProgramFolderPath()) + "/" + name);
  std::string module_folder = OwnModuleFolder();
  if (!module_folder.empty()) candidates.push_back(module_folder + "/" + name);
  candidates.push_back(name);
  for (const std::string& candidate : candidates) {
    if (void* module = Open(candidate)) return module;
  }
  return nullptr;
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
