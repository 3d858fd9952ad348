// What a main window tells the window manager and the desktop about itself, beyond what
// the toolkit tells them: the frame it wants, its names in every encoding tools read, and
// its size, which stays the window's own.
#pragma once

#include "forms/unit_data.h"

class Fl_Window;

namespace rt {

// The functions and decorations of the template's frame. Once the window is shown, and
// again whenever the toolkit may have rewritten them: it does on every change of the
// size range.
void AnnounceFrame(Fl_Window& window, const forms::WindowUnit& unit);

// The caption in the legacy name properties too, in the encoding those declare. Once the
// window is shown and after every change of its caption.
void AnnounceLegacyNames(Fl_Window& window);

// Gives the shown window back its own size after something outside resized it.
void ReassertClientSize(Fl_Window& window);

}  // namespace rt
