// The whole text of an edit field on request: while the text does not fit the field, the
// toolkit's plain tooltip shows it when the pointer rests on the field. Nothing without a
// display.
#pragma once

class Fl_Input;

namespace rt {

// The pointer is coming onto the field: the toolkit looks for its tooltip next.
void OfferWholeTextOnEntering(Fl_Input& field);

// The field's text has changed: a tooltip of the field that is waiting or showing follows
// the new text (or goes, when the text now fits).
void FollowTextChange(Fl_Input& field);

}  // namespace rt
