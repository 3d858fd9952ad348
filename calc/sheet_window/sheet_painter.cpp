#include "calc/sheet_window/sheet_painter.h"

#include <FL/Fl_Device.H>
#include <FL/fl_draw.H>

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
StyleLook LookOf(TextStyle style) {
  const rt::ToolkitFont song = rt::ToToolkitFont(std::nullopt);
  switch (style) {
    case TextStyle::kTitle: return {song.face, 18, FL_BLACK};
    case TextStyle::kHeading: return {song.face, 14, fl_rgb_color(0, 0, 128)};
    case TextStyle::kSetting: return {song.face, 14, FL_BLUE};
    case TextStyle::kNote: {
      forms::LogFont kai;
      kai.height = -16;
      kai.face = "楷体_GB2312";
      const rt::ToolkitFont font = rt::ToToolkitFont(kai);
      return {font.face, font.size, FL_BLACK};
    }
    case TextStyle::kBody: break;
  }
  return {song.face, song.size, FL_BLACK};
}

Fl_Color ShadeColour(Shade shade) {
  switch (shade) {
    case Shade::kCellFrame: return fl_rgb_color(153, 153, 153);
    case Shade::kHeadingCell: return fl_rgb_color(238, 238, 238);
    case Shade::kMarkedRow: return fl_rgb_color(238, 243, 255);
  }
  return FL_WHITE;
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
    fl_color(ShadeColour(shade.shade));
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
    if (!Overlaps(text.place, span)) continue;
    const StyleLook look = LookOf(text.style);
    fl_font(look.face, look.size);
    fl_color(look.colour);
    const int baseline = dy + text.place.bottom() - kLeading / 2 - fl_descent();
    fl_draw(DrawableText(text.utf8, look).c_str(), x + text.place.x, baseline);
  }
  fl_pop_clip();
}

// Three channels on white: the diagrams are opaque, and the printer's driver draws plain
// pixel rows most reliably.
DiagramPixels DiagramImage(const std::optional<forms::Image>& diagram, const LayoutRect& place) {
  if (!diagram || place.width <= 0 || place.height <= 0) return {};
  const forms::Image scaled = forms::ScaleImage(*diagram, place.width, place.height);
  DiagramPixels pixels{scaled.width, scaled.height, {}};
  pixels.rgb.reserve(scaled.rgba.size() / 4 * 3);
  for (size_t i = 0; i + 3 < scaled.rgba.size(); i += 4) {
    const int alpha = scaled.rgba[i + 3];
    for (size_t c = 0; c < 3; ++c)
      pixels.rgb.push_back(
          static_cast<uint8_t>((scaled.rgba[i + c] * alpha + 255 * (255 - alpha)) / 255));
  }
  return pixels;
}

}  // namespace calc
