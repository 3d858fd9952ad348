// The message loop on the toolkit.
#pragma once

#include "runtime/core/user_interface.h"

namespace rt {

// Runs until the last window has closed. A window closed before the loop is gone
// already; without a display, or with no window open, the loop does not run.
void RunMessageLoop(DisplayMode mode);

}  // namespace rt
