#include "calc/sheet/sheet_file.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

#include "calc/sheet/sheet_html.h"
#include "calc/sheet/sheet_json.h"

namespace calc {
namespace {

bool EndsWithIgnoringCase(std::string_view text, std::string_view ending) {
  return text.size() >= ending.size() &&
         std::equal(ending.begin(), ending.end(), text.end() - static_cast<std::ptrdiff_t>(ending.size()),
                    [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

}  // namespace

std::optional<SheetFormat> SheetFormatOf(std::string_view path) {
  if (EndsWithIgnoringCase(path, ".html")) return SheetFormat::kHtml;
  if (EndsWithIgnoringCase(path, ".json")) return SheetFormat::kJson;
  return std::nullopt;
}

bool SaveSheet(const Sheet& sheet, std::string_view utf8_path, SheetFormat format) {
  const std::string content = format == SheetFormat::kHtml ? SheetHtml(sheet) : SheetJson(sheet);
  // A path of UTF-8 characters, so that it names the same file on every platform.
  const std::u8string path(utf8_path.begin(), utf8_path.end());
  std::ofstream file(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
  file.write(content.data(), static_cast<std::streamsize>(content.size()));
  file.close();
  return !file.fail();
}

}  // namespace calc
