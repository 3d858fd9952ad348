// The table of the system calls through which the platform writes files (see
// runtime/platform/file_calls.h), on POSIX systems.
#pragma once

#include <sys/types.h>

#include "runtime/platform/file_calls.h"

namespace rt::platform {

struct FileCalls {
  int (*open)(const char* path, int flags, mode_t mode);
  ssize_t (*write)(int fd, const void* data, size_t size);
  int (*fsync)(int fd);
  int (*close)(int fd);
  int (*rename)(const char* from, const char* to);
  int (*link)(const char* from, const char* to);
  int (*unlink)(const char* path);
};

}  // namespace rt::platform
