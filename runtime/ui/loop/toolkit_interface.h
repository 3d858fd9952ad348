// The user-interface layer on the toolkit, as the runtime's frame meets it.
#pragma once

#include <memory>

#include "runtime/core/user_interface.h"

namespace rt {

// The user interface for InitRuntime. On screen it connects to the display at once:
// without one (DISPLAY unset, or naming no server that answers) the process ends with
// status 1 and a message that names the display.
std::unique_ptr<UserInterface> ToolkitInterface(DisplayMode mode);

}  // namespace rt
