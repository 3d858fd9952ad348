#include "runtime/ui/loop/event_watch.h"

#include <FL/Fl.H>

#include <vector>

#include "runtime/ui/loop/toolkit_state.h"

namespace rt {
namespace {

// Installed while the user interface that started the watch exists; it puts the previous
// hook back when it goes.
int DispatchAndTell(int event, Fl_Window* window) {
  ToolkitState& watch = Toolkit();
  int handled =
      watch.previous_dispatch ? watch.previous_dispatch(event, window) : Fl::handle_(event, window);
  // By index: the list stays valid should a watcher start watching meanwhile.
  for (size_t i = 0; i < watch.event_watchers.size(); ++i)
    watch.event_watchers[i]->AfterEvent(event);
  return handled;
}

}  // namespace

void StartWatchingEvents(EventWatcher& watcher) {
  ToolkitState& watch = Toolkit();
  if (!watch.watch_installed) {
    // The toolkit has a single dispatch hook; the one found here is kept and called.
    watch.previous_dispatch = Fl::event_dispatch();
    Fl::event_dispatch(DispatchAndTell);
    watch.watch_installed = true;
  }
  watch.event_watchers.push_back(&watcher);
}

void StopWatchingEvents(EventWatcher& watcher) { std::erase(Toolkit().event_watchers, &watcher); }

}  // namespace rt
