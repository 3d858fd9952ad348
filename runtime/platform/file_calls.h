// The system calls through which the platform writes files, in one table, FileCalls, one
// per system (posix/file_calls.h, win32/file_calls.h). The platform makes them only
// through it, so that tests can put failing ones in its place (file_calls_for_tests.h)
// and drive each way a write can fail. Inside the platform layer and its tests only.
#pragma once

namespace rt::platform {

struct FileCalls;

// The table in use: the system's own calls unless a test has put others in.
const FileCalls& Calls();
// The system's own calls.
const FileCalls& SystemFileCalls();

}  // namespace rt::platform
