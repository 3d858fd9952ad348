#include "skin/engine/theme.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include "skin/engine/boxes.h"

namespace skin {
namespace {

void SetStandardColour(Fl_Color slot, Rgb colour) {
  Fl::set_color(slot, colour.r, colour.g, colour.b);
}

}  // namespace

void ApplyTheme(const Skin& skin, bool aero) {
  // The scheme goes first: choosing one resets the toolkit's boxes, which the engine's
  // then replace. The names are the engine's own constants, safe for the toolkit to keep.
  Fl::scheme(kSchemeNames[static_cast<size_t>(skin.scheme)]);
  const Rgb window = skin[Role::kWindow], field = skin[Role::kField], text = skin[Role::kText];
  Fl::background(window.r, window.g, window.b);  // also derives the grey ramp from it
  Fl::background2(field.r, field.g, field.b);
  Fl::foreground(text.r, text.g, text.b);
  SetStandardColour(FL_SELECTION_COLOR, skin[Role::kSelection]);
  SetStandardColour(FL_INACTIVE_COLOR, skin[Role::kInactive]);
  InstallBoxes(skin, aero);
  for (Fl_Window* open = Fl::first_window(); open; open = Fl::next_window(open)) open->redraw();
}

}  // namespace skin
