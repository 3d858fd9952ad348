// The user's home folder, on POSIX systems.
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/platform/gbk.h"
#include "runtime/platform/platform.h"

namespace rt::platform {
namespace {

// The passwd entry's folder, for a user whose environment names none (a service, su
// without a login shell).
std::string FolderOfTheUsersEntry() {
  const long suggested = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(suggested > 0 ? static_cast<size_t>(suggested) : 1024);
  passwd entry;
  passwd* found = nullptr;
  while (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == ERANGE)
    buffer.resize(buffer.size() * 2);
  return found && found->pw_dir ? found->pw_dir : "";
}

}  // namespace

// HOME first, as the shell and every other program take it; an empty HOME names none.
std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  return Utf8ToGbk(home && *home ? std::string(home) : FolderOfTheUsersEntry());
}

}  // namespace rt::platform
