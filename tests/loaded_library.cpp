#include "tests/loaded_library.h"

#ifdef _WIN32
#include <windows.h>

#include <filesystem>
#else
#include <dlfcn.h>
#endif

namespace testing_support {

#ifdef _WIN32

void* LoadLibraryFile(const std::string& path, std::string* error) {
  const std::wstring wide = std::filesystem::path(path).make_preferred().wstring();
  HMODULE module = LoadLibraryExW(wide.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!module) *error = "LoadLibraryExW failed with error " + std::to_string(GetLastError());
  return reinterpret_cast<void*>(module);
}

void* FindExport(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

std::string ModuleFileOf(const void* address) {
  HMODULE module = nullptr;
  if (!GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          static_cast<LPCWSTR>(address), &module))
    return {};
  wchar_t name[MAX_PATH];
  const DWORD length = GetModuleFileNameW(module, name, MAX_PATH);
  return std::filesystem::path(std::wstring(name, length)).string();
}

#else

void* LoadLibraryFile(const std::string& path, std::string* error) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) *error = dlerror();
  return library;
}

void* FindExport(void* library, const char* name) { return dlsym(library, name); }

std::string ModuleFileOf(const void* address) {
  Dl_info info{};
  return dladdr(address, &info) && info.dli_fname ? info.dli_fname : "";
}

#endif

}  // namespace testing_support
