#include "runtime/ui/loop/message_loop.h"

#include <FL/Fl.H>

#include "runtime/core/frame.h"
#include "runtime/ui/loop/window_builder.h"

namespace rt {

// Whenever nothing is waiting, the idle routines run once; then the loop sleeps until
// input, a timer, a repaint or another thread's request arrives, and handles it. The
// toolkit's sleep ends as a timer falls due but runs the timer only on its next wait: a
// wait that does not sleep runs it, so that the loop is quiet again between two ticks.
void RunMessageLoop(DisplayMode mode) {
  DestroyClosedWindows();
  if (!AnyLiveWindow() || mode == DisplayMode::kHeadless) return;
  for (;;) {
    if (!Fl::ready()) {
      RunIdleRoutines();
      Fl::wait(1e20);
    }
    Fl::wait(0.0);
    if (DestroyClosedWindows()) return;
  }
}

}  // namespace rt
