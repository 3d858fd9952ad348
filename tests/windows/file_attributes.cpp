// file_attributes.exe PATH: prints the attributes Windows keeps for the file, as
// GetFileAttributesW returns them, in hexadecimal ("0x22"); ends with status 1 when the
// file has none because it does not exist.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments || count != 2) return 2;
  const DWORD attributes = GetFileAttributesW(arguments[1]);
  LocalFree(arguments);
  if (attributes == INVALID_FILE_ATTRIBUTES) return 1;
  std::printf("0x%lx\n", static_cast<unsigned long>(attributes));
  return 0;
}
