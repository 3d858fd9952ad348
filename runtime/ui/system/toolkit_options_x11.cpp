#include "runtime/ui/system/toolkit_options.h"

#include <FL/Fl.H>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace rt {
namespace {

// Where the toolkit keeps a user's own preferences, under the home.
bool HasToolkitPreferences(const char* home) {
  std::error_code ignored;
  return home && std::filesystem::exists(std::filesystem::path(home) / ".fltk/fltk.org/fltk.prefs",
                                         ignored);
}

}  // namespace

// The toolkit reads its options from preference files the first time a control asks for
// one, and writes an empty preference file into the user's home when it finds none there.
// A user who chose options (their file chooser, say) keeps them; for everyone else the
// options are read once, here, from a home in which nothing can be read or written
// ("/dev/null" is no folder), so the defaults hold and nothing is left behind in the home.
void SettleToolkitOptions() {
  const char* home = std::getenv("HOME");
  if (HasToolkitPreferences(home)) {
    Fl::option(Fl::OPTION_SHOW_TOOLTIPS);
    return;
  }
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
