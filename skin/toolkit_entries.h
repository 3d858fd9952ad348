// The toolkit entry points a program hands to the skin engine library.
//
// The engine themes the toolkit of the program that loads it. On Windows the programs
// link the toolkit statically, so the library cannot link a toolkit of its own: it would
// theme a second copy that draws nothing. Instead every program that loads the engine
// exports one table of the toolkit functions the engine calls, under a fixed name, and the
// engine looks the table up in the program's own module on its first call. Linux does the
// same, so that both platforms run one mechanism.
#pragma once

#include <FL/Fl.H>  // the types only: the engine links no toolkit

#include <cstdint>

class Fl_Window;

namespace skin {

struct ToolkitEntries {
  // The table's layout: an engine uses only a table of its own version and size, so that
  // a library of another build left beside the program refuses to theme rather than
  // calling into the wrong functions.
  uint32_t version;
  uint32_t size;

  // The look: scheme, standard colours, box types, and a repaint of every open window.
  int (*scheme)(const char* name);
  void (*background)(uchar r, uchar g, uchar b);
  void (*background2)(uchar r, uchar g, uchar b);
  void (*foreground)(uchar r, uchar g, uchar b);
  void (*set_color)(Fl_Color slot, uchar r, uchar g, uchar b);
  void (*get_color)(Fl_Color colour, uchar& r, uchar& g, uchar& b);
  void (*set_boxtype)(Fl_Boxtype type, Fl_Box_Draw_F* draw, uchar dx, uchar dy, uchar dw, uchar dh);
  void (*redraw_windows)();

  // Drawing, while the toolkit runs one of the engine's box drawing functions.
  Fl_Window* (*current_window)();
  void (*color)(uchar r, uchar g, uchar b);
  void (*rectf)(int x, int y, int w, int h, Fl_Color colour);
  void (*xyline)(int x, int y, int x1);
  void (*yxline)(int x, int y, int y1);
  void (*point)(int x, int y);
};

inline constexpr uint32_t kToolkitEntriesVersion = 1;

// The name under which a program exports its table, undecorated: the name of the table in
// toolkit_entries.cpp, which skin/CMakeLists.txt also keeps in every program.
inline constexpr char kToolkitEntriesExport[] = "capcalc_toolkit_entries";

}  // namespace skin
