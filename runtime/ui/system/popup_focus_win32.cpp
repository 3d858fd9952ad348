#include "runtime/ui/system/popup_focus.h"

namespace rt {

// The toolkit shows its popups on Windows without activating them, so the window that
// holds the focus never loses it to one: there is nothing to keep.
void KeepFocusThroughPopups() {}

}  // namespace rt
