#include "tools/capcalc-script/starting_folder.h"

#include <filesystem>
#include <system_error>

#include "runtime/platform/gbk.h"
#include "runtime/platform/platform.h"

namespace script {
namespace {

std::string& StartingFolder() {
  static std::string folder;  // UTF-8; empty until remembered
  return folder;
}

std::filesystem::path PathOf(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace

void RememberStartingFolder() { StartingFolder() = rt::GbkToUtf8(rt::platform::CurrentFolder()); }

std::string FromStartingFolder(std::string_view utf8_path) {
  try {
    const std::filesystem::path path = PathOf(utf8_path);
    if (path.is_absolute()) return std::string(utf8_path);
    if (StartingFolder().empty()) return {};
    // Joined as the system would resolve it there: on Windows "\x" keeps the starting
    // folder's drive.
    const std::u8string joined = (PathOf(StartingFolder()) / path).u8string();
    return std::string(joined.begin(), joined.end());
  } catch (const std::system_error&) {
    return {};  // not text the system can name a file with
  }
}

}  // namespace script
