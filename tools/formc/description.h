// The window description compiler: reads the human-readable description of the program's
// windows and turns it into the window template and the header of control ids.
//
// The description is UTF-8, one setting a line (see forms/main_window.form for the full
// account of its words):
//   window SYMBOL WINDOW_ID            starts a window; SYMBOL names its id constant
//     values V1 V2 / text1 "..." / text2 "..."
//   control NAME TYPE CONTROL_ID       starts a record; the window's own comes first
//     in CONTAINER                     default: the window itself
//     at LEFT TOP WIDTH HEIGHT
//     flags N / tab_order N / tag "..."
//     on EVENT HANDLER                 HANDLER is a name from the handler list
//     page NAME...                     one line per page of a Tab, in page order
//     version N                        unit data version; default the type's highest
//     FIELD VALUE...                   a unit data field, by its name in forms/unit_fields.h
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "forms/template.h"
#include "tools/formc/lines.h"

namespace formc {

// The handler names of calc/pages/handlers.def (`HANDLER(Name)` lines) in table order; a
// binding refers to a handler by its index in this list.
std::vector<std::string> ReadHandlerNames(const SourceFile& file);

struct Compiled {
  forms::Template tmpl;
  std::string ids_header;               // C++ header with one constant per id
  std::vector<std::string> files_read;  // pictures and other files the description names
};

// Throws Error for anything wrong in the description. Paths of byte fields are relative
// to `root`.
Compiled Compile(const SourceFile& description, const std::vector<std::string>& handlers,
                 const std::filesystem::path& root);

}  // namespace formc
