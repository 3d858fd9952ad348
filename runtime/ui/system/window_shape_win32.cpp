#include <FL/Fl.H>
#include <FL/x.H>

#include "runtime/ui/system/window_shape.h"

namespace rt {
namespace {

HRGN RegionOfRows(const std::vector<Span>& rows) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  for (size_t y = 0; y < rows.size(); ++y) {
    const int top = static_cast<int>(y);
    HRGN row = CreateRectRgn(rows[y].left, top, rows[y].right, top + 1);
    CombineRgn(region, region, row, RGN_OR);
    DeleteObject(row);
  }
  return region;
}

}  // namespace

// A layered window that is transparent to the pointer sends the pointer's messages to the
// windows beneath it; fully opaque, it looks as any other.
void CutToRows(Fl_Window& window, const std::vector<Span>& rows) {
  HWND hwnd = fl_xid(&window);
  SetWindowRgn(hwnd, RegionOfRows(rows), TRUE);  // the system owns the region from now on
  const LONG_PTR extended = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
  SetWindowLongPtrW(hwnd, GWL_EXSTYLE, extended | WS_EX_LAYERED | WS_EX_TRANSPARENT);
  SetLayeredWindowAttributes(hwnd, 0, 255, LWA_ALPHA);
}

}  // namespace rt
