// The calculator started without a display, for tests that drive its main window the way
// the handlers and the script driver do.
#pragma once

#include <string>

#include "calc/main_window.h"

namespace testing_support {

// Starts the program headless once per test process; later calls do nothing.
void StartHeadless();

// The content of an edit box (GBK), read and written through property access.
std::string Content(uint32_t control_id);
void SetContent(uint32_t control_id, const std::string& gbk);

// Clicks a button as a user does.
void Click(uint32_t control_id);

}  // namespace testing_support
