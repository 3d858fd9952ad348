// Tests put calls of their own in the place of the system's file calls, to make any one
// of them fail; a replacement may pass on to SystemFileCalls().
#pragma once

#include "runtime/platform/file_calls.h"

namespace rt::platform {

// Puts `calls` in use for as long as it lives, then the calls in use before; `calls`
// must outlive it.
class ReplacedFileCalls {
 public:
  explicit ReplacedFileCalls(const FileCalls& calls);
  ~ReplacedFileCalls();
  ReplacedFileCalls(const ReplacedFileCalls&) = delete;
  ReplacedFileCalls& operator=(const ReplacedFileCalls&) = delete;

 private:
  const FileCalls* previous_;
};

}  // namespace rt::platform
