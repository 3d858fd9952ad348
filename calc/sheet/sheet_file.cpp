#include "calc/sheet/sheet_file.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "calc/sheet/sheet_html.h"
#include "calc/sheet/sheet_json.h"
#include "runtime/platform/gbk.h"
#include "runtime/platform/platform.h"

namespace calc {
namespace {

bool EndsWithIgnoringCase(std::string_view text, std::string_view ending) {
  return text.size() >= ending.size() &&
         std::equal(
             ending.begin(), ending.end(), text.end() - static_cast<std::ptrdiff_t>(ending.size()),
             [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

}  // namespace

std::optional<SheetFormat> SheetFormatOf(std::string_view path) {
  if (EndsWithIgnoringCase(path, ".html")) return SheetFormat::kHtml;
  if (EndsWithIgnoringCase(path, ".json")) return SheetFormat::kJson;
  return std::nullopt;
}

bool SaveSheet(const Sheet& sheet, std::string_view utf8_path, SheetFormat format,
               std::string* reason) {
  const std::string content = format == SheetFormat::kHtml ? SheetHtml(sheet) : SheetJson(sheet);
  const auto* bytes = reinterpret_cast<const uint8_t*>(content.data());
  return rt::platform::ReplaceFileAtomically(rt::Utf8ToGbk(utf8_path), {bytes, content.size()},
                                             reason);
}

}  // namespace calc
