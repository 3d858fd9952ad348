// The user-interface layer's part of the runtime state: it lives in the user-interface
// object that the runtime state owns (toolkit_interface.h), so it is made and destroyed
// with the runtime, after the live controls that refer to it are gone. Each part belongs
// to the file named beside it.
#pragma once

#include <FL/Fl.H>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "runtime/core/loaded_windows.h"
#include "runtime/ui/editing/edit_menu.h"

namespace rt {

class EventWatcher;

struct ToolkitState {
  // window_builder.cpp: windows closed whose controls go once the current event is over
  std::vector<LoadedWindow*> closed_windows;
  // posted_calls.cpp
  std::deque<std::function<void()>> posted_calls;
  // focus.cpp: the holder of the focus without a display
  std::unique_ptr<Fl_Widget_Tracker> headless_focus;
  // event_watch.cpp
  std::vector<EventWatcher*> event_watchers;
  Fl_Event_Dispatch previous_dispatch = nullptr;  // whatever dispatched events before
  bool watch_installed = false;
  // edit_menu.cpp: the entries added to each box's menu, by window and control
  std::map<std::pair<uint32_t, uint32_t>, std::vector<EditMenuEntry>> edit_menu_entries;
  // common_events.cpp: the text of a keyboard event whose character a handler replaced
  std::string replaced_character;
};

// The state of the running user interface.
ToolkitState& Toolkit();

}  // namespace rt
