#include "runtime/core/dll_commands.h"

#include <string>
#include <vector>

#include "runtime/core/error_report.h"
#include "runtime/core/file_commands.h"
#include "runtime/core/runtime_state.h"
#include "runtime/platform/platform.h"

namespace rt {
namespace {

std::vector<DllCommandSlot>& Slots() { return Runtime().dll_commands; }

// The path of a bare library name in the program's folder; empty when the name says where
// the file is, or the folder is not known.
std::string BesideProgram(const std::string& name) {
  if (platform::NamesItsFolder(name) || ProgramFolderPath().empty()) return {};
  return ProgramFolderPath() + platform::FolderSeparator() + name;
}

// A name that says where the file is is loaded exactly as written; a bare name from the
// program's folder, then by the system's search. The runtime is linked into the program,
// so the folder of its own module is the program's folder and needs no second try.
platform::Library LoadLibrary(const std::string& name) {
  if (platform::NamesItsFolder(name)) return platform::LoadLibraryFile(name);
  const std::string beside_program = BesideProgram(name);
  if (!beside_program.empty()) {
    platform::Library beside = platform::LoadLibraryFile(beside_program);
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

std::string CannotWriteBesideProgram(const std::string& library, const std::string& reason) {
  return "\r\n无法在程序所在文件夹写入“" + library + "”" + (reason.empty() ? "" : "：" + reason);
}

// When nothing is beside the program under the library's name because writing it there
// failed, or because the program's folder is not known, the report's message goes on with
// that, and the system's reason, on a line of its own. Anything that is there now was not
// kept out by that write.
std::string WhyMissingBesideProgram(const std::string& library) {
  if (ProgramFolderPath().empty() && !platform::NamesItsFolder(library))
    return CannotWriteBesideProgram(library, WhyProgramFileIsUnknown());
  const std::string path = BesideProgram(library);
  if (path.empty() || platform::AnyEntryMatches(path)) return {};
  const std::optional<std::string> reason = WhyWritingFailed(path);
  return reason ? CannotWriteBesideProgram(library, *reason) : std::string();
}

[[noreturn]] void ReportUnboundCommand(const DllCommandSlot& slot) {
  std::string message = slot.library.empty()
                            ? "无法找到指定DLL库文件中的输出命令“" + slot.export_name + "”"
                            : "无法找到指定DLL库文件“" + slot.library + "”中的输出命令“" +
                                  slot.export_name + "”" + WhyMissingBesideProgram(slot.library);
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
