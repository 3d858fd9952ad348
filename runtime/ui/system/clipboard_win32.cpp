#include <FL/Fl.H>
#include <FL/x.H>

#include "runtime/ui/system/clipboard.h"

namespace rt {

// The system tells at once whether the clipboard holds text, without asking its holder.
bool ClipboardMayHoldText() {
  return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}

}  // namespace rt
