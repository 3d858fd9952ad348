// Watching the toolkit's events without taking part in them: a watcher hears of every
// event after the widgets have handled it, and cannot change or consume it. This is how
// a component follows the pointer over controls that keep all their own handling.
#pragma once

namespace rt {

class EventWatcher {
 public:
  // `fl_event` has just been handled; the toolkit's event state (pointer position,
  // the widget below the pointer) is as the widgets left it.
  virtual void AfterEvent(int fl_event) = 0;

 protected:
  ~EventWatcher() = default;
};

// The watcher hears of events from now on until it stops watching; a watcher must stop
// before it is destroyed.
void StartWatchingEvents(EventWatcher& watcher);
void StopWatchingEvents(EventWatcher& watcher);

}  // namespace rt
