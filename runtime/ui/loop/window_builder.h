// Building a loaded window's live window and controls from its records, and taking them
// down again when the window closes.
#pragma once

#include "runtime/core/loaded_windows.h"

namespace rt {

// Shows the window: creates the window and every control from a fresh copy of the loaded
// records, places each in its container, shows the visible ones and raises the window's
// created event. If the window exists already it is only brought to the front. False
// when a control cannot be created (nothing is left behind then).
bool ShowLoadedWindow(LoadedWindow& window);

// The user closed the window: it disappears at once and its controls are destroyed as
// soon as the current event is over.
void CloseLiveWindow(LoadedWindow& window);

// Destroys the controls of windows closed since the last call; true when this left no
// live window at all.
bool DestroyClosedWindows();

bool AnyLiveWindow();

}  // namespace rt
