#include <FL/Fl.H>
#include <FL/x.H>

#include "runtime/ui/system/popup_focus.h"

namespace rt {
namespace {

// The focus changes that a grab of the keyboard brings and ends are no changes of the
// user's focus; the toolkit never hears of them.
int SwallowGrabFocusChanges(void* event, void*) {
  const XEvent& x = *static_cast<const XEvent*>(event);
  bool focus_change = x.type == FocusIn || x.type == FocusOut;
  return focus_change && (x.xfocus.mode == NotifyGrab || x.xfocus.mode == NotifyUngrab);
}

}  // namespace

void KeepFocusThroughPopups() { Fl::add_system_handler(SwallowGrabFocusChanges, nullptr); }

}  // namespace rt
