// Reading a whole file of bounded size, on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "runtime/platform/gbk.h"
#include "runtime/platform/platform.h"

namespace rt::platform {
namespace {

// The bytes of the open file up to one past the limit, so that a file that grew while it
// was read is still found too large.
bool ReadAll(int descriptor, size_t limit, std::string* content) {
  char buffer[65536];
  for (;;) {
    const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
    if (count < 0) return false;
    if (count == 0) return true;
    content->append(buffer, static_cast<size_t>(count));
    if (content->size() > limit) return true;
  }
}

}  // namespace

bool ReadFileUpTo(const std::string& path, size_t limit, std::string* content,
                  std::string* reason) {
  content->clear();
  const int descriptor = ::open(GbkToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  struct stat status {};
  bool read = descriptor >= 0 && ::fstat(descriptor, &status) == 0;
  if (read && S_ISDIR(status.st_mode)) {
    errno = EISDIR;
    read = false;
  }
  const bool too_large = read && static_cast<unsigned long long>(status.st_size) > limit;
  read = read && !too_large && ReadAll(descriptor, limit, content);
  if (reason && !read && !too_large) *reason = LastFailureText();
  if (descriptor >= 0) ::close(descriptor);
  if (read && content->size() <= limit) return true;
  if (reason && (too_large || read)) *reason = "文件过大";
  content->clear();
  return false;
}

}  // namespace rt::platform
