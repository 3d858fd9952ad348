#include <FL/Fl.H>

#include "runtime/ui/system/toolkit_options.h"

namespace rt {

// The toolkit reads its options on Windows from the preference file under the folder the
// registry names for the user's application data, and no process of ours can point it
// elsewhere. Only programs built on the same toolkit write that file, so the defaults hold
// on nearly every machine; the toolkit leaves an empty one there when it finds none.
void SettleToolkitOptions() { Fl::option(Fl::OPTION_SHOW_TOOLTIPS); }

}  // namespace rt
