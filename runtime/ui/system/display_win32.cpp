#include "runtime/ui/system/display.h"

namespace rt {

// Windows has one screen for every program of the session: nothing to connect to or lose.
void ConnectToDisplay() {}

}  // namespace rt
