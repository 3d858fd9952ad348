// The table of toolkit entry points every program that loads the skin engine exports.
#include "skin/toolkit_entries.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#ifdef _WIN32
#define CAPCALC_PROGRAM_EXPORT extern "C" __declspec(dllexport)
#else
#define CAPCALC_PROGRAM_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

void RedrawWindows() {
  for (Fl_Window* open = Fl::first_window(); open; open = Fl::next_window(open)) open->redraw();
}

// The toolkit's drawing calls are inline functions on its current graphics driver; these
// run them here, in the program, where that driver lives.
void Colour(uchar r, uchar g, uchar b) { fl_color(r, g, b); }
void FillRectangle(int x, int y, int w, int h, Fl_Color colour) { fl_rectf(x, y, w, h, colour); }
void HorizontalLine(int x, int y, int x1) { fl_xyline(x, y, x1); }
void VerticalLine(int x, int y, int y1) { fl_yxline(x, y, y1); }
void Point(int x, int y) { fl_point(x, y); }

}  // namespace

// The build links this table into every program that links the skin data, and exports it
// from the program's executable (skin/CMakeLists.txt).
CAPCALC_PROGRAM_EXPORT const skin::ToolkitEntries capcalc_toolkit_entries = {
    skin::kToolkitEntriesVersion,
    sizeof(skin::ToolkitEntries),
    Fl::scheme,
    Fl::background,
    Fl::background2,
    Fl::foreground,
    Fl::set_color,
    Fl::get_color,
    Fl::set_boxtype,
    RedrawWindows,
    Fl_Window::current,
    Colour,
    FillRectangle,
    HorizontalLine,
    VerticalLine,
    Point,
};
