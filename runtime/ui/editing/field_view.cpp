#include "runtime/ui/editing/field_view.h"

#include <FL/Fl.H>
#include <FL/Fl_Input_.H>

namespace rt {

void FieldView::FollowFocus(Fl_Input_& field, int event) {
  if (event == FL_UNFOCUS) {
    caret_ = field.position();
    mark_ = field.mark();
    field.position(0, 0);
    // The toolkit repaints a field without the focus only for a change of its selection,
    // and it scrolls the view only while painting.
    field.redraw();
  } else if (event == FL_FOCUS) {
    // Shift+Tab arrives as Tab with Shift held.
    if (Fl::event_key() == FL_Tab) {
      field.position(0, field.size());
    } else {
      field.position(caret_, mark_);
    }
  }
}

void FieldView::TextReplaced(Fl_Input_& field) {
  caret_ = mark_ = 0;
  field.position(0, 0);
}

}  // namespace rt
