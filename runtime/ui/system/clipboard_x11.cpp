#include <FL/Fl.H>
#include <FL/x.H>

#include "runtime/ui/system/clipboard.h"

namespace rt {

// The toolkit's own question asks the holder for its formats and waits for the answer,
// dropping the events that arrive meanwhile; who holds the clipboard is known at once.
bool ClipboardMayHoldText() {
  if (!fl_display) return false;
  Atom clipboard = XInternAtom(fl_display, "CLIPBOARD", False);
  return XGetSelectionOwner(fl_display, clipboard) != None;
}

}  // namespace rt
