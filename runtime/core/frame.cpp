#include "runtime/core/frame.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "runtime/core/dll_commands.h"
#include "runtime/core/error_report.h"
#include "runtime/core/frame_for_tests.h"
#include "runtime/core/heap.h"
#include "runtime/core/loaded_windows.h"
#include "runtime/core/runtime_state.h"
#include "runtime/platform/gbk.h"
#include "runtime/platform/platform.h"

namespace rt {
namespace {

// How long another thread's end request waits for the user-interface thread to take it
// up before ending the process itself.
constexpr auto kHandOverWait = std::chrono::seconds(5);

// Set by whichever thread carries the end of the process out; the other one then leaves
// it alone. It belongs to the process rather than to the runtime: it must still answer
// while the runtime state is being destroyed.
std::atomic<bool> g_end_begun = false;

// The program file's full path, split at its last separator into folder and file name.
void FindProgramFile(RuntimeState& state) {
  const std::string full = platform::ProgramFilePath();
  if (full.empty()) state.program_file_unknown_reason = platform::LastFailureText();
  const size_t separator = FindLastAsciiCharacter(full, platform::FolderSeparator());
  state.program_folder = separator == std::string::npos ? std::string() : full.substr(0, separator);
  state.program_file_name = separator == std::string::npos ? full : full.substr(separator + 1);
}

// Relative file names (the skin engine library, DLL commands) then refer to the
// program's own folder, wherever it was started from. Staying in the start folder only
// affects relative names; absolute ones still work.
void EnterProgramFolder(const RuntimeState& state) {
  if (!state.program_folder.empty()) platform::EnterFolder(state.program_folder);
}

// The end requested from another thread, carried out on the user-interface thread.
void EndOnUserInterfaceThread(void* exit_code) {
  EndProgram(static_cast<int>(reinterpret_cast<intptr_t>(exit_code)));
}

// Another thread asks for the end: the user-interface thread carries it out, so that the
// windows and the end routine are dealt with where they live, and this thread waits for
// the process to end. Should no message loop take the request up in time (there is none
// without a display), the process ends here, unless the end has begun meanwhile.
[[noreturn]] void HandOverEnd(RuntimeState& state, int exit_code) {
  void* code = reinterpret_cast<void*>(static_cast<intptr_t>(exit_code));
  if (!g_end_begun && state.ui && state.ui->CallOnInterfaceThread(EndOnUserInterfaceThread, code))
    std::this_thread::sleep_for(kHandOverWait);
  bool begun = false;
  if (g_end_begun.compare_exchange_strong(begun, true)) std::_Exit(exit_code);
  for (;;)
    std::this_thread::sleep_for(kHandOverWait);  // the user-interface thread is ending the process
}

}  // namespace

namespace detail {

RuntimeState* the_runtime = nullptr;

void RuntimeMissing() {
  std::fputs("capcalc: the runtime was used before its initialisation or after its end\n", stderr);
  std::abort();
}

}  // namespace detail

void InitRuntime(const ProgramDescription& program, std::unique_ptr<UserInterface> ui) {
  DestroyRuntime();  // a test that made one before
  detail::the_runtime = new RuntimeState;
  RuntimeState& state = *detail::the_runtime;
  state.program = program;
  state.ui = std::move(ui);
  // The runtime heap is the C library's heap, which needs no taking. No component library
  // needs initialising here: that step has no counterpart.
  FindProgramFile(state);
  EnterProgramFolder(state);
  state.ui_thread = std::this_thread::get_id();
  for (const ConstantRange& range : program.constant_data)
    RegisterConstantRange(range.start, range.size);
  InitDllCommandTables(program.dll_commands);
  // No support library is linked in that would need the runtime's notification entry.
  // Loading checks every handler reference against the handler table and enters each
  // window into the loaded-window list.
  LoadWindowTemplate(program.window_template);
  if (state.ui) state.ui->Prepare(program);
}

void SetEndRoutine(EndRoutine routine) { Runtime().end_routine = routine; }

void ForgetEndRoutine() {
  if (RuntimeState* state = RuntimeIfAny()) state->end_routine = nullptr;
}

void LoadStartWindow(uint32_t window_id) {
  RuntimeState& state = Runtime();
  LoadedWindow* window = FindLoadedWindow(window_id);
  if (!window || !state.ui || !state.ui->ShowWindow(*window)) ReportError("载入启动窗口失败", 0);
}

// Closing the last window ends the loop; only a program waiting here is ended by that.
void WaitForEnd() {
  if (UserInterface* ui = Runtime().ui.get()) ui->RunMessageLoop();
}

// Run from the last registered to the first; an entry whose window no longer exists is
// dropped. A routine may register others or close its window while this runs, so each
// entry is copied before its call.
void RunIdleRoutines() {
  std::vector<IdleRoutine>& routines = Runtime().idle_routines;
  for (size_t i = routines.size(); i-- > 0;) {
    const IdleRoutine entry = routines[i];
    LoadedWindow* window = FindLoadedWindow(entry.window_id);
    if (!window || !window->live) {
      routines.erase(routines.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    entry.routine(entry.argument);
  }
}

void SetProgramState(std::unique_ptr<ProgramState> state) {
  Runtime().program_state = std::move(state);
}

ProgramState* CurrentProgramState() {
  RuntimeState* state = RuntimeIfAny();
  return state ? state->program_state.get() : nullptr;
}

void AddIdleRoutine(uint32_t window_id, void (*routine)(void*), void* argument) {
  Runtime().idle_routines.push_back({window_id, routine, argument});
}

void DestroyRuntime() {
  RuntimeState* state = detail::the_runtime;
  if (!state) return;
  ++state->suppression;
  state->idle_routines.clear();
  ReleaseLoadedWindows();
  if (EndRoutine routine = state->end_routine) {
    state->end_routine = nullptr;
    routine();
  }
  state->program_state.reset();
  ReleaseDllCommands();
  // The display connection, the last of the runtime's resources, closes with the process.
  state->ui.reset();
  ClearConstantRanges();
  detail::the_runtime = nullptr;
  delete state;
}

void EndProgram(int exit_code) {
  RuntimeState* state = RuntimeIfAny();
  if (!state) std::exit(exit_code);
  ++state->suppression;
  if (std::this_thread::get_id() != state->ui_thread) HandOverEnd(*state, exit_code);
  // An end asked for during the end (by the end routine, say) cuts it short.
  if (g_end_begun.exchange(true)) std::_Exit(exit_code);
  DestroyRuntime();
  std::exit(exit_code);
}

DisplayMode CurrentDisplayMode() {
  const RuntimeState& state = Runtime();
  return state.ui ? state.ui->mode() : DisplayMode::kHeadless;
}

const ProgramDescription& CurrentProgram() { return Runtime().program; }
const std::string& ProgramFolderPath() { return Runtime().program_folder; }

const std::string& WhyProgramFileIsUnknown() { return Runtime().program_file_unknown_reason; }

void RaiseSuppression() {
  if (RuntimeState* state = RuntimeIfAny()) ++state->suppression;
}
void LowerSuppression() { --Runtime().suppression; }
bool EventsSuppressed() { return Runtime().suppression > 0; }

}  // namespace rt
