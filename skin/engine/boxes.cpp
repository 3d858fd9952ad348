#include "skin/engine/boxes.h"

#include <FL/Fl_Window.H>

#include <algorithm>

#include "skin/engine/host_toolkit.h"
#include "skin/engine/painter.h"

namespace skin {
namespace {

// The skin chooses colours, styles and radii; these set how deep the engine shades.
constexpr float kBevelEdge = 0.75f;  // bright inner top edge of bevelled boxes, toward white
constexpr int kSheenRows = 12;       // soft light along the top of tabs and pages
constexpr float kSheenStrength = 0.55f;
constexpr float kGlossFade = 0.5f;        // the aero highlight loses half its strength downwards
constexpr float kCustomFaceLift = 0.35f;  // top of a button in its own colour, toward white
constexpr float kPressedEdge = 0.15f;     // a pressed button's outline, toward black
constexpr float kFieldShadow = 0.35f;     // inner shadow of edit boxes, toward the outline

struct Look {
  Skin skin;
  bool aero = false;
};

Look& Current() {
  static Look look;
  return look;
}

const Skin& Theme() { return Current().skin; }

// The standard background on a window row: with aero, the gradient over the height of
// the window being drawn, so that every box in the background colour continues it.
Rgb Backdrop(int y) {
  const Look& look = Current();
  if (!look.aero) return look.skin[Role::kWindow];
  const Fl_Window* window = Toolkit().current_window();
  return GradientAt(y, 0, window ? window->h() : 1, look.skin[Role::kAeroTop],
                    look.skin[Role::kAeroBottom]);
}

const RowColours& Behind() {
  static const RowColours behind = Backdrop;
  return behind;
}

// FL_BACKGROUND_COLOR is the skin's own background and follows the aero gradient; any
// other colour was chosen for the control and is painted as given.
RowColours Surface(Fl_Color colour) {
  return colour == FL_BACKGROUND_COLOR ? Behind() : Solid(RgbOf(colour));
}

RowColours RaisedFace(Style style, int y, int h, Rgb top, Rgb bottom) {
  switch (style) {
    case Style::kFlat: return Solid(top);
    case Style::kBevel:
      return Tint(Gradient(y, h, top, bottom), y + 1, 1, kWhite, kBevelEdge, 0.0f);
    default: return Gradient(y, h, top, bottom);
  }
}

// A popup menu's background is an up box too; it should read as a sheet, not a button.
bool InMenuWindow() {
  const Fl_Window* window = Toolkit().current_window();
  return window && window->menu_window();
}

void DrawFlatBox(int x, int y, int w, int h, Fl_Color colour) {
  if (w <= 0 || h <= 0) return;
  if (colour != FL_BACKGROUND_COLOR || !Current().aero) {
    Toolkit().rectf(x, y, w, h, colour);
    return;
  }
  for (int row = y; row < y + h; ++row) {
    UseColour(Backdrop(row));
    Toolkit().xyline(x, row, x + w - 1);
  }
}

void DrawPanelBox(int x, int y, int w, int h, Fl_Color colour) {
  const BoxLook look = Theme()[Part::kPanel];
  RowColours face = Surface(colour);
  if (look.style != Style::kFlat)
    face = Tint(face, y + 1, std::min(h / 2, kSheenRows), kWhite, kSheenStrength, 1.0f);
  if (look.style == Style::kBevel) face = Tint(face, y + 1, 1, kWhite, kBevelEdge, 0.0f);
  PaintRoundedBox({x, y, w, h, look.radius}, Theme()[Role::kBorder], &face, Behind());
}

void DrawRaisedBox(int x, int y, int w, int h, Fl_Color colour) {
  if (InMenuWindow()) {
    DrawPanelBox(x, y, w, h, colour);
    return;
  }
  const Skin& theme = Theme();
  const bool standard = colour == FL_BACKGROUND_COLOR;
  const Rgb top = standard ? theme[Role::kButtonTop] : Mix(RgbOf(colour), kWhite, kCustomFaceLift);
  const Rgb bottom = standard ? theme[Role::kButtonBottom] : RgbOf(colour);
  const BoxLook look = theme[Part::kButton];
  RowColours face = RaisedFace(look.style, y, h, top, bottom);
  if (Current().aero && theme.gloss)
    face = Tint(face, y + 1, h / 2, kWhite, theme.gloss / 255.0f, kGlossFade);
  PaintRoundedBox({x, y, w, h, look.radius}, theme[Role::kBorder], &face, Behind());
}

void DrawPressedBox(int x, int y, int w, int h) {
  const Skin& theme = Theme();
  const RowColours face = Gradient(y, h, theme[Role::kPressedTop], theme[Role::kPressedBottom]);
  PaintRoundedBox({x, y, w, h, theme[Part::kButton].radius},
                  Mix(theme[Role::kBorder], kBlack, kPressedEdge), &face, Behind());
}

// Edit boxes are sunken boxes in their own colour; a sunken box in the background colour
// is a pressed button. The shadow stays within the box insets, where text input never
// repaints.
void DrawSunkenBox(int x, int y, int w, int h, Fl_Color colour) {
  if (colour == FL_BACKGROUND_COLOR) {
    DrawPressedBox(x, y, w, h);
    return;
  }
  const Skin& theme = Theme();
  const BoxLook look = theme[Part::kField];
  const Rgb fill = RgbOf(colour);
  const Rgb shadow = Mix(fill, theme[Role::kBorder], kFieldShadow);
  RowColours face = Solid(fill);
  if (look.style != Style::kFlat) face = Tint(face, y + 1, 1, shadow, 1.0f, 0.0f);
  PaintRoundedBox({x, y, w, h, look.radius}, theme[Role::kBorder], &face, Behind());
  if (look.style == Style::kBevel && h > 3) {
    UseColour(shadow);
    Toolkit().yxline(x + 1, y + 1 + look.radius / 2, y + h - 2 - look.radius / 2);
  }
}

void DrawEngravedFrame(int x, int y, int w, int h, Fl_Color) {
  const Skin& theme = Theme();
  const BoxLook look = theme[Part::kFrame];
  // An etched frame is a dark line with a light one just below and right of it.
  const int etch = look.style == Style::kFlat ? 0 : 1;
  if (etch)
    PaintRoundedBox({x + 1, y + 1, w - 1, h - 1, look.radius}, theme[Role::kFrameLight], nullptr,
                    Behind());
  PaintRoundedBox({x, y, w - etch, h - etch, look.radius}, theme[Role::kFrame], nullptr, Behind());
}

void DrawEngravedBox(int x, int y, int w, int h, Fl_Color colour) {
  DrawFlatBox(x, y, w, h, colour);
  DrawEngravedFrame(x, y, w, h, colour);
}

// Plain bordered boxes (tooltips, list selections, picture frames) keep their square
// corners but take the skin's outline colour instead of black.
void DrawBorderBox(int x, int y, int w, int h, Fl_Color colour) {
  const RowColours face = Surface(colour);
  PaintRoundedBox({x, y, w, h, 0}, Theme()[Role::kBorder], &face, Behind());
}

void PaintOutline(int x, int y, int w, int h, int radius) {
  PaintRoundedBox({x, y, w, h, radius}, Theme()[Role::kBorder], nullptr, Behind());
}

void DrawBorderFrame(int x, int y, int w, int h, Fl_Color) { PaintOutline(x, y, w, h, 0); }

template <Part part>
void DrawOutline(int x, int y, int w, int h, Fl_Color) {
  PaintOutline(x, y, w, h, Theme()[part].radius);
}

struct BoxDrawing {
  Fl_Boxtype type;
  Fl_Box_Draw_F* draw;
  uchar inset;  // the toolkit's own insets, so controls lay out their content as before
};

constexpr BoxDrawing kBoxDrawings[] = {
    {FL_FLAT_BOX, DrawFlatBox, 0},
    {FL_UP_BOX, DrawRaisedBox, 2},
    {FL_DOWN_BOX, DrawSunkenBox, 2},
    {FL_UP_FRAME, DrawOutline<Part::kButton>, 2},
    {FL_DOWN_FRAME, DrawOutline<Part::kField>, 2},
    {FL_THIN_UP_BOX, DrawPanelBox, 1},
    {FL_THIN_DOWN_BOX, DrawSunkenBox, 1},
    {FL_THIN_UP_FRAME, DrawOutline<Part::kPanel>, 1},
    {FL_THIN_DOWN_FRAME, DrawOutline<Part::kPanel>, 1},
    {FL_ENGRAVED_BOX, DrawEngravedBox, 2},
    {FL_ENGRAVED_FRAME, DrawEngravedFrame, 2},
    {FL_EMBOSSED_BOX, DrawEngravedBox, 2},
    {FL_EMBOSSED_FRAME, DrawEngravedFrame, 2},
    {FL_BORDER_BOX, DrawBorderBox, 1},
    {FL_BORDER_FRAME, DrawBorderFrame, 1},
};

}  // namespace

void InstallBoxes(const Skin& skin, bool aero) {
  Current() = {skin, aero};
  for (const BoxDrawing& box : kBoxDrawings) {
    Toolkit().set_boxtype(box.type, box.draw, box.inset, box.inset, 2 * box.inset, 2 * box.inset);
  }
}

}  // namespace skin
