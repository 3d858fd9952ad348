#include "runtime/core/frame.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <thread>
#include <vector>

#include "runtime/ui/popup_focus.h"
#include "runtime/ui/window_control.h"
#include "runtime/ui/display.h"
#include "runtime/core/dll_commands.h"
#include "runtime/core/error_report.h"
#include "runtime/platform/gbk.h"
#include "runtime/core/heap.h"
#include "runtime/core/loaded_windows.h"
#include "runtime/ui/message_box.h"
#include "runtime/ui/window_builder.h"

namespace rt {
namespace {

// How long another thread's end request waits for the user-interface thread to take it
// up before ending the process itself.
constexpr auto kHandOverWait = std::chrono::seconds(5);

struct IdleRoutine {
  uint32_t window_id;
  void (*routine)(void*);
  void* argument;
};

struct FrameState {
  ProgramDescription program;
  DisplayMode mode = DisplayMode::kHeadless;
  std::string program_folder;     // GBK
  std::string program_file_name;  // GBK
  std::thread::id ui_thread;
  std::atomic<int> suppression = 0;  // raised by other threads' end requests too
  EndRoutine end_routine = nullptr;
  // Set by whichever thread carries the end out; the other one then leaves it alone.
  std::atomic<bool> end_begun = false;
  std::vector<IdleRoutine> idle_routines;
};

FrameState& State() {
  static FrameState state;
  return state;
}

// The program file's full path, split at its last "/" into folder and file name.
void FindProgramFile() {
  char path[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  std::string full = Utf8ToGbk(std::string(path, length > 0 ? static_cast<size_t>(length) : 0));
  size_t slash = full.rfind('/');
  State().program_folder = slash == std::string::npos ? std::string() : full.substr(0, slash);
  State().program_file_name = slash == std::string::npos ? full : full.substr(slash + 1);
}

// Relative file names (the skin engine library, DLL commands) then refer to the
// program's own folder, wherever it was started from.
void EnterProgramFolder() {
  if (State().program_folder.empty()) return;
  if (chdir(GbkToUtf8(State().program_folder).c_str()) != 0) {
    // Staying in the start folder only affects relative names; absolute ones still work.
  }
}

// Run from the last registered to the first; an entry whose window no longer exists is
// dropped. A routine may register others or close its window while this runs, so each
// entry is copied before its call.
void RunIdleRoutines() {
  std::vector<IdleRoutine>& routines = State().idle_routines;
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

// The end requested from another thread, carried out on the user-interface thread.
void EndOnUserInterfaceThread(void* exit_code) {
  EndProgram(static_cast<int>(reinterpret_cast<intptr_t>(exit_code)));
}

// Another thread asks for the end: the user-interface thread carries it out, so that the
// windows and the end routine are dealt with where they live, and this thread waits for
// the process to end. Should no message loop take the request up in time (there is none
// without a display), the process ends here, unless the end has begun meanwhile.
[[noreturn]] void HandOverEnd(int exit_code) {
  FrameState& state = State();
  if (state.mode == DisplayMode::kOnScreen && !state.end_begun) {
    Fl::awake(EndOnUserInterfaceThread, reinterpret_cast<void*>(static_cast<intptr_t>(exit_code)));
    std::this_thread::sleep_for(kHandOverWait);
  }
  bool begun = false;
  if (state.end_begun.compare_exchange_strong(begun, true)) std::_Exit(exit_code);
  for (;;) pause();  // the user-interface thread is ending the process
}

}  // namespace

void InitRuntime(const ProgramDescription& program, DisplayMode mode) {
  FrameState& state = State();
  state.program = program;
  state.mode = mode;
  if (mode == DisplayMode::kOnScreen) ConnectToDisplay();
  SetErrorPresenter(mode == DisplayMode::kOnScreen ? PresentInMessageBox : PresentOnStandardError);
  // The runtime heap is the C library's heap, which needs no taking. No component library
  // needs initialising here: that step has no counterpart.
  FindProgramFile();
  EnterProgramFolder();
  // The toolkit's wake-up channel stands in for the hidden message window that takes
  // another thread's end request; taking the toolkit lock once opens it.
  if (mode == DisplayMode::kOnScreen) Fl::lock();
  state.ui_thread = std::this_thread::get_id();
  for (const ConstantRange& range : program.constant_data) RegisterConstantRange(range.start, range.size);
  InitDllCommandTables(program.dll_commands);
  // No support library is linked in that would need the runtime's notification entry.
  // Loading checks every handler reference against the handler table and enters each
  // window into the loaded-window list.
  LoadWindowTemplate(program.window_template);
  if (program.window_class) Fl_Window::default_xclass(program.window_class);
  if (mode == DisplayMode::kOnScreen) {
    InstallDialogKeys();
    KeepFocusThroughPopups();
  }
}

void SetEndRoutine(EndRoutine routine) { State().end_routine = routine; }
void ForgetEndRoutine() { State().end_routine = nullptr; }

void LoadStartWindow(uint32_t window_id) {
  LoadedWindow* window = FindLoadedWindow(window_id);
  if (!window || !ShowLoadedWindow(*window)) ReportError("载入启动窗口失败", 0);
}

// Whenever nothing is waiting, the idle routines run once; then the loop sleeps until
// input, a timer, a repaint or another thread's request arrives, and handles it. The
// toolkit's sleep ends as a timer falls due but runs the timer only on its next wait: a
// wait that does not sleep runs it, so that the loop is quiet again between two ticks.
// Closing the last window ends the loop; only a program waiting here is ended by that.
void WaitForEnd() {
  DestroyClosedWindows();  // a window closed before the loop is gone already
  if (!AnyLiveWindow() || State().mode == DisplayMode::kHeadless) return;
  for (;;) {
    if (!Fl::ready()) {
      RunIdleRoutines();
      Fl::wait(1e20);
    }
    Fl::wait(0.0);
    if (DestroyClosedWindows()) return;
  }
}

void AddIdleRoutine(uint32_t window_id, void (*routine)(void*), void* argument) {
  State().idle_routines.push_back({window_id, routine, argument});
}

void EndProgram(int exit_code) {
  FrameState& state = State();
  RaiseSuppression();
  if (std::this_thread::get_id() != state.ui_thread) HandOverEnd(exit_code);
  // An end asked for during the end (by the end routine, say) cuts it short.
  if (state.end_begun.exchange(true)) std::_Exit(exit_code);
  state.idle_routines.clear();
  ReleaseLoadedWindows();
  if (EndRoutine routine = state.end_routine) {
    state.end_routine = nullptr;
    routine();
  }
  ReleaseDllCommands();
  // The display connection, the last of the runtime's resources, closes with the process.
  ClearConstantRanges();
  std::exit(exit_code);
}

DisplayMode CurrentDisplayMode() { return State().mode; }
const ProgramDescription& CurrentProgram() { return State().program; }
const std::string& ProgramFolderPath() { return State().program_folder; }

void RaiseSuppression() { ++State().suppression; }
void LowerSuppression() { --State().suppression; }
bool EventsSuppressed() { return State().suppression > 0; }

}  // namespace rt
