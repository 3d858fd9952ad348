// Writing a calculation sheet to a file: HTML or PDF to keep and print, JSON for other
// programs.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calc/sheet/sheet.h"

namespace calc {

enum class SheetFormat { kHtml, kJson, kPdf };

// The format a file name asks for by its extension, ".html", ".json" or ".pdf" in any
// case; none for any other.
std::optional<SheetFormat> SheetFormatOf(std::string_view path);

// ".html", ".json", ".pdf".
std::string_view ExtensionOf(SheetFormat format);

// What a save writes where: a name that ends in a sheet's extension keeps it and its
// format; any other gets the extension of the format the user chose, and that format.
struct SheetFileChoice {
  std::string utf8_path;
  SheetFormat format;
};
SheetFileChoice ChooseSheetFile(std::string_view utf8_path, SheetFormat chosen);

// Writes the sheet in the format to the file at the UTF-8 path, whole or not at all: an
// earlier file there stays as it was unless the new one took its place whole. False when
// it cannot be written; `reason`, when given, then receives the system's words (GBK).
bool SaveSheet(const Sheet& sheet, std::string_view utf8_path, SheetFormat format,
               std::string* reason = nullptr);

}  // namespace calc
