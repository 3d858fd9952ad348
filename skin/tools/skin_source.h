// Skin sources: the readable key = value text from which the binary skins are built.
//
//   # a comment line
//   name = Harbour Slate
//   scheme = gtk+              none, gtk+ or gleam
//   window = #EEF1F5           one line per palette role (skin_format.h), as #RRGGBB
//   button.style = gradient    flat, gradient or bevel, for button, field, panel, frame
//   button.radius = 3          0 to 8 pixels, for the same four parts
//   gloss = 70                 0 to 255
//
// Every key must appear exactly once.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "skin/engine/skin_format.h"

namespace skin {

// The skin, or nothing with `error` set to "line N: what is wrong" (or a list of the
// keys that are missing).
std::optional<Skin> ParseSource(std::string_view text, std::string* error);

}  // namespace skin
