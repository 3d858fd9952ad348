// The on-screen runtime error report: a modal message box.
#pragma once

#include <string>

namespace rt {

// Shows the GBK text in a box captioned "错误" with a stop icon and one OK button, and
// returns once the user has confirmed it.
void PresentInMessageBox(const std::string& gbk_text);

}  // namespace rt
