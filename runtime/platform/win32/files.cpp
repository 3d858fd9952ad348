// Directory search and the files the runtime writes, on Windows.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <string>

#include "runtime/platform/platform.h"
#include "runtime/platform/win32/wide_text.h"

namespace rt::platform {
namespace {

HANDLE Handle(const File& file) { return reinterpret_cast<HANDLE>(file.handle); }

File Opened(HANDLE handle) {
  return {handle == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<intptr_t>(handle)};
}

// Share mode 0: nobody else opens the file, for reading or writing, while it is open.
HANDLE OpenUnshared(const std::string& path, DWORD disposition) {
  return CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
}

}  // namespace

// The search as the system makes it: "*" and "?" match as Windows matches them, and a
// folder counts as well as a file.
bool AnyEntryMatches(const std::string& path) {
  if (path.empty()) return false;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(WidePath(path).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

// Opened without truncating, then emptied: a file of the same name that is hidden or
// read-only would make a truncating open fail. Only a file on a disk is emptied, not a
// device such as NUL or a pipe.
File OpenEmptiedForWriting(const std::string& path) {
  HANDLE file = OpenUnshared(path, OPEN_ALWAYS);
  if (file == INVALID_HANDLE_VALUE) return {};
  if (GetFileType(file) != FILE_TYPE_DISK || !SetEndOfFile(file)) {
    CloseHandle(file);
    return {};
  }
  return Opened(file);
}

// Windows' permissions come from the folder the file is made in.
File CreateExclusively(const std::string& path, bool* taken) {
  HANDLE file = OpenUnshared(path, CREATE_NEW);
  const DWORD error = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
  *taken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
  return Opened(file);
}

bool WriteAll(const File& file, const uint8_t* data, size_t size) {
  while (size > 0) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(Handle(file), data, chunk, &written, nullptr) || written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

bool Sync(const File& file) { return FlushFileBuffers(Handle(file)) != 0; }

bool Close(File& file) {
  const bool closed = CloseHandle(Handle(file)) != 0;
  file = {};
  return closed;
}

// Without MOVEFILE_REPLACE_EXISTING the move fails when the name is taken.
bool NameWithoutReplacing(const std::string& from, const std::string& to) {
  const std::wstring source = WidePath(from);
  if (MoveFileExW(source.c_str(), WidePath(to).c_str(), MOVEFILE_WRITE_THROUGH)) return true;
  DeleteFileW(source.c_str());
  return false;
}

bool RemoveFile(const std::string& path) { return DeleteFileW(WidePath(path).c_str()) != 0; }

// The system takes 0 only as "normal", the one value that clears them all.
bool SetAttributes(const std::string& path, int32_t attributes) {
  const DWORD bits = static_cast<DWORD>(attributes) & 0x27;
  return SetFileAttributesW(WidePath(path).c_str(), bits == 0 ? FILE_ATTRIBUTE_NORMAL : bits) != 0;
}

}  // namespace rt::platform
