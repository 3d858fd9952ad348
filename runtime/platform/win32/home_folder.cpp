// The user's home folder, on Windows.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "runtime/platform/platform.h"
#include "runtime/platform/win32/wide_text.h"

namespace rt::platform {
namespace {

// From the process's own environment, which the C runtime's copy may not follow.
std::wstring EnvironmentVariable(const wchar_t* name) {
  std::wstring value(GetEnvironmentVariableW(name, nullptr, 0), L'\0');
  const DWORD length =
      GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
  value.resize(length < value.size() ? length : 0);
  return value;
}

std::wstring ProfileFolder() {
  wchar_t* folder = nullptr;
  std::wstring profile;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Profile, 0, nullptr, &folder))) profile = folder;
  CoTaskMemFree(folder);
  return profile;
}

}  // namespace

// USERPROFILE first, as the system's own programs take it; Windows has no HOME.
std::string HomeFolder() {
  std::wstring home = EnvironmentVariable(L"USERPROFILE");
  if (home.empty()) home = ProfileFolder();
  return InsideFromWide(home);
}

}  // namespace rt::platform
