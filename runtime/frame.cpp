#include "runtime/frame.h"

#include <FL/Fl.H>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <thread>
#include <vector>

#include "runtime/dll_commands.h"
#include "runtime/error_report.h"
#include "runtime/gbk.h"
#include "runtime/heap.h"
#include "runtime/loaded_windows.h"
#include "runtime/message_box.h"
#include "runtime/window_builder.h"

namespace rt {
namespace {

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
  int suppression = 0;
  EndRoutine end_routine = nullptr;
  bool in_main_loop = false;
  bool quit = false;
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

// Idle routines run from the last registered to the first whenever the loop has nothing
// to do; an entry whose window no longer exists is dropped.
void RunIdleRoutines(void*) {
  std::vector<IdleRoutine>& routines = State().idle_routines;
  for (size_t i = routines.size(); i-- > 0;) {
    LoadedWindow* window = FindLoadedWindow(routines[i].window_id);
    if (!window || !window->live) {
      routines.erase(routines.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    routines[i].routine(routines[i].argument);
  }
  if (routines.empty()) Fl::remove_idle(RunIdleRoutines);
}

// The end requested from another thread, carried out on the user-interface thread.
void EndOnUserInterfaceThread(void* exit_code) {
  EndProgram(static_cast<int>(reinterpret_cast<intptr_t>(exit_code)));
}

}  // namespace

void InitRuntime(const ProgramDescription& program, DisplayMode mode) {
  FrameState& state = State();
  state.program = program;
  state.mode = mode;
  // The process heap is the runtime heap, and there is no OLE to initialise here.
  FindProgramFile();
  EnterProgramFolder();
  // The hidden message window that takes cross-thread end requests is the toolkit's own
  // wake-up channel; only the thread needs noting.
  state.ui_thread = std::this_thread::get_id();
  if (mode == DisplayMode::kOnScreen) {
    Fl::lock();  // enables the wake-up channel used by other threads
    SetErrorPresenter(PresentInMessageBox);
  } else {
    SetErrorPresenter(PresentOnStandardError);
  }
  for (const ConstantRange& range : program.constant_data) RegisterConstantRange(range.start, range.size);
  InitDllCommandTables(program.dll_commands);
  LoadWindowTemplate(program.window_template);
}

void SetEndRoutine(EndRoutine routine) { State().end_routine = routine; }
void ForgetEndRoutine() { State().end_routine = nullptr; }

void LoadStartWindow(uint32_t window_id) {
  LoadedWindow* window = FindLoadedWindow(window_id);
  if (!window || !ShowLoadedWindow(*window)) ReportError("载入启动窗口失败", 0);
}

void WaitForEnd() {
  FrameState& state = State();
  state.in_main_loop = true;
  if (!AnyLiveWindow() || state.mode == DisplayMode::kHeadless) return;
  while (!state.quit) {
    Fl::wait(1e20);
    if (DestroyClosedWindows()) state.quit = true;
  }
}

void AddIdleRoutine(uint32_t window_id, void (*routine)(void*), void* argument) {
  if (State().idle_routines.empty()) Fl::add_idle(RunIdleRoutines);
  State().idle_routines.push_back({window_id, routine, argument});
}

void EndProgram(int exit_code) {
  FrameState& state = State();
  RaiseSuppression();
  if (std::this_thread::get_id() != state.ui_thread) {
    if (!state.end_begun)
      Fl::awake(EndOnUserInterfaceThread, reinterpret_cast<void*>(static_cast<intptr_t>(exit_code)));
    // The user-interface thread ends the process while this thread waits; should its
    // loop not be running, the process ends here all the same.
    std::this_thread::sleep_for(std::chrono::seconds(2));
    std::_Exit(exit_code);
  }
  if (state.end_begun) std::_Exit(exit_code);
  state.end_begun = true;
  state.idle_routines.clear();
  Fl::remove_idle(RunIdleRoutines);
  ReleaseLoadedWindows();
  if (EndRoutine routine = state.end_routine) {
    state.end_routine = nullptr;
    routine();
  }
  ReleaseDllCommands();
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
