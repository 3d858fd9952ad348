#include "runtime/ui/controls/look.h"

#include <FL/Fl.H>
#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>

#include <cstdlib>

#include "runtime/ui/system/cjk_faces.h"

namespace rt {
namespace {

constexpr Fl_Font kSongFont = FL_FREE_FONT;
constexpr Fl_Font kKaiFont = FL_FREE_FONT + 1;
constexpr Fl_Fontsize kDefaultSize = 12;

void RegisterFonts() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  // The toolkit keeps the names' addresses: the faces live as long as the program.
  Fl::set_font(kSongFont, InstalledCjkFaces().song.c_str());
  Fl::set_font(kKaiFont, InstalledCjkFaces().kai.c_str());
}

}  // namespace

Fl_Color ToToolkitColour(uint32_t colour, Fl_Color system_default) {
  if (colour == forms::kDefaultColour) return system_default;
  return fl_rgb_color(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

ToolkitFont ToToolkitFont(const forms::Font& font) {
  RegisterFonts();
  if (!font) return {kSongFont, kDefaultSize};
  // A negative height is the character height in pixels; a positive one includes the
  // internal leading, which is roughly a sixth of it for these faces.
  int height = std::abs(font->height);
  if (font->height > 0) height = height * 5 / 6;
  if (height == 0) height = kDefaultSize;
  Fl_Font face = font->face == "楷体_GB2312" ? kKaiFont : kSongFont;
  return {face, static_cast<Fl_Fontsize>(height)};
}

void ApplyLabelFont(Fl_Widget* widget, const forms::Font& font) {
  ToolkitFont f = ToToolkitFont(font);
  widget->labelfont(f.face);
  widget->labelsize(f.size);
}

void RedrawArea(Fl_Widget* widget) {
  if (Fl_Window* window = widget->window()) {
    window->damage(FL_DAMAGE_ALL, widget->x(), widget->y(), widget->w(), widget->h());
  } else {
    widget->redraw();
  }
}

}  // namespace rt

namespace rt {

Fl_Boxtype BorderBox(uint32_t border, bool filled) {
  switch (border) {
    case 1: return filled ? FL_DOWN_BOX : FL_DOWN_FRAME;
    case 2: return filled ? FL_UP_BOX : FL_UP_FRAME;
    case 3: return filled ? FL_THIN_DOWN_BOX : FL_THIN_DOWN_FRAME;
    case 4: return filled ? FL_ENGRAVED_BOX : FL_ENGRAVED_FRAME;
    case 5: return filled ? FL_BORDER_BOX : FL_BORDER_FRAME;
    default: return filled ? FL_FLAT_BOX : FL_NO_BOX;
  }
}

Fl_Align CaptionAlignment(uint32_t horizontal, uint32_t vertical) {
  Fl_Align align = FL_ALIGN_INSIDE | FL_ALIGN_CLIP;
  if (horizontal == 0) align |= FL_ALIGN_LEFT;
  if (horizontal == 2) align |= FL_ALIGN_RIGHT;
  if (vertical == 0) align |= FL_ALIGN_TOP;
  if (vertical == 2) align |= FL_ALIGN_BOTTOM;
  return align;
}

}  // namespace rt
