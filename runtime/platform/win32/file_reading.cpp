// Files read whole, on Windows.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>

#include "runtime/platform/platform.h"
#include "runtime/platform/win32/wide_text.h"

namespace rt::platform {

bool ReadWholeFile(const std::string& path, size_t most_bytes, std::string* bytes,
                   std::string* reason) {
  HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  bool whole = file != INVALID_HANDLE_VALUE;
  bytes->clear();
  char buffer[65536];
  while (whole) {
    DWORD read = 0;
    if (!ReadFile(file, buffer, sizeof buffer, &read, nullptr)) whole = false;
    if (!whole || read == 0) break;
    if (bytes->size() + read > most_bytes) {
      SetLastError(ERROR_FILE_TOO_LARGE);
      whole = false;
      break;
    }
    bytes->append(buffer, read);
  }
  if (!whole && reason) *reason = LastFailureText();
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return whole;
}

}  // namespace rt::platform
