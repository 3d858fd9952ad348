#include "runtime/ui/toolkit_options.h"

#include <FL/Fl.H>

#include <cstdlib>
#include <optional>
#include <string>

namespace rt {

// The toolkit reads its options from preference files the first time a control asks for
// one, and writes an empty preference file into the user's home when it finds none there.
// The calculator behaves as designed whatever a user's toolkit preferences say, and leaves
// nothing behind in the home: the options are read once, here, from a home in which
// nothing can be read or written ("/dev/null" is no folder), so the defaults hold.
void SettleToolkitOptions() {
  const char* home = std::getenv("HOME");
  std::optional<std::string> saved_home;
  if (home) saved_home = home;
  setenv("HOME", "/dev/null", 1);
  Fl::option(Fl::OPTION_SHOW_TOOLTIPS);
  if (saved_home)
    setenv("HOME", saved_home->c_str(), 1);
  else
    unsetenv("HOME");
}

}  // namespace rt
