#include "skin/engine/theme.h"

#include "skin/engine/boxes.h"
#include "skin/engine/host_toolkit.h"

namespace skin {
namespace {

void SetStandardColour(Fl_Color slot, Rgb colour) {
  Toolkit().set_color(slot, colour.r, colour.g, colour.b);
}

}  // namespace

void ApplyTheme(const Skin& skin, bool aero) {
  // The scheme goes first: choosing one resets the toolkit's boxes, which the engine's
  // then replace. The names are the engine's own constants, safe for the toolkit to keep.
  const ToolkitEntries& toolkit = Toolkit();
  toolkit.scheme(kSchemeNames[static_cast<size_t>(skin.scheme)]);
  const Rgb window = skin[Role::kWindow], field = skin[Role::kField], text = skin[Role::kText];
  toolkit.background(window.r, window.g, window.b);  // also derives the grey ramp from it
  toolkit.background2(field.r, field.g, field.b);
  toolkit.foreground(text.r, text.g, text.b);
  SetStandardColour(FL_SELECTION_COLOR, skin[Role::kSelection]);
  SetStandardColour(FL_INACTIVE_COLOR, skin[Role::kInactive]);
  InstallBoxes(skin, aero);
  toolkit.redraw_windows();
}

}  // namespace skin
