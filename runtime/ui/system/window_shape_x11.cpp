#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/extensions/shape.h>

#include "runtime/ui/system/window_shape.h"

namespace rt {
namespace {

// Whether the server can cut windows to shape and let the pointer through them, which
// needs version 1.1 of its shape extension.
bool ServerShapesInput() {
  int event_base, error_base, major = 0, minor = 0;
  return XShapeQueryExtension(fl_display, &event_base, &error_base) &&
         XShapeQueryVersion(fl_display, &major, &minor) &&
         (major > 1 || (major == 1 && minor >= 1));
}

}  // namespace

void CutToRows(Fl_Window& window, const std::vector<Span>& rows) {
  if (!ServerShapesInput()) return;
  std::vector<XRectangle> rectangles;
  for (size_t y = 0; y < rows.size(); ++y) {
    const Span& row = rows[y];
    rectangles.push_back({static_cast<short>(row.left), static_cast<short>(y),
                          static_cast<unsigned short>(row.right - row.left), 1});
  }
  Window xid = fl_xid(&window);
  XShapeCombineRectangles(fl_display, xid, ShapeBounding, 0, 0, rectangles.data(),
                          static_cast<int>(rectangles.size()), ShapeSet, YXBanded);
  XShapeCombineRectangles(fl_display, xid, ShapeInput, 0, 0, nullptr, 0, ShapeSet, YXBanded);
}

}  // namespace rt
