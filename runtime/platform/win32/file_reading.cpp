// Reading a whole file of bounded size, on Windows.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>

#include "runtime/platform/platform.h"
#include "runtime/platform/win32/wide_text.h"

namespace rt::platform {
namespace {

// The bytes of the open file up to one past the limit, so that a file that grew while it
// was read is still found too large.
bool ReadAll(HANDLE file, size_t limit, std::string* content) {
  char buffer[65536];
  for (;;) {
    DWORD count = 0;
    if (!ReadFile(file, buffer, sizeof buffer, &count, nullptr)) return false;
    if (count == 0) return true;
    content->append(buffer, count);
    if (content->size() > limit) return true;
  }
}

}  // namespace

bool ReadFileUpTo(const std::string& path, size_t limit, std::string* content,
                  std::string* reason) {
  content->clear();
  const HANDLE file =
      CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  LARGE_INTEGER size{};
  bool read = file != INVALID_HANDLE_VALUE && GetFileSizeEx(file, &size);
  const bool too_large = read && static_cast<unsigned long long>(size.QuadPart) > limit;
  read = read && !too_large && ReadAll(file, limit, content);
  if (reason && !read && !too_large) *reason = LastFailureText();
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (read && content->size() <= limit) return true;
  if (reason && (too_large || read)) *reason = "文件过大";
  content->clear();
  return false;
}

}  // namespace rt::platform
