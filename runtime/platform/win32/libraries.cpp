// Libraries loaded at run time, on Windows: the one place where the runtime asks the
// system to load one, look an export up and release it.
//
// A library named by its path is loaded only when the file is sound: a complete regular
// file. It stays open, shared for reading alone, from the check until it is released, so
// that nobody can write, replace or delete it in between. Neither the current folder nor
// the folders of PATH are searched, for the library or for what it needs: a file planted
// there cannot be loaded in its place.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdint>
#include <string>

#include "runtime/platform/platform.h"
#include "runtime/platform/win32/wide_text.h"

namespace rt::platform {
namespace {

#if defined(_M_X64) || defined(__x86_64__)
constexpr WORD kNativeMachine = IMAGE_FILE_MACHINE_AMD64;
#else
constexpr WORD kNativeMachine = IMAGE_FILE_MACHINE_I386;
#endif

HANDLE Handle(intptr_t file) { return reinterpret_cast<HANDLE>(file); }

bool ReadAt(HANDLE file, void* into, DWORD size, uint64_t at) {
  OVERLAPPED where = {};
  where.Offset = static_cast<DWORD>(at);
  where.OffsetHigh = static_cast<DWORD>(at >> 32);
  DWORD read = 0;
  return ReadFile(file, into, size, &read, &where) && read == size;
}

bool Within(uint64_t offset, uint64_t length, uint64_t size) {
  return offset <= size && length <= size - offset;
}

// Whether the file holds every byte its PE headers describe: the headers and the raw data
// of each section. A cut file would be mapped in part, and the first touch past its end
// would kill the process.
bool HoldsWholeImage(HANDLE file, uint64_t size) {
  IMAGE_DOS_HEADER dos;
  if (!ReadAt(file, &dos, sizeof dos, 0) || dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew < 0)
    return false;
  const uint64_t pe_at = static_cast<uint64_t>(dos.e_lfanew);
  DWORD signature = 0;
  IMAGE_FILE_HEADER header;
  if (!ReadAt(file, &signature, sizeof signature, pe_at) || signature != IMAGE_NT_SIGNATURE ||
      !ReadAt(file, &header, sizeof header, pe_at + sizeof signature) ||
      header.Machine != kNativeMachine)
    return false;
  const uint64_t optional_at = pe_at + sizeof signature + sizeof header;
  DWORD headers_size = 0;  // at the same place in the 32-bit and the 64-bit optional header
  if (header.SizeOfOptionalHeader <
          offsetof(IMAGE_OPTIONAL_HEADER64, SizeOfHeaders) + sizeof headers_size ||
      !ReadAt(file, &headers_size, sizeof headers_size,
              optional_at + offsetof(IMAGE_OPTIONAL_HEADER64, SizeOfHeaders)) ||
      headers_size > size)
    return false;
  const uint64_t sections_at = optional_at + header.SizeOfOptionalHeader;
  for (uint64_t i = 0; i < header.NumberOfSections; ++i) {
    IMAGE_SECTION_HEADER section;
    if (!ReadAt(file, &section, sizeof section, sections_at + i * sizeof section) ||
        !Within(section.PointerToRawData, section.SizeOfRawData, size))
      return false;
  }
  return true;
}

bool IsSound(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION information;
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &information) ||
      (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  return HoldsWholeImage(file,
                         uint64_t{information.nFileSizeHigh} << 32 | information.nFileSizeLow);
}

std::wstring FullPath(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return {};
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  full.resize(length < size ? length : 0);
  return full;
}

// Only what is a file on a disk is opened at all: opening a device or a pipe may do
// something. The open file is checked again, as it may have been swapped meanwhile.
HANDLE OpenSoundFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)))
    return INVALID_HANDLE_VALUE;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE && !IsSound(file)) {
    CloseHandle(file);
    return INVALID_HANDLE_VALUE;
  }
  return file;
}

// "#n": the export of ordinal n modulo 65536; 0 when what follows is no decimal number.
WORD Ordinal(const std::string& export_name) {
  uint32_t ordinal = 0;
  for (size_t i = 1; i < export_name.size(); ++i) {
    const char digit = export_name[i];
    if (digit < '0' || digit > '9') return 0;
    ordinal = (ordinal * 10 + static_cast<uint32_t>(digit - '0')) % 65536;
  }
  return static_cast<WORD>(ordinal);
}

}  // namespace

// The folder the library is in, then the program's and the system's, for the libraries
// it needs: this flag wants the full path.
Library LoadLibraryFile(const std::string& path) {
  const std::wstring full = FullPath(WidePath(path));
  if (full.empty()) return {};
  HANDLE file = OpenSoundFile(full);
  if (file == INVALID_HANDLE_VALUE) return {};
  HMODULE module = LoadLibraryExW(
      full.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  if (!module) {
    CloseHandle(file);
    return {};
  }
  return {module, reinterpret_cast<intptr_t>(file)};
}

// The program's folder and the system's, never the current folder or PATH.
Library LoadLibraryByName(const std::string& name) {
  return {LoadLibraryExW(WidePath(name).c_str(), nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS), -1};
}

void* FindExport(const Library& library, const std::string& export_name) {
  if (!library.module) return nullptr;
  HMODULE module = static_cast<HMODULE>(library.module);
  FARPROC address = nullptr;
  if (!export_name.empty() && export_name[0] == '#') {
    const WORD ordinal = Ordinal(export_name);
    if (ordinal != 0) address = GetProcAddress(module, MAKEINTRESOURCEA(ordinal));
  } else {
    address = GetProcAddress(module, export_name.c_str());
  }
  return reinterpret_cast<void*>(address);
}

void ReleaseLibrary(Library& library) {
  if (library.module) FreeLibrary(static_cast<HMODULE>(library.module));
  if (library.file != -1) CloseHandle(Handle(library.file));
  library = {};
}

// A drive ("C:") or a folder in either separator says where the file is. Asked of the
// characters, not of the inside bytes: the second byte of many a GBK character is "\".
bool NamesItsFolder(std::string_view library_name) {
  return WidePath(std::string(library_name)).find_first_of(L":\\/") != std::wstring::npos;
}

std::span<const char* const> SystemLibraries() {
  static constexpr const char* kLibraries[] = {"Kernel32.dll", "Gdi32.dll", "User32.dll",
                                               "Advapi32.dll", "Mpr.dll",   "Shell32.dll"};
  return kLibraries;
}

}  // namespace rt::platform
