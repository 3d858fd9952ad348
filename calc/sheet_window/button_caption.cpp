#include "calc/sheet_window/button_caption.h"

#include <optional>

#include "runtime/platform/gbk.h"
#include "runtime/ui/controls/look.h"

namespace calc {

void LabelButton(Fl_Button& button, const char* gbk, std::list<std::string>& texts) {
  texts.push_back(rt::GbkToUtf8(gbk));
  const rt::ToolkitFont font = rt::ToToolkitFont(std::nullopt);
  button.label(texts.back().c_str());
  button.labelfont(font.face);
  button.labelsize(font.size);
}

}  // namespace calc
