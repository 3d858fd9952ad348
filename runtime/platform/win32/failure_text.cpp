// The reason for a failure in the system's words, on Windows: the system's message for
// the thread's last error, in the user's language.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>

#include "runtime/platform/platform.h"
#include "runtime/platform/win32/wide_text.h"

namespace rt::platform {

std::string LastFailureText() {
  const DWORD error = GetLastError();
  if (error == ERROR_SUCCESS) return {};
  wchar_t* message = nullptr;
  // Language 0: the user's language, else the system's.
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
  std::wstring text(message ? message : L"", length);
  LocalFree(message);
  // The message ends its line, which the report ends itself.
  text.erase(text.find_last_not_of(L" \r\n") + 1);
  return InsideFromWide(text);
}

}  // namespace rt::platform
