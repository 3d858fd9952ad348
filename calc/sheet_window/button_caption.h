// Button labels of the calculator's own windows, in the program's face.
#pragma once

#include <FL/Fl_Button.H>

#include <list>
#include <string>

namespace calc {

// Labels the button with the inside text. The toolkit keeps only a pointer to a label, so
// the converted text is kept in `texts`, which must live as long as the button.
void LabelButton(Fl_Button& button, const char* gbk, std::list<std::string>& texts);

}  // namespace calc
