// The calculator started without a display, for tests that drive its main window the way
// the handlers and the script driver do.
#pragma once

#include <string>

#include "calc/pages/main_window.h"

namespace testing_support {

// Starts the program headless, unless this test has started it already. Every test ends
// with the runtime destroyed, so that each starts from the state a fresh program has.
void StartHeadless();

// A runtime of the core alone, with an empty program description, for tests of the
// core's services.
void StartCoreAlone();

// The content of an edit box (GBK), read and written through property access.
std::string Content(uint32_t control_id);
void SetContent(uint32_t control_id, const std::string& gbk);

// Clicks a button as a user does.
void Click(uint32_t control_id);

// The exit status of a program ended by a runtime error (exit code -1) as its parent
// sees it: the whole code on Windows, its low byte elsewhere.
#ifdef _WIN32
inline constexpr int kRuntimeErrorStatus = -1;
#else
inline constexpr int kRuntimeErrorStatus = 255;
#endif

}  // namespace testing_support
