// What the core asks of the user-interface layer: the windows, the message loop, the
// error report on screen and the hand-over of another thread's end request. The frame
// runs its sequence of start and end through it; without one (tests of the core alone)
// nothing is shown, no loop runs and reports go to standard error.
#pragma once

#include <string>

#include "runtime/core/loaded_windows.h"

namespace rt {

struct ProgramDescription;

// Without a display no window is shown, the message loop does not run and the error
// report goes to standard error; everything else, the live controls included, is the same.
enum class DisplayMode { kHeadless, kOnScreen };

class UserInterface {
 public:
  virtual ~UserInterface() = default;

  virtual DisplayMode mode() const = 0;
  // Called at the end of the runtime's initialisation, the template loaded.
  virtual void Prepare(const ProgramDescription& program) = 0;
  // Shows the GBK text of the runtime error report and returns once the user has seen it.
  virtual void PresentError(const std::string& gbk_text) = 0;
  // Creates and shows the window with its controls; false when it cannot be created.
  virtual bool ShowWindow(LoadedWindow& window) = 0;
  // Runs the message loop until the last window has closed; returns at once when no
  // window is open.
  virtual void RunMessageLoop() = 0;
  // Has the user-interface thread call `call(argument)` soon; called on another thread.
  // False when no message loop would take the call up.
  virtual bool CallOnInterfaceThread(void (*call)(void*), void* argument) = 0;
};

}  // namespace rt
