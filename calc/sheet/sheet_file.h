// Writing a calculation sheet to a file: HTML to keep and print, JSON for other programs.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calc/sheet/sheet.h"

namespace calc {

enum class SheetFormat { kHtml, kJson };

// The format a file name asks for by its extension, ".html" or ".json" in any case; none
// for any other.
std::optional<SheetFormat> SheetFormatOf(std::string_view path);

// Writes the sheet in the format to the file at the UTF-8 path, replacing what was there;
// false when the file cannot be written whole.
bool SaveSheet(const Sheet& sheet, std::string_view utf8_path, SheetFormat format);

}  // namespace calc
