#include "runtime/ui/system/display.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace rt {
namespace {

// No window can be shown or closed any more, and the toolkit's windows cannot be taken
// down over a connection that is gone: the process ends at once, before any program-wide
// object that refers to a window is destroyed.
[[noreturn]] void EndWithoutDisplay(const std::string& reason) {
  std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, reason.c_str());
  std::fflush(stderr);
  std::_Exit(1);
}

std::string TheDisplay() { return std::string("display \"") + XDisplayName(nullptr) + "\""; }

void CannotOpen(const char*, ...) { EndWithoutDisplay("cannot open " + TheDisplay()); }

int ConnectionLost(Display*) { EndWithoutDisplay("lost the connection to " + TheDisplay()); }

}  // namespace

void ConnectToDisplay() {
  if (*XDisplayName(nullptr) == '\0')
    EndWithoutDisplay("no display to show the window on: DISPLAY is not set");
  // The toolkit reports a display it cannot open through its fatal-error routine.
  auto* toolkit_fatal = Fl::fatal;
  Fl::fatal = CannotOpen;
  fl_open_display();
  Fl::fatal = toolkit_fatal;
  XSetIOErrorHandler(ConnectionLost);
}

}  // namespace rt
