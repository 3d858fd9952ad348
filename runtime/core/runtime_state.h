// The runtime's whole state: one object, made by InitRuntime and destroyed by the end of
// the program (or by DestroyRuntime, in tests), in a defined order. Each part belongs to
// the module named beside it; no other code reaches into it.
#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "forms/template.h"
#include "runtime/core/events.h"
#include "runtime/core/frame.h"
#include "runtime/core/loaded_windows.h"
#include "runtime/core/user_interface.h"
#include "runtime/platform/platform.h"

namespace rt {

struct IdleRoutine {
  uint32_t window_id;
  void (*routine)(void*);
  void* argument;
};

struct DllCommandSlot {
  std::string library;               // GBK
  std::string export_name;           // GBK
  platform::Library library_handle;  // each command keeps its own
  void* address = nullptr;
};

// A file the file commands could not write, and the system's reason (both GBK).
struct FailedWrite {
  std::string path;
  std::string reason;  // empty when the system gave none
};

// Members are made in this order and destroyed in the reverse. The end of the program
// empties them first, in its own order (frame.cpp): the windows, the end routine, the
// program's state, the libraries, the user interface.
struct RuntimeState {
  // frame.cpp
  ProgramDescription program;
  std::string program_folder;               // GBK
  std::string program_file_name;            // GBK
  std::string program_file_unknown_reason;  // GBK: the system's words when it did not tell
  std::thread::id ui_thread;
  std::atomic<int> suppression = 0;  // raised by other threads' end requests too
  EndRoutine end_routine = nullptr;
  std::vector<IdleRoutine> idle_routines;
  // heap.cpp
  std::vector<ConstantRange> constant_ranges;
  // dll_commands.cpp
  std::vector<DllCommandSlot> dll_commands;
  // file_commands.cpp: the last write that failed
  std::optional<FailedWrite> failed_write;
  // The user-interface layer's own state lives in its object; the live controls below
  // refer to it, so it goes after them.
  std::unique_ptr<UserInterface> ui;
  // The program's own; its windows, if any, go before the user interface.
  std::unique_ptr<ProgramState> program_state;
  // loaded_windows.cpp
  std::optional<forms::Template> loaded_template;
  std::vector<LoadedWindow> loaded_windows;
  // events.cpp
  EventSource current_event_source;
};

namespace detail {
extern RuntimeState* the_runtime;  // frame.cpp makes and destroys it
[[noreturn]] void RuntimeMissing();
}  // namespace detail

// The state of the running runtime; a call before InitRuntime or after its end is a
// fault of the program and ends it with a message. Inline: every property access and
// every raised event asks for it.
inline RuntimeState& Runtime() {
  if (!detail::the_runtime) detail::RuntimeMissing();
  return *detail::the_runtime;
}
// Null before InitRuntime and after the end: for the services that also work without a
// runtime (the heap, the error report).
inline RuntimeState* RuntimeIfAny() { return detail::the_runtime; }

}  // namespace rt
