// Files read whole, on POSIX systems.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "runtime/platform/gbk.h"
#include "runtime/platform/platform.h"

namespace rt::platform {

bool ReadWholeFile(const std::string& path, size_t most_bytes, std::string* bytes,
                   std::string* reason) {
  const int file = ::open(GbkToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC);
  bool whole = file >= 0;
  bytes->clear();
  char buffer[65536];
  while (whole) {
    const ssize_t read = ::read(file, buffer, sizeof buffer);
    if (read < 0 && errno == EINTR) continue;
    if (read <= 0) {
      whole = read == 0;
      break;
    }
    if (bytes->size() + size_t(read) > most_bytes) {
      errno = EFBIG;
      whole = false;
      break;
    }
    bytes->append(buffer, size_t(read));
  }
  if (!whole && reason) *reason = LastFailureText();
  if (file >= 0) ::close(file);
  return whole;
}

}  // namespace rt::platform
