#include "tests/headless_window.h"

#include "calc/program.h"
#include "runtime/core/heap.h"
#include "runtime/core/loaded_windows.h"
#include "runtime/ui/toolkit_control.h"
#include "runtime/ui/posted_calls.h"
#include "runtime/core/property_access.h"

namespace testing_support {

void StartHeadless() {
  static bool started = false;
  if (started) return;
  started = true;
  calc::StartProgram(rt::DisplayMode::kHeadless);
}

std::string Content(uint32_t control_id) {
  uint64_t bits = rt::GetProperty(calc::kMainWindowId, control_id, calc::kContentProperty, -1);
  char* text = reinterpret_cast<char*>(static_cast<uintptr_t>(bits));
  std::string content = text ? text : "";
  rt::FreeMem(text);
  return content;
}

void SetContent(uint32_t control_id, const std::string& gbk) {
  rt::Value text = rt::MakeText(gbk.c_str());
  rt::SetProperty(calc::kMainWindowId, control_id, calc::kContentProperty, -1, text.lo, text.hi);
}

void Click(uint32_t control_id) {
  rt::LoadedWindow* window = rt::FindLoadedWindow(calc::kMainWindowId);
  rt::FindControl(*window, control_id)->live->UserClick();
  rt::RunPostedCalls();
}

}  // namespace testing_support
