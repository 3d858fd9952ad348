#include "calc/sheet_window/sheet_painter.h"

#include <FL/Fl_Device.H>
#include <FL/fl_draw.H>

#include "calc/sheet/sheet_colours.h"
#include "calc/sheet_window/printable_text.h"
#include "forms/picture_layout.h"
#include "runtime/ui/controls/look.h"

namespace calc {
namespace {

constexpr int kLeading = 4;  // between two lines of a style

struct StyleLook {
  Fl_Font face;
  Fl_Fontsize size;
  Fl_Color colour;
};

// The body in the program's 12-pixel face, the setting in the blue of the result boxes,
// the note in the face of the pages' notes.
Fl_Color ToolkitColour(Rgb rgb) { return fl_rgb_color(rgb.red, rgb.green, rgb.blue); }

StyleLook LookOf(TextStyle style) {
  const rt::ToolkitFont song = rt::ToToolkitFont(std::nullopt);
  const Fl_Color colour = ToolkitColour(TextColour(style));
  switch (style) {
    case TextStyle::kTitle: return {song.face, 18, colour};
    case TextStyle::kHeading: return {song.face, 14, colour};
    case TextStyle::kSetting: return {song.face, 14, colour};
    case TextStyle::kNote: {
      forms::LogFont kai;
      kai.height = -16;
      kai.face = "楷体_GB2312";
      const rt::ToolkitFont font = rt::ToToolkitFont(kai);
      return {font.face, font.size, colour};
    }
    case TextStyle::kBody: break;
  }
  return {song.face, song.size, colour};
}

bool Overlaps(const LayoutRect& place, PageSpan span) {
  return place.y < span.bottom && place.bottom() > span.top;
}

// On paper each string goes as the printer can draw it; the screen takes it as it is.
std::string DrawableText(const std::string& utf8, const StyleLook& look) {
  if (Fl_Surface_Device::surface() == Fl_Display_Device::display_device()) return utf8;
  return PrintableText(utf8, look.face, look.size);
}

}  // namespace

int ToolkitTextMetrics::Width(std::string_view utf8, TextStyle style) const {
  const StyleLook look = LookOf(style);
  fl_font(look.face, look.size);
  return static_cast<int>(fl_width(utf8.data(), static_cast<int>(utf8.size())) + 0.999);
}

int ToolkitTextMetrics::LineHeight(TextStyle style) const {
  const StyleLook look = LookOf(style);
  fl_font(look.face, look.size);
  return fl_height() + kLeading;
}

void PaintSheet(const SheetLayout& layout, const DiagramPixels& diagram, int x, int y,
                PageSpan span) {
  const int dy = y - span.top;
  fl_push_clip(x, y, layout.width, span.bottom - span.top);
  for (const PlacedShade& shade : layout.shades) {
    if (!Overlaps(shade.place, span)) continue;
    fl_color(ToolkitColour(ShadeColour(shade.shade)));
    const LayoutRect& r = shade.place;
    if (shade.shade == Shade::kCellFrame) {
      fl_rect(x + r.x, dy + r.y, r.width, r.height);
    } else {
      fl_rectf(x + r.x, dy + r.y, r.width, r.height);
    }
  }
  if (!diagram.rgb.empty() && Overlaps(layout.diagram, span))
    fl_draw_image(diagram.rgb.data(), x + layout.diagram.x, dy + layout.diagram.y, diagram.width,
                  diagram.height, 3);
  for (const PlacedText& text : layout.texts) {
    if (Overlaps(text.place, span)) PaintText(text, x, dy);
  }
  fl_pop_clip();
}

void PaintText(const PlacedText& text, int x, int y) {
  const StyleLook look = LookOf(text.style);
  fl_font(look.face, look.size);
  fl_color(look.colour);
  const int baseline = y + text.place.bottom() - kLeading / 2 - fl_descent();
  fl_draw(DrawableText(text.utf8, look).c_str(), x + text.place.x, baseline);
}

// Three channels on white: the diagrams are opaque, and the printer's driver draws plain
// pixel rows most reliably.
DiagramPixels DiagramImage(const std::optional<forms::Image>& diagram, const LayoutRect& place) {
  if (!diagram || place.width <= 0 || place.height <= 0) return {};
  const forms::Image scaled = forms::ScaleImage(*diagram, place.width, place.height);
  return {scaled.width, scaled.height, forms::RgbOnWhite(scaled)};
}

}  // namespace calc
