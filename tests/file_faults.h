// The platform's file-writing calls with one of them failing, for the tests that drive
// each way a write can fail.
#pragma once

#include "runtime/platform/file_calls_for_tests.h"
#ifdef _WIN32
#include "runtime/platform/win32/file_calls.h"
#else
#include "runtime/platform/posix/file_calls.h"
#endif

namespace testing_support {

// The system's calls but for one, which fails with `error` (errno, or the system's last
// error on Windows) at the step `where` names.
struct Fault {
  const char* where;
  long error;
  rt::platform::FileCalls calls;
};

// The system's calls as `change` leaves them.
inline rt::platform::FileCalls SystemCallsWith(void (*change)(rt::platform::FileCalls&)) {
  rt::platform::FileCalls calls = rt::platform::SystemFileCalls();
  change(calls);
  return calls;
}

}  // namespace testing_support
