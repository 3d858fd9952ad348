// Directory search and the files the runtime writes, on Windows.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <string>

#include "runtime/platform/gbk.h"
#include "runtime/platform/platform.h"
#include "runtime/platform/whole_file_steps.h"
#include "runtime/platform/win32/file_calls.h"
#include "runtime/platform/win32/wide_text.h"

namespace rt::platform {
namespace {

constexpr FileCalls kSystemCalls = {
    .create_file = CreateFileW,
    .write_file = WriteFile,
    .flush_file_buffers = FlushFileBuffers,
    .close_handle = CloseHandle,
    .replace_file = ReplaceFileW,
    .move_file = MoveFileExW,
    .delete_file = DeleteFileW,
};

HANDLE Handle(const File& file) { return reinterpret_cast<HANDLE>(file.handle); }

File Opened(HANDLE handle) {
  return {handle == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<intptr_t>(handle)};
}

// Share mode 0: nobody else opens the file, for reading or writing, while it is open.
HANDLE OpenUnshared(const std::string& path, DWORD disposition) {
  return Calls().create_file(WidePath(path).c_str(), GENERIC_WRITE, 0, nullptr, disposition,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Where a name starts after the last of the `separators` in the inside text; 0 without one.
size_t PastLast(std::string_view path, std::string_view separators) {
  size_t start = 0;
  for (char separator : separators) {
    const size_t at = FindLastAsciiCharacter(path, separator);
    if (at != std::string_view::npos) start = std::max(start, at + 1);
  }
  return start;
}

}  // namespace

const FileCalls& SystemFileCalls() { return kSystemCalls; }

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
    Calls().close_handle(file);
    return {};
  }
  return Opened(file);
}

// Windows' permissions come from the folder the file is made in, for documents and code
// alike.
File CreateExclusively(const std::string& path, NewFileAccess, bool* taken) {
  HANDLE file = OpenUnshared(path, CREATE_NEW);
  const DWORD error = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
  *taken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
  return Opened(file);
}

bool WriteAll(const File& file, const uint8_t* data, size_t size) {
  while (size > 0) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
    DWORD written = 0;
    if (!Calls().write_file(Handle(file), data, chunk, &written, nullptr) || written == 0)
      return false;
    data += written;
    size -= written;
  }
  return true;
}

bool Sync(const File& file) { return Calls().flush_file_buffers(Handle(file)) != 0; }

bool Close(File& file) {
  const bool closed = Calls().close_handle(Handle(file)) != 0;
  file = {};
  return closed;
}

// ReplaceFileW gives the new content what Windows keeps of a document saved again: the
// earlier file's attributes, security and creation time. It needs a file to replace; a
// new name is a move, written through.
bool NameReplacing(const std::string& from, const std::string& to) {
  const std::wstring source = WidePath(from), target = WidePath(to);
  if (Exists(target))
    return Calls().replace_file(target.c_str(), source.c_str(), nullptr,
                                REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0;
  return Calls().move_file(source.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// Without MOVEFILE_REPLACE_EXISTING the move fails when the name is taken.
bool NameWithoutReplacing(const std::string& from, const std::string& to) {
  return Calls().move_file(WidePath(from).c_str(), WidePath(to).c_str(), MOVEFILE_WRITE_THROUGH) !=
         0;
}

// Windows has no syncing of a folder; the move above writes its entry through.
void SyncFolderOf(const std::string&) {}

// Windows flushes a file by its handle alone: each file opened again and flushed.
bool SyncClosedFiles(std::span<const std::string> paths) {
  for (const std::string& path : paths) {
    const HANDLE file = OpenUnshared(path, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool flushed = Calls().flush_file_buffers(file) != 0;
    Calls().close_handle(file);
    if (!flushed) return false;
  }
  return true;
}

bool RemoveFile(const std::string& path) {
  return Calls().delete_file(WidePath(path).c_str()) != 0;
}

// Either slash separates; a drive without a folder ("C:name") ends at its colon. Asked of
// the characters: the second byte of many a GBK character is "\".
size_t FileNameStart(std::string_view path) {
  const size_t drive = path.size() >= 2 && path[1] == ':' ? 2 : 0;
  return std::max(drive, PastLast(path, "\\/"));
}

// The system takes 0 only as "normal", the one value that clears them all.
bool SetAttributes(const std::string& path, int32_t attributes) {
  const DWORD bits = static_cast<DWORD>(attributes) & 0x27;
  return SetFileAttributesW(WidePath(path).c_str(), bits == 0 ? FILE_ATTRIBUTE_NORMAL : bits) != 0;
}

}  // namespace rt::platform
