// The table of the system calls through which the platform writes files (see
// runtime/platform/file_calls.h), on Windows.
#pragma once

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "runtime/platform/file_calls.h"

namespace rt::platform {

struct FileCalls {
  HANDLE(WINAPI* create_file)
  (LPCWSTR path, DWORD access, DWORD sharing, LPSECURITY_ATTRIBUTES security, DWORD disposition,
   DWORD attributes, HANDLE template_file);
  BOOL(WINAPI* write_file)
  (HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped);
  BOOL(WINAPI* flush_file_buffers)(HANDLE file);
  BOOL(WINAPI* close_handle)(HANDLE handle);
  BOOL(WINAPI* replace_file)
  (LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags, LPVOID exclude,
   LPVOID reserved);
  BOOL(WINAPI* move_file)(LPCWSTR from, LPCWSTR to, DWORD flags);
  BOOL(WINAPI* delete_file)(LPCWSTR path);
};

}  // namespace rt::platform
