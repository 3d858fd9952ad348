// The program file and the current folder, on POSIX systems.
#include <limits.h>
#include <unistd.h>

#include <string>

#include "runtime/platform/gbk.h"
#include "runtime/platform/platform.h"

namespace rt::platform {

std::string ProgramFilePath() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  return Utf8ToGbk(std::string(path, length > 0 ? static_cast<size_t>(length) : 0));
}

char FolderSeparator() { return '/'; }

bool EnterFolder(const std::string& folder) { return chdir(GbkToUtf8(folder).c_str()) == 0; }

}  // namespace rt::platform
