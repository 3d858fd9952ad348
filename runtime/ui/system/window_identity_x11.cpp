#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/filename.H>
#include <FL/x.H>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <string>

#include "runtime/ui/system/window_identity.h"

namespace rt {
namespace {

// Motif window-manager hints: the functions and decorations of a fixed dialog frame
// with a close button and a system menu, without minimise and maximise buttons.
void SetMotifHints(Window xid, const forms::WindowUnit& unit) {
  struct {
    unsigned long flags, functions, decorations;
    long input_mode;
    unsigned long status;
  } hints = {3, 0, 0, 0, 0};
  enum { kAll = 1, kResize = 2, kMove = 4, kMinimize = 8, kMaximize = 16, kClose = 32 };
  enum { kBorder = 2, kTitle = 8, kMenu = 16, kMinimizeButton = 32, kMaximizeButton = 64 };
  hints.functions = kClose | (unit.movable ? kMove : 0) | (unit.minimise_button ? kMinimize : 0) |
                    (unit.maximise_button ? kMaximize : 0);
  hints.decorations = kBorder | kTitle | (unit.control_box ? kMenu : 0) |
                      (unit.minimise_button ? kMinimizeButton : 0) |
                      (unit.maximise_button ? kMaximizeButton : 0);
  Atom property = XInternAtom(fl_display, "_MOTIF_WM_HINTS", False);
  XChangeProperty(fl_display, xid, property, property, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&hints), 5);
}

// The bytes of a window's property of that type; empty when it has none.
std::string PropertyBytes(Window window, Atom property, Atom type) {
  Atom actual;
  int format;
  unsigned long items, after;
  unsigned char* data = nullptr;
  std::string bytes;
  if (XGetWindowProperty(fl_display, window, property, 0, 256, False, type, &actual, &format,
                         &items, &after, &data) == Success &&
      data) {
    bytes.assign(reinterpret_cast<char*>(data), format == 32 ? items * sizeof(long) : items);
    XFree(data);
  }
  return bytes;
}

// The name the running window manager gives itself, empty when none says.
std::string WindowManagerName() {
  std::string check =
      PropertyBytes(RootWindow(fl_display, fl_screen),
                    XInternAtom(fl_display, "_NET_SUPPORTING_WM_CHECK", False), XA_WINDOW);
  if (check.size() < sizeof(long)) return {};
  auto wm = static_cast<Window>(*reinterpret_cast<const unsigned long*>(check.data()));
  return PropertyBytes(wm, XInternAtom(fl_display, "_NET_WM_NAME", False),
                       XInternAtom(fl_display, "UTF8_STRING", False));
}

// Openbox leaves the Motif hints' minimise and maximise alone on purpose and takes the
// two buttons away only from toolbar and menu windows; it keeps such a window focusable
// and in its window list. A window that wants neither button says it is a toolbar there.
void SetOpenboxWindowType(Window xid, const forms::WindowUnit& unit) {
  if (unit.minimise_button || unit.maximise_button || WindowManagerName() != "Openbox") return;
  Atom type = XInternAtom(fl_display, "_NET_WM_WINDOW_TYPE", False);
  Atom toolbar = XInternAtom(fl_display, "_NET_WM_WINDOW_TYPE_TOOLBAR", False);
  XChangeProperty(fl_display, xid, type, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&toolbar), 1);
}

// COMPOUND_TEXT, or STRING where Latin-1 holds the text, as the ICCCM asks.
bool ToTextProperty(const char* utf8, XTextProperty* property) {
  char* list[] = {const_cast<char*>(utf8)};
  return Xutf8TextListToTextProperty(fl_display, list, 1, XStdICCTextStyle, property) == Success;
}

}  // namespace

// The window type goes first: openbox reads it again when the Motif hints change.
void AnnounceFrame(Fl_Window& window, const forms::WindowUnit& unit) {
  SetOpenboxWindowType(fl_xid(&window), unit);
  SetMotifHints(fl_xid(&window), unit);
}

// The toolkit writes the UTF-8 bytes of the caption into WM_NAME and WM_ICON_NAME under
// the Latin-1 type; the icon name is its own, as the toolkit derives it.
void AnnounceLegacyNames(Fl_Window& window) {
  const char* name = window.label() ? window.label() : "";
  const char* icon_name = window.iconlabel() ? window.iconlabel() : fl_filename_name(name);
  XTextProperty property;
  if (ToTextProperty(name, &property)) {
    XSetWMName(fl_display, fl_xid(&window), &property);
    XFree(property.value);
  }
  if (ToTextProperty(icon_name, &property)) {
    XSetWMIconName(fl_display, fl_xid(&window), &property);
    XFree(property.value);
  }
}

void ReassertClientSize(Fl_Window& window) {
  XResizeWindow(fl_display, fl_xid(&window), static_cast<unsigned>(window.w()),
                static_cast<unsigned>(window.h()));
}

}  // namespace rt
