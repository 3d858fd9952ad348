// Directory search and the files the runtime writes, on Windows.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
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

// The final path of an open file without the "\\?\" the system puts before it, which the
// inside form of a path does not carry.
std::string FinalPathOf(HANDLE handle) {
  std::wstring path(MAX_PATH, L'\0');
  DWORD length = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                           FILE_NAME_NORMALIZED);
  if (length >= path.size()) {
    path.resize(length);
    length = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                       FILE_NAME_NORMALIZED);
  }
  if (length == 0 || length >= path.size()) return {};
  path.resize(length);
  if (path.starts_with(L"\\\\?\\UNC\\")) return InsideFromWide(L"\\" + path.substr(7));
  if (path.starts_with(L"\\\\?\\")) return InsideFromWide(path.substr(4));
  return InsideFromWide(path);
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

// A file a write still holds open is kept by the system as well: it is shared with none.
void RemoveOldFilesBeside(const std::string& path,
                          const std::function<bool(std::string_view)>& is_leftover,
                          std::chrono::seconds age) {
  const std::string folder = path.substr(0, FileNameStart(path));
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(WidePath(folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  auto ticks = [](const FILETIME& time) {  // in 100 ns
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  };
  const uint64_t written_before = ticks(now) - static_cast<uint64_t>(age.count()) * 10'000'000;
  do {
    const std::string name = InsideFromWide(found.cFileName);
    const bool plain_file =
        !(found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
    if (plain_file && is_leftover(name) && ticks(found.ftLastWriteTime) < written_before)
      DeleteFileW(WidePath(folder + name).c_str());
  } while (FindNextFileW(search, &found));
  FindClose(search);
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

// Opened without access, which neither waits on a pipe nor disturbs a device: a device
// (NUL, CON, a pipe) or a folder is refused, a symbolic link to a file followed to the file.
// What cannot be opened is left to the writing, which then says why.
bool ReplacementTarget(const std::string& path, std::string* target) {
  *target = path;
  const std::wstring wide = WidePath(path);
  const HANDLE handle =
      CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return true;
  BY_HANDLE_FILE_INFORMATION information;
  const bool regular = GetFileType(handle) == FILE_TYPE_DISK &&
                       GetFileInformationByHandle(handle, &information) &&
                       !(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  const DWORD entry = GetFileAttributesW(wide.c_str());
  if (regular && entry != INVALID_FILE_ATTRIBUTES && (entry & FILE_ATTRIBUTE_REPARSE_POINT)) {
    const std::string final_path = FinalPathOf(handle);
    if (!final_path.empty()) *target = final_path;
  }
  CloseHandle(handle);
  return regular;
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
