// Puts a skin on the toolkit of the program that loaded the engine.
#pragma once

#include "skin/engine/skin_format.h"

namespace skin {

// Sets the scheme, the standard colours and the engine's boxes, then asks every open
// window to redraw. Draws nothing itself and never opens a display: without one only
// the toolkit's state changes.
void ApplyTheme(const Skin& skin, bool aero);

}  // namespace skin
