#include "tests/small_file_system.h"

#include <sched.h>
#include <sys/mount.h>

#include <algorithm>

#include "tests/child_process.h"

namespace testing_support {

std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const std::filesystem::directory_entry& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

int RunOnSmallFileSystem(const std::filesystem::path& folder, const std::string& size,
                         const std::function<int()>& body) {
  return RunInChild([&] {
    if (unshare(CLONE_NEWNS) != 0 ||
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("tmpfs", folder.c_str(), "tmpfs", 0, ("size=" + size).c_str()) != 0)
      return kCannotMount;
    return body();
  });
}

}  // namespace testing_support
