#include "runtime/frame.h"

#include <cstdlib>

namespace rt {
namespace {

struct FrameState {
  ProgramDescription program;
  DisplayMode mode = DisplayMode::kHeadless;
  std::string program_folder;
  int suppression = 0;
  EndRoutine end_routine = nullptr;
  bool end_begun = false;
};

FrameState& State() {
  static FrameState state;
  return state;
}

}  // namespace

void InitRuntime(const ProgramDescription& program, DisplayMode mode) {
  State().program = program;
  State().mode = mode;
}

void SetEndRoutine(EndRoutine routine) { State().end_routine = routine; }
void ForgetEndRoutine() { State().end_routine = nullptr; }

void LoadStartWindow(uint32_t) {}
void WaitForEnd() {}

void EndProgram(int exit_code) {
  RaiseSuppression();
  State().end_begun = true;
  if (EndRoutine routine = State().end_routine) {
    State().end_routine = nullptr;
    routine();
  }
  std::_Exit(exit_code);
}

DisplayMode CurrentDisplayMode() { return State().mode; }
const ProgramDescription& CurrentProgram() { return State().program; }
const std::string& ProgramFolderPath() { return State().program_folder; }

void RaiseSuppression() { ++State().suppression; }
void LowerSuppression() { --State().suppression; }
bool EventsSuppressed() { return State().suppression > 0; }

}  // namespace rt
