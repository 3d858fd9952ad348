#include "runtime/ui/event_watch.h"

#include <FL/Fl.H>

#include <vector>

namespace rt {
namespace {

struct Watch {
  std::vector<EventWatcher*> watchers;
  // Whatever dispatched events before the watch began; it still does.
  Fl_Event_Dispatch previous = nullptr;
  bool installed = false;
};

// Never destroyed: a component stops watching when it is destroyed, which may happen
// during the process's exit, after this file's program-wide objects would be gone.
Watch& TheWatch() {
  static Watch& watch = *new Watch;
  return watch;
}

int DispatchAndTell(int event, Fl_Window* window) {
  Watch& watch = TheWatch();
  int handled = watch.previous ? watch.previous(event, window) : Fl::handle_(event, window);
  // By index: the list stays valid should a watcher start watching meanwhile.
  for (size_t i = 0; i < watch.watchers.size(); ++i) watch.watchers[i]->AfterEvent(event);
  return handled;
}

}  // namespace

void StartWatchingEvents(EventWatcher& watcher) {
  Watch& watch = TheWatch();
  if (!watch.installed) {
    // The toolkit has a single dispatch hook; the one found here is kept and called.
    watch.previous = Fl::event_dispatch();
    Fl::event_dispatch(DispatchAndTell);
    watch.installed = true;
  }
  watch.watchers.push_back(&watcher);
}

void StopWatchingEvents(EventWatcher& watcher) { std::erase(TheWatch().watchers, &watcher); }

}  // namespace rt
