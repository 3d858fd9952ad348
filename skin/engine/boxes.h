// The engine's own box types: buttons, edit boxes, tabs and tab pages, group frames and
// window backgrounds drawn in the look of a skin.
#pragma once

#include "skin/engine/skin_format.h"

namespace skin {

// Replaces the toolkit's standard boxes with the engine's, drawn from a copy of `skin`.
//
// The aero effect: window backgrounds, tab pages and everything else painted in the
// standard background colour show one soft vertical gradient (palette aero.top to
// aero.bottom) running over the whole height of each window, so neighbouring boxes join
// without seams; and buttons get a glassy highlight over their upper half whose strength
// is the skin's gloss.
void InstallBoxes(const Skin& skin, bool aero);

}  // namespace skin
