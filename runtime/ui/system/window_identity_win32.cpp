#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

#include "runtime/ui/system/window_identity.h"

namespace rt {

// The toolkit gives a window of fixed size a dialog frame with a system menu and a
// minimise button; the template says which of the buttons and the menu it has.
void AnnounceFrame(Fl_Window& window, const forms::WindowUnit& unit) {
  HWND hwnd = fl_xid(&window);
  LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
  const LONG_PTR wanted =
      (style & ~static_cast<LONG_PTR>(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) |
      (unit.control_box ? WS_SYSMENU : 0) | (unit.minimise_button ? WS_MINIMIZEBOX : 0) |
      (unit.maximise_button ? WS_MAXIMIZEBOX : 0);
  if (wanted == style) return;
  SetWindowLongPtrW(hwnd, GWL_STYLE, wanted);
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// A Windows window has one caption, in UTF-16, which the toolkit sets.
void AnnounceLegacyNames(Fl_Window&) {}

// The outer size that gives the client area the window's own size, with the frame it has.
void ReassertClientSize(Fl_Window& window) {
  HWND hwnd = fl_xid(&window);
  RECT outer = {0, 0, window.w(), window.h()};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)));
  SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace rt
