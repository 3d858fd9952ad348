// The program file, the current folder and the command line, on Windows.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "runtime/platform/platform.h"
#include "runtime/platform/win32/wide_text.h"

namespace rt::platform {

// The buffer grows until the whole path fits: a path longer than the classic 260
// characters would otherwise come back cut.
std::string ProgramFilePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) return InsideFromWide(std::wstring_view(path.data(), length));
    path.resize(path.size() * 2);
  }
}

char FolderSeparator() { return '\\'; }

bool EnterFolder(const std::string& folder) {
  return SetCurrentDirectoryW(WidePath(folder).c_str()) != 0;
}

std::string CurrentFolder() {
  std::wstring folder(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
    if (length == 0) return {};
    if (length < folder.size()) return InsideFromWide(std::wstring_view(folder.data(), length));
    folder.resize(length);  // the size it needs, its terminating zero included
  }
}

// Split as the C runtime splits it, quotes and backslashes included.
std::vector<std::string> ProgramArguments(int, char**) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; wide && i < count; ++i) arguments.push_back(Utf8FromWide(wide[i]));
  LocalFree(wide);
  return arguments;
}

// Text mode would write "\r\n" for every "\n" and end its reading at a Ctrl-Z.
void UseBinaryStandardStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

}  // namespace rt::platform
