#include "calc/sheet_window/printable_text.h"

#include <FL/fl_draw.H>

namespace calc {
namespace {

// More than any string needs: each space widens the printer's strip by half its width.
constexpr int kMostPadding = 64;

int TruncatedWidth(const std::string& utf8, Fl_Font face, Fl_Fontsize size) {
  fl_font(face, size);
  return static_cast<int>(fl_width(utf8.c_str(), static_cast<int>(utf8.size())));
}

// The printer draws a string it has no PostScript glyphs for (every string of the CJK
// faces, any CJK text) as a picture: it draws the string at twice its size one pixel in
// from the edge of a pixmap two and a half times its truncated width, and reads that
// width back. Where the doubled font is relatively wider than that (the faces' bitmap
// strikes at small sizes: "Ω" is 8 pixels at 11 and 22 at 22) the read fails and the
// printer goes on with no picture, ending the program.
bool FitsThePrintersPicture(const std::string& utf8, Fl_Font face, Fl_Fontsize size) {
  const int width = TruncatedWidth(utf8, face, size);
  const int doubled = TruncatedWidth(utf8, face, 2 * size);
  fl_font(face, size);
  return width == 0 || 1 + doubled <= static_cast<int>(width * 2.5);
}

}  // namespace

// A trailing space widens the pixmap by two and a half times its width and the drawing in
// it by only twice: enough of them make room, and they print as nothing. The printer
// scales the picture to the padded string's width, so the text keeps its place and size.
std::string PrintableText(std::string utf8, Fl_Font face, Fl_Fontsize size) {
  for (int spaces = 0; spaces < kMostPadding && !FitsThePrintersPicture(utf8, face, size); ++spaces)
    utf8 += ' ';
  return utf8;
}

}  // namespace calc
