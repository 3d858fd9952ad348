// The runtime frame: initialisation from the program description, the start window, the
// message loop, and the orderly end of the program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "runtime/core/events.h"
#include "runtime/core/user_interface.h"

namespace rt {

struct DllCommandDeclaration {
  const char* dll_file;     // GBK; empty stands for the system libraries
  const char* export_name;  // GBK; "#n" names an export by ordinal
};

struct ConstantRange {
  const void* start;
  size_t size;
};

// The fixed record from which the runtime initialises itself.
struct ProgramDescription {
  // Handler references in the template index this table (all bits set: no handler).
  std::span<const Handler> handlers;
  std::span<const ConstantRange> constant_data;
  std::span<const uint8_t> window_template;
  std::span<const DllCommandDeclaration> dll_commands;
  // The name by which desktops, task bars and window rules know the program's windows (the
  // window class on X11); null keeps the toolkit's generic one.
  const char* window_class = nullptr;
};

using EndRoutine = void (*)();

// The program's own state beside the runtime's: the program makes it at its start and
// hands it over; the runtime keeps it until the end of the program, where it goes after
// the end routine and before the user interface, and never outlives the runtime.
class ProgramState {
 public:
  virtual ~ProgramState() = default;
};
void SetProgramState(std::unique_ptr<ProgramState> state);
// Null when the program has none, and before InitRuntime and after the end.
ProgramState* CurrentProgramState();

// Makes the runtime state and initialises it from the program description, the template
// loaded. `ui` is the user-interface layer (rt::ToolkitInterface); null runs the core
// alone, which shows no window and reports errors on standard error.
void InitRuntime(const ProgramDescription& program, std::unique_ptr<UserInterface> ui);
// The end of the program without the end of the process: the windows go, the end routine
// runs once, the DLL command libraries are released, the user interface goes and the
// state with it. EndProgram ends this way; tests end each runtime they made so.
void DestroyRuntime();
void SetEndRoutine(EndRoutine routine);
void ForgetEndRoutine();
void LoadStartWindow(uint32_t window_id);
void WaitForEnd();
// Ends the program: no handler runs any more, the windows go, the end routine runs once,
// the DLL command libraries are released, and the process exits with `exit_code`. Called
// on another thread, it hands the end over to the user-interface thread.
[[noreturn]] void EndProgram(int exit_code);

// The message loop's call when it has nothing to do: the idle routines from the last
// registered to the first, dropping those whose window no longer exists.
void RunIdleRoutines();

DisplayMode CurrentDisplayMode();
const ProgramDescription& CurrentProgram();

// The folder holding the program file and the file's own name, as found at start-up.
const std::string& ProgramFolderPath();
// Why the system did not tell the program file's path (GBK; empty when it did, or gave no
// reason): a path longer than the system can give, say.
const std::string& WhyProgramFileIsUnknown();

// While the count is above zero no event handler runs. A runtime error report and the end
// of the program raise it for good.
void RaiseSuppression();
bool EventsSuppressed();

}  // namespace rt
