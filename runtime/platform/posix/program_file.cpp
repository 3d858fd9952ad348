// The program file, the current folder and the command line, on POSIX systems.
#include <limits.h>
#include <unistd.h>

#include <cstdlib>
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

std::string CurrentFolder() {
  char* folder = getcwd(nullptr, 0);
  const std::string inside = folder ? Utf8ToGbk(folder) : std::string();
  std::free(folder);
  return inside;
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

// POSIX streams never translate.
void UseBinaryStandardStreams() {}

}  // namespace rt::platform
