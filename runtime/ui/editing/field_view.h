// Which part of its text a one-line field shows as the keyboard focus comes and goes.
// Without the focus a field shows its text from the first character, however far the
// caret went: a number read from its tail is worse than one not shown. The Tab keys
// select the whole text with the caret at its start, so that the view shows the start and
// a copy still takes it all. Any other way back in (a click, the right button, the
// window's return to the front) finds the caret and the selection as they were left, and
// a click then places the caret where it is clicked.
#pragma once

class Fl_Input_;

namespace rt {

class FieldView {
 public:
  // After the toolkit's own handling of a focus change (FL_FOCUS, FL_UNFOCUS); other
  // events leave the field alone.
  void FollowFocus(Fl_Input_& field, int event);
  // The program replaced the field's text: it shows from its first character with the
  // caret at 0, and the caret the user left goes with the old text.
  void TextReplaced(Fl_Input_& field);

 private:
  int caret_ = 0;
  int mark_ = 0;
};

}  // namespace rt
