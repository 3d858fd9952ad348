#include "calc/sheet/sheet_file.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "calc/sheet/sheet_html.h"
#include "calc/sheet/sheet_json.h"
#include "calc/sheet/sheet_pdf.h"
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

std::string SheetContent(const Sheet& sheet, SheetFormat format) {
  switch (format) {
    case SheetFormat::kHtml: return SheetHtml(sheet);
    case SheetFormat::kJson: return SheetJson(sheet);
    case SheetFormat::kPdf: return SheetPdf(sheet);
  }
  return {};
}

}  // namespace

std::string_view ExtensionOf(SheetFormat format) {
  switch (format) {
    case SheetFormat::kHtml: return ".html";
    case SheetFormat::kJson: return ".json";
    case SheetFormat::kPdf: return ".pdf";
  }
  return {};
}

std::optional<SheetFormat> SheetFormatOf(std::string_view path) {
  for (SheetFormat format : {SheetFormat::kHtml, SheetFormat::kJson, SheetFormat::kPdf}) {
    if (EndsWithIgnoringCase(path, ExtensionOf(format))) return format;
  }
  return std::nullopt;
}

SheetFileChoice ChooseSheetFile(std::string_view utf8_path, SheetFormat chosen) {
  if (std::optional<SheetFormat> named = SheetFormatOf(utf8_path))
    return {std::string(utf8_path), *named};
  return {std::string(utf8_path) + std::string(ExtensionOf(chosen)), chosen};
}

bool SaveSheet(const Sheet& sheet, std::string_view utf8_path, SheetFormat format,
               std::string* reason) {
  const std::string content = SheetContent(sheet, format);
  if (content.empty()) {
    if (reason) *reason = "无法生成 PDF 文件";
    return false;
  }
  const auto* bytes = reinterpret_cast<const uint8_t*>(content.data());
  return rt::platform::ReplaceFileAtomically(rt::Utf8ToGbk(utf8_path), {bytes, content.size()},
                                             reason);
}

}  // namespace calc
