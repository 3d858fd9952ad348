// Text as the toolkit's PostScript printer can draw it.
#pragma once

#include <FL/Enumerations.H>

#include <string>

namespace calc {

// `utf8` with as many trailing spaces as the printer needs to draw it in `face` at `size`
// without failing; the text itself prints where and as it would unpadded.
std::string PrintableText(std::string utf8, Fl_Font face, Fl_Fontsize size);

}  // namespace calc
