// The main window and its controls, named as in the window description.
#pragma once

#include "forms/control_ids.h"  // generated from the window description

namespace calc {

using namespace ids;

// Property numbers the calculator uses.
enum Property : int32_t {
  kLeftProperty = 0,
  kWidthProperty = 2,
  kVisibleProperty = 5,
  kContentProperty = 8,      // edit box content
  kTextColourProperty = 16,  // label text colour
  kItemsProperty = 17,       // combo box items, one a line
  kSelectionProperty = 19,   // combo box current selection
};

}  // namespace calc
